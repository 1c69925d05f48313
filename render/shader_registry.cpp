#include "render/shader_registry.h"

#include "render/glfw_program.h"

ShaderRegistry::ShaderRegistry() = default;

ShaderRegistry::~ShaderRegistry() = default;

void ShaderRegistry::addProgram(const char* name, uint16_t vertexResourceId, uint16_t fragmentResourceId)
{
    std::unique_ptr<GLFWProgram> program(new GLFWProgram(vertexResourceId, fragmentResourceId));
    // emplace never replaces: a second program of the same name is freed here.
    programs_.emplace(name, std::move(program));
}

GLFWProgram* ShaderRegistry::program(const char* name) const
{
    auto found = programs_.find(name);
    return found == programs_.end() ? nullptr : found->second.get();
}

void ShaderRegistry::useProgram(const char* name)
{
    if (GLFWProgram* found = program(name))
        found->use();
}
