#include "gl/gl_api.h"

// The pointers themselves: all null until GlLoader::init() runs.
#define QUENDRAL_GL_FUNCTION(type, name) type quendral_##name = nullptr;
#include "gl/gl_functions.inc"
