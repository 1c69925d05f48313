#include "render/glfw_program.h"

#include "platform/platform.h"
#include "render/text_resource.h"

#include <cstdlib>
#include <vector>

namespace {

void showDebugMessage(const char* text)
{
    platform::showMessageBox(text, "Debug", platform::MessageIcon::Information);
}

// Shows the shader's compile log in a message box; an empty log gives an
// empty message.
void showShaderInfoLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length < 0)
        length = 0;
    // One spare zero byte: the text stays terminated whatever the driver writes.
    std::vector<char> log(static_cast<size_t>(length) + 1, '\0');
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    showDebugMessage(log.data());
}

// Compiles one shader from a zero-terminated text.  On a compile error the
// log and `failureMessage` are shown, the shader is deleted and the process
// ends with exit code 0: a screensaver without its picture has nothing to do.
GLuint compileShader(GLenum type, const char* source, const char* failureMessage)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);

    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == 0) {
        showShaderInfoLog(shader);
        showDebugMessage(failureMessage);
        glDeleteShader(shader);
        std::exit(0);
    }
    return shader;
}

}  // namespace

// ---------------------------------------------------------------------------
// Public
// ---------------------------------------------------------------------------

GLFWProgram::GLFWProgram(uint16_t vertexResourceId, uint16_t fragmentResourceId)
    : vertexSource_(new char[kTextResourceBufferSize]), fragmentSource_(new char[kTextResourceBufferSize])
{
    loadTextResource(vertexResourceId, vertexSource_.get(), kTextResourceCapacity);
    loadTextResource(fragmentResourceId, fragmentSource_.get(), kTextResourceCapacity);

    programId_ = glCreateProgram();
    vertexShader_ = compileShader(GL_VERTEX_SHADER, vertexSource_.get(), "Vertex shader compilation error");
    fragmentShader_ = compileShader(GL_FRAGMENT_SHADER, fragmentSource_.get(), "Fragment shader compilation error");

    // The shaders stay attached for the program's life.
    glAttachShader(programId_, vertexShader_);
    glAttachShader(programId_, fragmentShader_);
    glLinkProgram(programId_);
}

void GLFWProgram::use()
{
    glUseProgram(programId_);
}

GLint GLFWProgram::uniformLocation(const char* name)
{
    return cachedLocation(name, glGetUniformLocation);
}

GLint GLFWProgram::attribLocation(const char* name)
{
    return cachedLocation(name, glGetAttribLocation);
}

// ---------------------------------------------------------------------------
// Internal
// ---------------------------------------------------------------------------

GLint GLFWProgram::cachedLocation(const char* name, PFNGLGETUNIFORMLOCATIONPROC query)
{
    auto found = locationCache_.find(name);
    if (found != locationCache_.end())
        return found->second;
    // -1 is cached too: a name the program lacks costs one query in all.
    const GLint location = query(programId_, name);
    locationCache_.emplace(name, location);
    return location;
}
