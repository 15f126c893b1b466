# Installation scenarios, one table for both builds. Sourced by
# tests/e2e/install_test.sh (the Linux build on emulated machines) and by
# tests/wine/install_test.sh (the Windows build under Wine, each scenario
# also on an emulated machine, and the two results compared line for line).
#
# A backend provides, for one fresh machine at a time:
#   new_machine [--no-common-programs] [--no-pending-renames] [--64bit]
#                             a fresh machine; sets host_c, the host folder of drive C:
#   run_setup [VAR=VALUE...] -- ARGS...
#                             runs C:\Package\setup.exe with ARGS and the
#                             environment additions; prints "exit N"
#   answer WORD...            message-box answers for the next run (emulated only)
#   reg_set KEY NAME DATA     a REG_SZ value ("" names the default value)
#   reg_delete KEY NAME
#   query_value KEY NAME      prints the value's text; status 1 when missing
#   hold PATH open|running    keeps a file in use, by another process, until release_holds
#   release_holds
#   restart                   the machine's restart: its scheduled file operations
#   events                    prints what the runs did outside the files and the
#                             registry, one line each, in order: "opened ADDRESS",
#                             "started FILE: COMMAND LINE (in FOLDER)" and, on the
#                             emulated machine, "box ICON BUTTONS (default N): TEXT -> ANSWER"
#   put_product_version PATH A.B.C.D
#                             a program file at PATH whose file version is A.B.C.D
#   package_folder            the host folder of the built package
# and the variable machine_user (the user the machine's folders are named after).
#
# Each scenario is a function scenario_NAME that prepares the machine, runs
# the setup and calls report with a heading; its result is everything it
# printed. Paths in the results are Windows paths; the Wine side maps its
# own (the user's folder, StartUp) onto the emulated machine's before the
# results are compared.

# Scenarios that run on both builds; the others need what only the emulated
# machine has (an operator for message boxes, a 64-bit or 9x-like machine).
both_builds_scenarios=(
  new_installation
  every_option
  reinstallation
  all_users_without_common_programs
  group_folder_cannot_be_made
  no_desktop_no_startup
  preset_settings_file
  in_use_running_program
  in_use_open_file
  hostile_lines
)
emulated_only_scenarios=(
  nested_group_with_slashes
  existing_current_user_installation
  no_programs_folder
  wininit_fallback
  machine_64bit
  instdir_variants
  runafter_with_program_exe
  damaged_without_product
  damaged_without_script
  damaged_after_version_question
  same_version_question_no
  same_version_question_yes
  newer_version_installed
  older_version_installed
)

package='C:\Package'
default_inst='C:\Program Files\Pictavo 6'
product_key='HKEY_LOCAL_MACHINE\SOFTWARE\Lumetra\Pictavo 6'
app_path_key='HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Ptav6.exe'
uninstall_key='HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo 6'
shell_folders='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
common_programs='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'

# --- helpers ---------------------------------------------------------------

# For the backends: a holder started in the background with its output in
# OUT counts once it has printed "holding"; the holders are stopped together.
holders=()
await_holder() {  # PID OUT WINDOWS-PATH
  local i
  holders+=("$1")
  for ((i = 0; i < 600; i++)); do
    grep -q holding "$2" 2>/dev/null && return 0
    sleep 0.05
  done
  echo "cannot hold $3: $(tr -d '\r' <"$2")" >&2
}

stop_holders() {
  local pid
  for pid in "${holders[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  holders=()
}

# The host path of a Windows path on drive C:, letter case as given.
host_path() {  # WINDOWS-PATH
  local rest=${1:3}
  printf '%s/%s' "$host_c" "${rest//\\//}"
}

user_programs() { printf '%s' "C:\\users\\$machine_user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"; }

# Writes a file (and its folder) at a Windows path; the text's \n become CR LF.
put_file() {  # WINDOWS-PATH TEXT
  local host
  host=$(host_path "$1")
  mkdir -p "$(dirname "$host")"
  printf '%s' "${2//$'\n'/$'\r\n'}" >"$host"
}

put_folder() { mkdir -p "$(host_path "$1")"; }

put_package() {
  rm -rf "$(host_path "$package")"
  mkdir -p "$(host_path "$package")"
  cp -r "$(package_folder)/." "$(host_path "$package")/"
}

# The package's install script replaced by these lines (CR LF ended).
put_script() {  # LINE...
  local host
  host=$(host_path "$package\\PtvUnInst.log")
  printf '%s\r\n' "$@" >"$host"
}

