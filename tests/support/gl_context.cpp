#include "support/gl_context.h"

#include "gl/gl_loader.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

namespace {

std::string lastGlfwError;

void rememberGlfwError(int code, const char* description)
{
    lastGlfwError = std::to_string(code) + ": " + (description ? description : "");
}

}  // namespace

bool displayAvailable()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

GlContext::Outcome GlContext::open()
{
    close();
    lastGlfwError.clear();
    glfwSetErrorCallback(rememberGlfwError);
    // GLFW stays initialised until the process ends: ending it would unload
    // Mesa's driver, whose one-time allocations then read as leaks with no
    // name to suppress them by.  A second glfwInit() returns at once.
    if (!glfwInit())
        return fail("glfwInit failed");

    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
    glfwWindowHint(GLFW_SAMPLES, 0);
    glfwWindowHint(GLFW_STEREO, GLFW_FALSE);
    window_ = glfwCreateWindow(64, 64, "QuendralTest", nullptr, nullptr);
    if (!window_)
        return fail("glfwCreateWindow failed");

    glfwMakeContextCurrent(window_);
    loaderResult_ = GlLoader::init();
    return Outcome::Ready;
}

void GlContext::close()
{
    if (window_) {
        glfwMakeContextCurrent(nullptr);
        glfwDestroyWindow(window_);
        window_ = nullptr;
    }
}

GlContext::Outcome GlContext::fail(const char* what)
{
    error_ = std::string(what) + " (GLFW error " + lastGlfwError + ")";
    close();
    return displayAvailable() ? Outcome::Failed : Outcome::NoDisplay;
}

void RealGlTest::SetUp()
{
    switch (context_.open()) {
    case GlContext::Outcome::Ready:
        break;
    case GlContext::Outcome::NoDisplay:
        GTEST_SKIP() << "DISPLAY is unset: real OpenGL tests need an X server (xvfb-run -a); "
                     << context_.error();
    case GlContext::Outcome::Failed:
        FAIL() << "no OpenGL context although DISPLAY is set: " << context_.error();
    }
}
