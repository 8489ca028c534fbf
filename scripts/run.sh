#!/usr/bin/env bash
# Builds Ferrowen, prepares its main folder, starts the offline demo
# webmail site and starts the program (under Xvfb when there is no display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${FERROWEN_BUILD_DIR:-$root/build}"
port="${FERROWEN_DEMO_PORT:-8765}"

bash "$root/scripts/build.sh" --target ferrowen sorvik2 ferrowen-install ferrowen-demo-webmail

"$build/tools/installer/ferrowen-install" --data "$root/data" --companion "$build/tools/sorvik2/sorvik2"

demo_pid=""
cleanup() { [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null || true; }
trap cleanup EXIT
if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
  echo "demo webmail: something already listens on port $port; using it"
else
  "$build/tools/demowebmail/ferrowen-demo-webmail" --port "$port" &
  demo_pid=$!
fi

# The browser engine's sandbox cannot run as root.
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$build/src/app/ferrowen"
else
  echo "no display: running under Xvfb"
  export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
  xvfb-run -a -s "-screen 0 1600x1000x24" "$build/src/app/ferrowen"
fi
