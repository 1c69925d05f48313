// The real program under a virtual X server: it fills the screen with the
// plasma, ends on keys and mouse buttons (not on movement or the wheel),
// keeps to one preview or default instance, and exits cleanly when it
// cannot run.
#include "tools/plasma_reference.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
// Xlib's macros of these names clash with GoogleTest's own.
#undef None
#undef Bool
#undef Status

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using namespace std::chrono_literals;

// ---------------------------------------------------------------------------
// Processes
// ---------------------------------------------------------------------------

struct Process {
    pid_t pid = -1;
    std::string stderrPath;
};

Process start(const std::string& program, const std::vector<std::string>& args)
{
    static int counter = 0;
    Process process;
    process.stderrPath = "/tmp/quendral_program_test_" + std::to_string(::getpid()) + "_" +
                         std::to_string(counter++) + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, process.stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&process.pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        process.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return process;
}

// Waits up to `limit` for the process to end; returns its exit status as
// waitpid gives it, or -1 when it is still running.
int waitFor(const Process& process, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    do {
        int status = 0;
        if (::waitpid(process.pid, &status, WNOHANG) == process.pid)
            return status;
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < end);
    return -1;
}

void stop(const Process& process)
{
    if (process.pid <= 0)
        return;
    ::kill(process.pid, SIGKILL);
    ::waitpid(process.pid, nullptr, 0);
}

std::string errorOutput(const Process& process)
{
    std::ifstream in(process.stderrPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool exitedWithZero(int status)
{
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void run(const std::string& command)
{
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// ---------------------------------------------------------------------------
// The X server
// ---------------------------------------------------------------------------

struct Screen {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* at(int x, int row) const { return &rgb[(static_cast<size_t>(row) * width + x) * 3]; }
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display (the test command provides one)";
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        // Held keys must not repeat: a release test has to see a release.
        run("xset r off");
        run("xdotool mousemove 5 5");
    }

    void TearDown() override
    {
        for (const Process& process : started)
            stop(process);
        if (display)
            XCloseDisplay(display);
    }

    Process launch(const std::vector<std::string>& args, const std::string& program = QUENDRAL_PROGRAM_PATH)
    {
        Process process = start(program, args);
        EXPECT_GT(process.pid, 0);
        started.push_back(process);
        return process;
    }

    // The top-level window titled "QuendralScreensaver", mapped, or 0.
    Window findSaverWindow()
    {
        Window root = DefaultRootWindow(display);
        Window rootReturn, parent;
        Window* children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display, root, &rootReturn, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                char* name = nullptr;
                XWindowAttributes attributes;
                if (XFetchName(display, children[i], &name) && name) {
                    if (std::string(name) == "QuendralScreensaver" &&
                        XGetWindowAttributes(display, children[i], &attributes) &&
                        attributes.map_state == IsViewable)
                        found = children[i];
                    XFree(name);
                }
            }
            XFree(children);
        }
        return found;
    }

    // Waits until the program's window shows a frame of the plasma.
    Window waitForSaverWindow(const Process& process)
    {
        const auto end = std::chrono::steady_clock::now() + 30s;
        while (std::chrono::steady_clock::now() < end) {
            if (Window window = findSaverWindow()) {
                std::this_thread::sleep_for(700ms);  // a few frames
                return window;
            }
            int status = 0;
            if (::waitpid(process.pid, &status, WNOHANG) == process.pid) {
                ADD_FAILURE() << "the program ended before its window appeared: " << errorOutput(process);
                return 0;
            }
            std::this_thread::sleep_for(50ms);
        }
        ADD_FAILURE() << "no window appeared";
        return 0;
    }

    Screen grabScreen()
    {
        Screen screen;
        Window root = DefaultRootWindow(display);
        XWindowAttributes attributes;
        XGetWindowAttributes(display, root, &attributes);
        screen.width = attributes.width;
        screen.height = attributes.height;
        XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(screen.width),
                                  static_cast<unsigned>(screen.height), AllPlanes, ZPixmap);
        if (!image)
            return screen;
        screen.rgb.resize(static_cast<size_t>(screen.width) * screen.height * 3);
        for (int y = 0; y < screen.height; ++y) {
            for (int x = 0; x < screen.width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                unsigned char* out = &screen.rgb[(static_cast<size_t>(y) * screen.width + x) * 3];
                out[0] = static_cast<unsigned char>((pixel & image->red_mask) >> 16);
                out[1] = static_cast<unsigned char>((pixel & image->green_mask) >> 8);
                out[2] = static_cast<unsigned char>(pixel & image->blue_mask);
            }
        }
        XDestroyImage(image);
        return screen;
    }

    Display* display = nullptr;
    std::vector<Process> started;
};

