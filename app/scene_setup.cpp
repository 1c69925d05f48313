#include "app/scene_setup.h"

#include "app/saver_app.h"
#include "gl/gl_api.h"
#include "render/glfw_program.h"
#include "render/shader_registry.h"
#include "scene/glfw_drawable_sky.h"
#include "scene/transform_stack.h"
#include "scene/vector_math.h"
#include "scene/view_state.h"

ShaderRegistry* registry = nullptr;
ViewState* viewState = nullptr;
TransformStack* transformStack = nullptr;
GLFWDrawableSky* sky = nullptr;

uint32_t renderTarget = 0;
uint32_t renderTexture = 0;
int32_t renderTextureSize = 0;

namespace {

const char* const kBackgroundProgram = "BackgroundProgram";

int32_t backgroundTextureLocation = -1;
int32_t backgroundTextureSizeLocation = -1;
int32_t screenWidthLocation = -1;
int32_t screenHeightLocation = -1;
int32_t renderModeLocation = -1;

// The 1024 × 1024 texture target of the render-to-texture mode.  Nothing is
// ever drawn into it.
void createRenderTarget()
{
    glGenFramebuffers(1, &renderTarget);
    glBindFramebuffer(GL_FRAMEBUFFER, renderTarget);
    glGenTextures(1, &renderTexture);
    glBindTexture(GL_TEXTURE_2D, renderTexture);
    renderTextureSize = 1024;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, renderTextureSize, renderTextureSize, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // glFramebufferTexture is OpenGL 3.2: an older driver simply has no
    // render target, which no pixel on the screen needs.
    if (glFramebufferTexture)
        glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, renderTexture, 0);
    const GLenum drawBuffers[1] = {GL_COLOR_ATTACHMENT0};
    glDrawBuffers(1, drawBuffers);
    // Asked, and not acted on: an incomplete target changes nothing, since
    // no frame draws into it.
    glCheckFramebufferStatus(GL_FRAMEBUFFER);
}

}  // namespace

void setupScene()
{
    registry = new ShaderRegistry();
    viewState = new ViewState(0);
    transformStack = new TransformStack(0, 0, 100);
    transformStack->pitch(1);
    transformStack->updateView(0);

    registry->addProgram(kBackgroundProgram, 137, 136);

    sky = new GLFWDrawableSky(viewState, transformStack, registry, kBackgroundProgram, 141, 140, 1.0f);
    sky->load();

    createRenderTarget();

    GLFWProgram* program = registry->program(kBackgroundProgram);
    backgroundTextureLocation = program->uniformLocation("backgroundTexture");
    backgroundTextureSizeLocation = program->uniformLocation("backgroundTextureSize");
    screenWidthLocation = program->uniformLocation("screenWidth");
    screenHeightLocation = program->uniformLocation("screenHeight");
    renderModeLocation = program->uniformLocation("renderMode");
}

void renderFrame()
{
    transformStack->setProjection(perspective(50, windowAspect, 0.1f, 1000));
    viewState->setViewport(static_cast<float>(windowWidth), static_cast<float>(windowHeight));
    viewState->setSceneVector(Vec3(50, 80, 80));
    transformStack->setCurrent(0);
    sky->setModel(translate(0, 0, -100));

    registry->useProgram(kBackgroundProgram);
    glUniform1f(backgroundTextureSizeLocation, static_cast<float>(renderTextureSize));
    glUniform1f(screenWidthLocation, static_cast<float>(windowWidth));
    glUniform1f(screenHeightLocation, static_cast<float>(windowHeight));

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUniform1f(renderModeLocation, 2.5f);
    glViewport(0, 0, windowWidth, windowHeight);
    sky->draw();
}
