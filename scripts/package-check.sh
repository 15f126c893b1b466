#!/usr/bin/env bash
# The package check: what a package's round trip leaves on a machine.
#
#   scripts/package-check.sh PACKAGE_FOLDER [--64bit] [--standard-user] [--all-users] [--keep]
#
# Installs the package silently ("setup.exe -s", with "-allusers" for
# --all-users) on a fresh emulated machine with two users, uninstalls it
# through the "UninstallString" it registered, started as Windows starts it
# (the path in quotes), restarts the machine, and reports what the
# installation put where (files, shortcuts with their targets, registry
# values, restart-time operations) and everything that was still there after
# the round trip. The round trip is made twice, each time on a fresh machine:
# once with "-s", once answering the uninstaller's questions as a user would.
# A package's setup.exe and PtvUnInst.exe that are Windows programs are run
# as the setup program of this build, which is what runs on the emulated
# machine.
#
# Exits 0 when both round trips left the machine as it was, 1 when anything
# was left behind, taken away or a step failed, 2 for a wrong command line.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

usage() {
  echo "usage: $0 PACKAGE_FOLDER [--64bit] [--standard-user] [--all-users] [--keep]" >&2
  exit 2
}

package=""
create_options=()
setup_options=(-s)
keep=0
for arg in "$@"; do
  case "$arg" in
    --64bit) create_options+=(--64bit) ;;
    --standard-user) create_options+=(--standard-user) ;;
    --all-users) setup_options+=(-allusers) ;;
    --keep) keep=1 ;;
    -*) usage ;;
    *) [ -z "$package" ] || usage; package=$arg ;;
  esac
done
[ -n "$package" ] || usage
[ -d "$package" ] || { echo "package-check: no folder $package" >&2; exit 2; }
[ -f "$package/PtvUnInst.log" ] || echo "package-check: note: $package holds no PtvUnInst.log (the setup will stop as damaged)"

emumachine=${EMUMACHINE:-$top/build/linux/bin/emumachine}
setup_program=${SETUP_PROGRAM:-$top/build/linux/bin/setup}
if [ ! -x "$emumachine" ] || [ ! -x "$setup_program" ]; then
  echo "package-check: building the Linux build first"
  "$top/scripts/build.sh" linux >/dev/null || { echo "package-check: the Linux build failed" >&2; exit 1; }
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/package-check-XXXXXX")
[ "$keep" -eq 1 ] || trap 'rm -rf "$work"' EXIT
problems=0

uninstall_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo 6'

# The host path of a Windows path on drive C: of machine $m.
host_path() {  # WINDOWS-PATH
  local rest=${1:3}
  printf '%s/drives/c/%s' "$m" "${rest//\\//}"
}

# Lines of the second snapshot that the first lacks.
added() {  # FIRST SECOND
  comm -13 <(sort "$1") <(sort "$2")
}

# Prints the lines of a section under a heading, or "(none)".
section() {  # HEADING (lines on stdin)
  local lines
  lines=$(cat)
  echo "$1"
  if [ -n "$lines" ]; then sed 's/^/  /' <<<"$lines"; else echo "  (none)"; fi
}

fail() {
  echo "FAILED: $*"
  problems=$((problems + 1))
}

# What the installation put where, from the snapshots before and after it.
report_installation() {  # BEFORE AFTER
  local new
  new=$(added "$1" "$2" | grep -v '^restart ')
  grep '^folder ' <<<"$new" | sed 's/^folder //' | section "folders made:"
  grep '^file ' <<<"$new" | grep -iv '\.lnk (' | sed 's/^file //' | section "files put in place:"
  local shortcuts="" link target
  while IFS= read -r link; do
    [ -n "$link" ] || continue
    target=$(lnkinfo "$(host_path "$link")" 2>/dev/null | sed -n 's/^[[:space:]]*Local path[[:space:]]*:[[:space:]]*//p' | head -n 1)
    shortcuts+="$link -> ${target:-(no local target)}"$'\n'
  done < <(grep '^file ' <<<"$new" | grep -i '\.lnk (' | sed 's/^file //; s/ ([0-9]* bytes, content [0-9a-f]*)$//')
  printf '%s' "$shortcuts" | section "shortcuts (with their targets):"
  grep '^value ' <<<"$new" | grep -v 'Session Manager" "PendingFileRenameOperations"' | sed 's/^value //' |
    section "registry values written:"
  grep '^restart ' "$2" | sed 's/^restart //' | section "restart-time operations scheduled:"
}

