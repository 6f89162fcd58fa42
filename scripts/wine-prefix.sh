#!/usr/bin/env bash
# Creates a Wine prefix for the project once: Japanese fonts stand in for the
# fonts the program names, so that every text renders.
# Usage: wine-prefix.sh [PREFIX]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh" "${1:-}"
mkdir -p "$WINEPREFIX"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$WINEPREFIX/.tarvik-ready" ] && exit 0

wineboot -i >/dev/null 2>&1 </dev/null || true
wineserver -w

# Font substitutes, as a UTF-16 .reg file with a byte-order mark.
reg=$(mktemp --suffix=.reg)
{
  cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ 明朝"="IPAGothic"
"ＭＳ Ｐ明朝"="IPAPGothic"
"ＭＳ ＵＩ Gothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"HGP創英角ﾎﾟｯﾌﾟ体"="IPAPGothic"
REG
} | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE > "$reg.tmp"
printf '\xff\xfe' | cat - "$reg.tmp" > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1 </dev/null
wineserver -w
rm -f "$reg" "$reg.tmp"
touch "$WINEPREFIX/.tarvik-ready"