# A line of a text file with its line end shown.
show_lines() {  # HOST-FILE
  awk '{ if (sub(/\r$/, "")) print "  | " $0 "\\r\\n"; else print "  | " $0 "\\n" }' "$1" |
    if [ -s "$1" ] && [ "$(tail -c 1 "$1" | od -An -c | tr -d ' ')" != '\n' ]; then
      sed '$ s/\\n$/ (no line end)/'
    else
      cat
    fi
}

# What a file holds: the package file it equals, its lines, or its size.
describe_file() {  # HOST-FILE WINDOWS-PATH
  local file=$1 name=$2 candidate
  case "${name,,}" in
    *.lnk)
      local info target folder description
      info=$(lnkinfo "$file" 2>&1)
      target=$(sed -n 's/^\s*Local path\s*: //p' <<<"$info")
      folder=$(sed -n 's/^\s*Working directory\s*: //p' <<<"$info")
      description=$(sed -n 's/^\s*Description\s*: //p' <<<"$info")
      printf 'link %s -> %s; working folder %s; description %s\n' "$name" "${target:-(none)}" \
        "${folder:-(none)}" "${description:-(none)}"
      return
      ;;
    *ptvuninst.log | *.ini)
      printf 'text %s\n' "$name"
      show_lines "$file"
      return
      ;;
  esac
  while IFS= read -r candidate; do
    if cmp -s "$file" "$candidate"; then
      printf 'file %s = package %s\n' "$name" "${candidate#"$(host_path "$package")/"}"
      return
    fi
  done < <(find "$(host_path "$package")" -type f 2>/dev/null | LC_ALL=C sort)
  if [ "$(stat -c %s "$file")" -le 200 ] && LC_ALL=C grep -qv '[^[:print:][:space:]]' "$file" 2>/dev/null; then
    printf 'text %s\n' "$name"
    show_lines "$file"
  else
    printf 'file %s: %s bytes\n' "$name" "$(stat -c %s "$file")"
  fi
}

# Every file and folder below a Windows folder, in name order; folders end
# with a backslash. Folders the systems make for themselves are left out.
report_tree() {  # WINDOWS-FOLDER
  local root=$1 host entry relative name
  host=$(host_path "$root")
  if [ ! -e "$host" ]; then
    printf 'missing %s\n' "$root"
    return
  fi
  if [ -f "$host" ]; then
    describe_file "$host" "$root"
    return
  fi
  while IFS= read -r entry; do
    relative=${entry#"$host"/}
    case "$relative" in
      "Administrative Tools" | "Administrative Tools/"*) continue ;;
    esac
    name="$root\\${relative//\//\\}"
    if [ -d "$entry" ]; then
      printf 'folder %s\\\n' "$name"
    else
      describe_file "$entry" "$name"
    fi
  done < <(find "$host" -mindepth 1 | LC_ALL=C sort)
}

report_value() {  # KEY NAME
  local data
  if data=$(query_value "$1" "$2"); then
    printf 'reg %s [%s] = %s\n' "$1" "${2:-@}" "$data"
  else
    printf 'reg %s [%s] missing\n' "$1" "${2:-@}"
  fi
}

# The state of the machine as far as an installation changes it. The
# installation folder and any further folders the scenario names are shown
# whole, as are the Start-menu, Startup and desktop folders.
report() {  # HEADING [WINDOWS-FOLDER...]
  printf '== %s\n' "$1"
  shift
  local folder
  for folder in "$default_inst" "$@" "$common_programs" "$(user_programs)" 'C:\users\Public\Desktop' \
    "C:\\users\\$machine_user\\Desktop" 'C:\windows\WININIT.INI'; do
    report_tree "$folder"
  done
  report_value "$product_key" AllUsers
  report_value "$product_key" Path
  report_value "$app_path_key" ""
  local name
  for name in Contact DisplayName DisplayVersion Publisher UninstallString URLInfoAbout; do
    report_value "$uninstall_key" "$name"
  done
  events | sed 's/^/event /'
}

# An installation made earlier, by the same package, for the scenarios that
# install over one.
install_first() {
  put_package
  run_setup -- -s >/dev/null
}

# --- the scenarios ---------------------------------------------------------

# The sample package, silently, on a fresh machine: for all users, the four
# group shortcuts and the desktop one, the nine registry values.
scenario_new_installation() {
  put_package
  run_setup -- -s
  report "after the installation"
}

scenario_every_option() {
  put_package
  put_folder 'C:\Tools'
  run_setup -- -s -instdir 'C:\Tools\' -runafter -autostart -nodeskico -allusers
  report "after the installation" 'C:\Tools'
}

