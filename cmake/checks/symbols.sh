#!/usr/bin/env bash
# Checks what one subsystem library leaves undefined, after it is built. Each
# symbol must be defined by the library itself, by a library it may use, by
# the C++ runtime (libstdc++, libsupc++, libgcc) or be one of the pure C
# functions below; never a file, process or other system call, never a
# Windows import, never a library the table does not let it use. Prints one
# line per offending symbol and fails.
#
# Usage:
#   symbols.sh runtime OUT NM ARCHIVE...   the C++ runtime's symbols, once a build
#   symbols.sh --library ptv_NAME --archive FILE --nm NM --cxxfilt CXXFILT
#              --runtime FILE [--prefix _] [--may-use FILE]...
#              [--other ptv_NAME=FILE]... [--stamp FILE]
set -euo pipefail

defined() { # nm archive...: the external symbols the archives define
  local nm=$1
  shift
  "$nm" -g --defined-only -P "$@" 2> >(grep -v ': no symbols$' >&2 || true) |
    awk 'NF >= 2 { print $1 }'
}

if [ "${1:-}" = runtime ]; then
  out=$2 nm=$3
  shift 3
  mkdir -p "$(dirname "$out")"
  { [ $# -eq 0 ] || defined "$nm" "$@"; } | sort -u >"$out.tmp"
  mv "$out.tmp" "$out"
  exit 0
fi

library='' archive='' nm='' cxxfilt='' runtime='' prefix='' stamp=''
may=() other=()
while [ $# -gt 0 ]; do
  case $1 in
    --library) library=$2 ;;
    --archive) archive=$2 ;;
    --nm) nm=$2 ;;
    --cxxfilt) cxxfilt=$2 ;;
    --runtime) runtime=$2 ;;
    --prefix) prefix=$2 ;;
    --may-use) may+=("$2") ;;
    --other) other+=("$2") ;;
    --stamp) stamp=$2 ;;
    *) echo "symbols.sh: unknown argument $1" >&2; exit 2 ;;
  esac
  shift 2
done

# Pure ISO C functions (no file, process, environment, clock or locale) and
# what the compilers and C libraries turn their use and the C++ runtime's into.
c_functions="memchr memcmp memcpy memmove memset strcat strchr strcmp strcoll
  strcpy strcspn strlen strncat strncmp strncpy strpbrk strrchr strspn strstr
  strtok strxfrm wcslen wcscmp wcsncmp wcschr wcsrchr wmemchr wmemcmp wmemcpy
  wmemmove wmemset snprintf sprintf vsnprintf vsprintf sscanf vsscanf strtol
  strtoul strtoll strtoull strtod strtof strtold strtoimax strtoumax atoi atol
  atoll atof abs labs llabs div ldiv lldiv qsort bsearch isalnum isalpha isblank
  iscntrl isdigit isgraph islower isprint ispunct isspace isupper isxdigit
  tolower toupper malloc calloc realloc free abort fabs floor ceil trunc round
  lround fmod sqrt pow exp log log10 modf frexp ldexp"
runtime_support="atexit __cxa_atexit __cxa_finalize __cxa_thread_atexit_impl
  __dso_handle __stack_chk_fail __stack_chk_guard __libc_single_threaded
  __errno_location _errno __ctype_b_loc __ctype_tolower_loc __ctype_toupper_loc
  __mb_cur_max ___mb_cur_max_func __pctype_func _pctype _isctype __assert_fail
  _assert _wassert __tls_get_addr _GLOBAL_OFFSET_TABLE_"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# What the library and the libraries it may use define.
defined "$nm" "$archive" ${may[@]+"${may[@]}"} | sort -u >"$tmp/allowed"
# Which library of the tree defines what, to name it when a call goes the wrong way.
: >"$tmp/owners"
for pair in ${other[@]+"${other[@]}"}; do
  defined "$nm" "${pair#*=}" | sed "s/\$/ ${pair%%=*}/" >>"$tmp/owners"
