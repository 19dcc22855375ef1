#!/bin/sh
# Installs what is missing, builds orvcc32 with its tests and runs every test
# suite under Wine inside one Xvfb session: each suite once in the Unicode flavour
# and once as Windows 98 (the ANSI flavour), first the 32-bit build, then the
# 64-bit one (ORVCC_ARCHS="i686" runs one only). Prints the CTest summaries.
#
# Where this machine cannot run 32-bit programs (scripts/wine-env.sh), the 32-bit
# build runs only its checks that start no program (CTest label "static"), and a
# last line names what was not run. There ORVCC_I686=emulate runs the 32-bit
# suites through qemu-user as well (scripts/qemu-i386.sh), and
# ORVCC_I686=emulate-core the core, progress bar, LED, MRU and display suites only.
# Usage: scripts/test.sh [extra ctest arguments]
set -eu
cd "$(dirname "$0")/.."
sh scripts/build.sh
. scripts/wine-env.sh
echo "32-bit programs on this machine: $(orvcc_wine32)"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export ORVCC_ARCHS="${ORVCC_ARCHS:-i686 x86_64}" ORVCC_I686="${ORVCC_I686:-}"
# The suites of ORVCC_I686=emulate-core.
export ORVCC_EMULATE_CORE='^(wineprefix_setup|orvcc_(tests|core_tests|led_weblink_tests|mru_tests|display_tests)(_.*)?)$'

xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    . "$ORVCC_SCRIPTS/wine-env.sh"
    rc=0 notrun=
    for arch in $ORVCC_ARCHS; do
        export WINEPREFIX="$PWD/build/mingw-$arch/wineprefix"
        if [ $arch = x86_64 ] || [ "$(orvcc_wine32)" = native ]; then
            echo "== $arch"
            (orvcc_wine_use $arch && ctest --preset mingw-$arch "$@"; r=$?; wineserver -w; exit $r) || rc=1
            continue
        fi
        echo "== $arch: the checks that start no program"
        ctest --preset mingw-$arch -L static "$@" || rc=1
        case $ORVCC_I686 in
        emulate|emulate-core)
            # Under the emulator the demo tests wait too short for its dialog.
            if [ $ORVCC_I686 = emulate ]; then pick=-E other=-R tests="^orvcc_demo_tests"
            else pick=-R other=-E tests="$ORVCC_EMULATE_CORE"
            fi
            echo "== $arch through qemu-user: ctest $pick $tests"
            (. "$ORVCC_SCRIPTS/qemu-i386.sh"
             orvcc_emulate_start || exit 1
             ORVCC_WINE32=emulated
             orvcc_wine_use $arch && ctest --preset mingw-$arch -LE static $pick "$tests" "$@"
             r=$?
             orvcc_emulate_stop
             exit $r) || rc=1
            count=$(ctest --preset mingw-$arch -N -LE static $other "$tests" "$@" | sed -n "s/^Total Tests: //p")
            notrun="$notrun${notrun:+; }the $count $arch tests outside the emulated set"
            notrun="$notrun${notrun:+; }under emulation the $arch tests that qemu-user cannot pass ($(. "$ORVCC_SCRIPTS/qemu-i386.sh"; echo "$ORVCC_EMULATE_SKIP" | tr : " "))" ;;
        *)
            count=$(ctest --preset mingw-$arch -N -LE static "$@" | sed -n "s/^Total Tests: //p")
            notrun="$notrun${notrun:+; }the $count $arch tests that start programs under Wine, as this machine cannot run 32-bit programs (ORVCC_I686=emulate runs them through qemu-user)" ;;
        esac
    done
    [ -z "$notrun" ] || echo "Not run: $notrun."
    exit $rc' ctest "$@"
