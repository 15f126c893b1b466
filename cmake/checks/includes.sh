#!/usr/bin/env bash
# Checks what the files of one subsystem folder include, before the folder is
# compiled. A quoted include must name a file of the subsystem's own folder,
# of the folders of the libraries it may use (from src/platform only the
# interface headers directly in it), of resources/ or of the generated
# headers; a <...> include must be a C++ standard header of the fixed list
# below. Prints one line per broken rule (file:line: error: ...) and fails.
#
# With --shallow only the files directly in the folder are checked (the
# platform interface, whose implementations live in its subfolders).
#
# A library's folder is src/NAME unless the table gives it another one
# (--folder for the library checked, --owner for every library whose folder
# is not src/NAME); a file belongs to the library with the deepest folder
# that holds it, so a library nested in another's folder is its own.
#
# Usage: includes.sh --library ptv_NAME [--folder PATH] [--uses ptv_NAME]...
#                    [--owner ptv_NAME=PATH]... --src DIR [--also DIR]...
#                    [--shallow] [--stamp FILE]
set -euo pipefail

library='' folder='' uses='' src='' stamp='' depth=()
also=()
declare -A folder_of=()
while [ $# -gt 0 ]; do
  case $1 in
    --shallow) depth=(-maxdepth 1); shift; continue ;;
    --library) library=$2 ;;
    --folder) folder=$2 ;;
    --uses) uses+=" $2" ;;
    --owner) folder_of[${2%%=*}]=${2#*=} ;;
    --src) src=$2 ;;
    --also) also+=("$2") ;;
    --stamp) stamp=$2 ;;
    *) echo "includes.sh: unknown argument $1" >&2; exit 2 ;;
  esac
  shift 2
