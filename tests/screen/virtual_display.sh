# Sourced by the screenshot scripts: a virtual X server with openbox managing its windows.
#
#   start_virtual_display DIR
#
# Starts Xvfb (1024x768, 24 bits) on a display number it finds free itself, so two scripts
# started at once never share a server, and waits until it accepts connections. Then starts
# openbox and waits until it manages the screen (it has announced itself on the root window):
# a window checked for its frame, title-bar buttons or place before that would be checked
# without a window manager. An openbox that ends before then is started again, twice at most.
# Exports DISPLAY, sets openbox_pid, appends both processes to the caller's array `pids` and
# keeps their output in DIR/xvfb.log and DIR/openbox.log. Prints why and returns 1 on failure.
start_virtual_display() {
  local dir=$1 number= try
  rm -f "$dir/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  local xvfb=$!
  pids+=("$xvfb")
  # Xvfb writes the display's number, a line, once it accepts connections.
  for _ in $(seq 300); do
    [ "$(wc -l <"$dir/display" 2>/dev/null || echo 0)" -ge 1 ] && number=$(head -1 "$dir/display") && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$number" ]; then
    echo "FAIL: Xvfb did not start"
    sed 's/^/Xvfb: /' "$dir/xvfb.log"
    return 1
  fi
  export DISPLAY=":$number"
  for try in 1 2 3; do
    openbox >"$dir/openbox.log" 2>&1 &
    openbox_pid=$!
    pids+=("$openbox_pid")
    for _ in $(seq 300); do
      if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        return 0
      fi
      kill -0 "$openbox_pid" 2>/dev/null || break
      sleep 0.1
    done
    echo "openbox did not come up to manage the screen (try $try of 3)"
    sed 's/^/openbox: /' "$dir/openbox.log"
    kill "$openbox_pid" 2>/dev/null
  done
  echo "FAIL: no window manager on $DISPLAY"
  return 1
}
