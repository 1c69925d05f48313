// The scene of the program: one full-screen rectangle painted by the plasma
// program, and the render pass that draws it.
#pragma once

#include <cstdint>

class ShaderRegistry;
class ViewState;
class TransformStack;
class GLFWDrawableSky;

// The scene objects, created once by setupScene() and never freed.
extern ShaderRegistry* registry;
extern ViewState* viewState;
extern TransformStack* transformStack;
extern GLFWDrawableSky* sky;

// The off-screen render target that no frame draws into.
extern uint32_t renderTarget;
extern uint32_t renderTexture;
extern int32_t renderTextureSize;

// Builds the scene: registry with "BackgroundProgram", view state, camera,
// the sky drawable with its buffers, the render target and the cached
// uniform locations.  Needs the current context and loaded entry points.  A
// shader that does not compile or a model that does not load ends the
// process (exit code 0) after saying why.
void setupScene();

// Draws one frame into the window with the current window metrics and the
// view state's time.  The caller presents it.
void renderFrame();
