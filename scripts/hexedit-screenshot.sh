#!/bin/sh
# Renders a hex editor with data and a selection under Wine and Xvfb and writes
# build/hexedit.png. Usage: scripts/hexedit-screenshot.sh
set -eu
cd "$(dirname "$0")/.."
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686 --target hexedit_screenshot
export WINEPREFIX="$PWD/build/mingw-i686/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
out="$PWD/build"
cd build/mingw-i686/bin
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wine hexedit_screenshot.exe hexedit.bmp; wineserver -w'
/usr/bin/convert hexedit.bmp "$out/hexedit.png"
echo "$out/hexedit.png"
