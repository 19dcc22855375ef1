#!/bin/sh
# Installs a build of orvcc32 into a private prefix, configures the consumer
# project tests/consumer against it (find_package(orvcc32)), builds it with the
# same toolchain and runs its host under Wine.
# Usage: check-consumer.sh BUILD_DIR TOOLCHAIN_FILE   (run inside an X server)
set -eu
build=$1 toolchain=$2
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=$build/consumer/prefix
rm -rf "$build/consumer"
cmake --install "$build" --prefix "$prefix" >/dev/null
cmake -S "$here/tests/consumer" -B "$build/consumer/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/consumer/build" >/dev/null
. "$here/scripts/wine-env.sh"
orvcc_wine_use
wine "$build/consumer/build/consumer_host.exe"
