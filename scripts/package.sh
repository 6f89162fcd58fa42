#!/usr/bin/env bash
# Makes the release a Windows user downloads: dist/Tarvik-VERSION.zip, one
# folder Tarvik-VERSION holding Tarvik.exe, Tarvik.chm and a Japanese read-me
# (README.txt, Shift-JIS with CRLF line ends as Notepad expects). VERSION is
# the one the build put into the version resource.
# Usage: package.sh [OUTPUT_DIR]   (the Windows build must be done first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${TARVIK_BUILD:-$root/build/windows}"
out_dir=$(mkdir -p "${1:-$root/dist}" && cd "${1:-$root/dist}" && pwd)

version_header="$build/resources/version.h"
for f in "$build/Tarvik.exe" "$build/Tarvik.chm" "$version_header"; do
  [ -f "$f" ] || { echo "package.sh: $f is missing; run scripts/build.sh windows first" >&2; exit 1; }
done
version=$(sed -n 's/^#define TARVIK_VERSION_TEXT *"\(.*\)"$/\1/p' "$version_header")
[ -n "$version" ] || { echo "package.sh: no version in $version_header" >&2; exit 1; }

name="Tarvik-$version"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp "$build/Tarvik.exe" "$build/Tarvik.chm" "$stage/$name/"
sed "s/@VERSION@/$version/" "$root/scripts/release_readme.txt" | sed 's/$/\r/' |
  iconv -f UTF-8 -t CP932 >"$stage/$name/README.txt"

zip_file="$out_dir/$name.zip"
rm -f "$zip_file"
(cd "$stage" && zip -q -X -r "$zip_file" "$name")
echo "$zip_file"
