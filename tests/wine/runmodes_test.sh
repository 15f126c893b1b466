#!/usr/bin/env bash
# Run modes of the Windows build under Wine: the setup program is copied under
# several names and run on a virtual X display; the uninstall confirmation
# must appear exactly when the program is the uninstaller and not silent, show
# what the user is meant to read, and close on the keys a user would press.
# An installer alone in its folder has no package beside it: it tells that
# the setup is damaged and ends with status 1, changing nothing.
#
#   tests/wine/runmodes_test.sh WINDOWS_BUILD_DIR
#
# Works in WINDOWS_BUILD_DIR/wine-e2e (emptied on every run; screenshots of
# failed cases stay there) with the Wine prefix WINDOWS_BUILD_DIR/wine-e2e-prefix
# (made on the first run and reused). Needs wine64, Xvfb, xdotool, xwd,
# ImageMagick's convert and the MinGW-w64 C++ compiler (for the box probe).
# Prints one line per case and last "wine-e2e: N passed, M failed"; exits
# non-zero when a case failed or the run could not be prepared.
set -uo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 WINDOWS_BUILD_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build_dir=$(cd "$1" && pwd) || exit 2
setup_program="$build_dir/bin/setup.exe"
work="$build_dir/wine-e2e"

. "$here/wine_run.sh"

# Bounds, in seconds. A cold prefix on a small machine takes several seconds
# before its first window; the waits end as soon as the awaited thing happens.
box_wait=60       # for the box to appear
run_limit=120     # for a program to end by itself
answer_wait=10    # for the box to close after a key, per attempt
settle=1          # after a program ended, for a late window

passed=0
failed=0
running=""      # the process of the case under way

fatal() {
  echo "wine-e2e: cannot run: $*"
  echo "wine-e2e: $passed passed, $((failed + 1)) failed"
  exit 1
}

cleanup() {
  [ -n "$running" ] && stop_program
  timeout 30 "$wineserver" -k >/dev/null 2>&1
  stop_display
}
trap cleanup EXIT
# Stopped from outside: still end the display and the Wine processes.
trap 'exit 1' TERM INT HUP

stop_program() {
  kill "$running" 2>/dev/null
  wait "$running" 2>/dev/null
  running=""
}

# --- preparation -----------------------------------------------------------

for tool in "$wine" "$wineserver" Xvfb xdotool xwininfo xwd convert "$mingw_cxx"; do
  command -v "$tool" >/dev/null || fatal "$tool is missing"
done
[ -f "$setup_program" ] || fatal "no $setup_program"

rm -rf "$work"
mkdir -p "$work" || fatal "cannot make $work"
# The run mode depends on "setup.exe" in the program's path; the work folder
# itself must not carry it.
[[ "${work,,}" != *setup.exe* ]] || fatal "the build path contains \"setup.exe\""

