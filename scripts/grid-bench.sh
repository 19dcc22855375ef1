#!/bin/sh
# Builds orvcc32 and runs the grid repaint benchmark (next to a plain list view) in a 1280x1024 Xvfb
# screen under Wine, in the 32-bit build where it runs, else
# the 64-bit one. Usage: scripts/grid-bench.sh [rounds]
set -eu
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
orvcc_wine_target grid_bench
arch=$ORVCC_ARCH
cd build/mingw-$arch/bin
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wine grid_bench.exe "$@"; wineserver -w' bench "$@"
