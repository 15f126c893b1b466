#!/usr/bin/env bash
# The wizard of the Windows build under Wine, on a virtual X display:
#  - the dialog layer's conformance cases (platform_dialogs.exe), which need
#    a display;
#  - the installation scenarios that walk the wizard
#    (tests/e2e/install_scenarios.sh): the package installed interactively,
#    by keys and clicks (xdotool), from the welcome page to Finish. At every
#    step the frame and its page as the real dialogs show them (read by
#    dialog_probe.exe) must be what the emulated machine's transcript shows
#    for the same walk, and the page must lie 4 pixels right of the picture;
#    a screenshot of every state the walk names is kept (the five pages, the
#    folder chooser and the finish page). The installed result must be that
#    of the emulated walk, and that of a silent installation with the same
#    choices but for the page the wizard opens.
#
#   tests/wine/wizard_test.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR
#
# Works in WINDOWS_BUILD_DIR/wine-wizard (emptied on every run); the
# screenshots are WINDOWS_BUILD_DIR/wine-wizard/screens/*.png. Shares the
# template prefix of tests/wine/install_test.sh. Prints one line per case and
# last "wine-wizard: N passed, M failed".
set -uo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 WINDOWS_BUILD_DIR LINUX_BUILD_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build_dir=$(cd "$1" && pwd) || exit 2
linux_dir=$(cd "$2" && pwd) || exit 2
work="$build_dir/wine-wizard"
screens="$work/screens"
template_prefix="$build_dir/wine-install-template"

# The Wine programs, the virtual display (start_display, stop_display).
. "$here/wine_run.sh"
mingw_windres=${MINGW_WINDRES:-x86_64-w64-mingw32-windres}
# Web addresses open with the scenarios' helper (scenario_prefix.sh).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Bounds, in seconds: a cold prefix takes a while before its first window;
# the installation step and the end of the run get longer.
first_wait=90
step_wait=30
install_wait=120
run_limit=300

summary_name=wine-wizard
source "$here/script_support.sh"
setup_pid=""

cleanup() {
  [ -n "$setup_pid" ] && kill "$setup_pid" 2>/dev/null
  timeout 30 "$wineserver" -k >/dev/null 2>&1
  stop_display
}
trap cleanup EXIT
trap 'exit 1' TERM INT HUP

# --- preparation -----------------------------------------------------------

for tool in "$wine" "$wineserver" Xvfb xdotool xwd convert "$mingw_cxx" "$mingw_windres" lnkinfo \
  "$linux_dir/bin/emumachine"; do
  command -v "$tool" >/dev/null || fatal "$tool is missing"
done
[ -f "$build_dir/package/setup.exe" ] || fatal "no package in $build_dir/package"
[ -d "$linux_dir/package" ] || fatal "no package in $linux_dir/package"
rm -rf "$work"
mkdir -p "$work" "$screens" || fatal "cannot make $work"

probe="$work/dialog_probe.exe"
timeout 300 "$mingw_cxx" -std=c++17 -O1 -Wall -Wextra -Werror -static -I "$top/src" -o "$probe" "$here/dialog_probe.cpp" \
  >"$work/probe.log" 2>&1 || fatal "the dialog probe does not build (see $work/probe.log)"

start_display

source "$here/scenario_prefix.sh"
prepare_scenario_prefix

new_prefix() {  # FOLDER
  export WINEPREFIX="$1"
  rm -rf "$WINEPREFIX"
  cp -a "$template_prefix" "$WINEPREFIX" || fatal "cannot copy the template prefix"
}

shoot() {  # NAME
  timeout 30 xwd -root -silent | timeout 30 convert xwd:- "$screens/$1.png"
}

probe() { timeout 30 "$wine" "$probe" "$@" 2>/dev/null | tr -d '\r'; }

# --- the dialog layer's conformance cases ----------------------------------

new_prefix "$work/conformance-prefix"
conformance_log="$work/platform_dialogs.log"
(cd "$build_dir/tests" && timeout --kill-after=10 600 "$wine" platform_dialogs.exe) 2>&1 | tr -d '\r' >"$conformance_log"
case_passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$conformance_log" | tail -n 1)
case_failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$conformance_log" | tail -n 1)
skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$conformance_log" | tail -n 1)
if [ -z "$case_passed" ] || [ "${skipped:-0}" -gt 0 ]; then
  fail "dialog conformance: no result or skipped cases (see $conformance_log)"