# Over an earlier installation: its shortcuts and group go first (here also
# a group of an older installer named in the log), the files the new script
# deletes go, and the log holds only what this installation did.
scenario_reinstallation() {
  install_first
  local log="$default_inst\\PtvUnInst.log" old_group="$common_programs\\Old Group"
  put_file "$old_group\\Old.lnk" "an old shortcut"
  put_file "$default_inst\\Ptav5.exe" "the previous major version"
  put_file "$default_inst\\user notes.txt" "the user's own"
  { printf 'Shell Link: %s\r\nMade Dir: %s\r\n' "$old_group\\Old.lnk" "$old_group"; cat "$(host_path "$log")"; } >"$(host_path "$log").with-old"
  mv "$(host_path "$log").with-old" "$(host_path "$log")"
  run_setup -- -s
  report "after the reinstallation"
}

scenario_all_users_without_common_programs() {
  reg_delete "$shell_folders" "Common Programs"
  put_package
  run_setup -- -s -autostart
  report "after the installation"
}

# A file stands where the group folder would go: the "Made Dir: " line is
# written all the same, no group shortcut is made, the desktop one is.
scenario_group_folder_cannot_be_made() {
  put_file "$common_programs\\Pictavo 6" "a file in the group folder's place"
  put_package
  run_setup -- -s
  report "after the installation"
}

scenario_no_desktop_no_startup() {
  put_package
  run_setup -- -s -nodeskico
  report "after the installation"
}

# A package started through a self-extractor that names itself in
# "sfxname": the settings file beside it is copied, replacing one there.
scenario_preset_settings_file() {
  put_package
  put_file 'C:\Downloads\Ptav6.ini' $'[Capture]\nDelay=3\n'
  put_file "$default_inst\\Ptav6.ini" $'[Capture]\nDelay=0\n'
  run_setup 'sfxname=C:\Downloads\pictavo6setup.exe' -- -s
  report "after the installation" 'C:\Downloads'
}

# The product runs while it is installed again: its file is moved aside,
# the new one takes its name, and the restart removes the old one.
scenario_in_use_running_program() {
  install_first
  hold "$default_inst\\Ptav6.exe" running
  run_setup -- -s
  release_holds
  report "before the restart"
  restart
  report "after the restart"
}

# A file held open while a new version of it is installed: the new one
# waits beside it and takes its place at the restart.
scenario_in_use_open_file() {
  install_first
  put_file "$package\\Ptav6Man.chm" "the manual, second edition"
  hold "$default_inst\\Ptav6Man.chm" open
  run_setup -- -s
  release_holds
  report "before the restart"
  restart
  report "after the restart"
}

# A script and an earlier log that name files and folders outside the
# installation, by ".." and by absolute names: nothing there changes.
scenario_hostile_lines() {
  install_first
  put_file 'C:\Sentinel\keep.txt' "sentinel"
  put_file 'C:\Sentinel\notes.txt' "sentinel"
  put_folder 'C:\Sentinel\Empty'
  put_file 'C:\Program Files\sentinel.txt' "sentinel"
  local log="$default_inst\\PtvUnInst.log"
  printf '%s\r\n' 'Shell Link: C:\Sentinel\keep.txt' >>"$(host_path "$log")"
  put_package
  put_script 'File Copy: Ptav6.exe' 'File Copy: PtvUnInst.exe' 'File Copy: readme.txt' 'File Copy: Ptav6Man.chm' \
    'File Copy: readme.txt > ..\sentinel.txt' 'File Copy: readme.txt > C:\Sentinel\keep.txt' \
    'File Copy: ..\..\Sentinel\keep.txt' 'Make Dir: ..\..\Sentinel\Made' 'Make Dir: \Sentinel\Made' \
    'File Del: ..\sentinel.txt' 'File Del: C:\Sentinel\notes.txt' 'File Del: \Sentinel\*.*' \
    'File Del: help\..\..\..\Sentinel\keep.txt' 'Make Dir: ..\..\Sentinel\Empty'
  run_setup -- -s
  report "after the installation" 'C:\Sentinel' 'C:\Program Files\sentinel.txt'
}

# --- emulated machine only -------------------------------------------------

# An earlier installation whose log names its group with a forward slash:
# the group is made level by level, and the log names the deepest level.
scenario_nested_group_with_slashes() {
  install_first
  local log="$default_inst\\PtvUnInst.log"
  printf 'Shell Link: %s\r\n' "$common_programs\\Tools/Capture\\Pictavo 6.lnk" >>"$(host_path "$log")"
  run_setup -- -s
  report "after the reinstallation"
}

# An installation made for the current user (AllUsers "A"), installed over
# silently: no question, the current user's folders, and "-instdir" and the
# other options have no effect.
scenario_existing_current_user_installation() {
  install_first
  reg_set "$product_key" AllUsers A
  put_folder 'C:\Tools'
  run_setup -- -s -instdir 'C:\Tools' -allusers -runafter -nodeskico
  report "after the reinstallation"
}

