#!/bin/bash
# The progress window and the error box on a virtual display with a window manager, checked
# by screenshots; the installer falling back to the terminal when no display can be had; and a
# run that cannot start (its progress window's stored layout damaged) keeping its windows up
# until the user closes one.
#
#   screenshots.sh WINDOW_DEMO SHOT_CHECK INSTALADOR STORE_DIR ARTEFACT_DIR [wine]
#
# STORE_DIR holds the stores the programs embed. With "wine" the two programs are Windows
# executables, run under Wine in a throwaway prefix whose Arial and MS Sans Serif are mapped
# onto installed faces (wine_prefix.sh). Screenshots stay in ARTEFACT_DIR for a person to look at.
set -u
demo=$1 check=$2 installer=$3 stores=$4 shots=$5 runner=${6:-}
work=$(mktemp -d)
if [ "$runner" = wine ]; then
  command -v wine >/dev/null || { echo "FAIL: wine is missing"; exit 1; }
  [ -f "$demo" ] && [ -f "$installer" ] || { echo "FAIL: no Windows build at $demo"; exit 1; }
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  run() { wine "$@"; }
  # shellcheck source=../e2e/wine_prefix.sh
  source "$(dirname "$0")/../e2e/wine_prefix.sh"
else
  run() { "$@"; }
fi
mkdir -p "$shots"
convert -size 86x57 xc:'rgb(230,20,20)' -size 86x58 xc:'rgb(20,20,230)' -append \
  -quality 95 "$work/picture.jpg"
pids=()
failed=0

cleanup() {
  [ "$runner" = wine ] && wineserver -k 2>/dev/null
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  failed=1
}

# shellcheck source=virtual_display.sh
source "$(dirname "$0")/virtual_display.sh"
start_virtual_display "$work" || exit 1
if [ "$runner" = wine ]; then
  wineboot -i >"$work/boot.txt" 2>&1 || { echo "FAIL: the Wine prefix could not be created"; exit 1; }
  map_windows_fonts
fi

# client_size TITLE: "WIDTH HEIGHT" of the first window of that title, as the X server has it:
# the client area, the window manager drawing the frame.
# Waits up to 10 s for process $1 to end; one still running then is killed and fails this.
ends_within_10s() {
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  kill "$1"
  return 1
}

# Runs the command until it succeeds, for up to 10 s: for what the window manager sets a moment
# after a window is mapped.
within_10s() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}

client_size() {
  local window
  window=$(xdotool search --name "$1" | head -1)
  [ -n "$window" ] && xwininfo -id "$window" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}'
}

# Shows the window at a step, waits until the demo says it is ready, takes a screenshot.
#   shoot NAME STEPS [nopump]
# With $before_shot set, runs it first (the demo still running).
before_shot=
shoot() {
  local name=$1
  shift
  run "$demo" "$work/$name.stop" "$work/picture.jpg" steps "$@" >"$work/$name.out" 2>&1 &
  local pid=$!
  for _ in $(seq 300); do grep -q ready "$work/$name.out" && break; sleep 0.1; done
  sleep 1
  if [ -n "$before_shot" ]; then
    $before_shot
    sleep 1
  fi
  import -window root "$shots/$name.png"
  convert "$shots/$name.png" "$work/$name.ppm"
  client_size "^Instalador\$" >"$work/$name.size"
  touch "$work/$name.stop"
  wait "$pid" || fail "$name: demo ended with $?"
  cat "$work/$name.out"
}

# check_icon SIZE...: the title-bar icons of the window "Instalador" are the program's, at each
# size given.
check_icon() {
  local window
  window=$(xdotool search --name '^Instalador$' | head -1)
  xprop -id "$window" -f _NET_WM_ICON 32c _NET_WM_ICON |
    python3 "$(dirname "$0")/window_icon.py" "$@" || fail "the window's icons"
}

# The sizes the windows carry: under Windows those the system asks for at its DPI (title bar and
# taskbar), on the Linux window every bitmap of the icon file, for the window manager to choose.
if [ "$runner" = wine ]; then icon_sizes="32 16"; else icon_sizes="16 24 32 48 64"; fi

