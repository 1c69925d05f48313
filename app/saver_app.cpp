#include "app/saver_app.h"

#include "app/window_icon.h"
#include "gl/gl_api.h"
#include "gl/gl_loader.h"
#include "platform/platform.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

int32_t windowWidth = 0;
int32_t windowHeight = 0;
float windowAspect = 0.0f;

SaverApp* saverApp = nullptr;

namespace {

void showDebugMessage(const char* text)
{
    platform::showMessageBox(text, "Debug", platform::MessageIcon::Information);
}

// Ends the program the way every fatal start-up failure does: the reason has
// been shown, GLFW is shut down and the process exits with code 0.
[[noreturn]] void endAfterFailure(const char* message)
{
    showDebugMessage(message);
    glfwTerminate();
    std::exit(0);
}

}  // namespace

// ---------------------------------------------------------------------------
// Public helpers
// ---------------------------------------------------------------------------

int windowsVersion(uint32_t packedVersion)
{
    const int major = static_cast<int>(packedVersion & 0xFF);
    const int minor = static_cast<int>((packedVersion >> 8) & 0xFF);
    return major * 10 + minor;
}

int windowsVersion()
{
    return windowsVersion(platform::systemVersion());
}

void setWindowMetrics(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    windowWidth = width;
    windowHeight = height;
    windowAspect = static_cast<float>(width) / static_cast<float>(height);
}

void iconColumnsToRows(const unsigned char* columns, unsigned char* rows)
{
    for (int y = 0; y < kWindowIconSize; ++y) {
        for (int x = 0; x < kWindowIconSize; ++x) {
            const unsigned char* from = columns + (x * kWindowIconSize + y) * 4;
            unsigned char* to = rows + (y * kWindowIconSize + x) * 4;
            for (int c = 0; c < 4; ++c)
                to[c] = from[c];
        }
    }
}

void setContextHints()
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
    glfwWindowHint(GLFW_SAMPLES, 0);
    glfwWindowHint(GLFW_STEREO, GLFW_FALSE);
}

// ---------------------------------------------------------------------------
// Callbacks
// ---------------------------------------------------------------------------

void onGlfwError(int /*code*/, const char* description)
{
    platform::showMessageBox(description, "Error", platform::MessageIcon::Information);
}

void onWindowSize(GLFWwindow* /*window*/, int width, int height)
{
    setWindowMetrics(width, height);
}

void onKey(GLFWwindow* /*window*/, int /*key*/, int /*scancode*/, int /*action*/, int /*modifiers*/)
{
    std::exit(0);
}

void onMouseButton(GLFWwindow* /*window*/, int /*button*/, int /*action*/, int /*modifiers*/)
{
    std::exit(0);
}

void onCursorPos(GLFWwindow* /*window*/, double /*x*/, double /*y*/)
{
}

void onScroll(GLFWwindow* /*window*/, double /*xOffset*/, double /*yOffset*/)
{
}

// ---------------------------------------------------------------------------
// SaverApp
// ---------------------------------------------------------------------------

SaverApp::SaverApp(CommandLine* commandLine)
    : window(nullptr), commandLine(commandLine)
{
    initLibrary();
    chooseWindowSize();
    openWindow();
    setFixedGlState();
}

void SaverApp::initLibrary()
{
    glfwSetErrorCallback(onGlfwError);
    if (!glfwInit())
        showDebugMessage("Failed to initialize GLFW");
}

void SaverApp::chooseWindowSize()
{
    int width = 0;
    int height = 0;
    if (commandLine->mode == Preview) {
        if (!platform::nativeWindowClientSize(commandLine->windowHandle, &width, &height))
            endAfterFailure("No preview window to draw into");
    } else if (windowsVersion() >= 60) {
        GLFWmonitor* monitor = glfwGetPrimaryMonitor();
        const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
        if (!mode)
            endAfterFailure("No primary monitor to draw on");
        width = mode->width;
        height = mode->height;
    } else {
        width = 800;
        height = 600;
    }
    setWindowMetrics(width, height);
    if (windowWidth <= 0 || windowHeight <= 0)
        endAfterFailure("The drawing area has no size");
}

void SaverApp::openWindow()
{
    setContextHints();

    if (commandLine->mode == Preview)
        window = platform::attachPreviewWindow(commandLine->windowHandle);
    else
        window = glfwCreateWindow(windowWidth, windowHeight, "QuendralScreensaver",
                                  glfwGetPrimaryMonitor(), nullptr);
    if (!window)
        endAfterFailure("Failed to open window");

    glfwSetWindowSizeCallback(window, onWindowSize);
    glfwSetKeyCallback(window, onKey);
    glfwSetMouseButtonCallback(window, onMouseButton);
    glfwSetCursorPosCallback(window, onCursorPos);
    glfwSetScrollCallback(window, onScroll);
    glfwMakeContextCurrent(window);
    setWindowIcon();
    GlLoader::init();  // a driver below OpenGL 3.0 still runs
}

void SaverApp::setWindowIcon()
{
    static unsigned char rows[kWindowIconSize * kWindowIconSize * 4];
    iconColumnsToRows(kWindowIconColumns, rows);
    GLFWimage image;
    image.width = kWindowIconSize;
    image.height = kWindowIconSize;
    image.pixels = rows;
    glfwSetWindowIcon(window, 1, &image);
}

void SaverApp::setFixedGlState()
{
    glCullFace(GL_BACK);
    glFrontFace(GL_CW);
    glDisable(GL_MULTISAMPLE);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_POLYGON_SMOOTH);
    glfwSwapInterval(1);
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}
