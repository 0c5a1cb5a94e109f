#!/usr/bin/env bash
# Builds everything and runs every test: the native tests (plain and sanitized),
# the Win32 tests and the whole-program tests under Wine. Ends with one line
# "N passed, N failed".
set -uo pipefail

source "$(dirname "$0")/common.sh"
logs="$build/test-logs"

"$root/scripts/build.sh" || { echo "0 passed, 1 failed"; exit 1; }
mkdir -p "$logs"
tree=$(windows_tree)
# The package tests install and unpack the packages of the tree that runs here.
KELVANE_SKIP_BUILD=1 "$root/scripts/package.sh" "$tree" >"$logs/package.log" 2>&1 ||
  { cat "$logs/package.log"; echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0

# Runs one GoogleTest program and adds its counts; a run that ends without a
# summary (a crash, a hang cut off) counts as one failure.
run_suite() {
  local name=$1
  shift
  local log="$logs/$name.log"
  echo "== $name"
  timeout 1200 "$@" >"$log" 2>&1
  local status=$?
  local ok bad
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n 1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n 1)
  ok=${ok:-0}
  bad=${bad:-0}
  if [ "$status" -ne 0 ] && [ "$bad" -eq 0 ]; then
    bad=1
    echo "$name ended with status $status without a failed test:"
    tail -n 30 "$log"
  fi
  if [ "$bad" -ne 0 ]; then
    grep -E '^\[  FAILED  \]|Failure|error' "$log" | head -n 60
  fi
  echo "$name: $ok passed, $bad failed"
  passed=$((passed + ok))
  failed=$((failed + bad))
}

# Every test program the trees build is named *_tests.
for suite in "$build"/host/*_tests; do
  run_suite "$(basename "$suite")" "$suite"
done
for suite in "$build"/host-asan/*_tests; do
  run_suite "$(basename "$suite")_sanitized" "$suite"
done
if [ "$tree" = win64 ]; then
  echo "== this machine cannot run 32-bit programs: the Win32 tests run from the 64-bit build"
fi
for suite in "$build/$tree"/*_tests.exe; do
  run_suite "$(basename "$suite" .exe)" "$root/scripts/wine-run.sh" "$suite"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
