#!/usr/bin/env bash
# The uninstall round trip of the Windows build under Wine, compared line
# for line with the same scenario on the emulated machine
# (tests/e2e/uninstall_roundtrip_test.sh): the sample package is installed
# silently (for all users, and for the current user on a prefix without an
# all-users programs folder) with desktop and Startup shortcuts, the product's
# traces are added, the installed uninstaller is started from its
# "UninstallString" with and without "-s" (its boxes answered with the keys
# a user would press, on a virtual X display), and the prefix is restarted
# with "wineboot -r". The probes of tests/support/roundtrip_probes.sh are
# taken after each step; both reports must be equal.
#
#   tests/wine/uninstall_roundtrip_test.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR
#
# Works in WINDOWS_BUILD_DIR/wine-roundtrip (emptied on every run), each case
# in a copy of a prefix made once. Prints one line per case and last
# "wine-roundtrip: N passed, M failed".
set -uo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 WINDOWS_BUILD_DIR LINUX_BUILD_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build_dir=$(cd "$1" && pwd) || exit 2
linux_dir=$(cd "$2" && pwd) || exit 2
work="$build_dir/wine-roundtrip"
wine=${WINE:-/usr/lib/wine/wine64}
wineserver=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY
# shellcheck source=../support/roundtrip_probes.sh
. "$here/../support/roundtrip_probes.sh"

passed=0
failed=0
xvfb_pid=""
caption="Pictavo Setup"

fatal() {
  echo "wine-roundtrip: cannot run: $*"
  echo "wine-roundtrip: $passed passed, $((failed + 1)) failed"
  exit 1
}