echo "== 53% after 23 of 43 steps, window painted"
before_shot="check_icon $icon_sizes"
shoot gauge_53 23
before_shot=
"$check" "$work/gauge_53.ppm" 104 both painted || fail "gauge_53"

echo "== 2% after the first step"
shoot gauge_2 1
"$check" "$work/gauge_2.ppm" 3 beside painted || fail "gauge_2"

echo "== 100% after the last step"
shoot gauge_100 43
"$check" "$work/gauge_100.ppm" 197 over painted || fail "gauge_100"
"$check" "$work/gauge_100.ppm" full over painted >/dev/null || fail "gauge_100: the bevel around the gauge"

echo "== 53% with no message processing: the gauge alone is on the screen"
shoot gauge_nopump 23 nopump
"$check" "$work/gauge_nopump.ppm" 104 both gauge-only || fail "gauge_nopump"

echo "== the user's close (Alt+F4) is ignored while the run goes on"
close_window() {
  local window
  window=$(xdotool search --name '^Instalador$' | head -1)
  xdotool windowfocus --sync "$window"
  xdotool key alt+F4
}
before_shot=close_window
shoot closed 23
before_shot=
"$check" "$work/closed.ppm" 104 both painted || fail "closed"

title='Varnel Configuração de ambiente'
# Shows the error box over the window, takes a screenshot and the box's client size
# ($work/NAME.size), dismisses it with Return, and checks the program goes on.
#   error_box NAME
error_box() {
  local name=$1 box pid rc
  run "$demo" "$work/$name.stop" "$work/picture.jpg" error >"$work/$name.out" 2>&1 &
  pid=$!
  box=$(timeout 10 xdotool search --sync --name "^$title\$" | head -1)
  if [ -z "$box" ]; then
    fail "$name: no window named '$title'"
    kill "$pid"
  else
    # The box is laid out after it appears (Wine sizes it to its text a moment later, longer on
    # a busy machine): it is measured once two looks a quarter of a second apart agree.
    local size last=
    for _ in $(seq 40); do
      sleep 0.25
      size=$(client_size "^$title\$")
      [ -n "$size" ] && [ "$size" = "$last" ] && break
      last=$size
    done
    sleep 0.25
    import -window root "$shots/$name.png"
    client_size "^$title\$" >"$work/$name.size"
    xdotool windowfocus --sync "$box"
    xdotool key Return
    ends_within_10s "$pid" || fail "$name: the program did not go on after the box was dismissed"
  fi
  wait "$pid"
  rc=$?
  cat "$work/$name.out"
  [ "$rc" = 0 ] || fail "$name: error demo ended with $rc"
  tr -d '\r' <"$work/$name.out" | grep -q '^dismissed$' || fail "$name: the demo did not report the dismissal"
}

echo "== error box dismissed with Return"
error_box error_box

# At 150 % and 200 % (Wine's DPI setting, LogPixels, read by each new program): the window's
# client area scales by 1.5 and 2 from its 100 % size, with its gauge, bevels, label and picture;
# the gauge lies wholly inside its panel; the error box grows with the system's font.
if [ "$runner" = wine ]; then
  read -r width96 height96 <"$work/gauge_100.size"
  read -r box_width96 box_height96 <"$work/error_box.size"
  for dpi in 144 192; do
    scale=$((dpi * 100 / 96))
    echo "== $scale % ($dpi DPI): 100% after the last step, and the error box"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
    before_shot="check_icon $((32 * dpi / 96)) $((16 * dpi / 96))"
    shoot "gauge_100_dpi$dpi" 43
    before_shot=
    "$check" "$work/gauge_100_dpi$dpi.ppm" full over painted "$scale" || fail "gauge_100_dpi$dpi"
    read -r width height <"$work/gauge_100_dpi$dpi.size"
    want_width=$(((width96 * scale + 50) / 100)) want_height=$(((height96 * scale + 50) / 100))
    if [ $((width - want_width)) -ge -1 ] && [ $((width - want_width)) -le 1 ] &&
      [ $((height - want_height)) -ge -1 ] && [ $((height - want_height)) -le 1 ]; then
      echo "ok: client area ${width}x$height at $dpi DPI, ${width96}x$height96 at 96"
    else
      fail "client area ${width}x$height at $dpi DPI, want ${want_width}x$want_height (${width96}x$height96 at 96)"
    fi
    error_box "error_box_dpi$dpi"
    read -r box_width box_height <"$work/error_box_dpi$dpi.size"
    # Its text, icon and button grow with the DPI; its margins less so: at least half as
    # much as the scale, in both directions.
    if [ $((box_height * 200)) -ge $((box_height96 * (100 + scale))) ] &&
      [ $((box_width * 200)) -ge $((box_width96 * (100 + scale))) ]; then
      echo "ok: error box ${box_width}x$box_height at $dpi DPI, ${box_width96}x$box_height96 at 96"
    else
      fail "error box ${box_width}x$box_height at $dpi DPI, ${box_width96}x$box_height96 at 96"
    fi
  done
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  wineserver -w
fi

