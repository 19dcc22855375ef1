#!/bin/sh
# Runs a command under a Unix locale that is compiled on demand into a private
# folder (nothing of the system changes), in a Wine prefix of its own that is
# prepared like the main one. Wine takes its ANSI code page from the locale:
# ja_JP gives code page 932, a double-byte code page.
# Usage: with-locale.sh LOCALE CHARSET PREFIX BIN_DIR command...
set -eu
locale=$1 charset=$2 prefix=$3 bindir=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
orvcc_wine_use
locpath="$prefix.locales"
mkdir -p "$locpath"
[ -d "$locpath/$locale.$charset" ] || localedef -i "$locale" -f "$charset" "$locpath/$locale.$charset"
export LOCPATH="$locpath" LANG="$locale.$charset" LC_ALL="$locale.$charset" WINEPREFIX="$prefix"
sh "$here/wine-prefix.sh" "$bindir" >/dev/null
exec "$@"
