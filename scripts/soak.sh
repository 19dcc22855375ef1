#!/bin/sh
# Long random-message run: COUNT messages per control (half in the Unicode, half
# in the ANSI flavour), printing messages per second per control; stops with a
# non-zero exit code at the first fault. Classes are the window class names of
# tests/harness_controls.cpp (all of them when none is given). The 32-bit build
# runs where it can, else the 64-bit one.
# Usage: scripts/soak.sh [COUNT [SEED [CLASS...]]]     e.g. soak.sh 1000000 7 ORV_ProgressClass
set -eu
cd "$(dirname "$0")/.."
count=${1:-1000000}
seed=${2:-7}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] && shift
half=$(( (count + 1) / 2 ))
. scripts/wine-env.sh
orvcc_wine_target orvcc_soak
arch=$ORVCC_ARCH
# A copy of the programs, so that a rebuild meanwhile does not disturb a long run.
rm -rf build/mingw-$arch/soak
mkdir -p build/mingw-$arch/soak
cp build/mingw-$arch/bin/orvcc32.dll build/mingw-$arch/bin/orvcc_soak.exe \
   build/mingw-$arch/bin/orvcc_soak_win98.exe build/mingw-$arch/soak/
cd build/mingw-$arch/soak
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    half=$1 seed=$2
    shift 2
    sh ../../../scripts/wine-prefix.sh . >/dev/null || exit 1
    wine orvcc_soak.exe "$half" "$seed" "$@" && wine orvcc_soak_win98.exe "$half" "$seed" "$@"
    rc=$?
    wineserver -w
    exit $rc' soak "$half" "$seed" "$@"
