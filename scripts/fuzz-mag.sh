#!/usr/bin/env bash
# Builds the MAG decoder's libFuzzer target with clang (AddressSanitizer and UBSan)
# and runs it, one process, for the given number of seconds. New inputs it finds go
# to $KELVANE_BUILD/fuzz/corpus, crashes to $KELVANE_BUILD/fuzz/crash-*; the seed
# corpus in tests/fuzz/mag_corpus is only read.
#   scripts/fuzz-mag.sh SECONDS
set -euo pipefail

source "$(dirname "$0")/common.sh"
seconds=${1:?usage: fuzz-mag.sh SECONDS}
out="$build/fuzz"
mkdir -p "$out/corpus"

clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I "$root" "$root/tests/fuzz/mag_fuzzer.cpp" "$root/formats/mag_decoder.cpp" \
  -o "$out/mag_fuzzer"

"$out/mag_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 \
  -artifact_prefix="$out/" -print_final_stats=1 "$out/corpus" "$root/tests/fuzz/mag_corpus"
