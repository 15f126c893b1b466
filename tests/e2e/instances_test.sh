#!/usr/bin/env bash
# Running copies of the product closed by the installer and the uninstaller
# on the emulated machine: stand-in products run on a fresh machine, then the
# setup program, with the operator's answers of the case; the message boxes,
# what the products received and whether they still run must be those of
# instances_cases.sh, which the run under Wine is held to as well.
set -uo pipefail
: "${EMUMACHINE:?}" "${SETUP_PROGRAM:?}" "${PTAV6_PROGRAM:?}" "${PACKAGE_FOLDER:?}" "${E2E_WORK:?}"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/instances_cases.sh"

rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
failures=0
cases=0
product='C:\Running\Ptav6.exe'
installed='C:\Program Files\Pictavo 6\Ptav6.exe'

host_path() {  # MACHINE WINPATH
  printf '%s/drives/%s/%s\n' "$1" "$(tr 'A-Z' 'a-z' <<<"${2:0:1}")" "$(tr '\\' '/' <<<"${2:3}")"
}

# The boxes of the transcript as outcome lines.
boxes_of() {  # MACHINE
  "$EMUMACHINE" transcript "$1" | awk '
    /^message box$/ { text = ""; first = 1; intext = 0; next }
    /^  text:$/ { intext = 1; next }
    /^    / && intext { text = first ? substr($0, 5) : text "\\n" substr($0, 5); first = 0; next }
    /^  buttons: / { intext = 0; buttons = substr($0, 12); next }
    /^  answer: / { printf "box %s: %s -> %s\n", buttons, text, substr($0, 11) }'
}

while IFS='|' read -r name program products answers arguments; do
  cases=$((cases + 1))
  machine="$E2E_WORK/m$cases"
  "$EMUMACHINE" create "$machine" >/dev/null || { echo "FAIL $name: no machine"; failures=$((failures + 1)); continue; }
  mkdir -p "$(dirname "$(host_path "$machine" "$product")")"
  cp "$PTAV6_PROGRAM" "$(host_path "$machine" "$product")"
  if [ "$program" = setup ]; then
    windows_program='C:\Package\setup.exe'
    cp -r "$PACKAGE_FOLDER" "$(host_path "$machine" 'C:\Package')"
  else
    windows_program='C:\Program Files\Pictavo 6\PtvUnInst.exe'
    mkdir -p "$(dirname "$(host_path "$machine" "$windows_program")")"
    cp "$SETUP_PROGRAM" "$(host_path "$machine" "$windows_program")"
  fi

  ids=()
  for n in $(seq "$products"); do
    "$EMUMACHINE" run "$machine" "$product" -log "C:\\product$n.log" -document "case$cases-$n.pv6" >/dev/null 2>&1 &
    log=$(host_path "$machine" "C:\\product$n.log")
    for _ in $(seq 200); do grep -q '^ready' "$log" 2>/dev/null && break; sleep 0.05; done
    ids+=("$(sed -n 's/^ready \([0-9]*\).*/\1/p' "$log")")
  done
  # shellcheck disable=SC2086
  [ -n "$answers" ] && "$EMUMACHINE" answer "$machine" $answers >/dev/null
  # shellcheck disable=SC2086
  timeout 60 "$EMUMACHINE" run "$machine" "$windows_program" $arguments >"$machine.out" 2>&1
  status=$?

  outcome=$(
    boxes_of "$machine"
    for n in $(seq "$products"); do
      alive=0
      "$EMUMACHINE" ps "$machine" | grep -q "^${ids[n - 1]} " && alive=1
      echo "product $n: $(product_state "$(host_path "$machine" "C:\\product$n.log")" "$alive")"
    done
    echo "installed: $([ -f "$(host_path "$machine" "$installed")" ] && echo yes || echo no)"
    echo "status $status"
  )
  expected=$(expected_outcome "$cases")
  if [ "$outcome" = "$expected" ]; then
    echo "ok   $name"
  else
    echo "FAIL $name (expected < > seen)"
    diff <(echo "$expected") <(echo "$outcome")
    sed 's/^/    /' "$machine.out"
    failures=$((failures + 1))
  fi
  # The products that still run end with the case: each process file of
  # the machine names its host process first.
  for file in "$machine"/processes/[0-9]*; do
    [ -f "$file" ] && kill "$(cut -d' ' -f1 "$file")" 2>/dev/null
  done
  wait
done < <(printf '%s\n' "${instance_cases[@]}")

echo "$((cases - failures)) of $cases instance cases passed"
[ "$failures" -eq 0 ]
