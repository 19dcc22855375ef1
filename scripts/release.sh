#!/bin/sh
# Builds the library for both architectures and packs the release archives
# build/release/orvcc32-<version>-win32.zip and -win64.zip. Each holds the
# installed layout (bin/orvcc32.dll, lib/ with both import libraries and the
# .def, lib/cmake/orvcc32/, include/orvcc32.h), README.md and docs/ (the
# reference manual, the other pages and their pictures). The DLLs are stripped; their debug information lies beside them as
# bin/orvcc32.dll.debug, named in the DLL's .gnu_debuglink section (gdb finds it).
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
version=$(sed -n 's/^project(orvcc32 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=$PWD/build/release
rm -rf "$out"
mkdir -p "$out"
for pair in i686:win32 x86_64:win64; do
    arch=${pair%%:*} name=orvcc32-$version-${pair#*:}
    cmake --preset mingw-$arch >/dev/null
    cmake --build --preset mingw-$arch --target orvcc32
    stage=$out/$name
    cmake --install build/mingw-$arch --prefix "$stage" >/dev/null
    (
        cd "$stage/bin"
        $arch-w64-mingw32-objcopy --only-keep-debug orvcc32.dll orvcc32.dll.debug
        chmod -x orvcc32.dll.debug
        $arch-w64-mingw32-strip --strip-all orvcc32.dll
        $arch-w64-mingw32-objcopy --add-gnu-debuglink=orvcc32.dll.debug orvcc32.dll
    )
    cp README.md "$stage/"
    cp -r docs "$stage/"
    (cd "$out" && zip -qr "$name.zip" "$name")
    echo "$out/$name.zip: orvcc32.dll $(stat -c %s "$stage/bin/orvcc32.dll") bytes," \
         "orvcc32.dll.debug $(stat -c %s "$stage/bin/orvcc32.dll.debug") bytes"
done
