#!/usr/bin/env bash
# The program in a real X window: it starts, its window maps, a screenshot of it
# is not blank, and the power button closes it.
set -euo pipefail
bin=$(cd "${1:?usage: smoke.sh BIN_DIR}" && pwd)
out=$(mktemp -d)
disp=90
while [ -e "/tmp/.X${disp}-lock" ]; do disp=$((disp + 1)); done
Xvfb ":$disp" -screen 0 640x640x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "${app:-}" "$xvfb" 2>/dev/null || true; rm -rf "$out"' EXIT
export DISPLAY=":$disp" XDG_RUNTIME_DIR="$out"
chmod 700 "$out"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$bin" && QT_QPA_PLATFORM=xcb exec ./brivant) &
app=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
[ -n "$wid" ] || { echo "smoke: the window never mapped"; exit 1; }
sleep 0.5
import -window "$wid" "$out/window.png"
size=$(identify -format '%wx%h' "$out/window.png")
spread=$(convert "$out/window.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
echo "smoke: window $size, grey spread $spread"
[ "$size" = "335x512" ] || { echo "smoke: unexpected window size"; exit 1; }
awk -v s="$spread" 'BEGIN { exit !(s > 0.05) }' || { echo "smoke: the window is blank"; exit 1; }

# The power button lies at the lower left edge of the organiser.
xdotool mousemove --window "$wid" 16 448 click 1
for _ in $(seq 150); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then echo "smoke: the power button did not close the program"; exit 1; fi
wait "$app" || { echo "smoke: the program failed on closing"; exit 1; }
echo "smoke: 1 passed, 0 failed"
