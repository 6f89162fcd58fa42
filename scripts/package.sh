#!/usr/bin/env bash
# Makes the release a Windows user downloads, in three forms:
#   dist/Tarvik-VERSION.zip        one folder Tarvik-VERSION holding Tarvik.exe,
#                                  Tarvik.chm and a Japanese read-me (README.txt,
#                                  Shift-JIS with CRLF line ends as Notepad expects);
#   dist/Tarvik-VERSION-setup.exe  the per-user installer (NSIS,
#                                  packaging/installer/Tarvik.nsi);
#   dist/winget/Tarvik.Tarvik/VERSION/  the package manager's manifests
#                                  (packaging/winget/), filled with the version,
#                                  the installer's SHA-256 and its download address.
# VERSION is the one the build put into the version resource. The download
# address is TARVIK_DOWNLOAD_URL (the folder the installer is published in).
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
version_numbers=$(sed -n 's/^#define TARVIK_VERSION_NUMBERS *\([0-9,]*\)$/\1/p' "$version_header" | tr , .)
[ -n "$version" ] && [ -n "$version_numbers" ] || { echo "package.sh: no version in $version_header" >&2; exit 1; }
download_url="${TARVIK_DOWNLOAD_URL:-https://tarvik.example.org/download}"

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

setup_file="$out_dir/$name-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION_NUMBERS="$version_numbers" \
  -DBUILD_DIR="$build" -DICON="$root/resources/tarvik.ico" -DOUTFILE="$setup_file" \
  "$root/packaging/installer/Tarvik.nsi" >"$stage/makensis.log" 2>&1 ||
  { cat "$stage/makensis.log" >&2; echo "package.sh: makensis failed" >&2; exit 1; }
echo "$setup_file"

sha256=$(sha256sum "$setup_file" | cut -d' ' -f1 | tr a-f A-F)
manifest_dir="$out_dir/winget/Tarvik.Tarvik/$version"
rm -rf "$manifest_dir" && mkdir -p "$manifest_dir"
for template in "$root"/packaging/winget/*.yaml; do
  sed -e "s|@VERSION@|$version|g" -e "s|@INSTALLER_SHA256@|$sha256|g" \
      -e "s|@INSTALLER_URL@|$download_url/$name-setup.exe|g" \
      "$template" >"$manifest_dir/$(basename "$template")"
done
echo "$manifest_dir"
