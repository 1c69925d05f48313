// GLFWDrawableObject and GLFWDrawableSky against the recording OpenGL fake:
// load and draw protocols, the matrix uniforms and the sky's own uniforms.
#include "render/glfw_program.h"
#include "render/shader_registry.h"
#include "scene/glfw_drawable_object.h"
#include "scene/glfw_drawable_sky.h"
#include "scene/glfw_mesh_data.h"
#include "scene/glfw_vertex_buffer.h"
#include "scene/transform_stack.h"
#include "scene/vector_math.h"
#include "scene/view_state.h"
#include "support/fake_gl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr const char* kProgram = "BackgroundProgram";
constexpr int kRectangleObj = 141;
constexpr int kRectangleMtl = 140;

// A drawable that marks each hook in the fake's record.
class RecordingDrawable : public GLFWDrawableObject {
public:
    RecordingDrawable(FakeGl& gl, ViewState* viewState, TransformStack* transformStack, ShaderRegistry* registry)
        : GLFWDrawableObject(viewState, transformStack, registry, kProgram, kRectangleObj, kRectangleMtl, 1.0f),
          gl_(gl)
    {
    }

    void bindAttributes() override
    {
        gl_.mark("bindAttributes");
        vertexBuffer().addAttribute(programName(), "position", 3, 0);
    }
    void setUniforms() override { gl_.mark("setUniforms"); }
    void prepare() override { gl_.mark("prepare"); }

private:
    FakeGl& gl_;
};

Mat4 identity()
{
    return translate(0, 0, 0);
}

void expectMatrix(const std::vector<float>& sent, const Mat4& expected, const char* what)
{
    ASSERT_EQ(sent.size(), 16u) << what;
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(sent[i], valuePtr(expected)[i]) << what << " element " << i;
}

class GLFWDrawableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gl_.setUniformLocation("model_world", 4);
        gl_.setUniformLocation("world_projection", 5);
        gl_.setUniformLocation("model_projection", 6);
        gl_.setUniformLocation("iTime", 7);
        gl_.setAttribLocation("position", 0);
        gl_.setAttribLocation("position_tex", 1);
        registry_.addProgram(kProgram, 137, 136);
        programId_ = registry_.program(kProgram)->programId();
        // A camera at the origin looking down -z: its view is the identity.
        transformStack_.updateView(0);
        transformStack_.setProjection(identity());
        gl_.clearCalls();
    }

    FakeGl gl_;
    ShaderRegistry registry_;
    GLuint programId_ = 0;
    ViewState viewState_ {10.0f};
    TransformStack transformStack_ {0, 0, 0};
};

TEST_F(GLFWDrawableTest, ConstructionNamesBuffersAndSendsNoData)
{
    RecordingDrawable drawable(gl_, &viewState_, &transformStack_, &registry_);
    EXPECT_EQ(gl_.callNames(), (std::vector<std::string> {"glGenBuffers", "glGenBuffers"}));
}

TEST_F(GLFWDrawableTest, LoadBindsAttributesOnceBeforeAnyBufferData)
{
    RecordingDrawable drawable(gl_, &viewState_, &transformStack_, &registry_);
    gl_.clearCalls();
    drawable.load();

    const std::vector<std::string> names = gl_.callNames();
    ASSERT_EQ(std::count(names.begin(), names.end(), "bindAttributes"), 1);
    ASSERT_EQ(std::count(names.begin(), names.end(), "glBufferData"), 2);
    const auto bind = std::find(names.begin(), names.end(), "bindAttributes");
    const auto firstData = std::find(names.begin(), names.end(), "glBufferData");
    EXPECT_LT(bind, firstData);

    // The mesh's own arrays go up, in full.
    const GLFWMeshData mesh(kRectangleObj, kRectangleMtl, 1.0f);
    const std::vector<GlCall> data = gl_.callsTo("glBufferData");
    EXPECT_EQ(data[0].ints[0], GL_ARRAY_BUFFER);
    EXPECT_EQ(data[0].ints[1], mesh.vertexBytes());
    EXPECT_EQ(data[1].ints[0], GL_ELEMENT_ARRAY_BUFFER);
    EXPECT_EQ(data[1].ints[1], mesh.indexBytes());
}

