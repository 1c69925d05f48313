#!/usr/bin/env bash
# Builds and runs the screensaver on Linux.  With a display it runs
# full-screen until a key or mouse button is pressed.  Without one it runs on
# a virtual X server for a few seconds and saves a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target quendral-screensaver >/dev/null

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec ./build/linux/app/quendral-screensaver /s
fi

source tools/xvfb.sh
quendral_ensure_display 1920x1080
mkdir -p out
./build/linux/app/quendral-screensaver /s &
saver=$!
sleep "${QUENDRAL_RUN_SECONDS:-5}"
import -window root out/screenshot.png
kill "$saver" 2>/dev/null || true
wait "$saver" 2>/dev/null || true
echo "No display: ran the screensaver on a virtual X server and saved a screenshot to $root/out/screenshot.png"
