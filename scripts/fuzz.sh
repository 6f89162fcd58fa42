#!/usr/bin/env bash
# Builds the libFuzzer target (clang, ASan + UBSan; not part of the CMake
# build) in build/fuzz and runs it for a bounded time.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60)
# Exits non-zero on any crash, sanitizer report, hang (-timeout=5) or
# out-of-memory; the input that caused it is left in build/fuzz/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
out="$root/build/fuzz"
mkdir -p "$out/obj" "$out/corpus" "$out/artifacts"

cxx=${CXX_FUZZ:-clang++}
# clang accepts no execution character set but UTF-8: the engine's messages
# are UTF-8 here, which does not matter to the fuzzer.
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$root"
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)

objects=()
for src in "$root"/engine/*.cpp "$root"/fuzz/fuzz_target.cpp; do
  obj="$out/obj/$(basename "${src%.cpp}").o"
  if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || [ "$0" -nt "$obj" ] ||
     [ -n "$(find "$root/engine" -name '*.h' -newer "$obj" -print -quit)" ]; then
    echo "compiling $(basename "$src")"
    "$cxx" "${flags[@]}" -c "$src" -o "$obj" &
  fi
  objects+=("$obj")
  # at most two compilers at once (2 cores)
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n; done
done
wait
"$cxx" "${flags[@]}" "${objects[@]}" -o "$out/tarvik_fuzz"

echo "fuzzing for $seconds s"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
# New inputs go to build/fuzz/corpus; fuzz/corpus is the seed and read only.
"$out/tarvik_fuzz" "$out/corpus" "$root/fuzz/corpus" \
  -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=4096 \
  -artifact_prefix="$out/artifacts/" -print_final_stats=1 && status=0 || status=$?
echo "fuzzing finished: status $status"
exit $status
