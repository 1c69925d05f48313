// GLFWVertexBuffer against the recording OpenGL fake: buffer names, the
// attribute layout and the order of binding, pointers and upload.
#include "render/shader_registry.h"
#include "scene/glfw_vertex_buffer.h"
#include "support/fake_gl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr const char* kProgram = "BackgroundProgram";

class GLFWVertexBufferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gl_.setAttribLocation("position", 0);
        gl_.setAttribLocation("position_tex", 1);
        // "position_normal" is left at -1: the plasma shader never reads it.
        registry_.addProgram(kProgram, 137, 136);
        gl_.clearCalls();
    }

    // The three attributes of the sky, registered in the sky's order.
    void addSkyAttributes(GLFWVertexBuffer& buffer)
    {
        buffer.addAttribute(kProgram, "position", 3, 0);
        buffer.addAttribute(kProgram, "position_tex", 2, 3);
        buffer.addAttribute(kProgram, "position_normal", 3, 5);
    }

    // Enable and pointer calls as "location components stride byteOffset".
    std::vector<std::string> pointerCalls() const
    {
        std::vector<std::string> result;
        for (const GlCall& call : gl_.calls()) {
            if (call.name == "glEnableVertexAttribArray") {
                result.push_back("enable " + std::to_string(call.ints[0]));
            } else if (call.name == "glVertexAttribPointer") {
                EXPECT_EQ(call.ints[2], GL_FLOAT);
                EXPECT_EQ(call.ints[3], GL_FALSE);
                result.push_back("pointer " + std::to_string(call.ints[0]) + " " + std::to_string(call.ints[1]) +
                                 " " + std::to_string(call.ints[4]) + " " + std::to_string(call.ints[5]));
            }
        }
        return result;
    }

    FakeGl gl_;
    ShaderRegistry registry_;
    std::vector<float> vertices_ = std::vector<float>(4 * 24, 0.5f);
    std::vector<uint32_t> indices_ = {0, 1, 2, 2, 3, 0};
};

TEST_F(GLFWVertexBufferTest, PointersFollowTheByteOrderOfTheNamesWithByteStrideAndOffsets)
{
    GLFWVertexBuffer buffer(&registry_);
    buffer.setVertexData(static_cast<int32_t>(vertices_.size() * 4), vertices_.data(), 24);
    addSkyAttributes(buffer);
    gl_.clearCalls();

    buffer.setAttributePointers();
    const std::vector<std::string> expected = {
        "enable 0",  "pointer 0 3 96 0",    // position
        "enable -1", "pointer -1 3 96 20",  // position_normal: location -1 passed on
        "enable 1",  "pointer 1 2 96 12",   // position_tex
    };
    EXPECT_EQ(pointerCalls(), expected);
    EXPECT_EQ(gl_.calls().size(), expected.size());
}

TEST_F(GLFWVertexBufferTest, AddingAnAttributeTwiceKeepsTheFirstValues)
{
    GLFWVertexBuffer buffer(&registry_);
    buffer.setVertexData(static_cast<int32_t>(vertices_.size() * 4), vertices_.data(), 24);
    buffer.addAttribute(kProgram, "position", 3, 0);
    buffer.addAttribute(kProgram, "position", 4, 7);
    gl_.clearCalls();

    buffer.setAttributePointers();
    EXPECT_EQ(pointerCalls(), (std::vector<std::string> {"enable 0", "pointer 0 3 96 0"}));
}

TEST_F(GLFWVertexBufferTest, AttributeOfAnUnregisteredProgramGetsLocationMinusOne)
{
    GLFWVertexBuffer buffer(&registry_);
    buffer.setVertexData(static_cast<int32_t>(vertices_.size() * 4), vertices_.data(), 24);
    buffer.addAttribute("NoSuchProgram", "position", 3, 0);
    EXPECT_TRUE(gl_.callsTo("glGetAttribLocation").empty());
    gl_.clearCalls();

    buffer.setAttributePointers();
    EXPECT_EQ(pointerCalls(), (std::vector<std::string> {"enable -1", "pointer -1 3 96 0"}));
}