# One round trip on a fresh machine. HOW is "silent" or "asked".
round_trip() {  # HOW
  local how=$1
  m="$work/$how"
  echo
  echo "== round trip with the uninstaller $([ "$how" = silent ] && echo 'started with -s' || echo 'asking its questions')"
  if ! "$emumachine" create "$m" --users Packager,Other "${create_options[@]}" >"$m.create.log" 2>&1; then
    fail "no machine could be made: $(cat "$m.create.log")"
    return
  fi
  mkdir -p "$m/drives/c/Package" && cp -R "$package/." "$m/drives/c/Package/"
  for program in setup.exe PtvUnInst.exe; do
    local file="$m/drives/c/Package/$program"
    # The emulated machine runs Linux programs: a Windows one stands for this build's setup.
    if [ ! -f "$file" ] || [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" != "177ELF" ]; then
      [ "$how" = silent ] && [ -f "$file" ] && echo "note: $program of the package is run as this build's setup program"
      [ -f "$file" ] || [ "$program" = setup.exe ] && cp "$setup_program" "$file"
    fi
  done
  "$emumachine" snapshot "$m" >"$m.before" || { fail "no snapshot of the fresh machine"; return; }

  "$emumachine" run "$m" 'C:\Package\setup.exe' "${setup_options[@]}" >"$m.install.log" 2>&1
  local status=$?
  "$emumachine" wait "$m" 60 >>"$m.install.log" 2>&1
  echo "installation: C:\\Package\\setup.exe ${setup_options[*]}: exit status $status"
  [ "$status" -eq 0 ] || fail "the installation ended with status $status"
  "$emumachine" snapshot "$m" >"$m.installed"
  [ "$how" = silent ] && report_installation "$m.before" "$m.installed"

  local uninstall_string
  uninstall_string=$("$emumachine" reg "$m" query "$uninstall_key" UninstallString 2>/dev/null |
    sed -n 's/^UninstallString[[:space:]]*REG_[A-Z_]*[[:space:]]*//p')
  uninstall_string=${uninstall_string#\"}
  uninstall_string=${uninstall_string%\"}
  if [ -z "$uninstall_string" ]; then
    fail "the installation registered no UninstallString"
  else
    local arguments=()
    if [ "$how" = silent ]; then
      arguments=(-s)
    else
      # Yes to the confirmation, OK to the final message.
      "$emumachine" answer "$m" yes ok >/dev/null
    fi
    "$emumachine" run "$m" "$uninstall_string" "${arguments[@]}" >"$m.uninstall.log" 2>&1
    status=$?
    "$emumachine" wait "$m" 60 >>"$m.uninstall.log" 2>&1 || fail "the uninstall had not ended after 60 s"
    echo "uninstall: \"$uninstall_string\"${arguments[*]:+ ${arguments[*]}}: exit status $status"
    [ "$status" -eq 0 ] || fail "the uninstaller ended with status $status"
    if grep -q 'no scripted answer\|refused (not a button' "$m/transcript.txt" 2>/dev/null; then
      fail "a message box appeared that a user was not expected to answer (see the transcript)"
    fi
    local leftover_answers
    leftover_answers=$("$emumachine" answers "$m" 2>/dev/null)
    [ -z "$leftover_answers" ] || fail "expected message boxes did not appear (answers left: $(tr '\n' ' ' <<<"$leftover_answers"))"
  fi
  "$emumachine" snapshot "$m" >"$m.uninstalled"
  local copies
  copies=$(grep -ciE '^file .*\\temp\\uni[0-9a-f]{1,4}\.tmp ' "$m.uninstalled")
  echo "temporary copies of the uninstaller before the restart: $copies"

  echo "restart:"
  "$emumachine" restart "$m" 2>&1 | sed 's/^/  /'
  "$emumachine" snapshot "$m" >"$m.after"

  local left gone
  left=$(added "$m.before" "$m.after")
  gone=$(added "$m.after" "$m.before")
  sed 's/^/left behind: /' <<<"$left" | grep -v '^left behind: $' | section "still there after the round trip:"
  sed 's/^/was there before: /' <<<"$gone" | grep -v '^was there before: $' | section "taken away or changed by the round trip:"
  if [ -n "$left" ] || [ -n "$gone" ]; then
    fail "the round trip did not leave the machine as it was ($(grep -c . <<<"$left") lines added, $(grep -c . <<<"$gone") lines taken away)"
  fi
}

machine_kind="$([[ " ${create_options[*]} " == *" --standard-user "* ]] && echo "a standard user" || echo "an administrator") on $([[ " ${create_options[*]} " == *" --64bit "* ]] && echo 64-bit || echo 32-bit) Windows"
echo "package check of $package (two users; the first, $machine_kind, installs with: setup.exe ${setup_options[*]})"
round_trip silent
round_trip asked
echo
if [ "$problems" -eq 0 ]; then
  echo "result: clean: both round trips left the machine as they found it"
else
  echo "result: $problems problem(s)"
fi
[ "$keep" -eq 1 ] && echo "machines kept in $work"
[ "$problems" -eq 0 ]
