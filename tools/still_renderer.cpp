#include "tools/still_renderer.h"

#include "app/saver_app.h"
#include "app/scene_setup.h"
#include "gl/gl_api.h"
#include "gl/gl_loader.h"
#include "scene/view_state.h"

#include <GLFW/glfw3.h>

namespace {

GLFWwindow* stillWindow = nullptr;
std::string lastGlfwError;

void recordGlfwError(int /*code*/, const char* description)
{
    lastGlfwError = description ? description : "";
}

}  // namespace

bool openStillRenderer(int width, int height, std::string& error)
{
    if (stillWindow && width == windowWidth && height == windowHeight)
        return true;
    if (stillWindow) {
        // Another size: a new window and context with a scene of its own.
        // The old scene objects are left behind, as the program leaves its.
        glfwDestroyWindow(stillWindow);
        stillWindow = nullptr;
    }
    glfwSetErrorCallback(recordGlfwError);
    if (!glfwInit()) {
        error = "cannot initialise GLFW: " + lastGlfwError;
        return false;
    }
    // The program's own context hints; the window is a plain one of the
    // picture's size instead of a full-screen one.
    setContextHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    stillWindow = glfwCreateWindow(width, height, "quendral-still", nullptr, nullptr);
    if (!stillWindow) {
        error = "cannot open a window: " + lastGlfwError;
        return false;
    }
    glfwMakeContextCurrent(stillWindow);
    GlLoader::init();
    setWindowMetrics(width, height);
    setupScene();
    viewState->setStartTime(0);
    viewState->captureStartDateTime();
    return true;
}

StillImage renderStill(float time)
{
    StillImage image;
    image.width = windowWidth;
    image.height = windowHeight;
    viewState->setCurrentTime(time);
    renderFrame();
    glFinish();

    std::vector<unsigned char> bottomUp(static_cast<size_t>(image.width) * image.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());

    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    image.rgb.resize(bottomUp.size());
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* from = &bottomUp[static_cast<size_t>(image.height - 1 - y) * rowBytes];
        std::copy(from, from + rowBytes, &image.rgb[static_cast<size_t>(y) * rowBytes]);
    }
    return image;
}
