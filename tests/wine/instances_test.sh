#!/usr/bin/env bash
# Running copies of the product closed by the installer and the uninstaller
# of the Windows build under Wine, with real windows and messages: stand-in
# products run on a virtual X display, then the setup program; its message
# boxes are read and answered with the keys a user would press. The outcome
# of every case must be that of tests/e2e/instances_cases.sh, which the
# emulated machine is held to as well. The installer runs from a copy of the
# sample package.
#
#   tests/wine/instances_test.sh WINDOWS_BUILD_DIR
#
# Works in WINDOWS_BUILD_DIR/wine-instances (emptied on every run) with the
# Wine prefix WINDOWS_BUILD_DIR/wine-instances-prefix (made on the first run
# and reused). Prints one line per case and last
# "wine-instances: N passed, M failed".
set -uo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 WINDOWS_BUILD_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/instances_cases.sh"
build_dir=$(cd "$1" && pwd) || exit 2
setup_program="$build_dir/bin/setup.exe"
product_program="$build_dir/bin/Ptav6.exe"
package_folder="$build_dir/package"
work="$build_dir/wine-instances"

# A prefix of its own: the installations made here stay out of the others' way.
wine_prefix="$build_dir/wine-instances-prefix"
. "$here/wine_run.sh"
# Where a silent installation puts the product in the prefix.
installed_product="$WINEPREFIX/drive_c/Program Files/Pictavo 6/Ptav6.exe"

box_wait=60     # seconds for a box to appear
run_limit=120   # for the setup program to end
ready_wait=60   # for a product to open its windows
settle=1        # after the program ended, for the terminated products to go

passed=0
failed=0
jobs_of_case=()

fatal() {
  echo "wine-instances: cannot run: $*"
  echo "wine-instances: $passed passed, $((failed + 1)) failed"
  exit 1
}

end_case_jobs() {
  local job
  for job in "${jobs_of_case[@]}"; do kill "$job" 2>/dev/null; done
  for job in "${jobs_of_case[@]}"; do wait "$job" 2>/dev/null; done
  jobs_of_case=()
}

cleanup() {
  end_case_jobs
  timeout 30 "$wineserver" -k >/dev/null 2>&1
  stop_display
}
trap cleanup EXIT
trap 'exit 1' TERM INT HUP

for tool in "$wine" "$wineserver" Xvfb xdotool "$mingw_cxx"; do
  command -v "$tool" >/dev/null || fatal "$tool is missing"
done
[ -f "$setup_program" ] || fatal "no $setup_program"
[ -f "$product_program" ] || fatal "no $product_program"
[ -f "$package_folder/setup.exe" ] || fatal "no sample package in $package_folder"
rm -rf "$work"
mkdir -p "$work" || fatal "cannot make $work"
[[ "${work,,}" != *setup.exe* ]] || fatal "the build path contains \"setup.exe\""

build_box_probe
start_display
prepare_prefix

# The keys that give an answer.
key_of() {
  case $1 in
    yes) echo alt+y ;;
    no) echo n ;;
    ok) echo Return ;;
  esac
}

# Waits for the next box, prints its outcome line and answers it; sets
# problem when it does not come or does not close.
answer_box() {  # ANSWER SETUP-JOB
  local answer=$1 setup=$2 win="" deadline=$((SECONDS + box_wait)) content text buttons attempt
  while [ -z "$win" ]; do
    win=$(box_window)
    [ -n "$win" ] && break
    kill -0 "$setup" 2>/dev/null || { problem="the program ended before its box for \"$answer\""; return; }
    [ "$SECONDS" -lt "$deadline" ] || { problem="no box within ${box_wait}s for \"$answer\""; return; }
    sleep 0.2
  done
  content=$(timeout 60 "$wine" "$probe" "$caption" 2>&1 | tr -d '\r')
  text=$(sed -n 's/^text: //p' <<<"$content")
  buttons=$(sed -n 's/^buttons: //p' <<<"$content")
  echo "box $buttons: $text -> $answer" >>"$case_dir/outcome"
  for attempt in 1 2 3; do
    timeout 10 xdotool windowfocus "$win" 2>/dev/null
    timeout 10 xdotool key --clearmodifiers "$(key_of "$answer")" 2>/dev/null
    deadline=$((SECONDS + 10))
    while [ "$(box_window)" = "$win" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.2; done
    [ "$(box_window)" != "$win" ] && return
  done
  problem="the box stays open after \"$answer\""
}

case_number=0
while IFS='|' read -r name program products answers arguments; do
  case_number=$((case_number + 1))
  case_dir="$work/case$case_number"
  mkdir -p "$case_dir/running"
  cp "$product_program" "$case_dir/running/Ptav6.exe"
  if [ "$program" = setup ]; then
    file=setup.exe
    cp -r "$package_folder/." "$case_dir"
  else
    file=PtvUnInst.exe
    cp "$setup_program" "$case_dir/$file"
  fi
  # Each case starts without the product installed.
  rm -rf "$(dirname "$installed_product")"
  windows_dir="Z:$(tr / '\\' <<<"$case_dir")"
  problem=""
  : >"$case_dir/outcome"

  product_jobs=()
  for n in $(seq "$products"); do
    "$wine" "$case_dir/running/Ptav6.exe" -log "$windows_dir\\product$n.log" -document "case$case_number-$n.pv6" \
      >"$case_dir/product$n.out" 2>&1 &
    product_jobs+=($!)
    jobs_of_case+=($!)
    deadline=$((SECONDS + ready_wait))
    until grep -q '^ready' "$case_dir/product$n.log" 2>/dev/null; do
      [ "$SECONDS" -lt "$deadline" ] || { problem="product $n did not open its windows"; break; }
      sleep 0.2
    done
  done

  status=""
  if [ -z "$problem" ]; then
    # shellcheck disable=SC2086
    timeout --kill-after=5 "$run_limit" "$wine" "$case_dir/$file" $arguments >"$case_dir/setup.out" 2>&1 &
    setup=$!
    jobs_of_case+=($setup)
    for answer in $answers; do
      [ -z "$problem" ] && answer_box "$answer" "$setup"
    done
    if [ -z "$problem" ]; then
      wait "$setup"
      status=$?
      [ "$status" -eq 124 ] && problem="did not end within ${run_limit}s"
    fi
  fi
  sleep "$settle"

  for n in $(seq "$products"); do
    alive=0
    kill -0 "${product_jobs[n - 1]}" 2>/dev/null && alive=1
    echo "product $n: $(product_state "$case_dir/product$n.log" "$alive")" >>"$case_dir/outcome"
  done
  echo "installed: $([ -f "$installed_product" ] && echo yes || echo no)" >>"$case_dir/outcome"
  echo "status $status" >>"$case_dir/outcome"
  end_case_jobs

  expected=$(expected_outcome "$case_number")
  if [ -z "$problem" ] && [ "$(cat "$case_dir/outcome")" = "$expected" ]; then
    echo "ok   $name"
    passed=$((passed + 1))
  else
    echo "FAIL $name${problem:+: $problem} (expected < > seen)"
    diff <(echo "$expected") "$case_dir/outcome" | sed 's/^/    /'
    failed=$((failed + 1))
  fi
done < <(printf '%s\n' "${instance_cases[@]}")

echo "wine-instances: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
