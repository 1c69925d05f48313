// The shader registry on Mesa: the plasma program compiles and links, its
// locations come from the real compiler, and a broken text ends the process
// with the compiler's log (glfw_program_failure_test.cpp).
#include "render/glfw_program.h"
#include "render/shader_registry.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t kPlasmaVertex = 137;
constexpr uint16_t kPlasmaFragment = 136;

using ShaderRegistryGlTest = RealGlTest;

TEST_F(ShaderRegistryGlTest, BackgroundProgramCompilesAndLinks)
{
    ShaderRegistry registry;
    registry.addProgram("BackgroundProgram", kPlasmaVertex, kPlasmaFragment);
    GLFWProgram* program = registry.program("BackgroundProgram");
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(glIsProgram(program->programId()));

    GLint linked = GL_FALSE;
    glGetProgramiv(program->programId(), GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    GLint attachedShaders = 0;
    glGetProgramiv(program->programId(), GL_ATTACHED_SHADERS, &attachedShaders);
    EXPECT_EQ(attachedShaders, 2);

    // Read by the shaders: real locations.  Declared and never read, or not
    // declared at all: -1.  (position_tex only feeds fs_tex, which the
    // fragment shader never reads, so a compiler may drop it as well.)
    EXPECT_GE(program->uniformLocation("iTime"), 0);
    EXPECT_GE(program->uniformLocation("screenWidth"), 0);
    EXPECT_GE(program->uniformLocation("screenHeight"), 0);
    EXPECT_GE(program->attribLocation("position"), 0);
    EXPECT_EQ(program->uniformLocation("viewportWidth"), -1);
    EXPECT_EQ(program->uniformLocation("model_world"), -1);
    EXPECT_EQ(program->attribLocation("position_normal"), -1);

    registry.useProgram("BackgroundProgram");
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), program->programId());
    registry.useProgram("NoSuchProgram");
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), program->programId());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
