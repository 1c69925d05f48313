// One linked shader program built from two embedded shader texts, with a
// cache of its uniform and attribute locations.
//
// The program and its shaders live as long as the GL context: destroying a
// GLFWProgram frees its texts and cache but releases no GL object.
#pragma once

#include "gl/gl_api.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class GLFWProgram {
public:
    // Loads the vertex and fragment texts from the TEXTFILE resources,
    // compiles both and links them; the link status is not checked.  A
    // shader that does not compile shows its log and "Vertex shader
    // compilation error" or "Fragment shader compilation error" and ends the
    // process with exit code 0.  Needs a current context.
    GLFWProgram(uint16_t vertexResourceId, uint16_t fragmentResourceId);

    GLFWProgram(const GLFWProgram&) = delete;
    GLFWProgram& operator=(const GLFWProgram&) = delete;

    // Makes the program current.
    void use();

    // The location of the active uniform / vertex attribute `name`, or -1
    // when the program has none of that name.  OpenGL is asked once per
    // name; uniforms and attributes share the cache, keyed by the name
    // alone, so the first answer for a name is the one returned ever after.
    GLint uniformLocation(const char* name);
    GLint attribLocation(const char* name);

    // The OpenGL name of the program object.
    GLuint programId() const { return programId_; }

private:
    GLint cachedLocation(const char* name, PFNGLGETUNIFORMLOCATIONPROC query);

    std::unique_ptr<char[]> vertexSource_;
    std::unique_ptr<char[]> fragmentSource_;
    GLuint vertexShader_ = 0;
    GLuint fragmentShader_ = 0;
    GLuint programId_ = 0;
    std::map<std::string, GLint, std::less<>> locationCache_;
};
