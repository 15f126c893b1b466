# What the installation scenarios under Wine need, made once per run:
# the helper (install_helper.cpp with the product's version) that stands in
# for the product and notes the web addresses opened, the package with the
# helper as Ptav6.exe ($wine_package), and the template prefix
# ($template_prefix, made on the first run and reused) that every scenario
# copies, with its user ($wine_user). Sourced by tests/wine/install_test.sh
# and tests/wine/wizard_test.sh; needs wine, wineserver, mingw_cxx,
# mingw_windres, here, top, build_dir, work, template_prefix and fatal.

prepare_scenario_prefix() {
  # The helper, with the product's version so that it can stand in for it.
  helper="$work/install_helper.exe"
  timeout 300 "$mingw_windres" -I "$top/product" -i "$top/product/ptav6.rc" -O coff -o "$work/helper.res.o" \
    >"$work/helper.log" 2>&1 &&
    timeout 300 "$mingw_cxx" -std=c++17 -O1 -Wall -Wextra -Werror -static -o "$helper" "$here/install_helper.cpp" \
      "$work/helper.res.o" >>"$work/helper.log" 2>&1 || fatal "the helper does not build (see $work/helper.log)"

  # The package as built, with the helper as Ptav6.exe: it notes its start.
  wine_package="$work/package"
  cp -r "$build_dir/package" "$wine_package" && cp "$helper" "$wine_package/Ptav6.exe" || fatal "cannot copy the package"

  timeout 30 "$wineserver" -k >/dev/null 2>&1
  if [ ! -f "$template_prefix/system.reg" ]; then
    echo "creating the template prefix $template_prefix"
    rm -rf "$template_prefix"
    # Without a display, so that the prefix update shows no window of its own.
    WINEPREFIX="$template_prefix" env -u DISPLAY timeout 300 "$wine" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$template_prefix" timeout 120 "$wineserver" -w
    [ -f "$template_prefix/system.reg" ] || fatal "could not create the template prefix"
  fi
  # The user's folders of a new prefix lead to the host's home folder; here
  # they are folders of the prefix, so that nothing installed lands outside it.
  for link in "$template_prefix/drive_c/users/"*/*; do
    if [ -L "$link" ]; then
      rm "$link" && mkdir "$link" || fatal "cannot replace $link"
    fi
  done
  # Web addresses open with the helper, which only notes them.
  mkdir -p "$template_prefix/drive_c/ptvtest"
  cp "$helper" "$template_prefix/drive_c/ptvtest/install_helper.exe"
  rm -f "$template_prefix/drive_c/ptvtest/events.txt"
  WINEPREFIX="$template_prefix" env -u DISPLAY "$wine" reg add 'HKEY_CLASSES_ROOT\http\shell\open\command' /ve /t REG_SZ \
    /d '"C:\ptvtest\install_helper.exe" open "%1"' /f >/dev/null 2>&1 || fatal "cannot set the prefix's web browser"
  # On a virtual display without a window manager Wine draws the captions of
  # the windows itself, with their icons.
  WINEPREFIX="$template_prefix" env -u DISPLAY "$wine" reg add 'HKEY_CURRENT_USER\Software\Wine\X11 Driver' /v Decorated \
    /t REG_SZ /d N /f >/dev/null 2>&1 || fatal "cannot set how the prefix draws its windows"
  WINEPREFIX="$template_prefix" timeout 120 "$wineserver" -w
  wine_user=$(ls "$template_prefix/drive_c/users" | grep -vx Public | head -n 1)
  [ -n "$wine_user" ] || fatal "the template prefix has no user folder"
}

# What differs between the two machines without mattering.
map_wine_paths() {
  sed -e "s/C:\\\\users\\\\$wine_user\\\\/C:\\\\users\\\\User\\\\/g" -e 's/\\StartUp\\/\\Startup\\/g' -e 's/\\StartUp$/\\Startup/'
}
