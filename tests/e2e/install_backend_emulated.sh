# The backend of the installation scenarios on an emulated machine (see
# install_scenarios.sh). Needs EMUMACHINE, PACKAGE_FOLDER and PE_VERSION_GEN
# in the environment; machines are made in the folder $machine_root.
machine_user=User
machine=""

package_folder() { printf '%s' "$PACKAGE_FOLDER"; }

new_machine() {  # [--no-common-programs] [--no-pending-renames] [--64bit]
  machine="$machine_root/machine"
  rm -rf "$machine"
  local options=() no_common=0 option
  for option in "$@"; do
    case "$option" in
      --no-common-programs) no_common=1 ;;
      *) options+=("$option") ;;
    esac
  done
  "$EMUMACHINE" create "$machine" --user "$machine_user" "${options[@]}" >/dev/null || return 1
  host_c="$machine/drives/c"
  [ "$no_common" -eq 0 ] || reg_delete "$shell_folders" "Common Programs"
}

run_setup() {  # [VAR=VALUE...] -- ARGS...
  local environment=()
  while [ "$1" != -- ]; do
    environment+=("$1")
    shift
  done
  shift
  env "${environment[@]}" "$EMUMACHINE" run "$machine" "$package\\setup.exe" "$@" >>"$machine_root/runs.log" 2>&1
  echo "exit $?"
}

answer() { "$EMUMACHINE" answer "$machine" "$@" >/dev/null; }

reg_set() { "$EMUMACHINE" reg "$machine" set "$1" "${2:-@}" sz "$3" >/dev/null; }

reg_delete() { "$EMUMACHINE" reg "$machine" delete "$1" "${2:-@}" >/dev/null; }

query_value() {  # KEY NAME
  local line
  line=$("$EMUMACHINE" reg "$machine" query "$1" "$2" 2>/dev/null) || return 1
  # NAME    REG_SZ    DATA
  sed -E 's/^.*    REG_[A-Z_]+    //' <<<"$line"
}

hold() {  # WINDOWS-PATH open|running
  local kind=() out="$machine_root/hold-${#holders[@]}.out"
  [ "$2" = running ] && kind=(--running)
  # Without a pipe on its stdin the tool holds until it gets a signal; it
  # prints "holding" once the file is held.
  "$EMUMACHINE" hold "$machine" "$1" "${kind[@]}" </dev/null >"$out" 2>&1 &
  await_holder "$!" "$out" "$1"
}

release_holds() { stop_holders; }

restart() { "$EMUMACHINE" restart "$machine" >>"$machine_root/runs.log" 2>&1; }

# The transcript's blocks, one line each.
events() {
  "$EMUMACHINE" transcript "$machine" | awk '
    function flush() {
      if (kind == "message box") printf "box %s %s (default %s): %s -> %s\n", icon, buttons, default_button, text, answer
      else if (kind == "shell open") printf "opened %s\n", address
      else if (kind == "program start") printf "started %s: %s (in %s)\n", started, command, folder
      kind = ""; text = ""
    }
    /^[a-z]/ { flush(); kind = $0; intext = 0; next }
    /^  text:$/ { intext = 1; next }
    /^    / && intext { line = substr($0, 5); text = text (text == "" ? "" : "\\n") line; next }
    /^  / { intext = 0; split($0, kv, ": "); key = substr(kv[1], 3); value = substr($0, length(kv[1]) + 3)
            if (key == "icon") icon = value; else if (key == "buttons") buttons = value
            else if (key == "answer") answer = value; else if (key == "address") address = value
            else if (key == "command line") command = value; else if (key == "folder") folder = value
            else if (key == "started") started = value; else if (key == "default button") default_button = value
            next }
    END { flush() }'
}

put_product_version() {  # WINDOWS-PATH A.B.C.D
  "$PE_VERSION_GEN" "$(host_path "$1")" --file-version "$2" >/dev/null
}
