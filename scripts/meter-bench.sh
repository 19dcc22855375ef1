#!/bin/sh
# Builds orvcc32 and runs the analog meter sweep benchmark (60 frames per second,
# 300x200, next to a stock progress bar) in an Xvfb screen under Wine.
# Usage: scripts/meter-bench.sh [frames]
set -eu
cd "$(dirname "$0")/.."
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686 --target meter_bench
export WINEPREFIX="$PWD/build/mingw-i686/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cd build/mingw-i686/bin
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wine meter_bench.exe "$@"; wineserver -w' bench "$@"
