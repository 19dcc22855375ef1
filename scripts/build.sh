#!/bin/sh
# Installs what is missing and builds orvcc32, its tests and tools (preset mingw-i686).
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
cmake --preset mingw-i686
cmake --build --preset mingw-i686
