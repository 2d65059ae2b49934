#!/bin/bash
# The sheet viewer on a virtual X server with a window manager: one page of a test store with
# a button that has an overlay, screenshots at rest, hovered (pointer moved with xdotool),
# disabled (the toggle clicked with xdotool) and disabled under the pointer, then the pixels
# checked. Missing X tools are a failure, not a skip.
#
# sheetview_shots.sh <sheetview> <pack> <shot_check> <layout> <output folder>
set -euo pipefail
viewer=$1 pack=$2 check=$3 layout=$4 out=$5

for tool in Xvfb openbox xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

rm -rf "$out"
mkdir -p "$out"
"$check" art "$out/art"
"$pack" "$layout" "$out/art" "$out/check.store"

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

# shellcheck source=../screen/virtual_display.sh
source "$(dirname "$0")/../screen/virtual_display.sh"
start_virtual_display "$out" || exit 1

"$viewer" --file "$out/check.store" --page Teste --report >"$out/report.txt" 2>"$out/viewer.log" &
pids=($! "${pids[@]}")
for _ in $(seq 100); do grep -q '^ready' "$out/report.txt" && break; sleep 0.1; done
grep -q '^ready' "$out/report.txt" || { echo "FAIL: the viewer did not come up"; cat "$out/viewer.log"; exit 1; }
window=$(xdotool search --name '^sheetview$' | head -n 1)
read -r _ tx ty _ _ < <(grep '^toggle ' "$out/report.txt")
read -r _ _ ix iy _ _ < <(grep '^image BotaoOverlay ' "$out/report.txt")

park() { xdotool mousemove 1020 764; }  # a screen corner outside the window
over() { xdotool mousemove --window "$window" $((ix + 20)) $((iy + 20)); }
shot() {
  sleep 0.7  # let the viewer repaint
  import -window root "$out/$1.png"
  convert "$out/$1.png" "$out/$1.ppm"
}

park
shot rest
over
shot hover
park
xdotool mousemove --window "$window" $((tx + 10)) $((ty + 10)) click 1
park
shot disabled
over
shot disabled-hover

"$check" check "$out"
