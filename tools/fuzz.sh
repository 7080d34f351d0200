#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one of them for a while.
#   tools/fuzz.sh [target] [seconds]      (default: fuzz_filter 60)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:-fuzz_filter}"
seconds="${2:-60}"
CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVIDORAW_FUZZ=ON -DVIDORAW_TESTS=OFF -DVIDORAW_BENCH=OFF >/dev/null
cmake --build "$top/build-fuzz" --target "$target"
corpus="$top/build-fuzz/corpus_${target#fuzz_}"
mkdir -p "$corpus"
cp -n "$top/tests/fuzz/corpus_${target#fuzz_}"/* "$corpus/" 2>/dev/null || true
"$top/build-fuzz/bin/$target" -max_total_time="$seconds" -max_len=512 "$corpus"
