# What the scripts that run the Windows build under Wine share: the programs
# they run (each may be given in the environment), the counts of their cases,
# the ways they report, and a virtual X display. Sourced with
# summary_name set to the name of the script's last line,
# "<summary_name>: N passed, M failed".
wine=${WINE:-/usr/lib/wine/wine64}
wineserver=${WINESERVER:-/usr/lib/wine/wineserver}
mingw_cxx=${MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
mingw_windres=${MINGW_WINDRES:-x86_64-w64-mingw32-windres}
export WINEDEBUG=-all

passed=0
failed=0
xvfb_pid=""

fatal() {
  echo "$summary_name: cannot run: $*"
  echo "$summary_name: $passed passed, $((failed + 1)) failed"
  exit 1
}

pass() {
  echo "ok   $1"
  passed=$((passed + 1))
}

fail() {
  echo "FAIL $1"
  failed=$((failed + 1))
}

# Starts Xvfb on a display of its own (it picks a free number and reports it
# on descriptor 3) and sets DISPLAY; fatal when the display does not answer.
# Its log is WORK-FOLDER/xvfb.log.
start_virtual_display() {  # WORK-FOLDER
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1/display" >"$1/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local display_number
  for _ in $(seq 100); do
    [ -s "$1/display" ] && [ "$(wc -l <"$1/display")" -ge 1 ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  display_number=$(tr -dc 0-9 <"$1/display")
  [ -n "$display_number" ] || fatal "Xvfb did not start (see $1/xvfb.log)"
  export DISPLAY=":$display_number"
  timeout 10 xdotool getdisplaygeometry >/dev/null 2>&1 || fatal "display $DISPLAY does not answer"
}

stop_virtual_display() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  fi
}
