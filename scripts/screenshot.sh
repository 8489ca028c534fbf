#!/usr/bin/env bash
# Retakes docs/screenshot.png, the picture of the program in the README:
#   bash scripts/screenshot.sh [output.png]
# FERROWEN_SCREENSHOT_SIZE (default 1280x800) sets the screen and window size.
# Builds what it needs, then runs the demo webmail site and the real program
# under a private Xvfb screen, with throw-away settings and main folder (your
# own are never touched), goes to the demo site's Yahoo-style inbox the way
# a user would (typing its address into the address box) and captures the
# main window once the page has settled.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${FERROWEN_BUILD_DIR:-$root/build}"
out="${1:-$root/docs/screenshot.png}"
size="${FERROWEN_SCREENSHOT_SIZE:-1280x800}"
width="${size%x*}"
height="${size#*x}"
port="${FERROWEN_DEMO_PORT:-8765}"

# Only this script needs them, so CI does not install them: xwd (x11-apps)
# captures the window, ImageMagick converts and compares the pictures,
# xdotool types into the window.
need=()
for p in x11-apps imagemagick xdotool; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
fi

bash "$root/scripts/build.sh" --target ferrowen sorvik2 ferrowen-install ferrowen-demo-webmail

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

"$build/tools/installer/ferrowen-install" --data "$root/data" --companion "$build/tools/sorvik2/sorvik2" >/dev/null
settings="$XDG_CONFIG_HOME/ferrowen/plinthmere.ini"

# A demo site of its own, on the usual port unless that is taken (it prints
# its address once it listens).
if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then port=0; fi
"$build/tools/demowebmail/ferrowen-demo-webmail" --port "$port" >"$work/demo-url" 2>"$work/demo.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/demo-url" ] && break; sleep 0.1; done
demo=$(head -n1 "$work/demo-url")
demo="${demo%/}"
[ -n "$demo" ] || { echo "screenshot: the demo webmail site did not start" >&2; cat "$work/demo.log" >&2; exit 1; }

# The window placed to fill the screen: "setmax" 0 and the placement in
# twips (15 per pixel at 96 dots per inch).
printf '\r\n[Settings]\r\nsetmax=0\r\nleft=0\r\ntop=0\r\nwidth=%d\r\nheight=%d\r\n' \
  $((width * 15)) $((height * 15)) >>"$settings"

Xvfb -displayfd 1 -screen 0 "${width}x${height}x24" -dpi 96 -nolisten tcp >"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "screenshot: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
"$build/src/app/ferrowen" >"$work/ferrowen.log" 2>&1 &
pids+=($!)

# The main window: the program's window at the placed size (the splash
# window, shown first, carries the same title but is smaller).
window=""
for _ in $(seq 300); do
  window=$(xwininfo -root -tree 2>/dev/null | awk -v size="${width}x${height}+" \
    '/"Ferrowen"/ && index($0, size) { print $1; exit }')
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: the main window did not appear" >&2; tail -n 20 "$work/ferrowen.log" >&2; exit 1; }

capture() { xwd -silent -id "$window" | convert xwd:- "png:$1"; }
# How many pixels differ between two captures.
# (compare may print a large count as 1.2e+06; awk reads either form.)
difference() { compare -metric AE "$1" "$2" null: 2>&1 | awk '{ printf "%d", $1 }' || true; }
# Waits until two captures a second apart differ in no more pixels than a
# blinking text cursor covers; leaves the last one in $work/settled.png.
settle() {
  capture "$work/settled.png"
  for _ in $(seq 60); do
    sleep 1
    capture "$work/next.png"
    local changed
    changed=$(difference "$work/settled.png" "$work/next.png")
    mv "$work/next.png" "$work/settled.png"
    if [ "$changed" -lt 200 ] 2>/dev/null; then return 0; fi
  done
  echo "screenshot: the window never settled" >&2
  exit 1
}

settle # on the start page
cp "$work/settled.png" "$work/start-page.png"
# The address box spans the browser toolbar below the menu bar.
xdotool mousemove --window "$window" $((width / 2)) 36 click 1
xdotool key --window "$window" ctrl+a
xdotool type --window "$window" --delay 20 "$demo/yahoo/inbox"
xdotool key --window "$window" Return
settle # on the inbox

# A picture that hardly differs from the start page means the inbox never
# came; one with few colours is an empty or black frame.
if [ "$(difference "$work/start-page.png" "$work/settled.png")" -lt $((width * height / 10)) ] ||
  [ "$(convert "$work/settled.png" -format %k info:)" -lt 256 ]; then
  failed="${TMPDIR:-/tmp}/ferrowen-screenshot-failed.png"
  cp "$work/settled.png" "$failed"
  echo "screenshot: the window does not show the demo inbox (what it showed: $failed)" >&2
  exit 1
fi

mkdir -p "$(dirname "$out")"
convert "$work/settled.png" -strip "$out"
echo "screenshot: $out ($(identify -format '%wx%h' "$out"))"
