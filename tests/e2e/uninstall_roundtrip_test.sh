#!/usr/bin/env bash
# The uninstall round trip on emulated machines with two users: the sample
# package is installed silently (for all users, and for the current user
# on a machine without an all-users programs folder), with desktop and
# Startup shortcuts; the product leaves its settings and takes over image types; the
# installed uninstaller is started as Windows starts it from its
# "UninstallString", with and without "-s"; then the machine restarts.
# Afterwards the machine must be as it was before the installation, but for
# what the user saved in the installation folder: the snapshots before and
# after differ by exactly that. Before the restart exactly one "uni" file is
# in the temporary folder, after it none. The confirmation and the final
# message appear exactly when the uninstall is not silent.
#
# Prints the probes of every case (tests/support/roundtrip_probes.sh) to
# $E2E_WORK/report.txt, which the same scenario under Wine is compared with.
set -uo pipefail
: "${EMUMACHINE:?}" "${SETUP_PROGRAM:?}" "${PACKAGE_FOLDER:?}" "${E2E_WORK:?}"
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/roundtrip_probes.sh
. "$here/../support/roundtrip_probes.sh"

rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
report="$E2E_WORK/report.txt"
: >"$report"
failures=0
cases=0
m=""

# The system's side of the probes, on machine $m.
shell_folder() {
  local root='HKLM'
  [[ "$1" == Common* ]] || root='HKCU'
  "$EMUMACHINE" reg "$m" query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders" "$1" 2>/dev/null |
    sed -n 's/^.*REG_[A-Z_]*    //p'
}
program_files() { printf 'C:\\Program Files'; }
path_exists() { "$EMUMACHINE" ls "$m" "$1" >/dev/null 2>&1 || [ -e "$(host_path "$1")" ]; }
host_path() { local rest=${1:3}; printf '%s/drives/c/%s' "$m" "${rest//\\//}"; }
reg_value() {
  local line
  line=$("$EMUMACHINE" reg "$m" query "$1" "$2" 2>/dev/null) || return 1
  sed -n 's/^.*REG_[A-Z_]*    //p' <<<"$line"
}
reg_key_exists() { "$EMUMACHINE" reg "$m" export "$1" >/dev/null 2>&1; }
uni_count() { find "$m/drives/c/users/User/Temp" -maxdepth 1 -iname 'uni*.tmp' | wc -l; }

import() {  # REGEDIT4 text on stdin
  { printf 'REGEDIT4\n\n'; cat; } >"$m.import.reg"
  "$EMUMACHINE" reg "$m" import "$m.import.reg" >/dev/null
}

# The uninstaller's transcript: the confirmation, the start of its copy, the
# final message (the copy's name made comparable).
transcript_of() {
  "$EMUMACHINE" transcript "$m" | sed -E 's/uni[0-9a-f]{1,4}\.tmp/uniXXXX.tmp/g' |
    grep -E '^(message box|program start|  text:|    [A-Z]|  started:|  command line:)'
}

# round_trip NAME MODE HOW [SAVED]
# MODE: all-users or current-user; HOW: silent or asked; SAVED: a file the
# user saved in the installation folder, which must stay with its folder.
round_trip() {
  local name=$1 mode=$2 how=$3 saved=${4:-}
  cases=$((cases + 1))
  m="$E2E_WORK/m$cases"
  local problem=""
  echo "case $name" >>"$report"
  "$EMUMACHINE" create "$m" --users User,Other >/dev/null || { echo "FAIL $name: no machine"; failures=$((failures + 1)); return; }
  mkdir -p "$m/drives/c/Package" && cp -R "$PACKAGE_FOLDER/." "$m/drives/c/Package/"
  user_choices | import
  if [ "$mode" = current-user ]; then
    # Without an all-users programs folder a silent installation is made
    # for the current user, shortcuts and all.
    import <<'EOF'
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders]
"Common Programs"=-

EOF
  fi
  "$EMUMACHINE" snapshot "$m" >"$m.before"

  "$EMUMACHINE" run "$m" 'C:\Package\setup.exe' -s -autostart >"$m.install.out" 2>&1 || problem+="installation failed; "
  product_traces | import
  import <<'EOF'
