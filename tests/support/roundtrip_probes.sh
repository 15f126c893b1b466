# What an uninstall round trip is judged by, the same on every system it
# runs on, so that the reports of two systems compare line for line.
# Sourced by the round-trip tests, which define for their system:
#   shell_folder NAME        the path of a Shell Folders value: Programs,
#                            Startup, Desktop (current user), Common Programs,
#                            Common Startup, Common Desktop
#   program_files            the folder the setup installs below
#   path_exists WINPATH      status 0 when the file or folder is there
#   reg_value KEY NAME       prints the value's text; status 1 when missing
#   reg_key_exists KEY       status 0 when the key is there
#   uni_count                the number of uni*.tmp files in the temporary folder

# The text of a path with the system's folders named by their roles.
symbolic() {  # PATH
  local path=$1 name folder
  for name in "Common Startup" "Common Programs" "Common Desktop" Startup Programs Desktop; do
    folder=$(shell_folder "$name")
    [ -n "$folder" ] && [ "${path:0:${#folder}}" = "$folder" ] && { path="%$name%${path:${#folder}}"; break; }
  done
  folder=$(program_files)
  [ "${path:0:${#folder}}" = "$folder" ] && path="%ProgramFiles%${path:${#folder}}"
  printf '%s' "$path"
}

# One line per thing of the product, present or not, as of MOMENT.
print_probes() {  # MOMENT
  local moment=$1 path key value
  local installed
  installed="$(program_files)\\Pictavo 6"
  for path in "$installed" "$installed\\Ptav6.exe" "$installed\\PtvUnInst.exe" "$installed\\PtvUnInst.log" \
    "$installed\\help" "$installed\\My capture.png" \
    "$(shell_folder Programs)\\Pictavo 6" "$(shell_folder Programs)\\Pictavo 6\\Pictavo 6.lnk" \
    "$(shell_folder Desktop)\\Pictavo 6.lnk" "$(shell_folder Startup)\\Pictavo 6.lnk" \
    "$(shell_folder "Common Programs")\\Pictavo 6" "$(shell_folder "Common Programs")\\Pictavo 6\\Pictavo 6.lnk" \
    "$(shell_folder "Common Desktop")\\Pictavo 6.lnk" "$(shell_folder "Common Startup")\\Pictavo 6.lnk"; do
    if path_exists "$path"; then echo "$moment: $(symbolic "$path"): there"; else echo "$moment: $(symbolic "$path"): gone"; fi
  done
  for key in 'HKEY_LOCAL_MACHINE\SOFTWARE\Lumetra' 'HKEY_LOCAL_MACHINE\SOFTWARE\Lumetra\Pictavo 6' \
    'HKEY_CURRENT_USER\SOFTWARE\Lumetra' \
    'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo 6' \
    'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Ptav6.exe' \
    'HKEY_CLASSES_ROOT\PV6.Document'; do
    if reg_key_exists "$key"; then echo "$moment: $key: there"; else echo "$moment: $key: gone"; fi
  done
  local types='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts'
  for key in "$types\\.jpg Application" "$types\\.jpg PtavOld" "$types\\.png Application" "$types\\.gif Application"; do
    if value=$(reg_value "${key% *}" "${key##* }"); then
      echo "$moment: ${key##*\\}: $value"
    else
      echo "$moment: ${key##*\\}: gone"
    fi
  done
  echo "$moment: uni files in the temporary folder: $(uni_count)"
}

# REGEDIT4 text (without its header) of the user's own choices of programs
# for image types, before the product is installed.
user_choices() {
  cat <<'EOF'
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.jpg]
"Application"="mspaint.exe"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.png]

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.gif]
"Application"="iview.exe"

EOF
}

# What the running product adds once installed: its settings and document
# class, and its hold on two image types (.jpg with the user's former
# choice kept, .png without one); .gif stays the user's.
product_traces() {
  cat <<'EOF'
[HKEY_CURRENT_USER\SOFTWARE\Lumetra\Pictavo 6\Capture]
"Mode"="region"

[HKEY_CLASSES_ROOT\PV6.Document\shell\open\command]
@="Ptav6.exe %1"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.jpg]
"Application"="Ptav6.exe"
"PtavOld"="mspaint.exe"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.png]
"Application"="Ptav6.exe"

EOF
}
