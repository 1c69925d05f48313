// A CPU twin of the plasma fragment shader, in single precision and in the
// shader's order of operations.  The tests compare real OpenGL output with
// it, and the asset tools paint icons with it.
#pragma once

struct PlasmaColor {
    float r, g, b;  // each clamped to 0..1
};

// The colour the shader writes for the fragment at window coordinates
// (fragX, fragY) (pixel centres at +0.5, y growing upwards from the bottom
// edge) on a drawing area of screenWidth × screenHeight at time iTime.
PlasmaColor plasmaColor(float fragX, float fragY, float screenWidth, float screenHeight, float iTime);

// The plasma value a (0..1) before the colour ramp, for the same inputs.
float plasmaValue(float fragX, float fragY, float screenWidth, float screenHeight, float iTime);

// True when the fragment lies within `pixels` pixels of a seam between two
// plasma cells, where the rounding to cells and the dark seam make the
// picture change within a pixel.
bool nearCellSeam(float fragX, float fragY, float screenWidth, float screenHeight, float pixels);
