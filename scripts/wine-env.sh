# Sourced: the environment every Wine run of the project uses.
# $1 (optional) is the Wine prefix; the default is build/wineprefix.
: "${TARVIK_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${1:-${WINEPREFIX:-$TARVIK_ROOT/build/wineprefix}}"
export WINEARCH=win64
export WINEDEBUG=-all
# Without these overrides a headless first start waits on an install prompt.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its ANSI code page from the locale: 932, Shift-JIS.
export LC_ALL=ja_JP.UTF-8
export LANG=ja_JP.UTF-8
