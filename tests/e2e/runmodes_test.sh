#!/usr/bin/env bash
# Run modes chosen from the program's own name and its arguments: the built
# setup program is placed on a fresh machine under several names and run;
# the uninstall confirmation must appear exactly when the program is the
# uninstaller and not silent. An installer alone in its folder has no
# package beside it, so it stops as a damaged setup: the box that says so,
# the product's home page, exit status 1. Boxes are answered from the
# operator's queue; a box that finds no answer ends the program with a
# status of its own, so an unexpected box fails the case.
set -uo pipefail
: "${EMUMACHINE:?}" "${SETUP_PROGRAM:?}" "${E2E_WORK:?}"

rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
failures=0
cases=0

# The one box of a run that asks for the uninstall confirmation.
confirmation() {  # program answer
  printf '%s\n' "message box" \
    "  program: $1" \
    "  caption: Pictavo Setup" \
    "  text:" \
    "    This will completely uninstall Pictavo 6." \
    "    Do you want to continue?" \
    "  buttons: Yes/No" \
    "  icon: exclamation" \
    "  default button: 2" \
    "  owner: none" \
    "  answer: $2" \
    ""
}

# The box at the end of a self-removal that is not silent.
final_message() {  # program
  printf '%s\n' "message box" \
    "  program: $1" \
    "  caption: Pictavo Setup" \
    "  text:" \
    "    Pictavo 6 has been completely uninstalled from this computer." \
    "  buttons: OK" \
    "  icon: exclamation" \
    "  default button: 1" \
    "  owner: none" \
    "  answer: ok" \
    ""
}

# The uninstaller's start of its temporary copy (the copy's name made
# comparable: uniXXXX.tmp).
copy_started() {  # program silent
  local copy='C:\users\User\Temp\uniXXXX.tmp'
  printf '%s\n' "program start" \
    "  program: $1" \
    "  command line: $copy -delself \"$1\"$([ "$2" = silent ] && echo ' -s')" \
    "  folder: (the starting program's)" \
    "  started: $copy" \
    ""
}

# What an installer without its package shows: the damaged-setup box, then
# the home page it opens.
damaged_setup() {  # program
  printf '%s\n' "message box" \
    "  program: $1" \
    "  caption: Pictavo Setup" \
    "  text:" \
    "    This setup files are damaged, installation aborted." \
    "    " \
    "    Please download the product again from http://www.lumetra.com and re-try the setup." \
    "  buttons: OK" \
    "  icon: error" \
    "  default button: 1" \
    "  owner: none" \
    "  answer: ok" \
    "" \
    "shell open" \
    "  program: $1" \
    "  verb: open" \
    "  address: http://www.lumetra.com" \
    ""
}

# check NAME WINDOWS-PROGRAM ANSWER [ARGS...]
# ANSWER is yes or no when the confirmation is expected (yes: then the copy
# is started and ends with the final message), ok when the final message of
# a self-removal is, silent when the uninstaller starts its copy without a
# box, - when no box may appear, installer when the program must run as an
# installer.
check() {
  local name=$1 program=$2 answer=$3
  shift 3
  cases=$((cases + 1))
  local machine="$E2E_WORK/m$cases"
  "$EMUMACHINE" create "$machine" >/dev/null || { echo "FAIL $name: cannot create a machine"; failures=$((failures + 1)); return; }
  local host
  host="$machine/drives/$(tr 'A-Z' 'a-z' <<<"${program:0:1}")/$(tr '\\' '/' <<<"${program:3}")"
  mkdir -p "$(dirname "$host")" && cp "$SETUP_PROGRAM" "$host"
  local expected_status=0 box_answer=$answer
  [ "$answer" = installer ] && { expected_status=1; box_answer=ok; }
  [ "$answer" = yes ] && box_answer="yes ok"
  [ "$answer" != - ] && [ "$answer" != silent ] && "$EMUMACHINE" answer "$machine" $box_answer >/dev/null

  "$EMUMACHINE" run "$machine" "$program" "$@" >"$machine.out" 2>&1
  local status=$?
  # A temporary copy the program started runs on after it.
  "$EMUMACHINE" wait "$machine" 30 >>"$machine.out" 2>&1
  # The x keeps the trailing empty lines in the comparison.
  local transcript expected
  transcript=$("$EMUMACHINE" transcript "$machine" | sed -E 's/uni[0-9a-f]{1,4}\.tmp/uniXXXX.tmp/g'; echo x)
  local copy='C:\users\User\Temp\uniXXXX.tmp'
  case "$answer" in
    -) expected=x ;;
    silent) expected=$(copy_started "$program" silent; echo x) ;;
    yes) expected=$(confirmation "$program" yes; copy_started "$program" asked; final_message "$copy"; echo x) ;;
    installer) expected=$(damaged_setup "$program"; echo x) ;;
    ok) expected=$(final_message "$program"; echo x) ;;
    *) expected=$(confirmation "$program" "$answer"; echo x) ;;
  esac

  if [ "$status" -ne "$expected_status" ]; then
    echo "FAIL $name: exit status $status"; cat "$machine.out"; failures=$((failures + 1))
  elif [ "$transcript" != "$expected" ]; then
    echo "FAIL $name: message boxes differ"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$transcript")
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

uninstaller='C:\Program Files\Pictavo 6\PtvUnInst.exe'

check "uninstaller asks, No ends it"            "$uninstaller" no
check "uninstaller asks, Yes goes on"           "$uninstaller" yes
check "uninstaller with -s asks nothing"        "$uninstaller" silent -s
check "uninstaller with -S asks nothing"        "$uninstaller" silent x -S
check "/s is not the silent switch"             "$uninstaller" no /s
check "-install first makes an installer"       "$uninstaller" installer -INSTALL
check "-install later has no effect"            "$uninstaller" no x -install
check "self-removal copy asks nothing, ends with the message" 'C:\windows\Temp\PtvUnInst.tmp' ok -delself "$uninstaller"
check "silent self-removal shows nothing"       'C:\windows\Temp\PtvUnInst.tmp' - -delself "$uninstaller" -s
check "-DELSELF in capitals is no self-removal" "$uninstaller" no -DELSELF "$uninstaller"
check "-delself needs the path"                 "$uninstaller" no -delself
check "named setup.exe"                         'C:\Package\setup.exe' installer
check "named MySetup.EXE"                       'C:\Package\MySetup.EXE' installer
check "in a folder named setup.exe"             'C:\setup.exe\PtvUnInst.exe' installer
check "setup.exe only as part of a longer word" 'C:\Package\setup.exe2\PtvUnInst.exe' installer
check "setup.ex is not setup.exe"               'C:\Package\setup.ex' no

echo "$((cases - failures)) of $cases run-mode cases passed"
[ "$failures" -eq 0 ]