echo "== installer with a display, without one, and with one that cannot be opened"
for case in window nodisplay baddisplay; do
  mkdir -p "$work/$case"
  case $case in
    window) (cd "$work/$case" && run "$installer") 2>"$work/$case.err" ;;
    nodisplay) (cd "$work/$case" && env -u DISPLAY bash -c "$(declare -f run); run \"\$1\"" - "$installer") 2>"$work/$case.err" ;;
    baddisplay) (cd "$work/$case" && DISPLAY=:999 bash -c "$(declare -f run); run \"\$1\"" - "$installer") 2>"$work/$case.err" ;;
  esac
  echo "$case: exit code $?" | tee "$work/$case.rc"
  [ "$runner" = wine ] && wineserver -k 2>/dev/null
  (cd "$work/$case" && find . | sort) >"$work/$case.files"
done
for case in nodisplay baddisplay; do
  cmp -s "$work/window.files" "$work/$case.files" || fail "$case wrote other files than the window run"
  [ "$(cut -d' ' -f4 "$work/window.rc")" = "$(cut -d' ' -f4 "$work/$case.rc")" ] ||
    fail "$case ended with another exit code than the window run"
  tr -d '\r' <"$work/$case.err" | grep -q '^Instalador \[.*\] *[0-9]*%$' || fail "$case printed no gauge line"
  head -3 "$work/$case.err"
done
grep -q 'Instalador \[' "$work/window.err" && fail "the window run printed the terminal gauge"

# A run that cannot start: the program with its progress window's stored layout damaged. It
# shows the error; with a window front "Instalador" (the main form's window: a 399 x 87 client
# area, a fixed border with only the close button, on top, centred on the screen) and
# "FormProceda" then stay up until the user closes one of them, and the exit code is 1. The
# silent front ends at once with 1. Nothing is written.
damaged=$work/damaged/$(basename "$installer")
mkdir -p "$work/damaged"
python3 "$(dirname "$0")/damage_store.py" "$installer" "$stores/TPictureShow.store" "$damaged" ||
  fail "the damaged program could not be made"

