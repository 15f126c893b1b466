# What the end-to-end runs under Wine share, sourced by them: the Wine
# programs and environment, the box probe, a virtual X display and the Wine
# prefix. The sourcing script defines fatal MESSAGE (reports and exits) and
# sets build_dir, work and here before it calls these, and wine_prefix
# before it sources this when it wants a prefix other than the shared one.

wine=${WINE:-/usr/lib/wine/wine64}
wineserver=${WINESERVER:-/usr/lib/wine/wineserver}
mingw_cxx=${MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
export WINEPREFIX="${wine_prefix:-$build_dir/wine-e2e-prefix}"
export WINEDEBUG=-all
# No browser and no host menu entries: a setup that opens a web address or
# makes shortcuts must not reach beyond the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winebrowser.exe=d;winemenubuilder.exe=d"
unset WAYLAND_DISPLAY
caption="Pictavo Setup"
xvfb_pid=""

# Builds the box probe into $work/box_probe.exe and sets probe.
build_box_probe() {
  probe="$work/box_probe.exe"
  timeout 300 "$mingw_cxx" -std=c++17 -O1 -Wall -Wextra -Werror -static -o "$probe" "$here/box_probe.cpp" \
    >"$work/box_probe.log" 2>&1 || fatal "the box probe does not build (see $work/box_probe.log)"
}

# Starts Xvfb on a free display (it reports the number on descriptor 3),
# exports DISPLAY and sets xvfb_pid.
start_display() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && [ "$(wc -l <"$work/display")" -ge 1 ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  local display_number
  display_number=$(tr -dc 0-9 <"$work/display")
  [ -n "$display_number" ] || fatal "Xvfb did not start (see $work/xvfb.log)"
  export DISPLAY=":$display_number"
  timeout 10 xdotool getdisplaygeometry >/dev/null 2>&1 || fatal "display $DISPLAY does not answer"
}

stop_display() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}

# Makes the prefix on the first run and starts one server for the whole run,
# so that Wine's desktop process starts once.
prepare_prefix() {
  # A server left over from an interrupted run would still draw on its old display.
  timeout 30 "$wineserver" -k >/dev/null 2>&1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX"
    # Without a display, so that the prefix update shows no window of its own.
    env -u DISPLAY timeout 300 "$wine" wineboot -i >/dev/null 2>&1
    timeout 120 "$wineserver" -w
    [ -f "$WINEPREFIX/system.reg" ] || fatal "could not create the Wine prefix"
  fi
  timeout 30 "$wineserver" -p || fatal "wineserver does not start"
}

# The id of the visible box with the caption, or nothing.
box_window() {
  timeout 10 xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1
}
