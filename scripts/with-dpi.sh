#!/bin/sh
# Runs a command with the prefix's screen set to DPI dots per inch, then back to 96.
# Usage: with-dpi.sh DPI command...
set -u
: "${WINEPREFIX:?set WINEPREFIX}"
. "$(dirname "$0")/wine-env.sh"
orvcc_wine_use || exit 1
dpi=$1
shift
setdpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}
setdpi "$dpi"
"$@"
rc=$?
setdpi 96
exit $rc