TEST_F(GLFWVertexBufferTest, NamesTwoBuffersAndDeletesThemInTheSameOrder)
{
    std::vector<int64_t> names;
    {
        GLFWVertexBuffer buffer(&registry_);
        const std::vector<GlCall> generated = gl_.callsTo("glGenBuffers");
        ASSERT_EQ(generated.size(), 2u);
        for (const GlCall& call : generated) {
            ASSERT_EQ(call.ints.size(), 2u);
            EXPECT_EQ(call.ints[0], 1);
            names.push_back(call.ints[1]);
        }
        EXPECT_NE(names[0], names[1]);
        EXPECT_EQ(gl_.calls().size(), 2u);  // nothing but the names

        gl_.clearCalls();
        buffer.bindBuffers();
        ASSERT_EQ(gl_.calls().size(), 2u);
        EXPECT_EQ(gl_.calls()[0].ints, (std::vector<int64_t> {GL_ARRAY_BUFFER, names[0]}));
        EXPECT_EQ(gl_.calls()[1].ints, (std::vector<int64_t> {GL_ELEMENT_ARRAY_BUFFER, names[1]}));
        gl_.clearCalls();
    }
    const std::vector<GlCall> deleted = gl_.callsTo("glDeleteBuffers");
    ASSERT_EQ(deleted.size(), 2u);
    EXPECT_EQ(deleted[0].ints, (std::vector<int64_t> {1, names[0]}));
    EXPECT_EQ(deleted[1].ints, (std::vector<int64_t> {1, names[1]}));
}

TEST_F(GLFWVertexBufferTest, UploadBindsSetsPointersThenSendsVerticesAndIndices)
{
    GLFWVertexBuffer buffer(&registry_);
    const int64_t vertexBuffer = gl_.callsTo("glGenBuffers")[0].ints[1];
    const int64_t indexBuffer = gl_.callsTo("glGenBuffers")[1].ints[1];
    const int32_t vertexBytes = static_cast<int32_t>(vertices_.size() * sizeof(float));
    const int32_t indexBytes = static_cast<int32_t>(indices_.size() * sizeof(uint32_t));
    buffer.setVertexData(vertexBytes, vertices_.data(), 24);
    buffer.setIndexData(indexBytes, indices_.data(), static_cast<int32_t>(indices_.size()));
    addSkyAttributes(buffer);
    EXPECT_TRUE(gl_.callsTo("glBufferData").empty());  // setting the data sends nothing
    gl_.clearCalls();

    buffer.upload();
    const std::vector<std::string> expected = {
        "glBindBuffer",          "glBindBuffer",          "glEnableVertexAttribArray", "glVertexAttribPointer",
        "glEnableVertexAttribArray", "glVertexAttribPointer", "glEnableVertexAttribArray", "glVertexAttribPointer",
        "glBufferData",          "glBufferData"};
    ASSERT_EQ(gl_.callNames(), expected);
    const std::vector<GlCall>& calls = gl_.calls();
    EXPECT_EQ(calls[0].ints, (std::vector<int64_t> {GL_ARRAY_BUFFER, vertexBuffer}));
    EXPECT_EQ(calls[1].ints, (std::vector<int64_t> {GL_ELEMENT_ARRAY_BUFFER, indexBuffer}));
    EXPECT_EQ(calls[8].ints, (std::vector<int64_t> {GL_ARRAY_BUFFER, vertexBytes,
                                                    reinterpret_cast<intptr_t>(vertices_.data()), GL_STATIC_DRAW}));
    EXPECT_EQ(calls[9].ints, (std::vector<int64_t> {GL_ELEMENT_ARRAY_BUFFER, indexBytes,
                                                    reinterpret_cast<intptr_t>(indices_.data()), GL_STATIC_DRAW}));
    EXPECT_EQ(buffer.indexCount(), 6);

    // Changing the arrays afterwards sends nothing: there is no re-upload.
    gl_.clearCalls();
    vertices_[0] = 9.0f;
    buffer.activate();
    EXPECT_TRUE(gl_.callsTo("glBufferData").empty());
}

TEST_F(GLFWVertexBufferTest, UploadWithoutArraysSendsEmptyBuffers)
{
    GLFWVertexBuffer buffer(&registry_);
    gl_.clearCalls();
    buffer.upload();
    const std::vector<GlCall> sent = gl_.callsTo("glBufferData");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].ints, (std::vector<int64_t> {GL_ARRAY_BUFFER, 0, 0, GL_STATIC_DRAW}));
    EXPECT_EQ(sent[1].ints, (std::vector<int64_t> {GL_ELEMENT_ARRAY_BUFFER, 0, 0, GL_STATIC_DRAW}));
    EXPECT_EQ(buffer.indexCount(), 0);
}

}  // namespace