else
  passed=$((passed + case_passed))
  failed=$((failed + ${case_failed:-0}))
  echo "ok   dialog conformance: $case_passed passed, ${case_failed:-0} failed"
  grep '^\[  FAILED  \] [A-Z]' "$conformance_log" | sort -u | sed 's/^/    /'
fi
timeout 30 "$wineserver" -k >/dev/null 2>&1

# --- the walks ---------------------------------------------------------------

# The frame views of a transcript, one file each (view-1.txt, ...), the
# pages' places left out: the fonts of the two dialog managers differ, and
# check_places checks the places under Wine.
split_views() {  # TRANSCRIPT FOLDER
  awk -v folder="$2" '
    /^dialog 103 ".*" waits$/ { n++; file = folder "/view-" n ".txt"; print > file; next }
    file != "" && /^  / { if (/^  page /) sub(/ at [0-9]+,[0-9]+/, ""); print > file; next }
    { file = "" }' "$1"
}

normalise_probe() { sed -E 's/^  page ([0-9]+) at [0-9]+,[0-9]+/  page \1/'; }

frame_window() {
  timeout 10 xdotool search --onlyvisible --name '^(Pictavo Setup|Please accept the License Agreement)$' 2>/dev/null |
    head -n 1
}

# Waits until the real frame shows what the emulated one showed; sets problem otherwise.
await_view() {  # EXPECTED-FILE SECONDS
  local deadline=$((SECONDS + $2)) shown
  while true; do
    shown=$(probe | normalise_probe)
    [ "$shown" = "$(cat "$1")" ] && return 0
    if [ "$SECONDS" -ge "$deadline" ] || ! kill -0 "$setup_pid" 2>/dev/null; then
      problem="the frame differs from the emulated one (emulated < > Wine):"$'\n'$(diff "$1" <(echo "$shown"))
      return 1
    fi
    sleep 0.5
  done
}

# The page lies 4 pixels right of the picture, level with it; the agreement
# page at 4,4 over the picture's place.
check_places() {
  local places picture page left top right
  places=$(probe --places)
  picture=$(sed -n 's/^picture //p' <<<"$places")
  page=$(sed -n 's/^page [0-9]* //p' <<<"$places")
  IFS=, read -r left top right _ <<<"$picture"
  if grep -q '^page 104 ' <<<"$places"; then
    [ "$page" = "4,4" ] && return 0
  else
    [ "$page" = "$((right + 4)),$top" ] && return 0
  fi
  problem="the page is not where it belongs: $(tr '\n' ' ' <<<"$places")"
  return 1
}

act() {  # ACTION ARGUMENT
  local window x y
  case "$1" in
    key)
      window=$(frame_window)
      timeout 10 xdotool windowfocus "$window" 2>/dev/null
      timeout 10 xdotool key --clearmodifiers "$2" 2>/dev/null
      ;;
    click)
      read -r x y < <(probe --where "$2")
      timeout 10 xdotool mousemove "$x" "$y" click 1 2>/dev/null
      ;;
  esac
}

