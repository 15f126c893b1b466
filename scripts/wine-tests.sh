#!/usr/bin/env bash
# Runs every test program of a Windows build under Wine and sums up the
# GoogleTest results.
#
#   scripts/wine-tests.sh BUILD_DIR [TIMEOUT_SECONDS]
#
# The Wine prefix lives in BUILD_DIR/wineprefix; it is made on the first run
# and reused afterwards. The programs run on a virtual X display of their own
# (Xvfb), which Wine needs to make windows even when nothing is shown; no
# window of them waits for a user. Exits non-zero when any case failed or any program crashed or
# timed out (each of those counts as one failed case).
set -u

if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_DIR [TIMEOUT_SECONDS]" >&2
  exit 2
fi
build_dir=$(cd "$1" && pwd) || exit 2
per_exe_timeout=${2:-600}

wine=${WINE:-/usr/lib/wine/wine64}
wineserver=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
# Without winemenubuilder: shortcuts the tests make never become host menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

xvfb_pid=""
stop_display() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap stop_display EXIT
trap 'exit 1' TERM INT HUP
# Xvfb picks a free display number itself and reports it on descriptor 3.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
display_number=$(tr -dc 0-9 <"$display_file")
rm -f "$display_file"
if [ -n "$display_number" ]; then
  export DISPLAY=":$display_number"
else
  echo "no virtual display: cases that make windows will fail" >&2
fi

shopt -s nullglob
exes=("$build_dir"/tests/*.exe)
if [ ${#exes[@]} -eq 0 ]; then
  echo "no test programs in $build_dir/tests" >&2
  exit 2
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "creating the Wine prefix $WINEPREFIX"
  env -u DISPLAY timeout 300 "$wine" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "could not create the Wine prefix" >&2
    exit 2
  fi
fi

# The N of a GoogleTest summary line "[  PASSED  ] N tests." and its kin.
summary_count() {
  sed -n "s/^\\[  $1\\] \\([0-9][0-9]*\\) tests\\{0,1\\}$2.*/\\1/p" "$3" | tail -n 1
}

log_dir="$build_dir/wine-test-logs"
mkdir -p "$log_dir"
passed=0
failed=0
for exe in "${exes[@]}"; do
  name=$(basename "$exe" .exe)
  running=""
  # Generators of the build may sit next to the test programs; only GoogleTest
  # programs are run.
  if ! grep -qa -- '--gtest_list_tests' "$exe"; then
    printf '%-24s skipped (not a test program)\n' "$name"
    continue
  fi
  log="$log_dir/$name.log"
  # A test program that has nothing to run on this build still prints its
  # summary; only a crash or a timeout leaves none.
  (cd "$build_dir/tests" && timeout --kill-after=10 "$per_exe_timeout" "$wine" "$exe") 2>&1 |
    tr -d '\r' >"$log"
  status=${PIPESTATUS[0]}
  exe_passed=$(summary_count 'PASSED  ' '\.' "$log")
  exe_failed=$(summary_count 'FAILED  ' ', listed below' "$log")
  exe_skipped=$(summary_count 'SKIPPED ' ', listed below' "$log")
  exe_passed=${exe_passed:-0}
  exe_failed=${exe_failed:-0}
  if [ -z "$(grep -m1 '^\[==========\] .* ran\.' "$log")" ]; then
    # No summary: the program crashed or was stopped.
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
      verdict="TIMED OUT after ${per_exe_timeout}s"
      # Whatever it started is still running in the prefix; end it so the
      # next program starts clean.
      "$wineserver" -k 2>/dev/null
    else
      verdict="CRASHED (exit status $status)"
    fi
    exe_failed=$((exe_failed + 1))
    running=$(sed -n 's/^\[ RUN      \] //p' "$log" | tail -n 1)
  elif [ "$exe_failed" -gt 0 ] || [ "$status" -ne 0 ]; then
    [ "$exe_failed" -eq 0 ] && exe_failed=1  # failed without saying which case
    verdict="FAILED"
  else
    verdict="ok"
  fi
  printf '%-24s %s: %d passed, %d failed' "$name" "$verdict" "$exe_passed" "$exe_failed"
  [ -n "$exe_skipped" ] && printf ', %d skipped' "$exe_skipped"
  printf '\n'
  if [ "$verdict" != "ok" ]; then
    [ -n "${running:-}" ] && echo "    stopped during: $running"
    sed -n 's/^\[  FAILED  \] \([^0-9][^ ,]*\).*/    \1/p' "$log" | sort -u
    echo "    (full output: $log)"
  fi
  passed=$((passed + exe_passed))
  failed=$((failed + exe_failed))
done

# Wait until the prefix is idle and its registry written back.
if ! timeout 120 "$wineserver" -w; then
  "$wineserver" -k 2>/dev/null
fi

echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
