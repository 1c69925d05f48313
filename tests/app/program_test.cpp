// The real program under a virtual X server: it fills the screen with the
// plasma, ends on keys and mouse buttons (not on movement or the wheel),
// keeps to one preview or default instance, and exits cleanly when it
// cannot run.
#include "support/child_process.h"
#include "support/plasma_match.h"
#include "support/x11_screen.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
// Xlib's macros of these names clash with GoogleTest's own.
#undef None
#undef Bool
#undef Status

#include <chrono>
#include <cstdlib>
#include <deque>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

void run(const std::string& command)
{
    ASSERT_TRUE(runCommand(command)) << command;
}

// ---------------------------------------------------------------------------
// The X server
// ---------------------------------------------------------------------------

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display (the test command provides one)";
        ASSERT_TRUE(screen.isOpen());
        // Held keys must not repeat: a release test has to see a release.
        run("xset r off");
        run("xdotool mousemove 5 5");
    }

    void TearDown() override
    {
        for (ChildProcess& process : started)
            stopChild(process);
    }

    ChildProcess& launch(const std::vector<std::string>& args, const std::string& program = QUENDRAL_PROGRAM_PATH)
    {
        started.push_back(startChild(program, args));
        EXPECT_GT(started.back().pid, 0);
        return started.back();
    }

    // Waits until the program's window shows a frame of the plasma.
    X11Window waitForSaverWindow(const ChildProcess& process)
    {
        const X11Window window = screen.waitForTopLevel("QuendralScreensaver", 30s, [&] {
            return waitForChild(process, 0ms) != -1;
        });
        if (!window) {
            ADD_FAILURE() << "no window appeared: " << childErrorOutput(process);
            return 0;
        }
        std::this_thread::sleep_for(700ms);  // a few frames
        return window;
    }

    X11Screen screen;
    std::deque<ChildProcess> started;  // stays put while tests hold references
};

// ---------------------------------------------------------------------------
// Tests
// ---------------------------------------------------------------------------

class FullScreen : public ProgramTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FullScreen, DrawsThePlasmaOverTheWholeScreen)
{
    std::vector<std::string> args;
    if (GetParam()[0])
        args.push_back(GetParam());
    const ChildProcess& saver = launch(args);
    const X11Window window = waitForSaverWindow(saver);
    ASSERT_NE(window, 0u);

    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(screen.windowRect(window, &x, &y, &width, &height));

    // A screenshot may catch a frame half presented: one of three must fit.
    ScreenPicture shot;
    float t = 0;
    long compared = 0;
    long wrong = -1;
    for (int attempt = 0; attempt < 3 && wrong != 0; ++attempt) {
        shot = screen.grabAll();
        t = fitFrameTime(shot);
        wrong = countWrongPixels(shot, t, 3.0f / 255.0f, &compared);
    }
    EXPECT_EQ(width, shot.width);
    EXPECT_EQ(height, shot.height);
    EXPECT_LT(t, 60.0f);
    EXPECT_GT(compared, static_cast<long>(shot.width) * shot.height / 3);
    EXPECT_EQ(wrong, 0) << wrong << " of " << compared << " pixels differ from the plasma at t = " << t;
    EXPECT_EQ(waitForChild(saver, 0ms), -1) << "still running";

    // Over the window the cursor is hidden: its image is fully transparent.
    run("xdotool mousemove 700 400");
    std::this_thread::sleep_for(200ms);
    XFixesCursorImage* cursor = XFixesGetCursorImage(screen.display());
    ASSERT_NE(cursor, nullptr);
    unsigned long visible = 0;
    for (int i = 0; i < cursor->width * cursor->height; ++i)
        visible += (cursor->pixels[i] >> 24) != 0;
    XFree(cursor);
    EXPECT_EQ(visible, 0u) << "cursor pixels that are not transparent";
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
    const ChildProcess& saver = launch({"/s"});
    ASSERT_NE(waitForSaverWindow(saver), 0u);
    run(std::string("xdotool ") + c.input);
    if (c.ends) {
        EXPECT_TRUE(exitedWithZero(waitForChild(saver, 5s))) << c.name;
    } else {
        EXPECT_EQ(waitForChild(saver, 1500ms), -1) << c.name << " must not end the program";
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
    const ChildProcess& first = launch({});
    ASSERT_NE(waitForSaverWindow(first), 0u);

    const ChildProcess& second = launch({});
    EXPECT_TRUE(exitedWithZero(waitForChild(second, 5s))) << "a second default instance ends with 0";
    const ChildProcess& preview = launch({"/p", "1234"});
    EXPECT_TRUE(exitedWithZero(waitForChild(preview, 5s))) << "so does a preview";

    const ChildProcess& run = launch({"/s"});
    EXPECT_EQ(waitForChild(run, 3s), -1) << "/s starts regardless";
    EXPECT_EQ(waitForChild(first, 0ms), -1) << "the first instance keeps running";
}

TEST_F(ProgramTest, KilledHolderDoesNotBlockTheNextStart)
{
    ChildProcess& first = launch({});
    ASSERT_NE(waitForSaverWindow(first), 0u);
    stopChild(first);

    const ChildProcess& next = launch({});
    EXPECT_NE(waitForSaverWindow(next), 0u);
    EXPECT_EQ(waitForChild(next, 0ms), -1);
}

TEST_F(ProgramTest, PreviewWithoutAWindowSaysSoAndEnds)
{
    for (const char* handle : {"0", "1234"}) {
        const ChildProcess& preview = launch({"/p", handle});
        EXPECT_TRUE(exitedWithZero(waitForChild(preview, 10s))) << "/p " << handle;
        EXPECT_NE(childErrorOutput(preview).find("No preview window"), std::string::npos) << childErrorOutput(preview);
    }
}

TEST_F(ProgramTest, ShaderThatDoesNotCompileShowsItsLogAndEnds)
{
    const ChildProcess& broken = launch({"/s"}, QUENDRAL_BROKEN_SHADER_PROGRAM_PATH);
    EXPECT_TRUE(exitedWithZero(waitForChild(broken, 20s)));
    const std::string output = childErrorOutput(broken);
    const size_t message = output.find("[Debug] Fragment shader compilation error");
    ASSERT_NE(message, std::string::npos) << output;
    const size_t log = output.find("[Debug] ");
    EXPECT_LT(log, message) << "the compile log comes first: " << output;
    EXPECT_NE(output.find("error"), std::string::npos);
}

}  // namespace
