#!/usr/bin/env bash
# The installation scenarios of install_scenarios.sh on emulated machines:
# each one's result must equal its expected result in install_expected/,
# line for line. With UPDATE_EXPECTED=1 the results are written there
# instead (to be read and checked before they are kept).
set -uo pipefail
: "${EMUMACHINE:?}" "${PACKAGE_FOLDER:?}" "${PE_VERSION_GEN:?}" "${E2E_WORK:?}"
here=$(cd "$(dirname "$0")" && pwd)
source "$here/install_scenarios.sh"
source "$here/install_backend_emulated.sh"

rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
failures=0
cases=0

# Options of the machine a scenario needs.
machine_options() {  # SCENARIO
  case "$1" in
    wininit_fallback) echo --no-pending-renames ;;
    machine_64bit) echo --64bit ;;
  esac
}

for scenario in "${both_builds_scenarios[@]}" "${emulated_only_scenarios[@]}"; do
  cases=$((cases + 1))
  machine_root="$E2E_WORK/$scenario"
  mkdir -p "$machine_root"
  # shellcheck disable=SC2046
  if ! new_machine $(machine_options "$scenario"); then
    echo "FAIL $scenario: cannot create a machine"
    failures=$((failures + 1))
    continue
  fi
  result="$machine_root/result.txt"
  "scenario_$scenario" >"$result" 2>"$machine_root/errors.txt"
  release_holds
  expected="$here/install_expected/$scenario.txt"
  if [ "${UPDATE_EXPECTED:-0}" = 1 ]; then
    cp "$result" "$expected"
    echo "wrote $scenario"
  elif [ -s "$machine_root/errors.txt" ]; then
    echo "FAIL $scenario: the scenario itself failed:"
    sed 's/^/    /' "$machine_root/errors.txt"
    failures=$((failures + 1))
  elif ! diff -u "$expected" "$result" >"$machine_root/diff.txt"; then
    echo "FAIL $scenario: the result differs from install_expected/$scenario.txt:"
    sed 's/^/    /' "$machine_root/diff.txt" | head -60
    failures=$((failures + 1))
  else
    echo "ok   $scenario"
    rm -rf "$machine"
  fi
done

echo "$((cases - failures)) of $cases installation scenarios passed"
[ "$failures" -eq 0 ]