done
[ -n "$folder" ] || folder=${folder_of[$library]:-${library#ptv_}}
folder_of[$library]=$folder
src=$(realpath -m "$src")
for i in "${!also[@]}"; do also[$i]=$(realpath -m "${also[$i]}"); done
top=$(dirname "$src")

# The C++17 standard headers a subsystem may include. Left out on purpose:
# the ones whose job is to reach the system (files, streams on the console,
# threads and their locks, signals, the clock, the locale), which subsystems
# reach only through src/platform.
standard=" algorithm any array atomic bitset cassert ccomplex cctype cerrno cfenv
  cfloat charconv chrono cinttypes ciso646 climits cmath codecvt complex cstdalign
  cstdarg cstdbool cstddef cstdint cstdio cstdlib cstring ctgmath cuchar cwchar
  cwctype deque exception forward_list functional initializer_list iomanip ios
  iosfwd istream iterator limits list locale map memory memory_resource new
  numeric optional ostream queue random ratio regex scoped_allocator set sstream
  stack stdexcept streambuf string string_view strstream system_error tuple
  type_traits typeindex typeinfo unordered_map unordered_set utility valarray
  variant vector "
standard=" $(echo $standard) "
reaching=" filesystem fstream iostream thread future mutex shared_mutex
  condition_variable execution csignal csetjmp ctime clocale "
reaching=" $(echo $reaching) "

# The folders this subsystem may include from.
allowed_text="src/$folder"
may_platform=no
[ "$library" = ptv_platform ] && may_platform=yes
declare -A may_use=(["$library"]=1)
for dep in $uses; do
  if [ "$dep" = ptv_platform ]; then
    may_platform=yes
    allowed_text+=", the headers directly in src/platform"
  else
    may_use[$dep]=1
    [ -n "${folder_of[$dep]:-}" ] || folder_of[$dep]=${dep#ptv_}
    allowed_text+=", src/${folder_of[$dep]}"
  fi
done

# The library whose folder holds a path below src/ (the deepest such folder);
# a top folder that no library names counts as its own library.
owner_of() { # path-below-src
  local lib best='' best_length=0 dir
  for lib in "${!folder_of[@]}"; do
    dir=${folder_of[$lib]}
    case $1 in
      "$dir"/*)
        if [ ${#dir} -gt $best_length ]; then
          best=$lib
          best_length=${#dir}
        fi ;;
    esac
  done
  [ -n "$best" ] || best=ptv_${1%%/*}
  echo "$best"
}
allowed_text+=", resources/ and the generated headers"

broken=0
report() { # file line message
  echo "${1#"$top"/}:$2: error: $3"
  broken=$((broken + 1))
}

# Where the compiler finds a quoted include: next to the including file, then
# in the include folders of the build. Prints the normalised path or nothing.
resolve() { # including-file name
  local dir candidate
  for dir in "$(dirname "$1")" "$src" "${also[@]}"; do
    candidate=$dir/$2
    case $candidate in */./* | */../*) candidate=$(realpath -m "$candidate") ;; esac
    if [ -f "$candidate" ]; then
      echo "$candidate"
      return
    fi
  done
}

check_quoted() { # file line name
  local path rest sub owner
  path=$(resolve "$1" "$3")
  if [ -z "$path" ]; then
    report "$1" "$2" "#include \"$3\" names no file of src/, resources/ or the generated headers. A system header is included with <...>"
    return
  fi
  for dir in "${also[@]}"; do
    case $path in "$dir"/*) return ;; esac
  done
  case $path in
    "$src"/platform/*)
      rest=${path#"$src"/platform/}
      if [ "$rest" != "${rest#*/}" ]; then
        report "$1" "$2" "#include \"$3\" is in src/platform/${rest%%/*}: a subsystem includes only the interface headers directly in src/platform, never platform/win32 or platform/emulated"
      elif [ $may_platform = no ]; then
        report "$1" "$2" "#include \"$3\" is in src/platform, which $library may not use. src/$folder may include only from $allowed_text"
      fi
      ;;
    "$src"/*)
      rest=${path#"$src"/}
      sub=${rest%/*}
      owner=$(owner_of "$rest")
      if [ "$rest" = "${rest%%/*}" ] || [ -z "${may_use[$owner]:-}" ]; then
        report "$1" "$2" "#include \"$3\" is in src/$sub, which $library may not use. src/$folder may include only from $allowed_text"
      fi
      ;;
    *)
      report "$1" "$2" "#include \"$3\" is ${path#"$top"/}, outside what a subsystem may include. src/$folder may include only from $allowed_text"
      ;;
  esac
}

check_system() { # file line name
  local name=$3
  case $standard in *" $name "*) return ;; esac
  case $reaching in
    *" $name "*)
      report "$1" "$2" "#include <$name> reaches the system (files, console, threads, signals, clock or locale) directly. Subsystems do that only through src/platform"
      return ;;
  esac
  case $name in
    *.h) case $standard in *" c${name%.h} "*)
      report "$1" "$2" "#include <$name>: a subsystem includes the C++ form <c${name%.h}>"
      return ;; esac ;;
  esac
  report "$1" "$2" "#include <$name> is not one of the C++ standard headers a subsystem may include. The system is reached only through src/platform"
}

while IFS= read -r -d '' file; do
  while IFS= read -r hit; do
    line=${hit%%:*}
    text=${hit#*:}
    [[ $text =~ ^[[:space:]]*#[[:space:]]*([a-z_]+)[[:space:]]*(.*)$ ]]
    directive=${BASH_REMATCH[1]}
    operand=${BASH_REMATCH[2]}
    if [ "$directive" != include ]; then
      report "$file" "$line" "#$directive: a subsystem uses plain #include"
    elif [[ $operand =~ ^\"([^\"]+)\" ]]; then
      check_quoted "$file" "$line" "${BASH_REMATCH[1]}"
    elif [[ $operand =~ ^\<([^\>]+)\> ]]; then
      check_system "$file" "$line" "${BASH_REMATCH[1]}"
    else
      report "$file" "$line" "#include $operand: a subsystem names its headers literally"
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*(include|include_next|import)([^a-z_]|$)' "$file" || true)
done < <(
  # The folders of libraries nested in this one's are theirs to check.
  prune=()
  for lib in "${!folder_of[@]}"; do
    case ${folder_of[$lib]} in "$folder"/*) prune+=(-path "$src/${folder_of[$lib]}" -prune -o) ;; esac
  done
  find "$src/$folder" "${depth[@]}" "${prune[@]}" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.inc' \) -print0 | sort -z)

if [ $broken -gt 0 ]; then
  echo "$library: $broken include(s) break the rules of the tree. What each library may use is in cmake/dependencies.cmake" >&2
  exit 1
fi
if [ -n "$stamp" ]; then
  mkdir -p "$(dirname "$stamp")"
  : >"$stamp"
fi