build_box_probe
start_display
root_window=$(timeout 10 xwininfo -root 2>/dev/null | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
root_window=$((root_window))

prepare_prefix

# --- looking at the display ------------------------------------------------

# The visible windows other than the root, one id a line. xdotool may complain
# about windows that vanish while it looks; only its list counts.
visible_windows() {
  timeout 10 xdotool search --onlyvisible --name '' 2>/dev/null | grep -vx "$root_window"
}

window_names() {
  local w
  for w in $(visible_windows); do printf ' "%s"' "$(timeout 10 xdotool getwindowname "$w" 2>/dev/null)"; done
}

screenshot() {  # FILE
  timeout 30 xwd -root -silent | timeout 30 convert xwd:- "$1"
}

# How many pixels of the window in the screenshot have the colour of Wine's
# icon: the orange of the exclamation triangle or the red of the error
# circle (the information icon is blue).
icon_pixels() {  # WINDOW SHOT exclamation|error
  local x y w h
  read -r x y w h < <(timeout 10 xdotool getwindowgeometry --shell "$1" 2>/dev/null |
    sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=//p' | tr '\n' ' ')
  [ -n "${h:-}" ] || { echo 0; return; }
  timeout 30 convert "$2" -crop "${w}x${h}+${x}+${y}" +repage -format %c histogram:info:- |
    sed -nE 's/^ *([0-9]+): *\( *([0-9]+), *([0-9]+), *([0-9]+).*/\1 \2 \3 \4/p' |
    if [ "$3" = error ]; then
      awk '$2 >= 200 && $3 <= 80 && $4 <= 80 { n += $1 } END { print n + 0 }'
    else
      awk '$2 >= 200 && $3 >= 90 && $3 <= 190 && $4 <= 90 { n += $1 } END { print n + 0 }'
    fi
}

# The boxes as the probe reads them: what the uninstall confirmation and the
# damaged-setup stop must show.
confirmation_box="caption: $caption
text: This will completely uninstall Pictavo 6.\\nDo you want to continue?
buttons: Yes/No
icon: shown
default button: No
focus: No"
damaged_box="caption: $caption
text: This setup files are damaged, installation aborted.\\n\\nPlease download the product again from http://www.lumetra.com and re-try the setup.
buttons: OK
icon: shown
default button: OK
focus: OK"
# The box at the end of a self-removal that is not silent.
final_box="caption: $caption
text: Pictavo 6 has been completely uninstalled from this computer.
buttons: OK
icon: shown
default button: OK
focus: OK"

# --- one case --------------------------------------------------------------

# Files of the case folder with their sizes and times: a run whose
# confirmation was refused must leave them as they were.
listing() {
  find "$1" -printf '%P %y %s %T@\n' | sort
}

# Sets problem when no box may appear but a window does, and ends the program
# then; otherwise lets the program end by itself.
expect_no_window() {
  local deadline=$((SECONDS + run_limit + 15)) seen
  while kill -0 "$running" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    seen=$(visible_windows)
    if [ -n "$seen" ]; then
      problem="a window appeared:$(window_names)"
      screenshot "$case_dir.png" && problem+=" (screenshot: $case_dir.png)"
      stop_program
      return
    fi
    sleep 0.2
  done
  sleep "$settle"
  [ -z "$(visible_windows)" ] || problem="a window appeared after the program ended:$(window_names)"
}

# Waits for the box (expected_box), checks what it shows, answers it with KEY
# and sets problem when any of that fails. With then_key set, the uninstall
# goes on in its temporary copy, whose final message is then answered with it.
expect_box() {  # KEY
  local key=$1 win="" deadline=$((SECONDS + box_wait)) content attempt shot="$case_dir.png"
  while true; do
    win=$(box_window)
    [ -n "$win" ] && break
    kill -0 "$running" 2>/dev/null || [ -n "${following:-}" ] || { problem="ended without asking"; return; }
    if [ "$SECONDS" -ge "$deadline" ]; then
      problem="no window \"$caption\" within ${box_wait}s; visible:$(window_names)"
      screenshot "$shot" && problem+=" (screenshot: $shot)"
      stop_program
      return
    fi
    sleep 0.2
  done

  content=$(timeout 60 "$wine" "$probe" "$caption" 2>&1 | tr -d '\r')
  if [ "$content" != "$expected_box" ]; then
    problem="the box differs (expected < > shown):"$'\n'$(diff <(echo "$expected_box") <(echo "$content"))
    screenshot "$shot" && problem+=$'\n'"screenshot: $shot"
    stop_program
    return
  fi

  # The box must be drawn, icon included; painting may lag the mapping.
  local coloured=0
  for attempt in 1 2 3 4 5 6; do
    screenshot "$shot" && coloured=$(icon_pixels "$win" "$shot" "$expected_icon")
    [ "$coloured" -ge 50 ] && break
    sleep 0.5
  done
  if [ "$coloured" -lt 50 ]; then
    problem="the box does not show the $expected_icon icon (screenshot: $shot)"
    stop_program
    return
  fi

  # Without a window manager keys go to the window that has the X focus. A key
  # that arrives before Wine has taken the focus is lost; then it is pressed
  # again, which cannot answer twice: the box is gone after the first answer.
  for attempt in 1 2 3; do
    timeout 10 xdotool windowfocus "$win" 2>/dev/null
    timeout 10 xdotool key --clearmodifiers "$key" 2>/dev/null
    deadline=$((SECONDS + answer_wait))
    while [ -n "$(box_window)" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.2; done
    [ -z "$(box_window)" ] && break
  done
  if [ -n "$(box_window)" ]; then
    screenshot "$shot"
    problem="the box stays open after $key (screenshot: $shot)"
    stop_program
    return
  fi
  rm -f "$shot"
  if [ -n "${then_key:-}" ]; then
    local next=$then_key
    then_key=""
    expected_box=$final_box expected_icon=exclamation following=1 expect_box "$next"
  else
    expect_no_window
  fi
}

# check NAME FILE KEY [ARGS...]
# FILE is where the program is put, relative to the case folder; KEY answers
# the confirmation (an xdotool key name), - when no box may appear, and
# installer when the program must stop as a damaged setup (its box is
# answered with Return), final when the only box is the final message of a
# self-removal (answered with space). In ARGS, @CASE@ stands for the case folder as the
# program sees it.
check() {
  local name=$1 file=$2 key=$3
  shift 3
  expected_box=$confirmation_box expected_icon=exclamation expected_status=0
  if [ "$key" = installer ]; then
    expected_box=$damaged_box expected_icon=error expected_status=1 key=Return
  elif [ "$key" = final ]; then
    expected_box=$final_box key=space
  fi
  case_dir="$work/case$((passed + failed + 1))"
  mkdir -p "$(dirname "$case_dir/$file")" && cp "$setup_program" "$case_dir/$file"
  local before case_path
  before=$(listing "$case_dir")
  case_path="Z:$(tr / '\\' <<<"$case_dir")"

  problem=""
  timeout --kill-after=5 "$run_limit" "$wine" "$case_dir/$file" "${@//@CASE@/"$case_path"}" >"$case_dir.out" 2>&1 &
  running=$!
  if [ "$key" = - ]; then
    expect_no_window
  else
    expect_box "$key"
  fi

  if [ -n "$running" ]; then
    wait "$running"
    local status=$?
    running=""
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
      problem+="${problem:+; }did not end within ${run_limit}s"
    elif [ "$status" -ne "$expected_status" ]; then
      problem+="${problem:+; }exit status $status"
    fi
  fi
  # Refusing the confirmation must leave everything as it was.
  if [ -z "$problem" ] && [[ "$key" = Return || "$key" = n ]] && [ "$(listing "$case_dir")" != "$before" ]; then
    problem="files changed:"$'\n'$(diff <(echo "$before") <(listing "$case_dir"))
  fi

  if [ -z "$problem" ]; then
    echo "ok   $name"
    passed=$((passed + 1))
  else
    echo "FAIL $name: $problem"
    [ -s "$case_dir.out" ] && sed 's/^/    /' "$case_dir.out"
    failed=$((failed + 1))
  fi
}

# --- the cases -------------------------------------------------------------

uninstaller=PtvUnInst.exe
check "uninstaller asks, Return takes the default No" "$uninstaller" Return
check "-install later has no effect, n answers No"    "$uninstaller" n x -install
then_key=space check "/s is not the silent switch, Alt+Y answers Yes" "$uninstaller" alt+y /s
check "uninstaller with -s asks nothing"               "$uninstaller" - -s
check "-S later in capitals asks nothing"              "$uninstaller" - x -S
check "-INSTALL first makes an installer"              "$uninstaller" installer -INSTALL
check "named setup.exe"                                setup.exe installer
check "named MySetup.EXE"                              MySetup.EXE installer
check "in a folder named setup.exe"                    "setup.exe/$uninstaller" installer
check "silent self-removal copy shows nothing"         Temp/PtvUnInst.tmp - -delself "@CASE@\\$uninstaller" -s
check "self-removal copy ends with the final message"  Temp/PtvUnInst.tmp final -delself "@CASE@\\$uninstaller"

echo "wine-e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
