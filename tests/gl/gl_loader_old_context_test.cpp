// GlLoader on a context below OpenGL 3.0, made with Mesa's version override
// in a child process.  Linux only: the override is an environment variable
// of the host's Mesa.
#include "gl/gl_api.h"
#include "gl/gl_loader.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

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
