// The Windows screensaver, cross-built, under Wine on the virtual X server:
// the executable's make-up, full-screen drawing and the input that ends it,
// the instance event, the preview inside a host dialog of another process,
// and the About window.  Runs from tools/run_wine_tests.sh, which provides
// the Wine prefix, the display and the cross build (QUENDRAL_WINDOWS_BUILD).
#include "support/child_process.h"
#include "support/plasma_match.h"
#include "support/x11_screen.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// ---------------------------------------------------------------------------
// The cross build
// ---------------------------------------------------------------------------

std::string windowsBuild()
{
    const char* directory = std::getenv("QUENDRAL_WINDOWS_BUILD");
    return directory ? directory : QUENDRAL_DEFAULT_WINDOWS_BUILD;
}

std::string saverPath()
{
    return windowsBuild() + "/app/QuendralScreensaver.scr";
}

std::string hostPath()
{
    return windowsBuild() + "/tests/wine/preview_host.exe";
}

// The path as a Windows program sees it: Wine's drive Z: is the Unix root.
std::string windowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool fileExists(const std::string& path)
{
    return ::access(path.c_str(), R_OK) == 0;
}

std::string commandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t count = 0;
        while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, count);
        ::pclose(pipe);
    }
    return output;
}

// ---------------------------------------------------------------------------
// Pictures
// ---------------------------------------------------------------------------

::testing::AssertionResult showsPlasma(const ScreenPicture& picture)
{
    if (picture.empty())
        return ::testing::AssertionFailure() << "no picture";
    const float t = fitFrameTime(picture);
    long compared = 0;
    const long wrong = countWrongPixels(picture, t, 3.0f / 255.0f, &compared);
    // Small cells leave few pixels away from the seams in a preview.
    const long enough = std::max(500L, static_cast<long>(picture.width) * picture.height / 16);
    if (compared < enough || wrong != 0)
        return ::testing::AssertionFailure() << wrong << " of " << compared << " pixels of " << picture.width << " x "
                                             << picture.height << " differ from the plasma at t = " << t;
    return ::testing::AssertionSuccess();
}

bool sameColor(const unsigned char* pixel, const unsigned char* other)
{
    return pixel[0] == other[0] && pixel[1] == other[1] && pixel[2] == other[2];
}

bool sameColor(const unsigned char* pixel, const int* color)
{
    return pixel[0] == color[0] && pixel[1] == color[1] && pixel[2] == color[2];
}

// The About picture as the resource holds it: a 24-bit bottom-up BMP, rows
// padded to four bytes, pixels stored blue, green, red.
ScreenPicture readBmp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ScreenPicture picture;
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0)
        return picture;
    auto number = [&](size_t at, size_t size) {
        unsigned long value = 0;
        for (size_t i = 0; i < size; ++i)
            value |= static_cast<unsigned long>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
        return value;
    };
    const size_t offset = number(10, 4);
    const int width = static_cast<int>(number(18, 4));
    const int height = static_cast<int>(number(22, 4));
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    if (number(28, 2) != 24 || offset + stride * height > bytes.size())
        return picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<size_t>(width) * height * 3);
    for (int row = 0; row < height; ++row) {
        const char* from = bytes.data() + offset + stride * (height - 1 - row);
        for (int x = 0; x < width; ++x) {
            unsigned char* to = &picture.rgb[(static_cast<size_t>(row) * width + x) * 3];
            to[0] = static_cast<unsigned char>(from[x * 3 + 2]);
            to[1] = static_cast<unsigned char>(from[x * 3 + 1]);
            to[2] = static_cast<unsigned char>(from[x * 3]);
        }
    }
    return picture;
}

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The About window's colours.
const int kAboutBackground[3] = {177, 232, 179};
const int kTitleInk[3] = {0, 0, 0};
const int kAboutTextInk[3] = {0, 51, 255};

// Horizontal runs of inked pixels (at least 60 % of the way from the About
// background to the ink colour in every channel) in a rectangle of the
// screen: strokes are runs of up to 7 pixels, `wide` those of 2 and more.
struct StrokeWidths {
    long strokes = 0;
    long wide = 0;
    int longest = 0;
};

