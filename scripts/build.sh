#!/usr/bin/env bash
# Configures and builds one of the three builds into build/<name>.
# Usage: build.sh linux|win64|win32
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
name=$1
args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
case "$name" in
  linux) ;;
  win64) args+=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-x86_64.cmake") ;;
  win32) args+=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-i686.cmake" -DPTV_TESTS=OFF) ;;
  *) echo "unknown build: $name" >&2; exit 2 ;;
esac
mkdir -p "$top/build"
dir="$top/build/$name"
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$top" -B "$dir" "${args[@]}" >"$dir.configure.log" 2>&1 || { mkdir -p "$dir"; cat "$dir.configure.log" >&2; exit 1; }
fi
cmake --build "$dir" -- -k 0
