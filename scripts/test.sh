#!/usr/bin/env bash
# Runs every test: installs what a fresh Debian machine lacks, builds the
# Linux, Windows x86_64 and Windows i686 builds, runs the Linux suite with
# CTest and the Windows suite under Wine, and ends with one line
# "N passed, M failed" over everything it ran.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
logs="$top/build/logs"
passed=0
failed=0

"$top/scripts/install-deps.sh" all || { echo "could not install the build dependencies"; echo "0 passed, 1 failed"; exit 1; }
mkdir -p "$logs"

# Adds the counts of a runner's last line "<name>: N passed, M failed" in
# its log; a log without that line counts as one failure.
count_summary() {  # name log
  local line
  line=$(grep -E "^$1: [0-9]+ passed, [0-9]+ failed" "$2" | tail -1)
  if [ -n "$line" ]; then
    passed=$((passed + $(sed -E 's/^[^:]+: ([0-9]+) passed.*/\1/' <<<"$line")))
    failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")))
  else
    echo "$1 gave no result (log: ${2#"$top"/})"
    failed=$((failed + 1))
  fi
}

for b in linux win64 win32; do
  echo "== build $b"
  if ! "$top/scripts/build.sh" "$b" >"$logs/build-$b.log" 2>&1; then
    grep -E 'error|FAILED' "$logs/build-$b.log" | head -40
    echo "build $b failed (log: build/logs/build-$b.log)"
    failed=$((failed + 1))
  fi
done

echo "== Linux tests (CTest)"
if [ -f build/linux/CTestTestfile.cmake ]; then
  (cd build/linux && ctest -j2 --timeout 300 --output-on-failure) >"$logs/ctest.log" 2>&1
  grep -E '^\s*[0-9]+/[0-9]+ Test .*(Failed|Timeout|Exception|Not Run)|tests passed' "$logs/ctest.log" | tail -40
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/ctest.log" | tail -1)
  if [ -n "$line" ]; then
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  else
    echo "CTest ran no test (log: build/logs/ctest.log)"
    failed=$((failed + 1))
  fi
fi

echo "== Windows tests under Wine"
if [ -x scripts/wine-tests.sh ] && [ -d build/win64/tests ]; then
  scripts/wine-tests.sh build/win64 >"$logs/wine.log" 2>&1
  grep -vE '^\[ +(RUN|OK) +\]' "$logs/wine.log" | grep -E 'FAILED|wine:|timed out|crashed' | tail -40
  count_summary wine "$logs/wine.log"
fi

# run_wine_script NAME TIMEOUT SCRIPT ARGS...: one of the end-to-end scripts
# under Wine; its log is build/logs/NAME.log and its last line
# "NAME: N passed, M failed". What is not an "ok" line is shown.
run_wine_script() {
  local name=$1 limit=$2 script=$3
  shift 3
  timeout --kill-after=30 "$limit" "$script" "$@" >"$logs/$name.log" 2>&1
  grep -vE "^(ok |$name: [0-9]+ passed)" "$logs/$name.log" | tail -60
  count_summary "$name" "$logs/$name.log"
}

if [ -f build/win64/bin/setup.exe ]; then
  echo "== Windows run modes under Wine"
  run_wine_script wine-e2e 1200 tests/wine/runmodes_test.sh build/win64
fi
if [ -f build/win64/bin/setup.exe ] && [ -f build/win64/bin/Ptav6.exe ]; then
  echo "== Windows closing of running copies under Wine"
  run_wine_script wine-instances 900 tests/wine/instances_test.sh build/win64
fi
# The scripts below compare their runs with the emulated machine's.
if [ -f build/win64/package/setup.exe ] && [ -x build/linux/bin/emumachine ]; then
  echo "== Windows installations under Wine, against the emulated machine"
  run_wine_script wine-install 1200 tests/wine/install_test.sh build/win64 build/linux
  echo "== Windows uninstall round trips under Wine, against the emulated machine"
  run_wine_script wine-roundtrip 900 tests/wine/uninstall_roundtrip_test.sh build/win64 build/linux
  echo "== Windows wizard under Wine, against the emulated machine"
  run_wine_script wine-wizard 1200 tests/wine/wizard_test.sh build/win64 build/linux
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