cleanup() {
  [ -n "${WINEPREFIX:-}" ] && timeout 30 "$wineserver" -k >/dev/null 2>&1
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 1' TERM INT HUP

for tool in "$wine" "$wineserver" Xvfb xdotool; do
  command -v "$tool" >/dev/null || fatal "$tool is missing"
done
[ -f "$build_dir/package/setup.exe" ] || fatal "no package in $build_dir/package"
[ -x "$linux_dir/bin/emumachine" ] || fatal "no Linux build in $linux_dir"

rm -rf "$work"
mkdir -p "$work" || fatal "cannot make $work"

# The same scenario on the emulated machine, for the comparison.
EMUMACHINE="$linux_dir/bin/emumachine" SETUP_PROGRAM="$linux_dir/bin/setup" PACKAGE_FOLDER="$linux_dir/package" \
  E2E_WORK="$work/emulated" timeout 600 bash "$here/../e2e/uninstall_roundtrip_test.sh" >"$work/emulated.log" 2>&1 ||
  fatal "the emulated round trips failed (see $work/emulated.log)"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
display_number=$(tr -dc 0-9 <"$work/display")
[ -n "$display_number" ] || fatal "Xvfb did not start (see $work/xvfb.log)"
export DISPLAY=":$display_number"

# One prefix made once; every case starts from a copy of it.
template="$build_dir/wine-roundtrip-prefix"
if [ ! -f "$template/system.reg" ]; then
  echo "creating the Wine prefix $template"
  rm -rf "$template"
  WINEPREFIX="$template" env -u DISPLAY timeout 300 "$wine" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$template" timeout 120 "$wineserver" -w
  [ -f "$template/system.reg" ] || fatal "could not create the Wine prefix"
fi

w() { timeout --kill-after=10 120 "$wine" "$@" 2>/dev/null | tr -d '\r'; }
# Wine's reg has been seen to crash now and then on a query: it answers 0 when
# it found the key or value and 1 when it did not, so anything else is asked
# again.
wreg_query() {
  local attempt out status
  for attempt in 1 2 3; do
    out=$(timeout --kill-after=10 120 "$wine" reg query "$@" 2>/dev/null)
    status=$?
    [ "$status" -le 1 ] && break
  done
  tr -d '\r' <<<"$out"
  return "$status"
}

# The system's side of the probes, in the prefix of the case. Shell folders
# are read once per case (cached in $folders).
declare -A folders
read_shell_folders() {
  folders=()
  local name root line
  for name in Programs Startup Desktop "Common Programs" "Common Startup" "Common Desktop"; do
    root='HKCU'
    [[ "$name" == Common* ]] && root='HKLM'
    line=$(wreg_query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders" /v "$name")
    folders[$name]=$(sed -n "s/^ *$name *REG_[A-Z_]* *//p" <<<"$line")
  done
}
shell_folder() { printf '%s' "${folders[$1]:-}"; }
program_files() { printf 'C:\\Program Files'; }
host_path() {
  local rest=${1:3}
  printf '%s/drive_c/%s' "$WINEPREFIX" "${rest//\\//}"
}
path_exists() { [[ "${1:1:1}" == ":" ]] && [ -e "$(host_path "$1")" ]; }
reg_value() {
  local line
  line=$(wreg_query "$1" /v "$2") || return 1
  line=$(grep -E "^ +$2 +REG_" <<<"$line") || return 1
  sed -E "s/^ +$2 +REG_[A-Z_]+ *//" <<<"$line"
}
reg_key_exists() { wreg_query "$1" >/dev/null; }
temp_folder() { printf '%s/drive_c/users/%s/Temp' "$WINEPREFIX" "$(id -un)"; }
uni_count() { find "$(temp_folder)" -maxdepth 1 -iname 'uni*.tmp' 2>/dev/null | wc -l; }

import() {  # REGEDIT4 text on stdin
  { printf 'REGEDIT4\r\n\r\n'; sed 's/$/\r/'; } >"$case_dir/import.reg"
  w regedit /S "$(sed 's|/|\\|g' <<<"Z:$case_dir/import.reg")"
}

# Waits until the uninstaller's temporary copy has ended.
wait_for_copy() {
  local deadline=$((SECONDS + 60))
  while pgrep -f 'uni[0-9a-fA-F]{1,4}\.tmp' >/dev/null; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.3
  done
}

# Waits for the box and presses KEY until it is gone; false when no box came.
answer_box() {  # KEY
  local win="" deadline=$((SECONDS + 60))
  while [ -z "$win" ]; do
    win=$(timeout 10 xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.3
  done
  for _ in 1 2 3 4 5; do
    timeout 10 xdotool windowfocus "$win" 2>/dev/null
    timeout 10 xdotool key --clearmodifiers "$1" 2>/dev/null
    sleep 1
    timeout 10 xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | grep -qx "$win" || return 0
  done
  return 1
}

round_trip() {  # NAME MODE HOW [SAVED]
  local name=$1 mode=$2 how=$3 saved=${4:-}
  case_dir="$work/case$((passed + failed + 1))"
  local problem=""
  mkdir -p "$case_dir"
  export WINEPREFIX="$case_dir/prefix"
  cp -a "$template" "$WINEPREFIX"
  # One session for the whole case: Wine carries out the restart-time
  # operations whenever a session starts, so the session must last until the
  # restart of the case.
  timeout 30 "$wineserver" -p 3600 || problem+="wineserver does not start; "
  local report="$case_dir/report.txt"
  echo "case $name" >"$report"
  mkdir -p "$WINEPREFIX/drive_c/Package" && cp -R "$build_dir/package/." "$WINEPREFIX/drive_c/Package/"
  user_choices | import
  if [ "$mode" = current-user ]; then
    import <<'EOF'
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders]
"Common Programs"=-

EOF
  fi
  w 'C:\Package\setup.exe' -s -autostart >"$case_dir/install.out" || problem+="installation failed; "
  product_traces | import
  [ -n "$saved" ] && echo "a capture" >"$(host_path "C:\\Program Files\\Pictavo 6\\$saved")"
  read_shell_folders
  print_probes installed >>"$report"

  local uninstall_string
  uninstall_string=$(reg_value 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo 6' UninstallString)
  uninstall_string=${uninstall_string#\"}
  uninstall_string=${uninstall_string%\"}
  if [ "$how" = silent ]; then
    w "$uninstall_string" -s >"$case_dir/uninstall.out" || problem+="uninstaller failed; "
  else
    timeout --kill-after=10 180 "$wine" "$uninstall_string" >"$case_dir/uninstall.out" 2>&1 &
    local uninstaller=$!
    # "y" says Yes to the confirmation (No is its default), Return closes the final message.
    answer_box y || problem+="no confirmation box; "
    answer_box Return || problem+="no final message; "
    wait "$uninstaller"
  fi
  wait_for_copy || problem+="the copy still runs; "
  print_probes uninstalled >>"$report"
  [ "$(uni_count)" -eq 1 ] || problem+="$(uni_count) uni files before the restart; "

  env -u DISPLAY timeout 300 "$wine" wineboot -r >/dev/null 2>&1
  print_probes restarted >>"$report"
  [ "$(uni_count)" -eq 0 ] || problem+="uni files after the restart; "

  local emulated
  emulated=$(awk -v c="case $name" '$0 == c { on = 1; print; next } /^case / { on = 0 } on' "$work/emulated/report.txt")
  if [ "$emulated" != "$(cat "$report")" ]; then
    problem+="the probes differ from the emulated machine's (emulated < > Wine):"$'\n'
    problem+=$(diff <(echo "$emulated") "$report")
  fi
  timeout 30 "$wineserver" -k >/dev/null 2>&1
  if [ -z "$problem" ]; then
    echo "ok   $name"
    passed=$((passed + 1))
    rm -rf "$WINEPREFIX"
  else
    echo "FAIL $name: $problem"
    failed=$((failed + 1))
  fi
}

round_trip "all users, uninstalled with -s" all-users silent
round_trip "all users, uninstall asks, a saved file stays" all-users asked "My capture.png"
round_trip "current user, uninstalled with -s" current-user silent
round_trip "current user, uninstall asks" current-user asked

echo "wine-roundtrip: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
