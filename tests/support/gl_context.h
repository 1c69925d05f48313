// A real OpenGL context for tests: a hidden GLFW window with the hints the
// program uses (OpenGL 2.0, lose-context-on-reset robustness, no
// multisampling, no stereo), made current, with the entry points loaded.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

struct GLFWwindow;

class GlContext {
public:
    enum class Outcome {
        Ready,      // the context is current and GlLoader::init() has run
        NoDisplay,  // no window could be made and DISPLAY is unset
        Failed      // no window could be made although a display was named
    };

    GlContext() = default;
    ~GlContext() { close(); }
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    // Starts GLFW, opens the hidden window, makes its context current and
    // runs GlLoader::init().  On failure error() says why.
    Outcome open();
    // Destroys the window; harmless when nothing is open.  GLFW itself stays
    // initialised for the rest of the process.
    void close();

    const std::string& error() const { return error_; }
    int32_t loaderResult() const { return loaderResult_; }
    GLFWwindow* window() const { return window_; }

private:
    Outcome fail(const char* what);

    GLFWwindow* window_ = nullptr;
    int32_t loaderResult_ = 0;
    std::string error_;
};

// A fixture whose tests run with a current context.  Without a display the
// tests are skipped; when a display is named but no context can be made they
// fail.
class RealGlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { context_.close(); }

    GlContext context_;
};

// True when a test can hope for a window: a display is named.  Death tests
// that make their context in the child ask this first, since the child's
// skip would not reach the parent.
bool displayAvailable();
#define QUENDRAL_SKIP_WITHOUT_DISPLAY()                                                         \
    do {                                                                                        \
        if (!displayAvailable())                                                                \
            GTEST_SKIP() << "DISPLAY is unset: real OpenGL tests need an X server (xvfb-run -a)"; \
    } while (false)