// ---------------------------------------------------------------------------
// Comparing a screenshot with the reference
// ---------------------------------------------------------------------------

float sampleError(const Screen& screen, const std::vector<std::pair<int, int>>& samples, float t)
{
    const float w = static_cast<float>(screen.width);
    const float h = static_cast<float>(screen.height);
    float error = 0;
    for (const auto& [x, row] : samples) {
        const PlasmaColor want = plasmaColor(x + 0.5f, h - row - 0.5f, w, h, t);
        const unsigned char* got = screen.at(x, row);
        error += std::fabs(got[0] / 255.0f - want.r) + std::fabs(got[1] / 255.0f - want.g) +
                 std::fabs(got[2] / 255.0f - want.b);
    }
    return error;
}

// The frame time of a screenshot is not known: it is the time whose
// reference picture fits a sample of pixels best, searched coarsely over the
// first minute and then finely around the best coarse time.
float fitFrameTime(const Screen& screen)
{
    const float w = static_cast<float>(screen.width);
    const float h = static_cast<float>(screen.height);
    std::vector<std::pair<int, int>> samples;
    for (int row = 7; row < screen.height; row += 61) {
        for (int x = 11; x < screen.width; x += 73) {
            if (!nearCellSeam(x + 0.5f, h - row - 0.5f, w, h, 2.0f))
                samples.emplace_back(x, row);
        }
    }
    float best = 0;
    float bestError = 1e30f;
    for (float t = 0; t < 60.0f; t += 0.002f) {
        const float error = sampleError(screen, samples, t);
        if (error < bestError) {
            bestError = error;
            best = t;
        }
    }
    const float coarse = best;
    for (float t = coarse - 0.003f; t < coarse + 0.003f; t += 0.00002f) {
        const float error = sampleError(screen, samples, t);
        if (error < bestError) {
            bestError = error;
            best = t;
        }
    }
    return best;
}

// Counts the pixels away from cell seams that differ from the reference at
// time t by more than 2/255 (or 3/255 for a time that was fitted, not known).
long countWrongPixels(const Screen& screen, float t, float tolerance, long* compared)
{
    const float w = static_cast<float>(screen.width);
    const float h = static_cast<float>(screen.height);
    long wrong = 0;
    *compared = 0;
    for (int row = 0; row < screen.height; ++row) {
        for (int x = 0; x < screen.width; ++x) {
            if (nearCellSeam(x + 0.5f, h - row - 0.5f, w, h, 1.0f))
                continue;
            ++*compared;
            const PlasmaColor want = plasmaColor(x + 0.5f, h - row - 0.5f, w, h, t);
            const unsigned char* got = screen.at(x, row);
            if (std::fabs(got[0] / 255.0f - want.r) > tolerance || std::fabs(got[1] / 255.0f - want.g) > tolerance ||
                std::fabs(got[2] / 255.0f - want.b) > tolerance)
                ++wrong;
        }
    }
    return wrong;
}

// ---------------------------------------------------------------------------
// Tests
// ---------------------------------------------------------------------------

class FullScreen : public ProgramTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FullScreen, DrawsThePlasmaOverTheWholeScreen)
{
    std::vector<std::string> args;
    if (GetParam()[0])
        args.push_back(GetParam());
    const Process saver = launch(args);
    const Window window = waitForSaverWindow(saver);
    ASSERT_NE(window, 0u);

    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    const Screen screen = grabScreen();
    EXPECT_EQ(attributes.width, screen.width);
    EXPECT_EQ(attributes.height, screen.height);

