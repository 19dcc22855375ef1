#!/bin/sh
# Installs what is missing, builds orvcc32 and shows its finished controls headless:
# under Xvfb a window with the controls is saved as build/screenshots/controls.png.
set -eu
cd "$(dirname "$0")/.."
sh scripts/build.sh
export WINEPREFIX="$PWD/build/mingw-i686/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
out=build/screenshots
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    sh scripts/wine-prefix.sh build/mingw-i686/bin >/dev/null
    wine build/mingw-i686/bin/orvcc_render.exe "$1" "$2"; rc=$?
    wineserver -w
    exit $rc' demo "$out/controls.bmp" "$out/listview.bmp"
for picture in controls listview; do
    convert "$out/$picture.bmp" "$out/$picture.png"
    rm -f "$out/$picture.bmp"
    echo "screenshot: $out/$picture.png"
done