StrokeWidths measureStrokes(const ScreenPicture& shot, Rect rect, const int* ink)
{
    StrokeWidths widths;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        int run = 0;
        for (int x = rect.x; x <= rect.x + rect.width; ++x) {
            bool inked = x < rect.x + rect.width;
            for (int c = 0; c < 3 && inked; ++c) {
                const int span = ink[c] - kAboutBackground[c];
                const int toward = (shot.at(x, y)[c] - kAboutBackground[c]) * (span < 0 ? -1 : 1);
                inked = toward * 10 >= std::abs(span) * 6;
            }
            if (inked) {
                ++run;
                continue;
            }
            if (run > 0 && run < 8) {
                ++widths.strokes;
                widths.wide += run >= 2;
            }
            widths.longest = std::max(widths.longest, run);
            run = 0;
        }
    }
    return widths;
}

// ---------------------------------------------------------------------------
// The fixture: wine processes, the host dialog and its report
// ---------------------------------------------------------------------------

class WineProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY") || !std::getenv("WINEPREFIX"))
            GTEST_SKIP() << "needs DISPLAY and WINEPREFIX: run tools/run_wine_tests.sh";
        ASSERT_TRUE(screen.isOpen());
        ASSERT_TRUE(fileExists(saverPath())) << saverPath() << ": build the windows preset first";
        ASSERT_TRUE(fileExists(hostPath())) << hostPath();
        runCommand("xdotool mousemove 5 5");
    }

    void TearDown() override
    {
        for (ChildProcess& process : started)
            stopChild(process);
        // Whatever the processes started (the host's screensaver, the browser
        // launcher) ends with the prefix's server.
        runCommand("wineserver -k >/dev/null 2>&1");
        runCommand("wineserver -w >/dev/null 2>&1");
    }

    ChildProcess& startWine(const std::vector<std::string>& args, bool pipes = false)
    {
        started.push_back(startChild("wine", args, pipes));
        EXPECT_GT(started.back().pid, 0) << "cannot start wine";
        return started.back();
    }

    ChildProcess& startSaver(const std::vector<std::string>& switches)
    {
        std::vector<std::string> args = {saverPath()};
        args.insert(args.end(), switches.begin(), switches.end());
        return startWine(args);
    }

    // The host dialog with its steps (see preview_host.cpp).
    ChildProcess& startHost(const std::vector<std::string>& steps)
    {
        std::vector<std::string> args = {hostPath(), windowsPath(saverPath())};
        args.insert(args.end(), steps.begin(), steps.end());
        return startWine(args, true);
    }

    X11Window waitForWindow(const std::string& title, const ChildProcess& owner)
    {
        const X11Window window =
            screen.waitForTopLevel(title, 30s, [&] { return waitForChild(owner, 0ms) != -1; });
        if (!window)
            ADD_FAILURE() << "no window \"" << title << "\" appeared: " << childErrorOutput(owner);
        return window;
    }

    // The next line of the host's report that begins with `key`, without
    // the key; empty (and a failure) when none comes within `limit`.
    static std::string hostReport(ChildProcess& host, const std::string& key,
                                  std::chrono::milliseconds limit = 40s)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        std::string line;
        while (readChildLine(host, &line, std::chrono::duration_cast<std::chrono::milliseconds>(
                                              end - std::chrono::steady_clock::now()))) {
            if (line.compare(0, key.size() + 1, key + " ") == 0)
                return line.substr(key.size() + 1);
        }
        ADD_FAILURE() << "the host reported no \"" << key << "\": " << childErrorOutput(host);
        return std::string();
    }

    static Rect hostRect(ChildProcess& host, const std::string& key, std::string* owner = nullptr)
    {
        Rect rect;
        std::istringstream words(hostReport(host, key));
        words >> rect.x >> rect.y >> rect.width >> rect.height;
        if (owner)
            words >> *owner;
        return rect;
    }

    // Checks that the host's windows came through: alive, with their own
    // window procedure and without GLFW's property (the preview area only
    // when the steps left it alive), and that the host exits with 0.
    static void expectHostWindowsUntouched(ChildProcess& host, bool previewDestroyed)
    {
        EXPECT_EQ(hostReport(host, "host dialog"), "alive");
        EXPECT_EQ(hostReport(host, "host dialog procedure"), "kept");
        EXPECT_EQ(hostReport(host, "host dialog property"), "none");
        if (previewDestroyed) {
            EXPECT_EQ(hostReport(host, "host preview"), "gone");
        } else {
            EXPECT_EQ(hostReport(host, "host preview"), "alive");
            EXPECT_EQ(hostReport(host, "host preview procedure"), "kept");
            EXPECT_EQ(hostReport(host, "host preview property"), "none");
        }
        EXPECT_EQ(childExitCode(waitForChild(host, 20s)), 0) << childErrorOutput(host);
    }

    // Wine keeps the GL surface of a child window whose parent belongs to
    // another process off the screen (it cannot place it in that process's
    // X window); the frames the screensaver presents are read from there.
    ::testing::AssertionResult waitForPreviewPlasma(int width, int height)
    {
        ::testing::AssertionResult result = ::testing::AssertionFailure() << "no drawing surface of " << width
                                                                          << " x " << height;
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < end) {
            for (X11Window window : screen.findOffscreenWindows(width, height)) {
                result = showsPlasma(screen.grabWindow(window));
                if (result)
                    return result;
            }
            std::this_thread::sleep_for(300ms);
        }
        return result;
    }

    X11Screen screen;
    std::deque<ChildProcess> started;  // stays put while tests hold references
};