# Neither an all-users nor a current-user programs folder: no group is made
# (rather than one in the root of the current drive), the desktop shortcut is.
scenario_no_programs_folder() {
  reg_delete "$shell_folders" "Common Programs"
  reg_delete 'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Programs
  put_package
  run_setup -- -s
  report "after the installation" 'C:\Pictavo 6'
}

# A machine without the restart-time facility (the 9x family), whose
# WININIT.INI already holds more than 16 KB of other programs' renames:
# every one of them stays, in order, ours come after them, and the restart
# carries them all out.
scenario_wininit_fallback() {
  install_first
  local i text="[boot]"$'\n'"shell=Explorer.exe"$'\n'"[rename]"$'\n' other
  other=$(host_path 'C:\Other Program')
  mkdir -p "$other"
  for ((i = 0; i < 200; i++)); do
    printf '%s' "$i" >"$other/leftover-$i.tmp"
    printf '%s' "tool $i" >"$other/tool-$i.new"
    text+="NUL=C:\\Other Program\\leftover-$i.tmp"$'\n'
    text+="C:\\Other Program\\tool-$i.exe=C:\\Other Program\\tool-$i.new"$'\n'
  done
  put_file 'C:\windows\WININIT.INI' "$text"
  put_file "$package\\Ptav6Man.chm" "the manual, second edition"
  hold "$default_inst\\Ptav6Man.chm" open
  hold "$default_inst\\Ptav6.exe" running
  run_setup -- -s
  release_holds
  local section
  section=$(sed -n '/^\[rename\]/,/^\[/p' "$(host_path 'C:\windows\WININIT.INI')" | tr -d '\r' | grep -v '^\[')
  local expected_others
  expected_others=$(sed -n '/^\[rename\]/,$p' <<<"$text" | grep -v '^\[')
  if [ "$(head -n 400 <<<"$section")" = "$expected_others" ]; then
    echo "wininit: the other programs' 400 renames are all kept, in their order"
  else
    echo "wininit: the other programs' renames differ"
  fi
  echo "wininit: then ours:"
  tail -n +401 <<<"$section" | sed 's/^/  /'
  restart
  local renamed=0 i
  for ((i = 0; i < 200; i++)); do
    [ "$(cat "$(host_path "C:\\Other Program\\tool-$i.exe")" 2>/dev/null)" = "tool $i" ] && renamed=$((renamed + 1))
  done
  echo "after the restart: $renamed of the other program's 200 files renamed;" \
    "$(find "$(host_path 'C:\Other Program')" -name '*.tmp' -o -name '*.new' | wc -l) of its leftovers remain"
  report "after the restart"
}

scenario_machine_64bit() {
  put_package
  run_setup -- -s
  report "after the installation" 'C:\Program Files (x86)\Pictavo 6'
}

scenario_instdir_variants() {
  put_package
  run_setup -- -s -instdir 'C:\Nowhere'
  run_setup -- -s -instdir
  report "after -instdir with a missing folder, then as the last argument"
}

# A file C:\Program.exe would start in the product's place if its path,
# which holds a blank, were not quoted.
scenario_runafter_with_program_exe() {
  put_package
  cp "$(host_path "$package\\Ptav6.exe")" "$(host_path 'C:\Program.exe')"
  run_setup -- -s -instdir -runafter
  report "after the installation"
}

scenario_damaged_without_product() {
  put_package
  rm "$(host_path "$package\\Ptav6.exe")"
  answer ok
  run_setup -- -s
  report "after the run"
}

scenario_damaged_without_script() {
  put_package
  rm "$(host_path "$package\\PtvUnInst.log")"
  answer ok
  run_setup --
  report "after the run"
}

# Over an existing installation the version question comes first, with the
# new version as 0.00.00.00; after a Yes the setup is damaged.
scenario_damaged_after_version_question() {
  install_first
  # Kept in a folder of the package, so that the installed one still shows as its copy.
  mkdir "$(host_path "$package\\kept")"
  mv "$(host_path "$package\\Ptav6.exe")" "$(host_path "$package\\kept")/"
  answer yes ok
  run_setup --
  report "after the run"
}

scenario_same_version_question_no() {
  install_first
  answer no
  run_setup --
  report "after the run"
}

# Yes goes on; the interactive setup then says it is not there yet and
# changes nothing.
scenario_same_version_question_yes() {
  install_first
  answer yes ok
  run_setup --
  report "after the run"
}

scenario_newer_version_installed() {
  install_first
  put_product_version "$default_inst\\Ptav6.exe" 6.1.0.3
  answer no
  run_setup --
  report "after the run"
}

scenario_older_version_installed() {
  install_first
  put_product_version "$default_inst\\Ptav6.exe" 5.2.1.0
  answer ok
  run_setup --
  report "after the run"
}
