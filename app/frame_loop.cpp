#include "app/frame_loop.h"

#include "app/command_line.h"
#include "app/saver_app.h"
#include "app/scene_setup.h"
#include "platform/platform.h"
#include "scene/view_state.h"

#include <GLFW/glfw3.h>

namespace {

int firstFrameDone = 0;

}  // namespace

void updateFrame()
{
    const float t = static_cast<float>(glfwGetTime());
    if (firstFrameDone == 0) {
        viewState->setStartTime(t);
        viewState->captureStartDateTime();
        firstFrameDone = 1;
    }
    viewState->setCurrentTime(t);
    renderFrame();
}

void runFrameLoop()
{
    setupScene();
    bool running = true;
    do {
        // The host may have resized its preview area since the last frame.
        if (commandLine->mode == Preview)
            platform::followPreviewWindowSize(saverApp->window);
        updateFrame();
        glfwSwapBuffers(saverApp->window);
        glfwPollEvents();
        running = running && glfwGetKey(saverApp->window, GLFW_KEY_ESCAPE) == GLFW_RELEASE;
        running = running && glfwWindowShouldClose(saverApp->window) != GLFW_TRUE;
        if (commandLine->mode == Preview && !platform::nativeWindowEnabled(commandLine->windowHandle))
            break;
    } while (running);
}