[HKEY_USERS\Other\SOFTWARE\Lumetra\Pictavo 6]
"Mode"="window"

EOF
  [ -n "$saved" ] && echo "a capture" >"$(host_path "C:\\Program Files\\Pictavo 6\\$saved")"
  print_probes installed >>"$report"

  local uninstall_string
  uninstall_string=$(reg_value 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo 6' UninstallString)
  uninstall_string=${uninstall_string#\"}
  uninstall_string=${uninstall_string%\"}
  "$EMUMACHINE" transcript "$m" >"$m.install.transcript"
  : >"$m/transcript.txt"
  if [ "$how" = silent ]; then
    "$EMUMACHINE" run "$m" "$uninstall_string" -s >"$m.uninstall.out" 2>&1 || problem+="uninstaller status $?; "
  else
    "$EMUMACHINE" answer "$m" yes ok >/dev/null
    "$EMUMACHINE" run "$m" "$uninstall_string" >"$m.uninstall.out" 2>&1 || problem+="uninstaller status $?; "
  fi
  "$EMUMACHINE" wait "$m" 60 >>"$m.uninstall.out" 2>&1 || problem+="the copy still runs; "
  print_probes uninstalled >>"$report"
  [ "$(uni_count)" -eq 1 ] || problem+="$(uni_count) uni files before the restart; "

  "$EMUMACHINE" restart "$m" >"$m.restart.out" 2>&1 || problem+="restart failed; "
  print_probes restarted >>"$report"
  [ "$(uni_count)" -eq 0 ] || problem+="uni files after the restart; "

  # Nothing but the saved file (and its folder) differs from before.
  "$EMUMACHINE" snapshot "$m" >"$m.after"
  local expected_diff=""
  if [ -n "$saved" ]; then
    expected_diff="> file C:\\Program Files\\Pictavo 6\\$saved (10 bytes, content "
    expected_diff+=$'\n'"> folder C:\\Program Files\\Pictavo 6"
  fi
  local diff_lines
  diff_lines=$(diff "$m.before" "$m.after" | grep '^[<>]' | sed -E 's/(content )[0-9a-f]+\)$/\1/' | sort -r)
  if [ "$diff_lines" != "$(sort -r <<<"$expected_diff")" ]; then
    problem+="the machine differs from before:"$'\n'"$diff_lines"$'\n'
  fi

  local expected_transcript
  expected_transcript="program start"$'\n'"  command line: C:\\users\\User\\Temp\\uniXXXX.tmp -delself \"$uninstall_string\""
  if [ "$how" = silent ]; then
    expected_transcript+=" -s"$'\n'"  started: C:\\users\\User\\Temp\\uniXXXX.tmp"
  else
    expected_transcript="message box"$'\n'"  text:"$'\n'"    This will completely uninstall Pictavo 6."$'\n'"    Do you want to continue?"$'\n'"$expected_transcript"
    expected_transcript+=$'\n'"  started: C:\\users\\User\\Temp\\uniXXXX.tmp"$'\n'"message box"$'\n'"  text:"
    expected_transcript+=$'\n'"    Pictavo 6 has been completely uninstalled from this computer."
  fi
  [ "$(transcript_of)" = "$expected_transcript" ] ||
    problem+="the boxes and starts differ:"$'\n'"$(diff <(echo "$expected_transcript") <(transcript_of))"$'\n'

  if [ -z "$problem" ]; then
    echo "ok   $name"
  else
    echo "FAIL $name: $problem"
    failures=$((failures + 1))
  fi
}

round_trip "all users, uninstalled with -s" all-users silent
round_trip "all users, uninstall asks, a saved file stays" all-users asked "My capture.png"
round_trip "current user, uninstalled with -s" current-user silent
round_trip "current user, uninstall asks" current-user asked

echo "$((cases - failures)) of $cases round trips passed (probes: $report)"
[ "$failures" -eq 0 ]
