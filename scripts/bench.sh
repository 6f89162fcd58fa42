#!/usr/bin/env bash
# Builds the benchmarks (Release, native, -DTARVIK_BENCH=ON) in build/bench
# and runs them with repetitions, printing the medians; then, when there is a
# Windows build, the latency of the program under Wine (bench/latency.sh).
# Usage: scripts/bench.sh [REPETITIONS] [extra Google Benchmark arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
repetitions=${1:-10}; shift || true
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVIK_BENCH=ON >/dev/null
cmake --build "$root/build/bench" --target tarvik_bench -j"$(nproc)"
"$root/build/bench/bench/tarvik_bench" --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true --benchmark_min_time=0.2 "$@" | grep -E '^(Benchmark|---|.*_median)'
if [ -f "$root/build/windows/Tarvik.exe" ]; then
  "$root/bench/latency.sh"
else
  echo "no Windows build: the latency benchmark (bench/latency.sh) needs scripts/build.sh windows"
fi
