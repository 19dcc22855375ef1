#!/bin/sh
# Prepares the Wine prefix named by $WINEPREFIX for the tests:
#  - creates it once;
#  - no window manager is waited for (Managed=N);
#  - 96 dots per inch;
#  - each test copy named *_<version>.exe in the given folder is told that
#    Windows version (win98 gives the ANSI flavour).
# Usage: wine-prefix.sh BIN_DIR   (run inside an X server; ORVCC_WINE_ARCH names
#        the build, see wine-env.sh)
set -eu
: "${WINEPREFIX:?set WINEPREFIX}"
. "$(dirname "$0")/wine-env.sh"
orvcc_wine_use
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
bindir=${1:-.}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
fi

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
{
    printf 'REGEDIT4\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:00000060\r\n\r\n'
    for exe in "$bindir"/*_win98.exe "$bindir"/*_win95.exe "$bindir"/*_win2k.exe "$bindir"/*_winxp.exe; do
        [ -f "$exe" ] || continue
        name=$(basename "$exe")
        version=${name##*_}
        version=${version%.exe}
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s]\r\n"Version"="%s"\r\n\r\n' "$name" "$version"
    done
} > "$reg"
wine regedit /S "$(winepath -w "$reg")"
echo "wine prefix ready: $WINEPREFIX"
