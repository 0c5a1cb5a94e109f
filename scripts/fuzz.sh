#!/usr/bin/env bash
# Builds one libFuzzer target with clang (AddressSanitizer and UBSan) and runs it, one
# process, for the given number of seconds. New inputs it finds go to
# $KELVANE_BUILD/fuzz/TARGET/corpus, crashes to $KELVANE_BUILD/fuzz/TARGET/crash-*; the
# seeds in tests/fuzz/TARGET_corpus are only read.
#   scripts/fuzz.sh region|orb|mag|enable_list|bmp|picture_header SECONDS
set -euo pipefail

source "$(dirname "$0")/common.sh"
usage="usage: fuzz.sh region|orb|mag|enable_list|bmp|picture_header SECONDS"
target=${1:?$usage}
seconds=${2:?$usage}

# The product sources each target links besides tests/fuzz/TARGET_fuzzer.cpp.
case "$target" in
  region) sources=(formats/region_data.cpp) ;;
  orb) sources=(formats/orb_format.cpp) ;;
  mag) sources=(formats/mag_decoder.cpp) ;;
  enable_list) sources=(app/plugins/enable_list.cpp base/cp932.cpp) ;;
  bmp) sources=(formats/bmp_file.cpp) ;;
  picture_header) sources=(formats/picture_header.cpp) ;;
  *) echo "$usage" >&2; exit 2 ;;
esac

# UBSan names the place of a finding but prints its stack only when asked.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
out="$build/fuzz/$target"
mkdir -p "$out/corpus"

clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I "$root" "$root/tests/fuzz/${target}_fuzzer.cpp" "${sources[@]/#/$root/}" \
  -o "$out/${target}_fuzzer"

"$out/${target}_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 \
  -artifact_prefix="$out/" -print_final_stats=1 "$out/corpus" "$root/tests/fuzz/${target}_corpus"
