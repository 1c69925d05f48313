#include "scene/glfw_vertex_buffer.h"

#include "render/glfw_program.h"
#include "render/shader_registry.h"

#include <cstddef>

GLFWVertexBuffer::GLFWVertexBuffer(ShaderRegistry* registry) : registry_(registry)
{
    glGenBuffers(1, &vertexBuffer_);
    glGenBuffers(1, &indexBuffer_);
}

GLFWVertexBuffer::~GLFWVertexBuffer()
{
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteBuffers(1, &indexBuffer_);
}

void GLFWVertexBuffer::setVertexData(int32_t bytes, const float* data, int32_t floatsPerVertex)
{
    vertexBytes_ = bytes;
    vertexData_ = data;
    floatsPerVertex_ = floatsPerVertex;
}

void GLFWVertexBuffer::setIndexData(int32_t bytes, const uint32_t* data, int32_t count)
{
    indexBytes_ = bytes;
    indexData_ = data;
    indexCount_ = count;
}

void GLFWVertexBuffer::addAttribute(const char* programName, const char* attributeName, int32_t components,
                                    int32_t offset)
{
    GLFWProgram* program = registry_->program(programName);
    const GLint location = program ? program->attribLocation(attributeName) : -1;
    // emplace never replaces: the first registration of a name stands.
    attributeLocations_.emplace(attributeName, location);
    attributeComponents_.emplace(attributeName, components);
    attributeOffsets_.emplace(attributeName, offset);
}

void GLFWVertexBuffer::bindBuffers()
{
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
}

void GLFWVertexBuffer::setAttributePointers()
{
    const GLsizei stride = floatsPerVertex_ * static_cast<GLsizei>(sizeof(float));
    for (const auto& [name, location] : attributeLocations_) {
        const int32_t components = attributeComponents_.find(name)->second;
        const int32_t offset = attributeOffsets_.find(name)->second;
        // With a buffer bound to GL_ARRAY_BUFFER the "pointer" is a byte
        // offset into it.  A location of -1 is passed on as it is: OpenGL
        // rejects it without effect.
        const size_t byteOffset = static_cast<size_t>(offset) * sizeof(float);
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(byteOffset));
    }
}

void GLFWVertexBuffer::activate()
{
    bindBuffers();
    setAttributePointers();
}

void GLFWVertexBuffer::upload()
{
    // The pointers refer to the bound buffer, whose data follows at once.
    activate();
    glBufferData(GL_ARRAY_BUFFER, vertexBytes_, vertexData_, GL_STATIC_DRAW);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, indexBytes_, indexData_, GL_STATIC_DRAW);
}
