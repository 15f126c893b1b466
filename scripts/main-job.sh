#!/usr/bin/env bash
# The main job: builds the Linux build, creates a fresh emulated Windows
# machine and shows what it holds.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" linux
"$top/scripts/build.sh" linux >/dev/null
tool="$top/build/linux/bin/emumachine"
machine="$top/build/main-job/machine"
rm -rf "$machine"
mkdir -p "$(dirname "$machine")"
"$tool" create "$machine"
"$tool" show "$machine"
echo "machine: $machine"
