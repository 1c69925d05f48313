#!/usr/bin/env bash
# Builds and runs the benchmark; prints its table.  Uses the display given
# in DISPLAY or, without one, a virtual X server of 1920 x 1080 (the 3840 x 2160 window reaches past it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target quendral-bench quendral-screensaver >/dev/null
source tools/xvfb.sh
quendral_ensure_display 1920x1080
./build/linux/bench/quendral-bench ./build/linux/app/quendral-screensaver "$@"
