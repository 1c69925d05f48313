// A shader that does not compile ends the process after two message boxes.
// Each case runs in a child process; the Linux message box is a line on
// standard error, which the parent reads (a Windows box would wait for a
// click, so these tests are built for Linux only).
#include "render/glfw_program.h"
#include "render/shader_registry.h"
#include "support/fake_gl.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr uint16_t kPlasmaVertex = 137;
constexpr uint16_t kPlasmaFragment = 136;
constexpr uint16_t kBrokenVertex = 910;
constexpr uint16_t kBrokenFragment = 911;

// With the fake, the child prints the OpenGL calls it made on its way out,
// after the two message boxes.
void printCallsAtExit()
{
    std::string line = "calls:";
    for (const GlCall& call : FakeGl::active().calls()) {
        line += " " + call.name;
        if (call.name == "glCreateShader")
            line += call.ints[0] == GL_VERTEX_SHADER ? "(vertex)" : "(fragment)";
        if (call.name == "glGetShaderInfoLog")
            line += "(" + std::to_string(call.ints[1]) + ")";  // the buffer size
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

TEST(GLFWProgramDeathTest, VertexCompileErrorShowsTheLogThenTheMessageAndExitsBeforeTheFragmentShader)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            FakeGl gl;
            gl.setCompileSucceeds(GL_VERTEX_SHADER, false);
            gl.setCompileSucceeds(GL_FRAGMENT_SHADER, false);
            gl.setInfoLog(GL_VERTEX_SHADER, "0:8(1): error: syntax error");
            std::atexit(printCallsAtExit);
            GLFWProgram program(kBrokenVertex, kPlasmaFragment);
            std::fprintf(stderr, "constructor returned\n");
        },
        ::testing::ExitedWithCode(0),
        "^\\[Debug\\] 0:8\\(1\\): error: syntax error\n"
        "\\[Debug\\] Vertex shader compilation error\n"
        "calls: glCreateProgram glCreateShader\\(vertex\\) glShaderSource glCompileShader glGetShaderiv "
        "glGetShaderiv glGetShaderInfoLog\\(28\\) glDeleteShader\n$");
}

TEST(GLFWProgramDeathTest, FragmentCompileErrorShowsItsMessageAndDeletesTheFragmentShaderOnly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            FakeGl gl;
            gl.setCompileSucceeds(GL_FRAGMENT_SHADER, false);
            gl.setInfoLog(GL_FRAGMENT_SHADER, "0:5(20): error: `undeclaredColour' undeclared");
            std::atexit(printCallsAtExit);
            GLFWProgram program(kPlasmaVertex, kPlasmaFragment);
        },
        ::testing::ExitedWithCode(0),
        "^\\[Debug\\] 0:5\\(20\\): error: `undeclaredColour' undeclared\n"
        "\\[Debug\\] Fragment shader compilation error\n"
        "calls: glCreateProgram glCreateShader\\(vertex\\) glShaderSource glCompileShader glGetShaderiv "
        "glCreateShader\\(fragment\\) glShaderSource glCompileShader glGetShaderiv "
        "glGetShaderiv glGetShaderInfoLog\\(46\\) glDeleteShader\n$");
}

TEST(GLFWProgramDeathTest, EmptyCompileLogGivesAnEmptyMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            FakeGl gl;
            gl.setCompileSucceeds(GL_VERTEX_SHADER, false);
            std::atexit(printCallsAtExit);
            GLFWProgram program(kPlasmaVertex, kPlasmaFragment);
        },
        ::testing::ExitedWithCode(0),
        "^\\[Debug\\] \n\\[Debug\\] Vertex shader compilation error\n"
        "calls: [^\n]* glGetShaderInfoLog\\(0\\) glDeleteShader\n$");
}

// Runs in the child: a fresh context (the test binary is run again), then the
// program of the two texts.  Mesa's compiler log goes into the first box.
void buildProgramOnMesa(uint16_t vertexResourceId, uint16_t fragmentResourceId)
{
    GlContext context;
    if (context.open() != GlContext::Outcome::Ready) {
        std::fprintf(stderr, "no context: %s\n", context.error().c_str());
        std::exit(1);
    }
    ShaderRegistry registry;
    registry.addProgram("Broken", vertexResourceId, fragmentResourceId);
}

TEST(GLFWProgramMesaDeathTest, BrokenVertexShaderEndsTheProcessBeforeTheFragmentShader)
{
    QUENDRAL_SKIP_WITHOUT_DISPLAY();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Both texts are broken: only the vertex shader may be reported.
    EXPECT_EXIT(buildProgramOnMesa(kBrokenVertex, kBrokenFragment), ::testing::ExitedWithCode(0),
                "^\\[Debug\\] [^[]*error[^[]*\\[Debug\\] Vertex shader compilation error\n$");
}

TEST(GLFWProgramMesaDeathTest, BrokenFragmentShaderEndsTheProcessWithItsMessage)
{
    QUENDRAL_SKIP_WITHOUT_DISPLAY();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(buildProgramOnMesa(kPlasmaVertex, kBrokenFragment), ::testing::ExitedWithCode(0),
                "^\\[Debug\\] [^[]*error[^[]*\\[Debug\\] Fragment shader compilation error\n$");
}

}  // namespace
