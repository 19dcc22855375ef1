#!/bin/sh
# Installs what is missing, builds orvcc32 with its tests and runs every test
# suite under Wine inside one Xvfb session: each suite once in the Unicode flavour
# and once as Windows 98 (the ANSI flavour), first the 32-bit build, then the
# 64-bit one (ORVCC_ARCHS="i686" runs one only). Prints the CTest summaries.
# Usage: scripts/test.sh [extra ctest arguments]
set -eu
cd "$(dirname "$0")/.."
sh scripts/build.sh
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export ORVCC_ARCHS="${ORVCC_ARCHS:-i686 x86_64}"
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    rc=0
    for arch in $ORVCC_ARCHS; do
        export WINEPREFIX="$PWD/build/mingw-$arch/wineprefix"
        echo "== $arch"
        ctest --preset mingw-$arch "$@" || rc=1
        wineserver -w
    done
    exit $rc' ctest "$@"
