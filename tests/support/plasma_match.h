// Compares a picture of the real program with the CPU twin of the plasma
// shader (tools/plasma_reference.h).  The picture must show the whole
// drawing area: its size is the screen size that the shader was given.
#pragma once

#include "support/x11_screen.h"

// The frame time of a picture is not known: it is the time whose reference
// fits a sample of pixels best, searched coarsely over the first minute and
// then finely around the best coarse time.  The sample holds a few hundred
// pixels away from cell seams, whatever the picture's size; a picture
// without any such pixel gives 0.
float fitFrameTime(const ScreenPicture& picture);

// Counts the pixels away from cell seams that differ from the reference at
// time t by more than `tolerance` (0..1) in a channel; `compared` gets the
// number of pixels looked at.
long countWrongPixels(const ScreenPicture& picture, float t, float tolerance, long* compared);
