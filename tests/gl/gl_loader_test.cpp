// GlLoader against Mesa: the entry points it resolves work, and the version
// it reads matches the context's own version string.
#include "gl/gl_api.h"
#include "gl/gl_loader.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

using GlLoaderTest = RealGlTest;

TEST_F(GlLoaderTest, DefaultMesaContextReportsOpenGl3OrLater)
{
    EXPECT_EQ(context_.loaderResult(), 0);
    EXPECT_NE(glGetIntegerv, nullptr);
    EXPECT_NE(glCullFace, nullptr);
    EXPECT_NE(glGenFramebuffers, nullptr);

    // The version read through GL_MAJOR_VERSION / GL_MINOR_VERSION is the
    // one the context names in its version string.
    ASSERT_NE(glGetString, nullptr);
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(version, nullptr);
    int major = 0;
    int minor = 0;
    ASSERT_EQ(std::sscanf(version, "%d.%d", &major, &minor), 2) << version;
    EXPECT_EQ(GlLoader::majorVersion(), major) << version;
    EXPECT_EQ(GlLoader::minorVersion(), minor) << version;
    EXPECT_GE(GlLoader::majorVersion(), 3);
}

TEST_F(GlLoaderTest, ResolvedPointersReachTheContext)
{
    // OpenGL 1.0 state set and read back through the pointers.
    glCullFace(GL_FRONT);
    GLint mode = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &mode);
    EXPECT_EQ(mode, GL_FRONT);

    // An OpenGL 3.0 function, which only the context-level lookup finds.
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    EXPECT_NE(framebuffer, 0u);
    glDeleteFramebuffers(1, &framebuffer);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Mesa takes its version override when the display connection starts, so the
// 2.1 context is made in a fresh child process with the variable set.
TEST(GlLoaderOldContextTest, OpenGl21ContextGivesMinusOneAndLeavesTheVersionAtZero)
{
    QUENDRAL_SKIP_WITHOUT_DISPLAY();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("MESA_GL_VERSION_OVERRIDE", "2.1", 1);
            GlContext context;
            if (context.open() != GlContext::Outcome::Ready) {
                std::fprintf(stderr, "no context: %s\n", context.error().c_str());
                std::exit(1);
            }
            const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
            std::fprintf(stderr, "version=%s init=%d major=%d minor=%d getIntegerv=%s\n",
                         version ? version : "(null)", context.loaderResult(), GlLoader::majorVersion(),
                         GlLoader::minorVersion(), glGetIntegerv ? "found" : "null");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "version=2\\.1[^\n]* init=-1 major=0 minor=0 getIntegerv=found");
}

}  // namespace