// ---------------------------------------------------------------------------
// The executable
// ---------------------------------------------------------------------------

TEST_F(WineProgramTest, ScrIsAStaticGuiProgramWithItsResources)
{
    const std::string headers = commandOutput("x86_64-w64-mingw32-objdump -p '" + saverPath() + "'");
    EXPECT_NE(headers.find("(Windows GUI)"), std::string::npos) << "subsystem windows";
    for (const char* runtime : {"libstdc++", "libgcc", "libwinpthread"})
        EXPECT_EQ(headers.find(runtime), std::string::npos) << runtime << " must be linked in";
    EXPECT_EQ(std::system(("'" + std::string(QUENDRAL_CHECK_IMPORTS) + "' '" + saverPath() + "'").c_str()), 0);

    const std::string resources = commandOutput("x86_64-w64-mingw32-windres -i '" + saverPath() + "' -O rc");
    const std::string version = QUENDRAL_VERSION;
    for (const std::string& wanted :
         {std::string("101 2 /* RT_BITMAP */"), std::string("102 14 /* RT_GROUP_ICON */"),
          std::string("113 14 /* RT_GROUP_ICON */"), std::string("1 24 /* RT_MANIFEST */"),
          std::string("level=\"\"asInvoker\"\" uiAccess=\"\"false\"\""), std::string("1 VERSIONINFO"),
          std::string("VALUE \"ProductName\", \"Quendral Screensaver\""),
          std::string("VALUE \"ProductVersion\", \"" + version + "\""),
          std::string("VALUE \"FileVersion\", \"" + version + "\""), std::string("136 \"TEXTFILE\"")})
        EXPECT_NE(resources.find(wanted), std::string::npos) << wanted;
    std::string fileVersion = "FILEVERSION ";
    for (char c : version)
        fileVersion += c == '.' ? std::string(", ") : std::string(1, c);
    EXPECT_NE(resources.find(fileVersion + ", 0"), std::string::npos) << fileVersion;
}

// ---------------------------------------------------------------------------
// Full screen and input
// ---------------------------------------------------------------------------

class WineFullScreen : public WineProgramTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(WineFullScreen, DrawsThePlasmaOverTheWholeScreen)
{
    std::vector<std::string> switches;
    if (GetParam()[0])
        switches.push_back(GetParam());
    ChildProcess& saver = startSaver(switches);
    ASSERT_NE(waitForWindow("QuendralScreensaver", saver), 0u);
    std::this_thread::sleep_for(1500ms);  // a few frames

    // A screenshot may catch a frame half presented: one of three must fit.
    ::testing::AssertionResult fits = showsPlasma(screen.grabAll());
    for (int retry = 0; retry < 2 && !fits; ++retry)
        fits = showsPlasma(screen.grabAll());
    EXPECT_TRUE(fits);
    EXPECT_EQ(waitForChild(saver, 0ms), -1) << "still running";
}

INSTANTIATE_TEST_SUITE_P(Switches, WineFullScreen, ::testing::Values("/s", ""),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param[0] ? "Run" : "Default");
                         });

