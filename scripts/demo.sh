#!/bin/sh
# Installs what is missing, builds orvcc32 and its demo, and shows the demo of the
# 32-bit build, or of the 64-bit one where this machine cannot run 32-bit programs
# (it says which):
#  - with a display ($DISPLAY set): runs ccdemo.exe, which opens its main dialog;
#  - headless (or with --capture): under Xvfb, saves pictures made by the project's
#    own programs into build/screenshots: controls.png, controls-dark.png and
#    listview.png (the control renderer) and main.png, main-dark.png, splitter.png,
#    hexeditor.png, version.png (ccdemo driven through its menu by
#    ccdemo_capture.exe), and in build/screenshots/reference one picture of each
#    control in light and dark mode, which it compares with the reference
#    manual's (docs/reference/img). The pictures are PNG files written through GDI+.
# Usage: scripts/demo.sh [--capture]
set -eu
cd "$(dirname "$0")/.."
sh scripts/build.sh
. scripts/wine-env.sh
arch=$(orvcc_wine_build)
orvcc_wine_use "$arch"
case $arch in
i686) echo "demo: the 32-bit build" ;;
*) echo "demo: the 64-bit build (this machine cannot run 32-bit programs)" ;;
esac
export WINEPREFIX="$PWD/build/mingw-$arch/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bin=build/mingw-$arch/bin
if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--capture" ]; then
    sh scripts/wine-prefix.sh "$bin" >/dev/null
    exec wine "$bin/ccdemo.exe"
fi
out=build/screenshots
mkdir -p "$out/reference"
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    sh scripts/wine-prefix.sh "$1" >/dev/null
    wine "$1/orvcc_render.exe" "$2/controls.png" "$2/listview.png"; rc=$?
    wine "$1/orvcc_render.exe" --dark "$2/controls-dark.png" || rc=1
    wine "$1/orvcc_render.exe" --parts "$2/reference" || rc=1
    wine "$1/orvcc_render.exe" --dark --parts "$2/reference" || rc=1
    wine "$1/ccdemo_capture.exe" "$2" || rc=1
    wineserver -w
    exit $rc' demo "$bin" "$out"
echo "pictures in $out:" $(cd "$out" && ls *.png)
stale=
for picture in "$out"/reference/*.png; do
    cmp -s "$picture" "docs/reference/img/${picture##*/}" || stale="$stale ${picture##*/}"
done
if [ -z "$stale" ]; then
    echo "the reference manual's pictures (docs/reference/img) match the controls as drawn now"
else
    echo "the reference manual's pictures that differ from the controls as drawn now:$stale"
    echo "(to take the new ones: cp $out/reference/*.png docs/reference/img/)"
fi
