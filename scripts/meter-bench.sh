#!/bin/sh
# Builds orvcc32 and runs the analog meter sweep benchmark (60 frames per second,
# 300x200, next to a stock progress bar) in an Xvfb screen under Wine, in the
# 32-bit build where it runs, else the 64-bit one.
# Usage: scripts/meter-bench.sh [frames]
set -eu
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
orvcc_wine_target meter_bench
arch=$ORVCC_ARCH
cd build/mingw-$arch/bin
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wine meter_bench.exe "$@"; wineserver -w' bench "$@"
