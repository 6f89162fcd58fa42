#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's environment.
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]   (CTest's cross-compiling emulator)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(realpath -m "$1"); shift
"$here/wine-prefix.sh" "$prefix"
source "$here/wine-env.sh" "$prefix"
# Wine's server and its service processes outlive the program. Started by the
# program they would inherit CTest's output pipe and hold it open for ever, so
# a persistent server is started here, and with it the services, with no
# inherited output.
if wineserver -p </dev/null >/dev/null 2>&1; then
  wine wineboot </dev/null >/dev/null 2>&1 || true
fi
exec wine "$@"
