#!/usr/bin/env bash
# Builds the project. Usage: build.sh native|windows|all  [extra CMake arguments]
#   native:  build/native  (g++, AddressSanitizer + UBSan: the engine, its tests, tarvik-cli)
#   windows: build/windows (MinGW-w64: Tarvik.exe, tarvik-cli.exe and the test programs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}; shift || true
jobs=$(nproc)

build_native() {
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVIK_SANITIZE=ON "$@"
  cmake --build "$root/build/native" -j"$jobs"
}

build_windows() {
  cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" "$@"
  cmake --build "$root/build/windows" -j"$jobs"
}

case "$what" in
  native) build_native "$@" ;;
  windows) build_windows "$@" ;;
  all) build_native "$@"; build_windows "$@" ;;
  *) echo "usage: $0 native|windows|all" >&2; exit 2 ;;
esac
