#!/usr/bin/env bash
# `make dist`: the download for Windows users, FOLDER/quorrel-VERSION.zip
# holding the build's quorrel.exe and res/README.txt with CR LF line ends.
# The version is the program's own, read through the preprocessor from
# common/app_version.h. Prints the zip's path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$1"
out="$(cd "$1" && pwd)"
version="$(printf '#include "common/app_version.h"\nQUORREL_VERSION_TEXT\n' |
  i686-w64-mingw32-gcc -E -P -I "$root" -x c - | tr -d '"[:space:]')"
zip="$out/quorrel-$version.zip"

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp "$root/build/quorrel.exe" "$stage/"
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$root/res/README.txt" >"$stage/README.txt"
rm -f "$zip"
# -X: no Unix owners or times beyond the plain ones; -D: no folder entries.
(cd "$stage" && zip -q -X -D "$zip" quorrel.exe README.txt)
echo "$zip"
