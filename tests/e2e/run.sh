#!/usr/bin/env bash
# Runs every end-to-end scenario (tests/e2e/scenario_*.sh) against the real
# Tarvik.exe under Wine, typing with real key events. Screenshots go to shots/e2e/.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
for scenario in "$root"/tests/e2e/scenario_*.sh; do
  echo "--- $(basename "$scenario" .sh)"
  source "$scenario"
done
finish
