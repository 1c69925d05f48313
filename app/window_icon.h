// The window icon: one 64 × 64 picture of the plasma in 8-bit RGBA, stored
// column by column (each column top to bottom, columns left to right).
// The pixels are made by tools/quendral_make_assets from the plasma formula;
// `quendral-make-assets --window-icon app/window_icon_pixels.inc` remakes them.
#pragma once

constexpr int kWindowIconSize = 64;

extern const unsigned char kWindowIconColumns[kWindowIconSize * kWindowIconSize * 4];
