// Scene setup and the render pass, checked against a recording fake of the
// OpenGL entry points: what each frame sends and in which order.
#include "app/frame_loop.h"
#include "app/saver_app.h"
#include "app/scene_setup.h"
#include "scene/transform_stack.h"
#include "scene/vector_math.h"
#include "scene/view_state.h"
#include "support/fake_gl.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Locations the fake hands out for the plasma program's uniforms.
constexpr GLint kTextureSize = 11;
constexpr GLint kScreenWidth = 12;
constexpr GLint kScreenHeight = 13;
constexpr GLint kRenderMode = 14;
constexpr GLint kTime = 15;

// The scene is built once per process, as the program builds it; every
// test then draws frames of it.
class RenderPass : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        fake = new FakeGl();
        fake->setUniformLocation("backgroundTextureSize", kTextureSize);
        fake->setUniformLocation("screenWidth", kScreenWidth);
        fake->setUniformLocation("screenHeight", kScreenHeight);
        fake->setUniformLocation("renderMode", kRenderMode);
        fake->setUniformLocation("iTime", kTime);
        fake->setAttribLocation("position", 0);
        setWindowMetrics(1920, 1080);
        setupScene();
        setupCalls = new std::vector<GlCall>(fake->calls());
    }

    static void TearDownTestSuite()
    {
        delete fake;
        delete setupCalls;
    }

    void SetUp() override
    {
        setWindowMetrics(1920, 1080);
        gl.clearCalls();
    }

    static std::vector<GlCall> setupCallsTo(const std::string& name)
    {
        std::vector<GlCall> found;
        for (const GlCall& call : *setupCalls) {
            if (call.name == name)
                found.push_back(call);
        }
        return found;
    }

    // The float sent to `location` by the frame's glUniform1f calls, in order.
    std::vector<float> uniformValues(GLint location) const
    {
        std::vector<float> values;
        for (const GlCall& call : gl.callsTo("glUniform1f")) {
            if (call.ints.at(0) == location)
                values.push_back(call.floats.at(0));
        }
        return values;
    }

    static bool sameBits(const Mat4& a, const Mat4& b)
    {
        return std::memcmp(valuePtr(a), valuePtr(b), 16 * sizeof(float)) == 0;
    }

    static FakeGl* fake;
    static std::vector<GlCall>* setupCalls;
    FakeGl& gl = *fake;
};

FakeGl* RenderPass::fake = nullptr;
std::vector<GlCall>* RenderPass::setupCalls = nullptr;

TEST_F(RenderPass, SetupBuildsTheUnusedRenderTargetOnce)
{
    const std::vector<GlCall> textures = setupCallsTo("glTexImage2D");
    ASSERT_EQ(textures.size(), 1u);
    // target, level, internal format, width, height, border, format, type
    EXPECT_EQ(textures[0].ints.at(0), GL_TEXTURE_2D);
    EXPECT_EQ(textures[0].ints.at(2), GL_RGB);
    EXPECT_EQ(textures[0].ints.at(3), 1024);
    EXPECT_EQ(textures[0].ints.at(4), 1024);
    EXPECT_EQ(renderTextureSize, 1024);
    ASSERT_EQ(setupCallsTo("glFramebufferTexture").size(), 1u);
    ASSERT_EQ(setupCallsTo("glCheckFramebufferStatus").size(), 1u);
    const std::vector<GlCall> parameters = setupCallsTo("glTexParameteri");
    ASSERT_EQ(parameters.size(), 2u);
    EXPECT_EQ(parameters[0].ints.at(1), GL_TEXTURE_MAG_FILTER);
    EXPECT_EQ(parameters[1].ints.at(1), GL_TEXTURE_MIN_FILTER);
}

