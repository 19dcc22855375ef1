#!/bin/sh
# Builds orvcc32 (32-bit, or 64-bit where 32-bit programs cannot run) and runs the hex editor repaint benchmark in a 1280x1024 Xvfb
# screen under Wine. Usage: scripts/hexedit-bench.sh [rounds]
set -eu
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
arch=$(orvcc_wine_build)
orvcc_wine_use "$arch"
echo "hexedit_bench: the $arch build"
cmake --preset mingw-$arch >/dev/null
cmake --build --preset mingw-$arch --target hexedit_bench
export WINEPREFIX="$PWD/build/mingw-$arch/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cd build/mingw-$arch/bin
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wine hexedit_bench.exe "$@"; wineserver -w' bench "$@"
