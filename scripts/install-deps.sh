#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, only when one is
# missing, so a later run costs nothing. Usage: install-deps.sh [linux|all]
set -euo pipefail
what=${1:-all}
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev googletest libbenchmark-dev liblnk-utils)
if [ "$what" = all ]; then
  packages+=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 xvfb xdotool x11-apps imagemagick)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
