#!/bin/sh
# Builds orvcc32 (32-bit, or 64-bit where 32-bit programs cannot run) and runs the analog meter sweep benchmark (60 frames per second,
# 300x200, next to a stock progress bar) in an Xvfb screen under Wine.
# Usage: scripts/meter-bench.sh [frames]
set -eu
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
arch=$(orvcc_wine_build)
orvcc_wine_use "$arch"
echo "meter_bench: the $arch build"
cmake --preset mingw-$arch >/dev/null
cmake --build --preset mingw-$arch --target meter_bench
export WINEPREFIX="$PWD/build/mingw-$arch/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cd build/mingw-$arch/bin
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wine meter_bench.exe "$@"; wineserver -w' bench "$@"
