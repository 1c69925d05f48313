// The full-screen rectangle on which the plasma fragment shader paints every
// pixel: a GLFWDrawableObject with the rectangle's three vertex attributes,
// the frame time and viewport size as uniforms, and nothing to prepare.
#pragma once

#include "scene/glfw_drawable_object.h"

class GLFWDrawableSky : public GLFWDrawableObject {
public:
    using GLFWDrawableObject::GLFWDrawableObject;

    // Registers "position" (3 floats), "position_tex" (2) and
    // "position_normal" (3) at their places in the interleaved vertex.
    void bindAttributes() override;
    // Sends "iTime" (the view state's current timer reading, in seconds),
    // "viewportWidth" and "viewportHeight".
    void setUniforms() override;
    // Nothing to prepare: no state change, no OpenGL call.
    void prepare() override {}
};
