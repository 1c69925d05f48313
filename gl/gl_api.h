// OpenGL as the rest of the program calls it.
//
// Declares one process-wide pointer per entry point of gl_functions.inc
// (quendral_glCullFace, ...) and makes each standard OpenGL name a macro for
// its pointer, so code writes glCullFace(GL_BACK) and calls through the
// pointer.  The pointers are null until GlLoader::init() fills them; a test
// may point them at its own functions.  The prefixed names keep the pointers
// apart from the functions that the system's GL library exports.
#pragma once

#ifdef GL_GLEXT_PROTOTYPES
#error "gl_api.h declares every OpenGL function itself: do not define GL_GLEXT_PROTOTYPES"
#endif

#include <GL/glcorearb.h>

#define QUENDRAL_GL_FUNCTION(type, name) extern type quendral_##name;
#include "gl/gl_functions.inc"

#include "gl/gl_function_names.inc"