struct WineInputCase {
    const char* name;
    const char* press;    // xdotool arguments
    const char* release;  // what puts the input back afterwards
};

class WineInput : public WineProgramTest, public ::testing::WithParamInterface<WineInputCase> {};

TEST_P(WineInput, EndsTheProgramWithExitCodeZero)
{
    const WineInputCase& c = GetParam();
    ChildProcess& saver = startSaver({"/s"});
    ASSERT_NE(waitForWindow("QuendralScreensaver", saver), 0u);
    std::this_thread::sleep_for(1000ms);
    runCommand(std::string("xdotool mousemove 960 540 ") + c.press);
    const int status = waitForChild(saver, 10s);
    runCommand(std::string("xdotool ") + c.release);
    EXPECT_EQ(childExitCode(status), 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Events, WineInput,
                         ::testing::Values(WineInputCase {"KeyPress", "keydown a", "keyup a"},
                                           WineInputCase {"LeftButton", "mousedown 1", "mouseup 1"}),
                         [](const ::testing::TestParamInfo<WineInputCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// The instance event
// ---------------------------------------------------------------------------

TEST_F(WineProgramTest, InstanceEventStopsASecondDefaultOrPreviewButNotRun)
{
    ChildProcess& first = startSaver({});
    ASSERT_NE(waitForWindow("QuendralScreensaver", first), 0u);

    ChildProcess& second = startSaver({});
    EXPECT_EQ(childExitCode(waitForChild(second, 20s)), 0) << "a second default instance ends with 0";

    ChildProcess& host = startHost({"exit=20000", "area"});
    EXPECT_EQ(hostReport(host, "saver"), "exit 0") << "so does a preview";
    EXPECT_EQ(hostReport(host, "drawn"), "none") << "without drawing";
    expectHostWindowsUntouched(host, false);

    ChildProcess& run = startSaver({"/s"});
    EXPECT_EQ(waitForChild(run, 4s), -1) << "/s starts regardless";
    EXPECT_EQ(waitForChild(first, 0ms), -1) << "the first instance keeps running";
}

TEST_F(WineProgramTest, RunningRunInstanceDoesNotStopAPreview)
{
    ChildProcess& run = startSaver({"/s"});
    ASSERT_NE(waitForWindow("QuendralScreensaver", run), 0u);

    ChildProcess& host = startHost({"drawn=30000", "area", "exit=2000"});
    std::string owner;
    const Rect drawn = hostRect(host, "drawn", &owner);
    EXPECT_EQ(owner, "saver");
    EXPECT_EQ(drawn.width, 152);
    EXPECT_EQ(hostReport(host, "saver"), "running");
    expectHostWindowsUntouched(host, false);
}

// ---------------------------------------------------------------------------
// The preview in the host dialog
// ---------------------------------------------------------------------------

TEST_F(WineProgramTest, PreviewDrawsIntoTheAreaFollowsItsSizeAndEndsWhenDisabled)
{
    ChildProcess& host = startHost({"drawn=30000", "area", "pause", "resize=200x150", "wait=1500", "area", "pause",
                                    "disable", "exit=15000"});
    std::string owner;
    const Rect area = hostRect(host, "area");
    const Rect drawn = hostRect(host, "drawn", &owner);
    EXPECT_EQ(area.width, 152);
    EXPECT_EQ(area.height, 112);
    EXPECT_EQ(owner, "saver") << "the screensaver draws in a window of its own";
    EXPECT_TRUE(drawn.x == area.x && drawn.y == area.y && drawn.width == area.width && drawn.height == area.height)
        << "it covers the whole area: " << drawn.x << "," << drawn.y << " " << drawn.width << " x " << drawn.height;
    EXPECT_TRUE(waitForPreviewPlasma(152, 112));
    writeChildLine(host, "");

    const Rect resizedArea = hostRect(host, "area");
    const Rect resizedDrawn = hostRect(host, "drawn", &owner);
    EXPECT_EQ(resizedArea.width, 200);
    EXPECT_EQ(resizedArea.height, 150);
    EXPECT_EQ(resizedDrawn.width, 200) << "the drawing window follows the area";
    EXPECT_EQ(resizedDrawn.height, 150);
    EXPECT_TRUE(waitForPreviewPlasma(200, 150)) << "the frames use the new size";
    writeChildLine(host, "");

    EXPECT_EQ(hostReport(host, "saver"), "exit 0") << "disabling the area ends the preview";
    expectHostWindowsUntouched(host, false);
}

TEST_F(WineProgramTest, PreviewEndsWhenTheAreaIsDestroyed)
{
    ChildProcess& host = startHost({"drawn=30000", "wait=1000", "destroy", "exit=15000"});
    EXPECT_EQ(hostReport(host, "saver"), "exit 0");
    expectHostWindowsUntouched(host, true);
}

// ---------------------------------------------------------------------------
// The About window
// ---------------------------------------------------------------------------

class WineAboutTest : public WineProgramTest {
protected:
    // Starts "/c" and finds the window's client area on the screen.  Wine
    // without a window manager maps just the client area as the X window;
    // the frame it leaves out is as wide on every side but the caption.
    void openAbout()
    {
        about = &startSaver({"/c"});
        const X11Window window = waitForWindow("About", *about);
        ASSERT_NE(window, 0u);
        std::this_thread::sleep_for(1000ms);  // painted
        ASSERT_TRUE(screen.windowRect(window, &client.x, &client.y, &client.width, &client.height));
    }

    const unsigned char* pixel(const ScreenPicture& shot, int clientX, int clientY) const
    {
        return shot.at(client.x + clientX, client.y + clientY);
    }

    ChildProcess* about = nullptr;
    Rect client;
};

TEST_F(WineAboutTest, ShowsTheTitleThePictureAndTheTextOnGreenAndClosesWithZero)
{
    ASSERT_NO_FATAL_FAILURE(openAbout());
    const ScreenPicture shot = screen.grabAll();
    ASSERT_FALSE(shot.empty());

    // Centred on the screen: the outer rectangle of 400 x 300 starts at
    // ((width - 400) / 2, (height - 300) / 2).
    const int outerX = (screen.width() - 400) / 2;
    const int outerY = (screen.height() - 300) / 2;
    const int frame = (400 - client.width) / 2;
    EXPECT_EQ(client.x - outerX, frame);
    EXPECT_EQ(300 - client.height - (client.y - outerY), frame) << "the bottom frame is as wide as the sides";
    EXPECT_GT(client.y - outerY, frame) << "a caption above the client area";

    // The light green fills the client area from its first pixel.
    for (const auto& [x, y] : std::vector<std::pair<int, int>> {{0, 0}, {5, 100}, {client.width - 1, 5}, {300, 45},
                                                                {10, client.height - 1}, {130, 140}})
        EXPECT_TRUE(sameColor(pixel(shot, x, y), kAboutBackground)) << "background at " << x << "," << y;

    // The picture, pixel for pixel, at client (142, 55).
    const ScreenPicture bitmap = readBmp(QUENDRAL_ABOUT_BITMAP);
    ASSERT_EQ(bitmap.width, 110);
    ASSERT_EQ(bitmap.height, 83);
    long differing = 0;
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            differing += !sameColor(pixel(shot, 142 + x, 55 + y), bitmap.at(x, y));
        }
    }
    EXPECT_EQ(differing, 0) << "pixels of the picture that differ";
    EXPECT_TRUE(sameColor(pixel(shot, 141, 55), kAboutBackground) && sameColor(pixel(shot, 142, 54), kAboutBackground))
        << "the picture starts exactly there";

    // Texts on the background, without boxes of another colour: every pixel
    // of a text's rectangle lies between the background and the text colour,
    // channel by channel (anti-aliasing mixes the two).
    struct TextArea {
        const char* name;
        Rect rect;
        const int* ink;
    };
    const TextArea texts[] = {
        {"title", {90, 20, 280, 20}, kTitleInk},
        {"about text", {20, 150, std::min(380, client.width - 20), 55}, kAboutTextInk},
    };
    for (const TextArea& text : texts) {
        long inked = 0;
        long outside = 0;
        for (int y = text.rect.y; y < text.rect.y + text.rect.height; ++y) {
            for (int x = text.rect.x; x < text.rect.x + text.rect.width; ++x) {
                const unsigned char* got = pixel(shot, x, y);
                bool between = true;
                for (int c = 0; c < 3; ++c) {
                    const int low = std::min(kAboutBackground[c], text.ink[c]) - 2;
                    const int high = std::max(kAboutBackground[c], text.ink[c]) + 2;
                    between = between && got[c] >= low && got[c] <= high;
                }
                outside += !between;
                inked += sameColor(got, text.ink);
            }
        }
        EXPECT_EQ(outside, 0) << text.name << ": pixels of neither the text nor the background";
        EXPECT_GT(inked, 40) << text.name << ": pixels in the text colour itself";
    }

    // The title is bold and underlined: its strokes are wider than those of
    // the about text in the regular weight, and one row is inked across
    // the whole title.
    const StrokeWidths title = measureStrokes(shot, {client.x + 90, client.y + 20, 280, 20}, kTitleInk);
    const StrokeWidths regular = measureStrokes(
        shot, {client.x + 20, client.y + 150, std::min(380, client.width - 20), 55}, kAboutTextInk);
    ASSERT_GT(title.strokes, 50);
    ASSERT_GT(regular.strokes, 50);
    // Wine draws about 60 % of the bold strokes and 15 % of the regular ones
    // two pixels wide or more.
    EXPECT_GT(title.wide * 100, title.strokes * 40) << title.wide << " of " << title.strokes << " title strokes";
    EXPECT_GT(title.wide * regular.strokes, 2 * regular.wide * title.strokes)
        << "title " << title.wide << " of " << title.strokes << ", about text " << regular.wide << " of "
        << regular.strokes;
    EXPECT_GT(title.longest, 100) << "the underline";

    ASSERT_TRUE(screen.requestClose(screen.findTopLevel("About")));
    EXPECT_EQ(childExitCode(waitForChild(*about, 10s)), 0);
}

// Wine opens web addresses with winebrowser, which runs xdg-open: this one,
// first in PATH while it lives, writes down what it was given.
class FakeBrowser {
public:
    FakeBrowser()
    {
        char pattern[] = "/tmp/quendral_browser_XXXXXX";
        if (!::mkdtemp(pattern))
            return;
        directory_ = pattern;
        std::ofstream(directory_ + "/xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << directory_
                                               << "/opened.txt'\n";
        ::chmod((directory_ + "/xdg-open").c_str(), 0755);
        oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        ::setenv("PATH", (directory_ + ":" + oldPath_).c_str(), 1);
    }
    ~FakeBrowser()
    {
        if (directory_.empty())
            return;
        ::setenv("PATH", oldPath_.c_str(), 1);
        runCommand("rm -rf '" + directory_ + "'");
    }
    FakeBrowser(const FakeBrowser&) = delete;
    FakeBrowser& operator=(const FakeBrowser&) = delete;

    bool ready() const { return !directory_.empty(); }

    // The arguments of every start so far, one a line.
    std::string opened() const
    {
        std::ifstream in(directory_ + "/opened.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::string directory_;
    std::string oldPath_;
};

TEST_F(WineAboutTest, VisitWebsiteOpensTheSiteAndLeavesTheWindowOpen)
{
    FakeBrowser browser;
    ASSERT_TRUE(browser.ready());
    ASSERT_NO_FATAL_FAILURE(openAbout());
    auto click = [&](int x, int y) {
        runCommand("xdotool mousemove " + std::to_string(client.x + x) + " " + std::to_string(client.y + y) +
                   " click 1");
    };

    click(60, 160);  // the about text
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(browser.opened(), "") << "the about text is no link";

    click(200, 226);  // "Visit website"
    const auto end = std::chrono::steady_clock::now() + 30s;
    while (browser.opened().empty() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(200ms);
    // Wine hands the address on in its canonical form, with the empty path
    // written as "/".
    const std::string address = browser.opened();
    EXPECT_TRUE(address == "https://quendral.example.com?utm_source=About\n" ||
                address == "https://quendral.example.com/?utm_source=About\n")
        << address;

    std::this_thread::sleep_for(500ms);
    EXPECT_NE(screen.findTopLevel("About"), 0u) << "the window stays open";
    EXPECT_EQ(waitForChild(*about, 0ms), -1);

    runCommand("xdotool key alt+F4");
    EXPECT_EQ(childExitCode(waitForChild(*about, 10s)), 0);
}

}  // namespace
