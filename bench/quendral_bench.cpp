// quendral-bench: what the screensaver costs.  Prints one table:
//   - frames per second of the real scene with swap interval 0, at
//     1920 × 1080 and 3840 × 2160;
//   - time from process start to the first presented frame of the real
//     program (quendral-screensaver /s), seen on the X server;
//   - host CPU time per frame of our own code, with every OpenGL entry point
//     the render pass calls pointed at a function that does nothing;
//   - resident memory of the process after 1 000 real frames.
// Needs an X display; tools/bench.sh provides one.
#include "app/saver_app.h"
#include "app/scene_setup.h"
#include "gl/gl_api.h"
#include "gl/gl_loader.h"
#include "scene/view_state.h"

#include <GLFW/glfw3.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

GLFWwindow* openWindow(int width, int height)
{
    setContextHints();
    glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(width, height, "quendral-bench", nullptr, nullptr);
    if (!window)
        return nullptr;
    glfwMakeContextCurrent(window);
    GlLoader::init();
    glfwSwapInterval(0);
    setWindowMetrics(width, height);
    setupScene();
    viewState->setStartTime(0);
    return window;
}

// Draws and presents `frames` frames as the frame loop does, and waits
// until the GL has finished them.
void drawFrames(GLFWwindow* window, int frames)
{
    for (int i = 0; i < frames; ++i) {
        viewState->setCurrentTime(static_cast<float>(glfwGetTime()));
        renderFrame();
        glfwSwapBuffers(window);
        glfwPollEvents();
    }
    glFinish();
}

// Frames per second of the real scene, swap interval 0, over `frames`
// frames after a few to warm up.
double framesPerSecond(int width, int height, int frames)
{
    GLFWwindow* window = openWindow(width, height);
    if (!window)
        return -1;
    drawFrames(window, 5);
    const Clock::time_point start = Clock::now();
    drawFrames(window, frames);
    const double elapsed = secondsSince(start);
    glfwDestroyWindow(window);
    return frames / elapsed;
}

// Time from starting the real program until the centre of the screen shows
// a plasma frame (the screen is black before).
double secondsToFirstFrame(const char* program)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return -1;
    Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    const int cx = attributes.width / 2;
    const int cy = attributes.height / 2;

    pid_t pid = -1;
    char* argv[] = {const_cast<char*>(program), const_cast<char*>("/s"), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const Clock::time_point start = Clock::now();
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    double seconds = -1;
    if (spawned == 0) {
        while (secondsSince(start) < 30) {
            XImage* image = XGetImage(display, root, cx, cy, 1, 1, AllPlanes, ZPixmap);
            const unsigned long pixel = image ? XGetPixel(image, 0, 0) : 0;
            if (image)
                XDestroyImage(image);
            if ((pixel & 0xFFFFFF) != 0) {
                seconds = secondsSince(start);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    XCloseDisplay(display);
    return seconds;
}

// The render pass's own cost: every entry point it calls does nothing.
void APIENTRY noUniform1f(GLint, GLfloat) {}
void APIENTRY noUniformMatrix4fv(GLint, GLsizei, GLboolean, const GLfloat*) {}
void APIENTRY noUseProgram(GLuint) {}
void APIENTRY noBindFramebuffer(GLenum, GLuint) {}
void APIENTRY noClear(GLbitfield) {}
void APIENTRY noViewport(GLint, GLint, GLsizei, GLsizei) {}
void APIENTRY noBindBuffer(GLenum, GLuint) {}
void APIENTRY noEnableVertexAttribArray(GLuint) {}
void APIENTRY noVertexAttribPointer(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*) {}
void APIENTRY noDrawElements(GLenum, GLsizei, GLenum, const void*) {}

double hostMicrosecondsPerFrame(int frames)
{
    GLFWwindow* window = openWindow(640, 360);
    if (!window)
        return -1;
    glUniform1f = noUniform1f;
    glUniformMatrix4fv = noUniformMatrix4fv;
    glUseProgram = noUseProgram;
    glBindFramebuffer = noBindFramebuffer;
    glClear = noClear;
    glViewport = noViewport;
    glBindBuffer = noBindBuffer;
    glEnableVertexAttribArray = noEnableVertexAttribArray;
    glVertexAttribPointer = noVertexAttribPointer;
    glDrawElements = noDrawElements;
    const double start = cpuSeconds();
    for (int i = 0; i < frames; ++i) {
        viewState->setCurrentTime(static_cast<float>(i) * 0.016f);
        renderFrame();
    }
    const double perFrame = (cpuSeconds() - start) / frames * 1e6;
    GlLoader::init();  // the real entry points again
    glfwDestroyWindow(window);
    return perFrame;
}

long residentAfterFrames(int frames)
{
    GLFWwindow* window = openWindow(1920, 1080);
    if (!window)
        return -1;
    drawFrames(window, frames);
    const long kib = residentKiB();
    glfwDestroyWindow(window);
    return kib;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* program = argc > 1 ? argv[1] : nullptr;
    const bool quick = argc > 2 && std::strcmp(argv[2], "--quick") == 0;
    if (!program) {
        std::fprintf(stderr, "usage: quendral-bench PATH/TO/quendral-screensaver [--quick]\n");
        return 2;
    }
    if (!glfwInit()) {
        std::fprintf(stderr, "quendral-bench: cannot initialise GLFW (is there a display?)\n");
        return 1;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // The scene's loader reports its progress on standard output: keep the
    // table readable by sending those records elsewhere.
    std::FILE* table = fdopen(dup(1), "w");
    std::freopen("/dev/null", "w", stdout);

    const int fpsFrames = quick ? 20 : 200;
    const double fps1080 = framesPerSecond(1920, 1080, fpsFrames);
    const double fps2160 = framesPerSecond(3840, 2160, quick ? 10 : 60);
    const double startup = secondsToFirstFrame(program);
    const double hostMicros = hostMicrosecondsPerFrame(quick ? 10000 : 200000);
    const long rss = residentAfterFrames(quick ? 100 : 1000);

    std::fprintf(table, "| measure | value |\n|---|---|\n");
    std::fprintf(table, "| frames per second, 1920 x 1080, swap interval 0 | %.1f |\n", fps1080);
    std::fprintf(table, "| frames per second, 3840 x 2160, swap interval 0 | %.1f |\n", fps2160);
    std::fprintf(table, "| process start to first presented frame | %.0f ms |\n", startup * 1000);
    std::fprintf(table, "| host CPU time per frame outside the driver | %.2f us |\n", hostMicros);
    std::fprintf(table, "| resident memory after %d frames at 1920 x 1080 | %.1f MiB |\n", quick ? 100 : 1000,
                 rss / 1024.0);
    std::fclose(table);
    return 0;
}
