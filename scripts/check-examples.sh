#!/bin/sh
# Builds the example of each reference page (the fenced c and rc blocks of the
# "Example" section of docs/reference/*.md) the way a host project does: against
# an installed copy of a build (find_package(orvcc32)), with the same toolchain,
# each in both character widths, warnings as errors. Then runs every example
# under Wine; the force-included tests/reference/driver.h ends their dialogs.
# Usage: check-examples.sh BUILD_DIR TOOLCHAIN_FILE [build | WORK_DIR [PAGE...]]
#   build: only compile and link (no Wine); WORK_DIR defaults to BUILD_DIR/examples.
# Run inside an X server.
set -eu
build=$1 toolchain=$2
shift 2
run=yes
if [ "${1:-}" = build ]; then run=no; shift; fi
work=${1:-$build/examples}
[ $# -gt 0 ] && shift
here=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$work"
mkdir -p "$work/src"
python3 "$here/scripts/check-reference.py" --extract "$work/src" "$@"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$here/tests/reference" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_PREFIX_PATH="$work/prefix" -DORVCC_EXAMPLES="$work/src" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" -j2 >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
cp "$work/prefix/bin/orvcc32.dll" "$work/build/"
echo "examples built: $(cd "$work/build" && ls *.exe | tr '\n' ' ')"
[ $run = yes ] || exit 0
ORVCC_SCRIPTS=$here/scripts
. "$here/scripts/wine-env.sh"
case $toolchain in *x86_64*) arch=x86_64 ;; *) arch=i686 ;; esac
orvcc_wine_use "$arch"
failed=
for exe in "$work"/build/*.exe; do
    name=$(basename "$exe" .exe)
    if wine "$exe"; then echo "$name: ran"; else echo "$name: FAILED (exit $?)"; failed="$failed $name"; fi
done
[ -z "$failed" ] || { echo "examples that failed:$failed"; exit 1; }