# The folder chooser: shown, then cancelled with Esc.
cancel_chooser() {  # SCREENSHOT
  local deadline=$((SECONDS + step_wait)) window=""
  while [ -z "$window" ]; do
    window=$(timeout 10 xdotool search --onlyvisible --name '^Browse for Folder$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    [ "$SECONDS" -ge "$deadline" ] && { problem="no folder chooser within ${step_wait}s"; return 1; }
    sleep 0.5
  done
  sleep 1  # until it is drawn
  [ "$1" != - ] && shoot "$1"
  timeout 10 xdotool windowfocus "$window" 2>/dev/null
  timeout 10 xdotool key --clearmodifiers Escape 2>/dev/null
  return 0
}

# The Wine backend's walk: setup.exe started from the package folder (the
# agreement is read from the current folder), each step once the frame shows
# what the emulated walk's transcript shows there ($views); screenshots are
# named after the steps, numbered in walk order.
walk_wizard() {  # STEP...
  local step name action argument view=0 limit=$first_wait
  (cd "$(host_path "$package")" && timeout --kill-after=5 "$run_limit" "$wine" setup.exe >>"$machine_root/runs.log" 2>&1) &
  setup_pid=$!
  for step in "$@"; do
    read -r name action argument <<<"$step"
    problem=""
    if [ "$name" != - ]; then
      shots=$((shots + 1))
      name=$(printf '%02d-%s' "$shots" "$name")
    fi
    if [ "$action" = chooser-cancel ]; then
      cancel_chooser "$name" || break
      continue
    fi
    view=$((view + 1))
    await_view "$views/view-$view.txt" "$limit" || break
    check_places || break
    [ "$name" != - ] && shoot "$name"
    act "$action" "$argument"
    # Next on the ready page runs the installation before the next view.
    limit=$step_wait
    [[ "$name" == *-ready ]] && limit=$install_wait
  done
  if [ -n "$problem" ]; then
    shoot "$scenario-failed"
    echo "$problem (screenshot: $screens/$scenario-failed.png)" >&2
    kill "$setup_pid" 2>/dev/null
  fi
  wait "$setup_pid"
  echo "exit $?"
  setup_pid=""
}

source "$top/tests/e2e/install_scenarios.sh"
shots=0

for scenario in "${wizard_scenarios[@]}"; do
  case_dir="$work/$scenario"
  views="$case_dir/views"
  mkdir -p "$case_dir/wine" "$case_dir/emulated" "$views"
  (
    machine_root="$case_dir/emulated"
    EMUMACHINE="$linux_dir/bin/emumachine" PACKAGE_FOLDER="$linux_dir/package" PE_VERSION_GEN="$linux_dir/tests/pe_version_gen"
    source "$top/tests/e2e/install_backend_emulated.sh"
    new_machine && "scenario_$scenario"
    release_holds
    "$EMUMACHINE" transcript "$machine" >"$case_dir/emulated-transcript.txt"
  ) >"$case_dir/emulated.txt" 2>"$case_dir/emulated-errors.txt"
  split_views "$case_dir/emulated-transcript.txt" "$views"
  (
    machine_root="$case_dir/wine"
    source "$here/install_backend_wine.sh"
    new_machine && "scenario_$scenario"
    release_holds
    timeout 30 "$wineserver" -k >/dev/null 2>&1
  ) 2>"$case_dir/wine-errors.txt" | map_wine_paths >"$case_dir/wine.txt"
  # The screenshots were numbered in the subshell; count them here again.
  shots=$(find "$screens" -name '[0-9][0-9]-*.png' | wc -l)

  if [ -s "$case_dir/wine-errors.txt" ] || [ -s "$case_dir/emulated-errors.txt" ]; then
    fail "$scenario: the walk failed:"
    cat "$case_dir/emulated-errors.txt" "$case_dir/wine-errors.txt" | sed 's/^/    /' | head -40
  elif ! diff -u --label "emulated machine" --label "Wine" "$case_dir/emulated.txt" "$case_dir/wine.txt" \
    >"$case_dir/diff.txt"; then
    fail "$scenario: the Windows build installed otherwise than the emulated machine:"
    sed 's/^/    /' "$case_dir/diff.txt" | head -60
  else
    pass "$scenario: every step and the installed result as on the emulated machine"
  fi
done

# The walk to Finish installs what a silent run with the same choices does;
# only the wizard opens the page of a new installation.
case_dir="$work/silent_with_the_wizard_options"
mkdir -p "$case_dir/wine"
(
  machine_root="$case_dir/wine"
  source "$here/install_backend_wine.sh"
  new_machine && scenario_silent_with_the_wizard_options
  release_holds
  timeout 30 "$wineserver" -k >/dev/null 2>&1
) 2>"$case_dir/wine-errors.txt" | map_wine_paths >"$case_dir/wine.txt"
page_event='^event opened http://www.lumetra.com/pvst/InstScript.asp'
if [ -s "$case_dir/wine-errors.txt" ]; then
  fail "silent run with the wizard's choices: $(head -n 5 "$case_dir/wine-errors.txt")"
elif ! grep -q "$page_event" "$work/wizard_with_options/wine.txt"; then
  fail "the wizard's run opened no page for a new installation"
elif ! diff -u --label "silent" --label "wizard" <(grep -v "$page_event" "$case_dir/wine.txt") \
  <(grep -v "$page_event" "$work/wizard_with_options/wine.txt") >"$case_dir/diff.txt"; then
  fail "the wizard installed otherwise than a silent run with the same choices:"
  sed 's/^/    /' "$case_dir/diff.txt" | head -60
else
  pass "the wizard installs what a silent run with the same choices installs"
fi

echo "wine-wizard: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
