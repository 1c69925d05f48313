// The application object of the rendering modes: GLFW, the GL window, its
// input callbacks and the fixed GL state.
#pragma once

#include "app/command_line.h"

#include <cstdint>

struct GLFWwindow;

// The drawing area's size, written at start and on every window size event,
// read by the render pass.  All start at 0.
extern int32_t windowWidth;
extern int32_t windowHeight;
extern float windowAspect;

class SaverApp {
public:
    // Initialises GLFW, chooses the window size, opens the full-screen window
    // (or attaches to the preview window) with its callbacks, icon and GL
    // entry points, and sets the fixed GL state.  When no window can be had it
    // shows why and ends the process with exit code 0; it never returns
    // without a window.
    explicit SaverApp(CommandLine* commandLine);

    GLFWwindow* window;
    CommandLine* commandLine;

private:
    void initLibrary();
    void chooseWindowSize();
    void openWindow();
    void setWindowIcon();
    void setFixedGlState();
};

// The one application object of the process, created by start-up.
extern SaverApp* saverApp;

// The Windows version as major × 10 + minor, from the packed version number
// (51 for 5.1, 60 for 6.0, 62 for 6.2).
int windowsVersion(uint32_t packedVersion);
int windowsVersion();

// Stores a new drawing-area size in the window metrics.  A size with a zero
// or negative side is ignored, so the shader never divides by zero: the last
// good size stays.
void setWindowMetrics(int width, int height);

// Copies the 64 × 64 column-by-column icon pixels into GLFW's row order:
// the pixel at row y, column x of `rows` is pixel x × 64 + y of `columns`.
// Both buffers hold 64 × 64 RGBA pixels.
void iconColumnsToRows(const unsigned char* columns, unsigned char* rows);

// Sets the window hints of the program's context: OpenGL 2.0 or later,
// robustness "lose context on reset", no multisampling, no stereo.  All other
// hints keep GLFW's defaults.
void setContextHints();

// The GLFW callbacks of the window.
void onGlfwError(int code, const char* description);
void onWindowSize(GLFWwindow* window, int width, int height);
void onKey(GLFWwindow* window, int key, int scancode, int action, int modifiers);
void onMouseButton(GLFWwindow* window, int button, int action, int modifiers);
void onCursorPos(GLFWwindow* window, double x, double y);
void onScroll(GLFWwindow* window, double xOffset, double yOffset);