done
# Undefined symbols, one "member symbol" line each, not those defined in reach.
"$nm" -u -P -A "$archive" |
  sed -nE 's/^.*\[([^]]*)\]: ([^ ]+) [a-zA-Z].*$/\1 \2/p' | sort -u |
  awk 'FILENAME != "-" { allowed[$1] = 1; next } !($2 in allowed)' "$tmp/allowed" - >"$tmp/open"
cut -d' ' -f2 "$tmp/open" | "$cxxfilt" >"$tmp/demangled"

paste -d' ' "$tmp/open" "$tmp/demangled" | awk -v library="$library" -v prefix="$prefix" \
  -v c_functions="$c_functions $runtime_support" '
  FILENAME == ARGV[1] { runtime[$1] = 1; next }
  FILENAME == ARGV[2] { owner[$1] = $2; next }
  BEGIN {
    n = split(c_functions, names, /[ \n]+/)
    for (i = 1; i <= n; i++) if (names[i] != "") c[names[i]] = 1
  }
  function plain_c(name) {
    if (prefix != "" && substr(name, 1, length(prefix)) == prefix) name = substr(name, length(prefix) + 1)
    if (name in c) return 1
    # glibc and MinGW name some of them differently: __isoc23_strtol,
    # __isoc99_sscanf, __mingw_vsnprintf, the checked __memcpy_chk.
    if (name ~ /^__(isoc23|isoc99|mingw)_/) { sub(/^__(isoc23|isoc99|mingw)_/, "", name); return name in c }
    if (name ~ /^__.+_chk$/) return substr(name, 3, length(name) - 6) in c
    return 0
  }
  function refuse(rule) {
    printf "error: %s (%s) uses %s: %s\n", library, member, shown, rule
    broken++
  }
  {
    member = $1; symbol = $2
    shown = $0; sub(/^[^ ]+ [^ ]+ /, "", shown)
    if (substr(shown, 1, 6) == "__imp_") {
      shown = substr(shown, 7)
      if (prefix != "" && substr(shown, 1, length(prefix)) == prefix) shown = substr(shown, length(prefix) + 1)
    }
    else if (shown == symbol && prefix != "" && substr(shown, 1, length(prefix)) == prefix)
      shown = substr(shown, length(prefix) + 1)
    if (shown != symbol) shown = shown " [" symbol "]"
    if (shown ~ /std::(__cxx11::)?(basic_filebuf|basic_ifstream|basic_ofstream|basic_fstream|__basic_file|filesystem|thread|this_thread|random_device)/ ||
        shown ~ /std::experimental::filesystem|std::ios_base::Init|std::(w?cout|w?cin|w?cerr|w?clog)([^a-z_]|$)/ ||
        shown ~ /std::chrono::(_V2::)?(system_clock|steady_clock|high_resolution_clock)::now/)
      refuse("the C++ library reaching the system (files, console, threads, clock). Subsystems do that only through src/platform")
    else if (symbol in runtime || plain_c(symbol))
      next
    else if (substr(symbol, 1, 6) == "__imp_") {
      # The functions of the C runtime DLL come as imports too.
      if (!plain_c(substr(symbol, 7)))
        refuse("an import from a Windows DLL. On Windows a subsystem calls the system only through src/platform")
    }
    else if (symbol in owner)
      refuse("defined by " owner[symbol] ", which " library " may not use (cmake/dependencies.cmake)")
    else
      refuse("defined by no library " library " may use, and neither the C++ runtime nor a pure C function. Subsystems call files, processes and the system only through src/platform")
  }
  END { exit (broken > 0) }
' "$runtime" "$tmp/owners" - || {
  echo "$library: what it leaves undefined breaks the rules of the tree. What each library may use is in cmake/dependencies.cmake" >&2
  exit 1
}

if [ -n "$stamp" ]; then
  mkdir -p "$(dirname "$stamp")"
  : >"$stamp"
fi
