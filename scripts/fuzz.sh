#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan; not part of the CMake
# build) in build/fuzz and runs each for a bounded time:
#   tarvik_fuzz         the engine (expressions, user functions, formatters),
#                       seeded from fuzz/corpus;
#   tarvik_loader_fuzz  the loaders of history, variables, user function
#                       texts and shortcut keys, seeded from fuzz/loader_corpus.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60, for each target)
# Exits non-zero on any crash, sanitizer report, hang (-timeout=5) or
# out-of-memory; the input that caused it is left in build/fuzz/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
out="$root/build/fuzz"
mkdir -p "$out/obj" "$out/corpus" "$out/loader_corpus" "$out/artifacts"

cxx=${CXX_FUZZ:-clang++}
# clang accepts no execution character set but UTF-8: the engine's messages
# are UTF-8 here, which does not matter to the fuzzer.
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$root"
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)

# Compiles the sources that changed (at most two compilers at once: 2 cores)
# and prints the object files.
compile() {
  local src obj
  for src in "$@"; do
    obj="$out/obj/$(basename "$(dirname "$src")")_$(basename "${src%.cpp}").o"
    if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || [ "$0" -nt "$obj" ] ||
       [ -n "$(find "$root/engine" "$root/app" "$root/options" -name '*.h' -newer "$obj" -print -quit)" ]; then
      echo "compiling $(basename "$src")" >&2
      "$cxx" "${flags[@]}" -c "$src" -o "$obj" &
    fi
    echo "$obj"
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n; done
  done
  wait
}

mapfile -t engine_objects < <(compile "$root"/engine/*.cpp)
mapfile -t target_objects < <(compile "$root/fuzz/fuzz_target.cpp")
"$cxx" "${flags[@]}" "${engine_objects[@]}" "${target_objects[@]}" -o "$out/tarvik_fuzz"
# The loaders are the window-free files of the program and the settings.
mapfile -t loader_objects < <(compile "$root/fuzz/loader_fuzz_target.cpp" \
  "$root"/calc/{line_reader,text_encoding,history_store,history_file,variable_file,user_function_loader}.cpp \
  "$root"/app/{function_keys,function_template}.cpp \
  "$root/options/shortcut_key.cpp")
"$cxx" "${flags[@]}" "${engine_objects[@]}" "${loader_objects[@]}" -o "$out/tarvik_loader_fuzz"

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
status=0
# New inputs go to build/fuzz/<corpus>; the checked-in corpus is the seed and
# read only.
run() {
  local program=$1 corpus=$2 max_len=$3
  echo "fuzzing $program for $seconds s"
  "$out/$program" "$out/$corpus" "$root/fuzz/$corpus" \
    -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len="$max_len" \
    -artifact_prefix="$out/artifacts/" -print_final_stats=1 || status=$?
}
run tarvik_fuzz corpus 4096
# Longer inputs for the loaders: several lines of user function texts.
run tarvik_loader_fuzz loader_corpus 16384
echo "fuzzing finished: status $status"
exit $status
