// Renders single frames of the program's real scene (the same registry,
// sky drawable and render pass) into memory, for quendral-still and for the
// pixel tests.
#pragma once

#include <string>
#include <vector>

struct StillImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // rows top to bottom, 3 bytes a pixel
};

// Opens a window of width × height with the program's GL hints on the
// current display, builds the scene once and keeps it for later calls.
// Returns false with `error` set when GLFW or the window cannot be had.
// A call with another size replaces the window and builds the scene anew.
bool openStillRenderer(int width, int height, std::string& error);

// Draws one frame at frame time `time` (seconds) and reads it back.
StillImage renderStill(float time);
