#!/bin/sh
# Installs what building and testing orvcc32 needs on Debian, if it is missing:
# the MinGW-w64 cross toolchain, Wine (32-bit), Xvfb, the GoogleTest sources,
# CMake and Python (resource generation), the locale
# sources (a double-byte code page test compiles ja_JP.EUC-JP privately), DejaVu
# Sans (the face of known metrics the tests fall back to without Tahoma); for
# the 64-bit build its MinGW-w64 and Wine; llvm (llvm-dlltool: the import library
# for Microsoft's linker), clang and lld (a host linked in the Microsoft ABI
# checks it), zip (release archives).
set -eu
need=""
have() { command -v "$1" >/dev/null 2>&1; }
have i686-w64-mingw32-g++-posix || need="$need mingw-w64 g++-mingw-w64-i686-posix"
have x86_64-w64-mingw32-g++-posix || need="$need g++-mingw-w64-x86-64-posix"
have llvm-dlltool || have llvm-dlltool-14 || need="$need llvm"
have clang || need="$need clang"
have lld-link || need="$need lld"
have zip || need="$need zip"
have cmake || need="$need cmake make"
have python3 || need="$need python3"
have xvfb-run || need="$need xvfb xauth"
[ -f /usr/src/googletest/CMakeLists.txt ] || need="$need googletest"
[ -f /usr/share/i18n/locales/ja_JP ] || need="$need locales"
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ] || need="$need fonts-dejavu-core"
dpkg -s wine32:i386 >/dev/null 2>&1 && have wine || need="$need wine wine32:i386"
dpkg -s wine64 >/dev/null 2>&1 || need="$need wine64"
if [ -n "$need" ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO dpkg --add-architecture i386
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $need
fi
