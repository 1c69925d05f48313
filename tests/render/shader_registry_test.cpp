// The shader registry against the recording OpenGL fake: what it asks of
// OpenGL while building a program, the location cache and the registry's
// name lookup.
#include "render/glfw_program.h"
#include "render/shader_registry.h"
#include "render/text_resource.h"
#include "support/fake_gl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kPlasmaVertex = 137;
constexpr uint16_t kPlasmaFragment = 136;

std::string textOf(uint16_t id)
{
    std::vector<char> buffer(kTextResourceBufferSize);
    loadTextResource(id, buffer.data(), kTextResourceCapacity);
    return buffer.data();
}

TEST(GLFWProgramTest, CompilesVertexThenFragmentAndLinksThemIntoOneProgram)
{
    FakeGl gl;
    GLFWProgram program(kPlasmaVertex, kPlasmaFragment);

    const std::vector<std::string> expected = {
        "glCreateProgram",  "glCreateShader",  "glShaderSource", "glCompileShader", "glGetShaderiv",
        "glCreateShader",   "glShaderSource",  "glCompileShader", "glGetShaderiv",  "glAttachShader",
        "glAttachShader",   "glLinkProgram"};
    ASSERT_EQ(gl.callNames(), expected);

    const std::vector<GlCall>& calls = gl.calls();
    const int64_t programId = calls[0].ints[0];
    EXPECT_EQ(program.programId(), programId);
    const int64_t vertexShader = calls[1].ints[1];
    const int64_t fragmentShader = calls[5].ints[1];
    EXPECT_EQ(calls[1].ints[0], GL_VERTEX_SHADER);
    EXPECT_EQ(calls[5].ints[0], GL_FRAGMENT_SHADER);

    // One zero-terminated string per shader, with no length array.
    EXPECT_EQ(calls[2].ints, (std::vector<int64_t> {vertexShader, 1, 0}));
    EXPECT_EQ(calls[2].text, textOf(kPlasmaVertex));
    EXPECT_EQ(calls[2].text.rfind("#version 110", 0), 0u);
    EXPECT_EQ(calls[6].ints, (std::vector<int64_t> {fragmentShader, 1, 0}));
    EXPECT_EQ(calls[6].text, textOf(kPlasmaFragment));

    EXPECT_EQ(calls[4].ints, (std::vector<int64_t> {vertexShader, GL_COMPILE_STATUS}));
    EXPECT_EQ(calls[8].ints, (std::vector<int64_t> {fragmentShader, GL_COMPILE_STATUS}));
    EXPECT_EQ(calls[9].ints, (std::vector<int64_t> {programId, vertexShader}));
    EXPECT_EQ(calls[10].ints, (std::vector<int64_t> {programId, fragmentShader}));
    EXPECT_EQ(calls[11].ints, (std::vector<int64_t> {programId}));
}

TEST(GLFWProgramTest, UseMakesTheProgramCurrent)
{
    FakeGl gl;
    GLFWProgram program(kPlasmaVertex, kPlasmaFragment);
    gl.clearCalls();
    program.use();
    ASSERT_EQ(gl.calls().size(), 1u);
    EXPECT_EQ(gl.calls()[0].name, "glUseProgram");
    EXPECT_EQ(gl.calls()[0].ints, (std::vector<int64_t> {program.programId()}));
}

// A sequence of lookups and what each returns; the cache must answer all but
// the first lookup of each name without OpenGL.
struct LookupStep {
    bool attribute;  // attribLocation, else uniformLocation
    const char* name;
    GLint expected;
};

struct CacheCase {
    const char* title;
    std::vector<LookupStep> steps;
    std::vector<std::string> expectedQueries;
};

