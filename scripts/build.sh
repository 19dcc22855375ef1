#!/bin/sh
# Installs what is missing and builds orvcc32, its tests and tools for each
# architecture (presets mingw-i686 and mingw-x86_64; ORVCC_ARCHS="i686" builds
# one only).
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
for arch in ${ORVCC_ARCHS:-i686 x86_64}; do
    cmake --preset mingw-$arch
    cmake --build --preset mingw-$arch
done
