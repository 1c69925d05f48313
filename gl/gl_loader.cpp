#include "gl/gl_loader.h"

#include "gl/gl_api.h"
#include "platform/platform.h"

int32_t GlLoader::majorVersion_ = 0;
int32_t GlLoader::minorVersion_ = 0;

namespace {

// The context-level lookup does not return the OpenGL 1.0 and 1.1 functions
// on every platform (wglGetProcAddress gives null for them); the library
// exports those.
platform::GlProc lookUp(void* library, const char* name)
{
    platform::GlProc proc = platform::contextProcAddress(name);
    if (!proc)
        proc = platform::librarySymbol(library, name);
    return proc;
}

}  // namespace

int32_t GlLoader::init()
{
    void* library = platform::openGlLibrary();

#define QUENDRAL_GL_FUNCTION(type, name) quendral_##name = reinterpret_cast<type>(lookUp(library, #name));
#include "gl/gl_functions.inc"

    // The context keeps the library loaded, so the addresses stay valid.
    platform::closeGlLibrary(library);

    if (!glGetIntegerv)
        return -1;
    // A context below 3.0 does not know these names and leaves both at 0.
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    majorVersion_ = major;
    minorVersion_ = minor;
    return majorVersion_ < 3 ? -1 : 0;
}