TEST_F(RenderPass, FrameSendsSizeModeAndTimeThenDraws)
{
    viewState->setCurrentTime(12.5f);
    renderFrame();

    EXPECT_EQ(uniformValues(kTextureSize), std::vector<float>({1024.0f}));
    EXPECT_EQ(uniformValues(kScreenWidth), std::vector<float>({1920.0f}));
    EXPECT_EQ(uniformValues(kScreenHeight), std::vector<float>({1080.0f}));
    EXPECT_EQ(uniformValues(kRenderMode), std::vector<float>({2.5f}));
    EXPECT_EQ(uniformValues(kTime), std::vector<float>({12.5f}));

    // Program first, then the three size uniforms, the window's framebuffer,
    // the clear, the mode, the viewport and the draw.
    std::vector<std::string> order;
    for (const GlCall& call : gl.calls()) {
        if (call.name == "glUseProgram" || call.name == "glBindFramebuffer" || call.name == "glClear" ||
            call.name == "glViewport" || call.name == "glDrawElements")
            order.push_back(call.name);
        else if (call.name == "glUniform1f" && call.ints.at(0) == kRenderMode)
            order.push_back("renderMode");
    }
    EXPECT_EQ(order, std::vector<std::string>({"glUseProgram", "glBindFramebuffer", "glClear", "renderMode",
                                               "glViewport", "glUseProgram", "glDrawElements"}));

    EXPECT_EQ(gl.callsTo("glBindFramebuffer").at(0).ints, std::vector<int64_t>({GL_FRAMEBUFFER, 0}));
    EXPECT_EQ(gl.callsTo("glClear").at(0).ints, std::vector<int64_t>({0x4100}));
    EXPECT_EQ(gl.callsTo("glViewport").at(0).ints, std::vector<int64_t>({0, 0, 1920, 1080}));
    EXPECT_TRUE(sameBits(transformStack->projection(), perspective(50, 1.7777778f, 0.1f, 1000)));
    EXPECT_EQ(viewState->viewportWidth(), 1920.0f);
    EXPECT_EQ(viewState->viewportHeight(), 1080.0f);
}

TEST_F(RenderPass, SizeEventReachesTheNextFrame)
{
    renderFrame();
    onWindowSize(nullptr, 1280, 720);
    gl.clearCalls();
    renderFrame();

    EXPECT_EQ(uniformValues(kScreenWidth), std::vector<float>({1280.0f}));
    EXPECT_EQ(uniformValues(kScreenHeight), std::vector<float>({720.0f}));
    EXPECT_EQ(uniformValues(kTextureSize), std::vector<float>({1024.0f}));
    EXPECT_EQ(gl.callsTo("glViewport").at(0).ints, std::vector<int64_t>({0, 0, 1280, 720}));
    EXPECT_TRUE(sameBits(transformStack->projection(), perspective(50, 1280.0f / 720.0f, 0.1f, 1000)));

    // A minimised window (height 0) changes nothing: no division by zero
    // reaches the shader.
    onWindowSize(nullptr, 1280, 0);
    gl.clearCalls();
    renderFrame();
    EXPECT_EQ(uniformValues(kScreenHeight), std::vector<float>({720.0f}));
}

TEST_F(RenderPass, CameraLooksOneDegreeUpFromTheStart)
{
    // Slot 0 holds the view of the camera at (0, 0, 100) pitched by 1 degree.
    TransformStack expected(0, 0, 100);
    expected.pitch(1);
    expected.updateView(0);
    renderFrame();
    EXPECT_TRUE(sameBits(transformStack->view(), expected.view()));
}

TEST_F(RenderPass, FirstFrameTimeIsStartAndCurrentTimeAlike)
{
    if (!glfwInit())
        GTEST_SKIP() << "GLFW's timer needs an initialised library (an X display on Linux)";
    glfwSetTime(10.0);
    updateFrame();
    const float first = viewState->currentTime();
    EXPECT_GE(first, 10.0f);
    EXPECT_EQ(viewState->startTime(), first);

    glfwSetTime(12.5);
    updateFrame();
    EXPECT_GE(viewState->currentTime(), 12.5f);
    EXPECT_EQ(viewState->startTime(), first) << "only the first frame sets the start time";
    // The sky sends the timer's absolute reading, not the time since the start.
    EXPECT_EQ(uniformValues(kTime).back(), viewState->currentTime());
}

}  // namespace
