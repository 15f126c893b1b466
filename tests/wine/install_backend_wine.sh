# The backend of the installation scenarios (tests/e2e/install_scenarios.sh)
# under Wine: each machine is a copy of a template prefix. Needs wine,
# wineserver, template_prefix, wine_package (the package with the helper as
# Ptav6.exe), machine_root and wine_user set by the caller.
machine_user=$wine_user
declare -A reg_cache=()

package_folder() { printf '%s' "$wine_package"; }

new_machine() {
  export WINEPREFIX="$machine_root/prefix"
  rm -rf "$WINEPREFIX"
  cp -a "$template_prefix" "$WINEPREFIX" || return 1
  host_c="$WINEPREFIX/drive_c"
  reg_cache=()
}

run_setup() {  # [VAR=VALUE...] -- ARGS...
  local environment=()
  while [ "$1" != -- ]; do
    environment+=("$1")
    shift
  done
  shift
  reg_cache=()
  env "${environment[@]}" timeout --kill-after=5 120 "$wine" "$package\\setup.exe" "$@" >>"$machine_root/runs.log" 2>&1
  echo "exit $?"
}

answer() {
  echo "answer: no operator answers message boxes under Wine" >&2
  return 1
}

reg_set() {  # KEY NAME DATA
  reg_cache=()
  if [ -n "$2" ]; then
    "$wine" reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1
  else
    "$wine" reg add "$1" /ve /t REG_SZ /d "$3" /f >/dev/null 2>&1
  fi
}

reg_delete() {  # KEY NAME
  reg_cache=()
  if [ -n "$2" ]; then
    "$wine" reg delete "$1" /v "$2" /f >/dev/null 2>&1
  else
    "$wine" reg delete "$1" /ve /f >/dev/null 2>&1
  fi
}

# Wine's reg query prints a key's values as "    NAME    REG_SZ    DATA";
# each key is asked once per state of the machine.
query_value() {  # KEY NAME
  local key=$1 name=${2:-(Default)}
  if [ -z "${reg_cache[$key]+set}" ]; then
    # Wine's reg has been seen to crash now and then on a query; a key that
    # is there answers with status 0, so a failed query is asked again.
    local attempt out
    for attempt in 1 2 3; do
      out=$("$wine" reg query "$key" 2>/dev/null) && break
    done
    reg_cache[$key]=$(tr -d '\r' <<<"$out")
  fi
  local line
  line=$(awk -v name="$name" '
    { split($0, parts, "    ") } parts[2] == name && parts[3] ~ /^REG_/ { print; exit }' <<<"${reg_cache[$key]}")
  [ -n "$line" ] || return 1
  sed -E 's/^    [^ ].*    REG_[A-Z_]+    //; s/^    [^ ].*    REG_[A-Z_]+$//' <<<"$line"
}

hold() {  # WINDOWS-PATH open|running
  local out="$machine_root/hold-${#holders[@]}.out"
  if [ "$2" = running ]; then
    # The helper put in the file's place and run: its own file is then in use.
    cp "$host_c/ptvtest/install_helper.exe" "$(host_path "$1")"
    "$wine" "$1" hold-running </dev/null >"$out" 2>&1 &
  else
    "$wine" 'C:\ptvtest\install_helper.exe' hold-open "$1" </dev/null >"$out" 2>&1 &
  fi
  await_holder "$!" "$out" "$1"
}

release_holds() {
  stop_holders
  # Until every program of the prefix has ended and the registry is written.
  timeout 60 "$wineserver" -w
}

# Wine's restart: no program running, then wineboot carries out the
# operations scheduled for it.
restart() {
  reg_cache=()
  timeout 60 "$wineserver" -k >/dev/null 2>&1
  timeout 120 "$wine" wineboot -r >>"$machine_root/runs.log" 2>&1
  timeout 60 "$wineserver" -w
}

events() {
  # The programs that note events may still be running.
  timeout 60 "$wineserver" -w
  [ -f "$host_c/ptvtest/events.txt" ] && tr -d '\r' <"$host_c/ptvtest/events.txt"
  return 0
}

put_product_version() {
  echo "put_product_version: not used under Wine" >&2
  return 1
}
