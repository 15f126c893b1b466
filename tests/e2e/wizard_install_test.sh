#!/usr/bin/env bash
# An interactive installation of the sample package, the wizard walked to
# Finish by the operator's script with "Run Pictavo" ticked, against a silent
# installation with the same choices, each on a fresh emulated machine: the
# installed results must be the same, the wizard's run must also have opened
# the page for a new installation, and both must have started the product.
# The transcript of the wizard's run must show each page as it waited.
set -uo pipefail
: "${EMUMACHINE:?}" "${PACKAGE_FOLDER:?}" "${PE_VERSION_GEN:?}" "${E2E_WORK:?}"
here=$(cd "$(dirname "$0")" && pwd)
source "$here/install_scenarios.sh"
source "$here/install_backend_emulated.sh"

rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
cases=0
failures=0

check() {  # NAME COMMAND...
  cases=$((cases + 1))
  if "${@:2}"; then
    echo "ok   $1"
  else
    echo "FAIL $1"
    failures=$((failures + 1))
  fi
}

run_scenario() {  # SCENARIO
  machine_root="$E2E_WORK/$1"
  mkdir -p "$machine_root"
  new_machine && "scenario_$1" >"$machine_root/result.txt" 2>"$machine_root/errors.txt"
  "$EMUMACHINE" transcript "$machine" >"$machine_root/transcript.txt"
}

run_scenario wizard_with_options
run_scenario silent_with_the_wizard_options
wizard="$E2E_WORK/wizard_with_options"
silent="$E2E_WORK/silent_with_the_wizard_options"

page='event opened http://www.lumetra.com/pvst/InstScript.asp?src=setup6'
same_result() { diff -u <(grep -vxF "$page" "$silent/result.txt") <(grep -vxF "$page" "$wizard/result.txt"); }
check "both runs end with status 0" grep -qx 'exit 0' "$wizard/result.txt" "$silent/result.txt"
check "the wizard installs what the silent run installs" same_result
check "the wizard's run opens the page of a new installation" grep -qxF "$page" "$wizard/result.txt"
check "the silent run opens no page" bash -c "! grep -q '^event opened' '$silent/result.txt'"
check "the product runs after Finish with Run Pictavo" grep -q '^event started C:\\Program Files\\Pictavo 6\\Ptav6.exe: ' \
  "$wizard/result.txt"

# Every page, as it waited for the operator: the frame's caption and the
# page's template.
waited() {
  awk '/^dialog 103 ".*" waits$/ { caption = $0; next } caption != "" && /^  page / { print caption " / page " $2; caption = "" }' \
    "$wizard/transcript.txt" | uniq
}
expected_waits='dialog 103 "Pictavo Setup" waits / page 105
dialog 103 "Please accept the License Agreement" waits / page 104
dialog 103 "Pictavo Setup" waits / page 106
dialog 103 "Pictavo Setup" waits / page 107
dialog 103 "Pictavo Setup" waits / page 108'
check "the transcript shows every page as it waited" test "$(waited)" = "$expected_waits"
check "the finish page before Finish" grep -qF '    check box 1012 "Run Pictavo" checked focused' "$wizard/transcript.txt"

echo "wizard installation: $((cases - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
