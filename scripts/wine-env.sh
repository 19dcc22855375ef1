# Shared set-up for starting Windows programs under Wine. Every script that
# starts Wine sources it, then says which build's programs it runs:
#     . "$(dirname "$0")/wine-env.sh"     (from a script in scripts/; elsewhere set
#     orvcc_wine_use x86_64                ORVCC_SCRIPTS to this folder first)
#
# Debian's wine and wine-stable, and the wineboot, winepath and regedit launchers
# that go through wine-stable, take the 32-bit loader whenever wine32 is
# installed. On a machine whose kernel cannot run 32-bit programs that loader
# fails even for 64-bit programs; there 64-bit programs are sent straight to the
# 64-bit loader (WINELOADER), through the wine and wine-stable of scripts/winebin,
# which go first on PATH.
#
# orvcc_wine32        prints how this machine runs 32-bit programs: native,
#                     emulated (an i386 entry of binfmt_misc hands them to an
#                     emulator) or none. Found once, kept in ORVCC_WINE32.
# orvcc_wine_use ARCH sets up Wine for ARCH (i686 or x86_64) programs; returns 1
#                     when this machine cannot run them. Where 32-bit programs
#                     run natively it changes nothing.
# orvcc_wine_build    prints the build whose programs the demo, benches and soak
#                     run: i686 where 32-bit programs run natively, else x86_64.
# orvcc_wine_target TARGET
#                     builds TARGET in that build, sets Wine up for it (with
#                     its WINEPREFIX) and leaves the build's name in ORVCC_ARCH.

ORVCC_SCRIPTS=${ORVCC_SCRIPTS:-$(cd "$(dirname "$0")" && pwd)}
export ORVCC_SCRIPTS
ORVCC_WINE_LOADER32=/usr/lib/wine/wine
ORVCC_WINE_LOADER64=/usr/lib/wine/wine64

# True when an enabled binfmt_misc entry takes 32-bit x86 ELF programs
# (class 1 in byte 4, machine 3 in bytes 18-19 of the magic).
orvcc_binfmt_i386() {
    misc=/proc/sys/fs/binfmt_misc
    [ "$(cat "$misc/status" 2>/dev/null)" = enabled ] || return 1
    for entry in "$misc"/*; do
        case ${entry##*/} in status|register) continue ;; esac
        awk 'NR == 1 && $1 != "enabled" { exit 1 }
             $1 == "magic" { m = $2 }
             END { exit !(substr(m, 1, 10) == "7f454c4601" && substr(m, 37, 4) == "0300") }' \
            "$entry" 2>/dev/null && return 0
    done
    return 1
}

orvcc_wine32() {
    if [ -z "${ORVCC_WINE32:-}" ]; then
        if ! "$ORVCC_WINE_LOADER32" --version >/dev/null 2>&1; then
            ORVCC_WINE32=none
        elif orvcc_binfmt_i386; then
            ORVCC_WINE32=emulated
        else
            ORVCC_WINE32=native
        fi
        export ORVCC_WINE32
    fi
    echo "$ORVCC_WINE32"
}

orvcc_wine_use() {
    ORVCC_WINE_ARCH=${1:-${ORVCC_WINE_ARCH:?which build: i686 or x86_64}}
    export ORVCC_WINE_ARCH
    case $ORVCC_WINE_ARCH:$(orvcc_wine32) in
    *:native) return 0 ;;
    i686:emulated) loader=$ORVCC_WINE_LOADER32 ;;
    i686:none)
        echo "this machine cannot run 32-bit programs (ORVCC_I686=emulate sh scripts/test.sh runs the 32-bit suites through qemu-user)" >&2
        return 1 ;;
    *) loader=$ORVCC_WINE_LOADER64 ;;
    esac
    [ -x "$loader" ] || { echo "no Wine loader $loader (Debian package wine64 or wine32:i386)" >&2; return 1; }
    WINELOADER=$loader ORVCC_WINE_LOADER=$loader
    export WINELOADER ORVCC_WINE_LOADER
    case :$PATH: in *:"$ORVCC_SCRIPTS/winebin":*) ;; *) PATH=$ORVCC_SCRIPTS/winebin:$PATH ;; esac
    export PATH
}

orvcc_wine_build() {
    if [ "$(orvcc_wine32)" = native ]; then echo i686; else echo x86_64; fi
}

orvcc_wine_target() {
    ORVCC_ARCH=$(orvcc_wine_build)
    orvcc_wine_use "$ORVCC_ARCH"
    echo "$1: the $ORVCC_ARCH build"
    cmake --preset "mingw-$ORVCC_ARCH" >/dev/null
    cmake --build --preset "mingw-$ORVCC_ARCH" --target "$1"
    WINEPREFIX=$PWD/build/mingw-$ORVCC_ARCH/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
}
