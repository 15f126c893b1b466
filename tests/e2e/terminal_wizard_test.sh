#!/usr/bin/env bash
# The wizard walked by a person at a terminal: the setup program runs on a
# fresh machine inside a tmux session, with nothing queued for the operator,
# so every dialog is drawn in the terminal and takes keys. The keys go in
# with tmux send-keys, the screen comes back with capture-pane; the walk goes
# from the welcome page to Finish, through a cancel question answered No, a
# group name typed over the suggested one, the folder chooser opened and
# cancelled, and "Run Pictavo" ticked; the installation is checked afterwards.
set -uo pipefail
: "${EMUMACHINE:?}" "${PACKAGE_FOLDER:?}" "${E2E_WORK:?}"

rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
machine="$E2E_WORK/machine"
# A server of its own, so that no other tmux session is touched.
tmux=(tmux -L "ptv-terminal-$$")
session=wizard
cases=0
failures=0

command -v tmux >/dev/null || { echo "FAIL tmux is missing (scripts/install-deps.sh installs it)"; exit 1; }
trap '"${tmux[@]}" kill-server >/dev/null 2>&1' EXIT

fail() {
  echo "FAIL $*"
  echo "    the screen:"
  "${tmux[@]}" capture-pane -t "$session" -p 2>/dev/null | sed 's/^/    | /'
  failures=$((failures + 1))
}

screen() { "${tmux[@]}" capture-pane -t "$session" -p 2>/dev/null; }

# Waits until the screen shows TEXT (a fixed string); false after 20 s.
await() {  # TEXT
  local i
  for ((i = 0; i < 200; i++)); do
    screen | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  return 1
}

# One step of the walk: the screen must show TEXT, then the keys go in.
step() {  # NAME TEXT KEYS...
  local name=$1 text=$2
  shift 2
  cases=$((cases + 1))
  if ! await "$text"; then
    fail "$name: the screen does not show \"$text\""
    return 1
  fi
  echo "ok   $name"
  [ $# -gt 0 ] && "${tmux[@]}" send-keys -t "$session" "$@"
  return 0
}

"$EMUMACHINE" create "$machine" >/dev/null || { echo "FAIL cannot create a machine"; exit 1; }
mkdir -p "$machine/drives/c/Package"
cp -r "$PACKAGE_FOLDER/." "$machine/drives/c/Package/"

"${tmux[@]}" new-session -d -s "$session" -x 100 -y 40 \
  "'$EMUMACHINE' run '$machine' 'C:\\Package\\setup.exe'; echo \$? >'$E2E_WORK/status'; sleep 600"

walk() {
  step "welcome page" "Welcome to Pictavo Setup!" Enter || return
  step "agreement page" "Do you accept this agreement?" Escape || return
  step "cancel question, No has the focus" "{ No }" Enter || return
  step "agreement again after No" "== Please accept the License Agreement" Enter || return
  step "folder page" "Install for the Current User only" BTab BTab Space || return
  step "folder chooser at the installation folder" "Selected: C:\\Program Files\\Pictavo 6" Up Enter || return
  step "folder chooser one level up" "Selected: C:\\Program Files" Escape || return
  step "folder page again, the folder unchanged" "  C:\\Program Files\\Pictavo 6" || return
  # Browse has the focus; the radio buttons come before it.
  step "Browse focused" "{ Browse... }" BTab || return
  step "current user radio button focused" "> (*) Install for the Current User only" Down || return
  step "all users chosen with Down" "> (*) Install for All Users" Enter || return
  step "group page" "Enter the name of the Program Manager group" BTab BTab || return
  step "group name focused" "> [Pictavo 6" "Tools Group" Enter || return
  step "ready page" "You are now ready to install Pictavo." Enter || return
  step "finish page" "Pictavo 6 has been successfully installed." BTab || return
  step "Run Pictavo focused" "> [ ] Run Pictavo" Space || return
  step "Run Pictavo ticked" "> [x] Run Pictavo" Enter || return
}
walk

# The setup ends once Finish is pressed; the terminal is given back.
cases=$((cases + 1))
for ((i = 0; i < 300; i++)); do
  [ -s "$E2E_WORK/status" ] && break
  sleep 0.1
done
status=$(cat "$E2E_WORK/status" 2>/dev/null)
if [ "$status" != 0 ]; then
  fail "the setup ended with status ${status:-none}"
else
  echo "ok   the setup ended with status 0"
fi

# What was chosen at the terminal was installed.
check() {  # NAME CONDITION...
  cases=$((cases + 1))
  if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}
installed="$machine/drives/c/Program Files/Pictavo 6"
value=$("$EMUMACHINE" reg "$machine" query 'HKEY_LOCAL_MACHINE\SOFTWARE\Lumetra\Pictavo 6' AllUsers 2>/dev/null)
check "the product is installed" test -f "$installed/Ptav6.exe"
check "for all users" grep -q 'REG_SZ    B$' <<<"$value"
check "into the group typed" test -d "$machine/drives/c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tools Group"
transcript=$("$EMUMACHINE" transcript "$machine")
check "the keys are in the transcript" grep -q '^keyboard: Enter$' <<<"$transcript"
check "the cancel question was answered No at the terminal" grep -q '^  answer: no (keyboard)$' <<<"$transcript"

echo "terminal wizard: $((cases - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