    const float t = fitFrameTime(screen);
    long compared = 0;
    const long wrong = countWrongPixels(screen, t, 3.0f / 255.0f, &compared);
    EXPECT_LT(t, 60.0f);
    EXPECT_GT(compared, static_cast<long>(screen.width) * screen.height / 3);
    EXPECT_EQ(wrong, 0) << wrong << " of " << compared << " pixels differ from the plasma at t = " << t;
    EXPECT_EQ(waitFor(saver, 0ms), -1) << "still running";
}

INSTANTIATE_TEST_SUITE_P(Switches, FullScreen, ::testing::Values("/s", ""),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param[0] ? "Run" : "Default");
                         });

struct InputCase {
    const char* name;
    const char* before;  // xdotool arguments before the program starts, or ""
    const char* input;   // xdotool arguments once its window shows
    bool ends;
};

class Input : public ProgramTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(Input, EndsTheProgramOnlyOnKeysAndButtons)
{
    const InputCase& c = GetParam();
    if (c.before[0])
        run(std::string("xdotool ") + c.before);
    const Process saver = launch({"/s"});
    ASSERT_NE(waitForSaverWindow(saver), 0u);
    run(std::string("xdotool ") + c.input);
    if (c.ends) {
        EXPECT_TRUE(exitedWithZero(waitFor(saver, 5s))) << c.name;
    } else {
        EXPECT_EQ(waitFor(saver, 1500ms), -1) << c.name << " must not end the program";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Events, Input,
    ::testing::Values(InputCase {"KeyPress", "", "keydown a", true},
                      InputCase {"Escape", "", "key Escape", true},
                      InputCase {"LeftButton", "", "mousedown 1", true},
                      InputCase {"RightButtonRelease", "mousedown 3", "mouseup 3", true},
                      InputCase {"Movement", "", "mousemove 400 300 mousemove 900 700", false},
                      InputCase {"Wheel", "", "click 4 click 5", false}),
    [](const ::testing::TestParamInfo<InputCase>& info) { return std::string(info.param.name); });

TEST_F(ProgramTest, SecondDefaultInstanceEndsAtOnceButRunStarts)
{
    const Process first = launch({});
    ASSERT_NE(waitForSaverWindow(first), 0u);

    const Process second = launch({});
    EXPECT_TRUE(exitedWithZero(waitFor(second, 5s))) << "a second default instance ends with 0";
    const Process preview = launch({"/p", "1234"});
    EXPECT_TRUE(exitedWithZero(waitFor(preview, 5s))) << "so does a preview";

    const Process run = launch({"/s"});
    EXPECT_EQ(waitFor(run, 3s), -1) << "/s starts regardless";
    EXPECT_EQ(waitFor(first, 0ms), -1) << "the first instance keeps running";
}

TEST_F(ProgramTest, KilledHolderDoesNotBlockTheNextStart)
{
    const Process first = launch({});
    ASSERT_NE(waitForSaverWindow(first), 0u);
    stop(first);

    const Process next = launch({});
    EXPECT_NE(waitForSaverWindow(next), 0u);
    EXPECT_EQ(waitFor(next, 0ms), -1);
}

TEST_F(ProgramTest, PreviewWithoutAWindowSaysSoAndEnds)
{
    for (const char* handle : {"0", "1234"}) {
        const Process preview = launch({"/p", handle});
        EXPECT_TRUE(exitedWithZero(waitFor(preview, 10s))) << "/p " << handle;
        EXPECT_NE(errorOutput(preview).find("No preview window"), std::string::npos) << errorOutput(preview);
    }
}

TEST_F(ProgramTest, ShaderThatDoesNotCompileShowsItsLogAndEnds)
{
    const Process broken = launch({"/s"}, QUENDRAL_BROKEN_SHADER_PROGRAM_PATH);
    EXPECT_TRUE(exitedWithZero(waitFor(broken, 20s)));
    const std::string output = errorOutput(broken);
    const size_t message = output.find("[Debug] Fragment shader compilation error");
    ASSERT_NE(message, std::string::npos) << output;
    const size_t log = output.find("[Debug] ");
    EXPECT_LT(log, message) << "the compile log comes first: " << output;
    EXPECT_NE(output.find("error"), std::string::npos);
}

}  // namespace
