# What the Windows end-to-end runs share: a throwaway Wine prefix for the whole script, drive D:
# mapped onto a host folder, the exit code of a program started from a batch file, and an
# install root held locked by another process. Sourced after tree_checks.sh; needs $work.

# new_wine_prefix: a fresh prefix in $work/prefix, without a display; the prefix's server is
# stopped and $work removed when the script ends (a server started without a display breaks a
# later run with one).
new_wine_prefix() {
  export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY WAYLAND_DISPLAY
  trap 'wineserver -k 2>/dev/null; chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
  if ! wineboot -i >"$work/boot.txt" 2>&1; then
    echo "FAIL: the Wine prefix could not be created"
    sed 's/^/  | /' "$work/boot.txt"
    exit 1
  fi
  map_windows_fonts
}

# map_windows_fonts: the prefix's Arial is Liberation Sans (Arial's metrics: Debian's
# fonts-liberation2), its MS Sans Serif DejaVu Sans (the face fontconfig gives the Linux window
# for it). A prefix has neither font: Wine would draw Arial text in a wider face, which the
# progress window's label box cuts, and MS Sans Serif in a fallback face whose bold, cut to the
# gauge's ink, looks regular.
map_windows_fonts() {
  if ! fc-list | grep -q 'Liberation Sans' || ! fc-list | grep -q 'DejaVu Sans'; then
    echo "FAIL: Liberation Sans or DejaVu Sans is missing (fonts-liberation2, fonts-dejavu-core)"
    exit 1
  fi
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ \
    /d 'Liberation Sans' /f >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Sans Serif' /t REG_SZ \
      /d 'DejaVu Sans' /f >/dev/null 2>&1 &&
    wineserver -w || {
    echo "FAIL: the prefix's fonts could not be mapped"
    exit 1
  }
}

# map_d <folder>: drive D: is <folder> from now on.
map_d() {
  ln -sfn "$1" "$WINEPREFIX/dosdevices/d:"
}

# batch_status <output file>: the exit code a batch file echoed as "exit=N" (bash sees only the
# last 8 bits of a Windows exit code; the batch file reads it whole), 999 when there is none.
batch_status() {
  local status
  status=$(tr -d '\r' <"$1" | sed -n 's/^exit=//p' | tail -1)
  echo "${status:-999}"
}
# hold_root_lock <host folder of drive D:> <Windows install root>: the Win32 check program ($check)
# holds the installation lock of the root, in the background, until release_root_lock.
hold_root_lock() {
  HOLD_DRIVE=$1
  rm -f "$HOLD_DRIVE/stop"
  (cd "$HOLD_DRIVE" && wine "$check" --hold-lock "$2" 'd:\stop' >"$work/hold.txt" 2>&1) &
  HOLDER=$!
  for _ in $(seq 1 200); do grep -q held "$work/hold.txt" 2>/dev/null && break; sleep 0.1; done
}
release_root_lock() {
  touch "$HOLD_DRIVE/stop"
  wait "$HOLDER"
}
