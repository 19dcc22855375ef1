#!/bin/sh
# Builds orvcc32 and runs the grid repaint benchmark (next to a plain list view) in a 1280x1024 Xvfb
# screen under Wine. Usage: scripts/grid-bench.sh [rounds]
set -eu
cd "$(dirname "$0")/.."
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686 --target grid_bench
export WINEPREFIX="$PWD/build/mingw-i686/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cd build/mingw-i686/bin
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wine grid_bench.exe "$@"; wineserver -w' bench "$@"
