#!/usr/bin/env bash
# The installation scenarios of tests/e2e/install_scenarios.sh that both
# builds run: the Windows x86_64 package under Wine, each scenario in a copy
# of one template prefix, and the same scenario on a fresh emulated machine
# of the Linux build; the two results must agree line for line once the
# paths of the two machines are mapped (the user's folder, StartUp). Also
# checks that both Windows builds' setup.exe import only libraries that
# Windows always takes from its system folder.
#
#   tests/wine/install_test.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR
#
# Works in WINDOWS_BUILD_DIR/wine-install (emptied on every run; the
# results of failed cases stay there); the template prefix is
# WINDOWS_BUILD_DIR/wine-install-template, made on the first run and reused.
# Prints one line per case and last "wine-install: N passed, M failed".
set -uo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 WINDOWS_BUILD_DIR LINUX_BUILD_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build_dir=$(cd "$1" && pwd) || exit 2
linux_dir=$(cd "$2" && pwd) || exit 2
work="$build_dir/wine-install"
template_prefix="$build_dir/wine-install-template"

wine=${WINE:-/usr/lib/wine/wine64}
wineserver=${WINESERVER:-/usr/lib/wine/wineserver}
mingw_cxx=${MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
mingw_windres=${MINGW_WINDRES:-x86_64-w64-mingw32-windres}
export WINEDEBUG=-all
# Without winemenubuilder, shortcuts in the Start menu or on the desktop
# stay inside the prefix: Wine would otherwise make host menu entries for them.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Nothing here may show a window.
unset DISPLAY WAYLAND_DISPLAY

summary_name=wine-install
source "$here/script_support.sh"

# --- the setup program's imports --------------------------------------------

imports_check="$linux_dir/tests/system_imports_check"
for program in "$build_dir/bin/setup.exe" "$build_dir/../win32/bin/setup.exe"; do
  [ -f "$program" ] || continue
  name="imports of $(basename "$(dirname "$(dirname "$program")")")/bin/setup.exe are system libraries only"
  if output=$("$imports_check" "$program"); then
    pass "$name"
  else
    fail "$name"
    sed 's/^/    /' <<<"$output"
  fi
done

# --- preparation -----------------------------------------------------------

for tool in "$wine" "$wineserver" "$mingw_cxx" "$mingw_windres" lnkinfo "$linux_dir/bin/emumachine"; do
  command -v "$tool" >/dev/null || fatal "$tool is missing"
done
[ -f "$build_dir/package/setup.exe" ] || fatal "no package in $build_dir/package"
[ -d "$linux_dir/package" ] || fatal "no package in $linux_dir/package"

rm -rf "$work"
mkdir -p "$work" || fatal "cannot make $work"

source "$here/scenario_prefix.sh"
prepare_scenario_prefix

# --- the scenarios ---------------------------------------------------------

source "$top/tests/e2e/install_scenarios.sh"

for scenario in "${both_builds_scenarios[@]}"; do
  case_dir="$work/$scenario"
  mkdir -p "$case_dir/wine" "$case_dir/emulated"
  (
    machine_root="$case_dir/emulated"
    EMUMACHINE="$linux_dir/bin/emumachine" PACKAGE_FOLDER="$linux_dir/package" PE_VERSION_GEN="$linux_dir/tests/pe_version_gen"
    source "$top/tests/e2e/install_backend_emulated.sh"
    new_machine && "scenario_$scenario"
    release_holds
  ) >"$case_dir/emulated.txt" 2>"$case_dir/emulated-errors.txt"
  (
    machine_root="$case_dir/wine"
    source "$here/install_backend_wine.sh"
    new_machine && "scenario_$scenario"
    release_holds
    timeout 30 "$wineserver" -k >/dev/null 2>&1
  ) 2>"$case_dir/wine-errors.txt" | map_wine_paths >"$case_dir/wine.txt"

  if [ -s "$case_dir/wine-errors.txt" ] || [ -s "$case_dir/emulated-errors.txt" ]; then
    fail "$scenario: the scenario itself failed:"
    cat "$case_dir/wine-errors.txt" "$case_dir/emulated-errors.txt" | sed 's/^/    /' | head -20
  elif ! diff -u --label "emulated machine" --label "Wine" "$case_dir/emulated.txt" "$case_dir/wine.txt" \
    >"$case_dir/diff.txt"; then
    fail "$scenario: the Windows build did otherwise than the emulated machine:"
    sed 's/^/    /' "$case_dir/diff.txt" | head -60
  else
    pass "$scenario: the same under Wine as on the emulated machine"
    rm -rf "$case_dir/wine/prefix" "$case_dir/emulated/machine"
  fi
done

echo "wine-install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
