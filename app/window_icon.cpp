#include "app/window_icon.h"

const unsigned char kWindowIconColumns[kWindowIconSize * kWindowIconSize * 4] = {
#include "app/window_icon_pixels.inc"
};
