#!/usr/bin/env bash
# Fuzzes the text reader and cleaning pipeline for a bounded time.
#
#   scripts/run_fuzz.sh [SECONDS] [BUILD_DIR]     (default: 60 s, build-fuzz)
#
# Builds with clang, the libraries instrumented for coverage and both
# sanitizers, then runs libFuzzer; a crash or a broken invariant makes the
# script fail. The corpus lives in the build folder.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$repo/build-fuzz}

command -v clang++ >/dev/null || { echo "run_fuzz.sh needs clang++" >&2; exit 1; }

cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  -DVELMORA_BUILD_FUZZ=ON -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF \
  -DVELMORA_BUILD_GUI=OFF >/dev/null
cmake --build "$build" -j2 --target velmora-build-fuzzer

corpus="$build/fuzz-corpus/build"
mkdir -p "$corpus"
# Seeds: four bytes of chunk seed, then a small text in each encoding.
printf 'seed%s' 'Кот-Учёный, "КОТ" сказал: «ёлка, елка»!\r\nДа,нет' >"$corpus/utf8"
printf 'seed\xef\xbb\xbf%s' '"Стой,"  он сказал; Hello 2024 їжак' >"$corpus/bom"
printf 'seed\xca\xee\xf2-\xd3\xf7\xb8\xed\xfb\xe9,\r\n\xea\xee\xf2' >"$corpus/cp1251"

ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  "$build/bin/velmora-build-fuzzer" -max_total_time="$seconds" -max_len=4096 \
  -print_final_stats=1 "$corpus"
