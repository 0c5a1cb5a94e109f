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
# The names a 32-bit DLL exports are the one thing of its ABI that the 64-bit
# build cannot show: there a C name is never decorated. Lists a DLL's file
# format (as "format pei-i386") and its export names, one a line.
pe_exports() {
  "$1" -p "$2" | sed -n -e 's/^.*file format \(.*\)$/format \1/p' \
    -e '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p'
}

# Where the Win32 tests run from the 64-bit build, each 32-bit DLL must be an
# i386 file exporting exactly the names of its tested 64-bit twin.
compare_win32_exports() {
  echo "== win32_exports"
  local dll ok=0 bad=0
  for dll in "$build"/win64/*.dll; do
    dll=$(basename "$dll")
    if diff <(pe_exports x86_64-w64-mingw32-objdump "$build/win64/$dll" | sed 's/^format pei-x86-64$/format pei-i386/') \
      <(pe_exports i686-w64-mingw32-objdump "$build/win32/$dll") >"$logs/win32_exports.log"; then
      ok=$((ok + 1))
    else
      echo "$dll: its 32-bit build differs (< 64-bit, > 32-bit):"
      cat "$logs/win32_exports.log"
      bad=$((bad + 1))
    fi
  done
  echo "win32_exports: $ok passed, $bad failed"
  passed=$((passed + ok))
  failed=$((failed + bad))
}

if [ "$tree" = win64 ]; then
  echo "== no 32-bit Wine runs here: the Win32 tests run from the 64-bit build"
  compare_win32_exports
fi
for suite in "$build/$tree"/*_tests.exe; do
  run_suite "$(basename "$suite" .exe)" "$root/scripts/wine-run.sh" "$suite"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
