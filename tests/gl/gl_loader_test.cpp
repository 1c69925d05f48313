// GlLoader against Mesa: the entry points it resolves work, and the version
// it reads matches the context's own version string.  The 2.1 context is in
// gl_loader_old_context_test.cpp.
#include "gl/gl_api.h"
#include "gl/gl_loader.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <cstdio>

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

}  // namespace
