#!/bin/sh
# Installs what is missing, builds orvcc32 with its tests and runs every test
# suite under Wine inside one Xvfb session: each suite once in the Unicode flavour
# and once as Windows 98 (the ANSI flavour). Prints the CTest summary.
# Usage: scripts/test.sh [extra ctest arguments]
set -eu
cd "$(dirname "$0")/.."
sh scripts/build.sh
export WINEPREFIX="$PWD/build/mingw-i686/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    ctest --preset mingw-i686 "$@"; rc=$?
    wineserver -w
    exit $rc' ctest "$@"
