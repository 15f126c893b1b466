#!/usr/bin/env bash
# The package check on the sample package, whose round trips leave nothing,
# and on a package made to leave something: its script makes a folder and
# then one inside it, so the removal, which tries each in the order of the
# script, finds the outer one still full and leaves it (and with it the
# installation folder) behind.
set -uo pipefail
: "${EMUMACHINE:?}" "${SETUP_PROGRAM:?}" "${PACKAGE_FOLDER:?}" "${E2E_WORK:?}"
here=$(cd "$(dirname "$0")" && pwd)
check="$here/../../scripts/package-check.sh"
export EMUMACHINE SETUP_PROGRAM TMPDIR="$E2E_WORK"

rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
failures=0

expect() {  # NAME STATUS REPORT PATTERN...: the report holds every pattern
  local name=$1 status=$2 report=$3 got
  shift 3
  got=$(cat "$report.status")
  local problem=""
  [ "$got" -eq "$status" ] || problem="exit status $got, not $status; "
  for pattern in "$@"; do
    grep -qF -- "$pattern" "$report" || problem+="no line \"$pattern\"; "
  done
  if [ -z "$problem" ]; then
    echo "ok   $name"
  else
    echo "FAIL $name: $problem"
    sed 's/^/    /' "$report"
    failures=$((failures + 1))
  fi
}

run_check() {  # REPORT ARGS...
  local report=$1
  shift
  "$check" "$@" >"$report" 2>&1
  echo $? >"$report.status"
}

run_check "$E2E_WORK/sample.txt" "$PACKAGE_FOLDER"
expect "the sample package round-trips clean" 0 "$E2E_WORK/sample.txt" \
  'result: clean' \
  'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Pictavo 6\Pictavo 6.lnk -> C:\Program Files\Pictavo 6\Ptav6.exe' \
  'HKEY_LOCAL_MACHINE\SOFTWARE\Lumetra\Pictavo 6 "Path" = sz "C:\Program Files\Pictavo 6"' \
  'uninstall: "C:\Program Files\Pictavo 6\PtvUnInst.exe" -s: exit status 0' \
  'uninstall: "C:\Program Files\Pictavo 6\PtvUnInst.exe": exit status 0' \
  'temporary copies of the uninstaller before the restart: 1'

run_check "$E2E_WORK/sample64.txt" "$PACKAGE_FOLDER" --64bit
expect "on 64-bit Windows too" 0 "$E2E_WORK/sample64.txt" 'result: clean' \
  'C:\Program Files (x86)\Pictavo 6\Ptav6.exe'

leaky="$E2E_WORK/leaky-package"
cp -R "$PACKAGE_FOLDER" "$leaky"
printf 'Make Dir: data\r\nMake Dir: data\\cache\r\nFile Copy: readme.txt > data\\cache\\notes.txt\r\n' >>"$leaky/PtvUnInst.log"
run_check "$E2E_WORK/leaky.txt" "$leaky"
expect "a package that leaves folders behind is named with them" 1 "$E2E_WORK/leaky.txt" \
  'left behind: folder C:\Program Files\Pictavo 6' \
  'left behind: folder C:\Program Files\Pictavo 6\data' \
  'C:\Program Files\Pictavo 6\data\cache\notes.txt' \
  'result: 2 problem(s)'
if grep -q 'left behind: .*notes.txt' "$E2E_WORK/leaky.txt"; then
  echo "FAIL the leaky package's files still went"; failures=$((failures + 1))
fi

echo "package check cases: $failures failed"
[ "$failures" -eq 0 ]
