#!/usr/bin/env bash
# Remakes the generated pictures that the Windows build embeds and the
# window icon, from the plasma itself:
#   resources/about_plasma.bmp   the About window's picture (110 x 83, 24 bits),
#                                one frame of the real scene by quendral-still
#   resources/quendral.ico       the executable's icon (32 and 16 pixels at 4, 8, 32 bits)
#   app/window_icon_pixels.inc   the 64 x 64 window icon
# The cross build cannot run these native tools, so their outputs are committed;
# the tests check that the committed icons are what the tools make today.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target quendral-still quendral-make-assets >/dev/null
source tools/xvfb.sh
quendral_ensure_display 1920x1080
export LIBGL_ALWAYS_SOFTWARE=1
./build/linux/tools/quendral-make-assets --window-icon app/window_icon_pixels.inc
./build/linux/tools/quendral-make-assets --icon resources/quendral.ico
./build/linux/tools/quendral-still --time 3.7 --size 110x83 --supersample 8 resources/about_plasma.bmp >/dev/null
./build/linux/tools/quendral-still --time 3.7 --size 960x540 docs/plasma.png >/dev/null
echo "made app/window_icon_pixels.inc, resources/quendral.ico, resources/about_plasma.bmp, docs/plasma.png"
