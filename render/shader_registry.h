// The shader programs of the scene, found by name.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class GLFWProgram;

class ShaderRegistry {
public:
    // An empty registry.  Destroying it frees the programs' texts and caches
    // but releases no GL object; the program itself never destroys it.
    ShaderRegistry();
    ~ShaderRegistry();
    ShaderRegistry(const ShaderRegistry&) = delete;
    ShaderRegistry& operator=(const ShaderRegistry&) = delete;

    // Builds a program from the two TEXTFILE resources and registers it as
    // `name`.  A name already registered keeps its first program; the new
    // one is still built (so a broken text still ends the process) and then
    // dropped.  A shader that does not compile ends the process (GLFWProgram).
    void addProgram(const char* name, uint16_t vertexResourceId, uint16_t fragmentResourceId);

    // The program registered as `name`, or null when there is none.
    GLFWProgram* program(const char* name) const;

    // Makes the program registered as `name` current.  An unknown name
    // changes nothing and makes no OpenGL call, like glUseProgram with a
    // name that is no program: whatever was current stays current.
    void useProgram(const char* name);

private:
    std::map<std::string, std::unique_ptr<GLFWProgram>, std::less<>> programs_;
};