TEST(GLFWProgramTest, LocationCacheAsksOpenGlOncePerName)
{
    const CacheCase cases[] = {
        {"uniform twice", {{false, "iTime", 3}, {false, "iTime", 3}}, {"glGetUniformLocation iTime"}},
        {"unknown uniform stays -1",
         {{false, "viewportWidth", -1}, {false, "viewportWidth", -1}, {false, "viewportWidth", -1}},
         {"glGetUniformLocation viewportWidth"}},
        {"attribute first, then the same name as a uniform",
         {{true, "position", 0}, {false, "position", 0}},
         {"glGetAttribLocation position"}},
        {"uniform first, then the same name as an attribute",
         {{false, "iTime", 3}, {true, "iTime", 3}},
         {"glGetUniformLocation iTime"}},
        {"distinct names each asked once",
         {{true, "position", 0}, {true, "position_tex", 1}, {false, "iTime", 3}, {true, "position_tex", 1}},
         {"glGetAttribLocation position", "glGetAttribLocation position_tex", "glGetUniformLocation iTime"}},
    };
    for (const CacheCase& testCase : cases) {
        SCOPED_TRACE(testCase.title);
        FakeGl gl;
        gl.setUniformLocation("iTime", 3);
        gl.setAttribLocation("position", 0);
        gl.setAttribLocation("position_tex", 1);
        GLFWProgram program(kPlasmaVertex, kPlasmaFragment);
        gl.clearCalls();

        for (const LookupStep& step : testCase.steps) {
            const GLint location = step.attribute ? program.attribLocation(step.name)
                                                  : program.uniformLocation(step.name);
            EXPECT_EQ(location, step.expected) << step.name;
        }
        std::vector<std::string> queries;
        for (const GlCall& call : gl.calls()) {
            EXPECT_EQ(call.ints, (std::vector<int64_t> {program.programId()})) << call.name;
            queries.push_back(call.name + " " + call.text);
        }
        EXPECT_EQ(queries, testCase.expectedQueries);
    }
}

TEST(ShaderRegistryTest, FindsProgramsByNameAndNullForAnUnknownName)
{
    FakeGl gl;
    ShaderRegistry registry;
    EXPECT_EQ(registry.program("BackgroundProgram"), nullptr);
    registry.addProgram("BackgroundProgram", kPlasmaVertex, kPlasmaFragment);
    registry.addProgram("Other", kPlasmaVertex, kPlasmaFragment);
    GLFWProgram* background = registry.program("BackgroundProgram");
    GLFWProgram* other = registry.program("Other");
    ASSERT_NE(background, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(background->programId(), other->programId());
    EXPECT_EQ(registry.program("backgroundprogram"), nullptr);
    EXPECT_EQ(registry.program(""), nullptr);
}

TEST(ShaderRegistryTest, AddingANameTwiceKeepsTheFirstProgram)
{
    FakeGl gl;
    ShaderRegistry registry;
    registry.addProgram("BackgroundProgram", kPlasmaVertex, kPlasmaFragment);
    const GLuint firstId = static_cast<GLuint>(gl.callsTo("glCreateProgram").at(0).ints[0]);
    registry.addProgram("BackgroundProgram", kPlasmaVertex, kPlasmaFragment);

    // The second program was built, but the name still leads to the first.
    ASSERT_EQ(gl.callsTo("glCreateProgram").size(), 2u);
    ASSERT_NE(registry.program("BackgroundProgram"), nullptr);
    EXPECT_EQ(registry.program("BackgroundProgram")->programId(), firstId);
    gl.clearCalls();
    registry.useProgram("BackgroundProgram");
    ASSERT_EQ(gl.callsTo("glUseProgram").size(), 1u);
    EXPECT_EQ(gl.callsTo("glUseProgram")[0].ints[0], firstId);
}

TEST(ShaderRegistryTest, UseProgramWithAnUnknownNameMakesNoCall)
{
    FakeGl gl;
    ShaderRegistry registry;
    registry.addProgram("BackgroundProgram", kPlasmaVertex, kPlasmaFragment);
    gl.clearCalls();
    registry.useProgram("NoSuchProgram");
    EXPECT_TRUE(gl.calls().empty());
    registry.useProgram("BackgroundProgram");
    EXPECT_EQ(gl.callNames(), std::vector<std::string> {"glUseProgram"});
}

TEST(GLFWProgramTest, SuccessfulCompileShowsNoLog)
{
    FakeGl gl;
    gl.setCompileSucceeds(GL_VERTEX_SHADER, true);
    GLFWProgram program(kPlasmaVertex, kPlasmaFragment);
    EXPECT_TRUE(gl.callsTo("glGetShaderInfoLog").empty());
}

}  // namespace
