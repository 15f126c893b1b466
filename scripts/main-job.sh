#!/usr/bin/env bash
# The main job: builds the Linux build, creates a fresh emulated Windows
# machine, puts the sample package on it as C:\Package and shows what the
# machine holds.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" linux
"$top/scripts/build.sh" linux >/dev/null
tool="$top/build/linux/bin/emumachine"
machine="$top/build/main-job/machine"
rm -rf "$machine"
mkdir -p "$(dirname "$machine")"
"$tool" create "$machine"
cp -r "$top/build/linux/package" "$machine/drives/c/Package"
"$tool" show "$machine" --depth 3
echo
echo "C:\\Package:"
"$tool" ls "$machine" 'C:\Package'
echo
echo "machine: $machine"
