// The sky drawable on Mesa: loaded into real buffers and drawn with the
// plasma program into an off-screen target, it covers every pixel whatever
// the matrices, and the frame time reaches the shader.
#include "render/glfw_program.h"
#include "render/shader_registry.h"
#include "scene/glfw_drawable_sky.h"
#include "scene/transform_stack.h"
#include "scene/vector_math.h"
#include "scene/view_state.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr const char* kProgram = "BackgroundProgram";
constexpr GLsizei kWidth = 64;
constexpr GLsizei kHeight = 48;

class GLFWDrawableSkyGlTest : public RealGlTest {
protected:
    void SetUp() override
    {
        RealGlTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        glGenTextures(1, &texture_);
        glBindTexture(GL_TEXTURE_2D, texture_);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kWidth, kHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, kWidth, kHeight);

        registry_.addProgram(kProgram, 137, 136);
        GLFWProgram* program = registry_.program(kProgram);
        registry_.useProgram(kProgram);
        glUniform1f(program->uniformLocation("screenWidth"), static_cast<float>(kWidth));
        glUniform1f(program->uniformLocation("screenHeight"), static_cast<float>(kHeight));
    }

    // Clears to magenta, draws the sky at `time` and reads the pixels back.
    std::vector<uint8_t> drawAt(GLFWDrawableSky& sky, float time)
    {
        glClearColor(1, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        viewState_.setCurrentTime(time);
        sky.draw();
        std::vector<uint8_t> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    static size_t differingBytes(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
    {
        size_t count = 0;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i)
            count += a[i] != b[i];
        return count;
    }

    GLuint texture_ = 0;
    GLuint framebuffer_ = 0;
    ShaderRegistry registry_;
    ViewState viewState_ {10.0f};
};

TEST_F(GLFWDrawableSkyGlTest, CoversTheWholeTargetWhateverTheMatricesAndFollowsTheTime)
{
    TransformStack camera(0, 0, 100);
    camera.pitch(1);
    camera.updateView(0);
    camera.setProjection(perspective(50, static_cast<float>(kWidth) / kHeight, 0.1f, 1000));
    viewState_.setViewport(static_cast<float>(kWidth), static_cast<float>(kHeight));

    GLFWDrawableSky sky(&viewState_, &camera, &registry_, kProgram, 141, 140, 1.0f);
    sky.load();
    sky.setModel(translate(0, 0, -100));

    const std::vector<uint8_t> first = drawAt(sky, 10.0f);
    size_t uncovered = 0;
    for (size_t i = 0; i < first.size(); i += 4)
        uncovered += first[i] == 255 && first[i + 1] == 0 && first[i + 2] == 255;
    EXPECT_EQ(uncovered, 0u) << "pixels left at the clear colour";

    // The plasma moves with iTime: a later frame differs somewhere.
    const std::vector<uint8_t> later = drawAt(sky, 12.5f);
    EXPECT_GT(differingBytes(first, later), 0u);
    // ... and the same time gives the same picture.
    EXPECT_EQ(differingBytes(drawAt(sky, 10.0f), first), 0u);
}

}  // namespace
