// Resolves the OpenGL entry points of gl_api.h once a context is current.
#pragma once

#include <cstdint>

class GlLoader {
public:
    // Resolves every entry point of gl_functions.inc, first through the
    // context-level lookup and then through the GL library's exported
    // symbols, and reads the context's version.  A name neither lookup finds
    // leaves its pointer null, unreported.  Returns 0 for OpenGL 3.0 or
    // later, -1 for an older context (whose version reads as 0.0) or when
    // glGetIntegerv was not found.  Call once, with the context current.
    static int32_t init();

    // The context version read by init(); 0 before init() and on a context
    // that cannot report it (below OpenGL 3.0).
    static int32_t majorVersion() { return majorVersion_; }
    static int32_t minorVersion() { return minorVersion_; }

private:
    static int32_t majorVersion_;
    static int32_t minorVersion_;
};