TEST_F(GLFWDrawableTest, DrawRunsTheProtocolInOrderWithOneIndexedDraw)
{
    RecordingDrawable drawable(gl_, &viewState_, &transformStack_, &registry_);
    drawable.load();
    drawable.setModel(translate(0, 0, -100));
    drawable.draw();  // the first draw fills the location cache
    gl_.clearCalls();
    drawable.draw();

    const std::vector<std::string> expected = {
        "glUseProgram",       "prepare",      "glUniformMatrix4fv",        "glUniformMatrix4fv",
        "glUniformMatrix4fv", "setUniforms",  "glBindBuffer",              "glBindBuffer",
        "glEnableVertexAttribArray",          "glVertexAttribPointer",     "glDrawElements"};
    ASSERT_EQ(gl_.callNames(), expected);
    EXPECT_EQ(gl_.calls()[0].ints, (std::vector<int64_t> {programId_}));

    const GLFWMeshData mesh(kRectangleObj, kRectangleMtl, 1.0f);
    ASSERT_GT(mesh.indexCount(), 0);
    EXPECT_EQ(gl_.calls().back().ints,
              (std::vector<int64_t> {GL_TRIANGLES, mesh.indexCount(), GL_UNSIGNED_INT, 0}));
}

TEST_F(GLFWDrawableTest, MatrixUniformsWithIdentityCamera)
{
    // Precondition of the case: the camera's view really is the identity.
    const Mat4 view = transformStack_.view();
    for (int i = 0; i < 16; ++i)
        ASSERT_FLOAT_EQ(valuePtr(view)[i], valuePtr(identity())[i]) << i;

    RecordingDrawable drawable(gl_, &viewState_, &transformStack_, &registry_);
    drawable.setModel(translate(0, 0, -100));
    gl_.clearCalls();
    drawable.setMatrixUniforms();

    const std::vector<GlCall> sent = gl_.callsTo("glUniformMatrix4fv");
    ASSERT_EQ(sent.size(), 3u);
    const std::vector<int64_t> locations = {sent[0].ints[0], sent[1].ints[0], sent[2].ints[0]};
    EXPECT_EQ(locations, (std::vector<int64_t> {4, 5, 6}));  // model_world, world_projection, model_projection
    for (const GlCall& call : sent) {
        EXPECT_EQ(call.ints[1], 1);         // one matrix
        EXPECT_EQ(call.ints[2], GL_FALSE);  // column-major as it stands
    }
    expectMatrix(sent[0].floats, translate(0, 0, -100), "model_world");
    expectMatrix(sent[1].floats, identity(), "world_projection");
    expectMatrix(sent[2].floats, translate(0, 0, -100), "model_projection");
}

TEST_F(GLFWDrawableTest, MatrixUniformsApplyTheModelFirst)
{
    TransformStack camera(0, 0, 100);
    camera.pitch(10);
    camera.updateView(0);
    camera.setProjection(perspective(50, 1.5f, 0.1f, 1000));
    const Mat4 model = translate(3, -2, -100);

    RecordingDrawable drawable(gl_, &viewState_, &camera, &registry_);
    drawable.setModel(model);
    gl_.clearCalls();
    drawable.setMatrixUniforms();

    const std::vector<GlCall> sent = gl_.callsTo("glUniformMatrix4fv");
    ASSERT_EQ(sent.size(), 3u);
    const Mat4 projectionView = camera.projection() * camera.view();
    expectMatrix(sent[0].floats, model, "model_world");
    expectMatrix(sent[1].floats, projectionView, "world_projection");
    expectMatrix(sent[2].floats, projectionView * model, "model_projection");
}

TEST_F(GLFWDrawableTest, UnsetModelIsTheIdentity)
{
    RecordingDrawable drawable(gl_, &viewState_, &transformStack_, &registry_);
    gl_.clearCalls();
    drawable.setMatrixUniforms();
    const std::vector<GlCall> sent = gl_.callsTo("glUniformMatrix4fv");
    ASSERT_EQ(sent.size(), 3u);
    expectMatrix(sent[0].floats, identity(), "model_world");
}

