#!/bin/sh
# Installs a build of orvcc32 into a private prefix, links a small C host in the
# Microsoft ABI against its lib/orvcc32.lib (clang in MSVC target mode, lld-link)
# and runs it under Wine next to bin/orvcc32.dll (with "link": only links it, no
# Wine needed). Without clang, lld-link or llvm-dlltool it says so and exits 77
# (CTest: skipped).
# Usage: check-msvc-lib.sh BUILD_DIR i686|x86_64 [link]   (run inside an X server)
set -eu
build=$1 arch=$2 mode=${3:-run}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$build/msvc-$mode
prefix=$work/prefix
case $arch in
i686) target=i686-pc-windows-msvc machine=x86 tool=i386 size=yes ;;
*) target=x86_64-pc-windows-msvc machine=x64 tool=i386:x86-64 size= ;;
esac
# A name as the .def of this machine lists it (32-bit: with its stdcall size).
dec() { if [ -n "$size" ]; then echo "$1@$2"; else echo "$1"; fi; }
dlltool=$(command -v llvm-dlltool || command -v llvm-dlltool-14 || true)
lld=$(command -v lld-link || command -v lld-link-14 || true)
if [ -z "$dlltool" ] || [ -z "$lld" ] || ! command -v clang >/dev/null 2>&1; then
    echo "skipped: needs clang, lld-link and llvm-dlltool (Debian packages clang, lld, llvm)"
    exit 77
fi
rm -rf "$work" && mkdir -p "$work"
cmake --install "$build" --prefix "$prefix" >/dev/null
[ -f "$prefix/lib/orvcc32.lib" ] || { echo "no lib/orvcc32.lib in the installed copy"; exit 1; }
cd "$work"
# Import libraries of the system DLLs, in the same format, for the calls the host makes.
printf 'LIBRARY kernel32.dll\nEXPORTS\n%s\n%s\n' "$(dec ExitProcess 4)" "$(dec GetModuleHandleA 4)" > kernel32.def
printf 'LIBRARY user32.dll\nEXPORTS\n%s\n%s\n' "$(dec CreateWindowExA 48)" "$(dec DestroyWindow 4)" > user32.def
"$dlltool" -m $tool -k -d kernel32.def -l kernel32.lib
"$dlltool" -m $tool -k -d user32.def -l user32.lib
clang --target=$target -O1 -c "$here/tests/consumer/msvc_host.c" -o msvc_host.obj
"$lld" /nologo /machine:$machine /subsystem:console /entry:HostEntry /nodefaultlib \
    msvc_host.obj "$prefix/lib/orvcc32.lib" kernel32.lib user32.lib /out:msvc_host.exe
if [ "$mode" = link ]; then
    echo "MSVC-ABI host ($arch) links with orvcc32.lib"
    exit 0
fi
cp "$prefix/bin/orvcc32.dll" .
. "$here/scripts/wine-env.sh"
orvcc_wine_use "$arch"
wine msvc_host.exe
echo "MSVC-ABI host ($arch) linked with orvcc32.lib runs"
