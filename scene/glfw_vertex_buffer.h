// The OpenGL side of one drawable: an array buffer of interleaved vertices,
// an element buffer of 32-bit indices, and the named attribute layout of a
// shader program.  Without vertex array objects the attribute pointers are
// set again before every draw (activate()).
//
// The vertex and index arrays are not copied: they must stay alive until
// upload() has sent them.
#pragma once

#include "gl/gl_api.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

class ShaderRegistry;

class GLFWVertexBuffer {
public:
    // Names the vertex buffer, then the index buffer.  Needs a current context.
    explicit GLFWVertexBuffer(ShaderRegistry* registry);
    // Deletes both buffer objects, the vertex buffer first.
    ~GLFWVertexBuffer();
    GLFWVertexBuffer(const GLFWVertexBuffer&) = delete;
    GLFWVertexBuffer& operator=(const GLFWVertexBuffer&) = delete;

    // Remember the arrays that upload() will send; no OpenGL call.
    void setVertexData(int32_t bytes, const float* data, int32_t floatsPerVertex);
    void setIndexData(int32_t bytes, const uint32_t* data, int32_t count);

    // Registers the vertex attribute `attributeName` of the program
    // registered as `programName`: `components` floats starting `offset`
    // floats into each vertex.  A name registered before keeps its first
    // values.  An attribute the program lacks (or a program that is not
    // registered) gets location -1, which OpenGL rejects harmlessly.
    void addAttribute(const char* programName, const char* attributeName, int32_t components, int32_t offset);

    // Binds the vertex buffer to GL_ARRAY_BUFFER and the index buffer to
    // GL_ELEMENT_ARRAY_BUFFER.
    void bindBuffers();
    // Enables and points every registered attribute, in byte-wise order of
    // the names; stride and offsets in bytes.
    void setAttributePointers();
    // bindBuffers(), then setAttributePointers().
    void activate();
    // activate(), then sends both arrays as GL_STATIC_DRAW data.  Arrays never
    // set are sent as empty buffers.
    void upload();

    // The number of indices that setIndexData() was given (0 before).
    int32_t indexCount() const { return indexCount_; }

private:
    ShaderRegistry* registry_;
    GLuint vertexBuffer_ = 0;
    GLuint indexBuffer_ = 0;
    const float* vertexData_ = nullptr;
    int32_t vertexBytes_ = 0;
    int32_t floatsPerVertex_ = 0;
    std::map<std::string, GLint, std::less<>> attributeLocations_;
    std::map<std::string, int32_t, std::less<>> attributeComponents_;
    std::map<std::string, int32_t, std::less<>> attributeOffsets_;
    const uint32_t* indexData_ = nullptr;
    int32_t indexBytes_ = 0;
    int32_t indexCount_ = 0;
};