// ---------------------------------------------------------------------------
// The sky
// ---------------------------------------------------------------------------

TEST_F(GLFWDrawableTest, SkyRegistersThreeAttributesAndPointsThemOnEveryDraw)
{
    GLFWDrawableSky sky(&viewState_, &transformStack_, &registry_, kProgram, kRectangleObj, kRectangleMtl, 1.0f);
    sky.load();
    const std::vector<GlCall> queried = gl_.callsTo("glGetAttribLocation");
    std::vector<std::string> names;
    for (const GlCall& call : queried)
        names.push_back(call.text);
    EXPECT_EQ(names, (std::vector<std::string> {"position", "position_tex", "position_normal"}));

    gl_.clearCalls();
    sky.draw();
    std::vector<std::string> pointers;
    for (const GlCall& call : gl_.callsTo("glVertexAttribPointer"))
        pointers.push_back(std::to_string(call.ints[0]) + " " + std::to_string(call.ints[1]) + " " +
                           std::to_string(call.ints[4]) + " " + std::to_string(call.ints[5]));
    // position, position_normal (not read by the plasma shader), position_tex.
    EXPECT_EQ(pointers, (std::vector<std::string> {"0 3 96 0", "-1 3 96 20", "1 2 96 12"}));
    EXPECT_EQ(gl_.callsTo("glEnableVertexAttribArray").size(), 3u);
}

TEST_F(GLFWDrawableTest, SkySendsTheAbsoluteTimerReadingAndTheViewport)
{
    GLFWDrawableSky sky(&viewState_, &transformStack_, &registry_, kProgram, kRectangleObj, kRectangleMtl, 1.0f);
    sky.load();
    // The first frame was at 10 s (the view state's start); this one is at 12.5 s.
    viewState_.setCurrentTime(12.5f);
    viewState_.setViewport(640, 480);
    gl_.clearCalls();
    sky.setUniforms();

    std::vector<std::string> located;
    for (const GlCall& call : gl_.callsTo("glGetUniformLocation"))
        located.push_back(call.text);
    EXPECT_EQ(located, (std::vector<std::string> {"iTime", "viewportWidth", "viewportHeight"}));

    const std::vector<GlCall> sent = gl_.callsTo("glUniform1f");
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].ints[0], 7);  // iTime
    EXPECT_FLOAT_EQ(sent[0].floats[0], 12.5f);
    EXPECT_EQ(sent[1].ints[0], -1);  // viewportWidth: not in the plasma program
    EXPECT_FLOAT_EQ(sent[1].floats[0], 640.0f);
    EXPECT_EQ(sent[2].ints[0], -1);
    EXPECT_FLOAT_EQ(sent[2].floats[0], 480.0f);
}

TEST_F(GLFWDrawableTest, SkyPrepareMakesNoCall)
{
    GLFWDrawableSky sky(&viewState_, &transformStack_, &registry_, kProgram, kRectangleObj, kRectangleMtl, 1.0f);
    sky.load();
    gl_.clearCalls();
    sky.prepare();
    EXPECT_TRUE(gl_.calls().empty());
}

TEST_F(GLFWDrawableTest, UnregisteredProgramDrawsWithLocationMinusOneInsteadOfCrashing)
{
    GLFWDrawableSky sky(&viewState_, &transformStack_, &registry_, "NoSuchProgram", kRectangleObj, kRectangleMtl,
                        1.0f);
    sky.load();
    gl_.clearCalls();
    sky.draw();
    EXPECT_TRUE(gl_.callsTo("glUseProgram").empty());
    for (const GlCall& call : gl_.callsTo("glUniformMatrix4fv"))
        EXPECT_EQ(call.ints[0], -1);
    for (const GlCall& call : gl_.callsTo("glUniform1f"))
        EXPECT_EQ(call.ints[0], -1);
    EXPECT_EQ(gl_.callsTo("glDrawElements").size(), 1u);
}

}  // namespace