# wait_for NAME: the first window of that exact title, once it is there (empty after 30 s).
wait_for() {
  local window=
  for _ in $(seq 300); do
    window=$(xdotool search --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  echo "$window"
}

# frame_extents WINDOW: the window manager's frame around the window, as "left right top
# bottom"; fails while the window has none (a window just mapped, or one Wine maps again after
# changing its style, has no frame for a moment).
frame_extents() {
  xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null |
    sed -n 's/.* = \([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\)$/\1 \2 \3 \4/p' | grep .
}

stays_on_top() {
  xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE
}

# motif_functions WINDOW: the functions the window asks its window manager to offer (the
# Motif hints: 2 resize, 4 move, 8 minimise, 16 maximise, 32 close), as a number.
motif_functions() {
  xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/.* = \(0x[0-9a-f]*\), \(0x[0-9a-f]*\),.*/\1 \2/p' |
    { read -r flags functions && echo $(((flags & 1) ? functions : 62)); }
}

for closed in Instalador FormProceda; do
  echo "== a run that cannot start, ended by closing $closed"
  root=$work/cannot_start_$closed/vexon7
  mkdir -p "$root"
  (cd "$root" && run "$damaged") >"$work/cannot_start.out" 2>&1 &
  pid=$!
  box=$(timeout 60 xdotool search --sync --name "^$title\$" | head -1)
  if [ -z "$box" ]; then
    fail "no error box '$title'"
    kill "$pid"
    wait "$pid"
    continue
  fi
  sleep 1
  [ "$closed" = Instalador ] && import -window root "$shots/cannot_start_error.png"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  menu=$(wait_for Instalador)
  proceda=$(wait_for FormProceda)
  sleep 1
  [ "$closed" = Instalador ] && import -window root "$shots/cannot_start_windows.png"
  if [ -z "$menu" ] || [ -z "$proceda" ]; then
    fail "after the error box: window Instalador '$menu', FormProceda '$proceda'"
  else
    kill -0 "$pid" 2>/dev/null || fail "the program ended while its windows were up"
    read -r width height < <(client_size '^Instalador$')
    [ "$width x $height" = "399 x 87" ] || fail "Instalador's client area is $width x $height"
    within_10s stays_on_top "$menu" || fail "Instalador does not stay on top"
    check_icon $icon_sizes
    functions=$(motif_functions "$menu")
    [ "$((functions & (2 | 8 | 16 | 32)))" = 32 ] ||
      fail "Instalador offers functions $functions; only close (32) and moving are wanted"
    proceda_functions=$(motif_functions "$proceda")
    [ "$((proceda_functions & (2 | 8 | 16 | 32)))" = 58 ] ||
      fail "FormProceda offers functions $proceda_functions, not a sizeable window's"
    # Centred: the frame's middle (the window manager's frame around the client area) at the
    # screen's, give or take the difference of the title bar the program reckoned with.
    if ! extents=$(within_10s frame_extents "$menu"); then
      fail "the window manager never framed Instalador (no _NET_FRAME_EXTENTS after 10 s)"
      kill -0 "$openbox_pid" 2>/dev/null || echo "openbox is no longer running"
      sed 's/^/openbox: /' "$work/openbox.log"
      xwininfo -id "$menu" | grep -E 'Map State|Override Redirect'
      xprop -id "$menu" WM_STATE _NET_WM_STATE WM_TRANSIENT_FOR _NET_WM_WINDOW_TYPE
    else
      read -r left right top bottom <<<"$extents"
      read -r x y < <(xwininfo -id "$menu" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4} END {print x, y}')
      read -r screen_width screen_height < <(xdotool getdisplaygeometry)
      dx=$(((2 * (x - left) + width + left + right) - screen_width))
      dy=$(((2 * (y - top) + height + top + bottom) - screen_height))
      if [ "${dx#-}" -le 16 ] && [ "${dy#-}" -le 16 ]; then
        echo "ok: Instalador ${width}x$height at $x,$y, centred (twice its centre is off by $dx,$dy)"
      else
        fail "Instalador at $x,$y (${width}x$height, frame $left $right $top $bottom) is not centred"
      fi
    fi
    target=$menu
    [ "$closed" = FormProceda ] && target=$proceda
    xdotool windowfocus --sync "$target"
    xdotool key alt+F4
  fi
  ends_within_10s "$pid" || fail "the program did not end when $closed was closed"
  wait "$pid"
  rc=$?
  tr -d '\r' <"$work/cannot_start.out"
  [ "$rc" = 1 ] || fail "closing $closed ended the program with $rc, not 1"
  [ -z "$(ls -A "$root")" ] || fail "the run that could not start wrote into its root: $(ls -A "$root")"
  [ "$runner" = wine ] && wineserver -k 2>/dev/null
done

echo "== a run that cannot start, silent"
root=$work/cannot_start_silent/vexon7
mkdir -p "$root"
(cd "$root" && run "$damaged" --silent) >"$work/silent.out" 2>&1
rc=$?
tr -d '\r' <"$work/silent.out"
[ "$rc" = 1 ] || fail "the silent run that cannot start ended with $rc, not 1"
tr -d '\r' <"$work/silent.out" | grep -q 'Stored layout TPICTURESHOW is damaged' ||
  fail "the silent run did not tell why it could not start"
[ -z "$(ls -A "$root")" ] || fail "the silent run that could not start wrote into its root"

exit $failed
