// glfwWrapNativeWindow and the attached-window destroy path, with native
// windows of the test process and real contexts (Wine's WGL over Mesa).
#include "platform/platform.h"
#include "platform/win32_glfw_wrap.h"
#include "platform/win32_test_window.h"

#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

using testwin::TestWindow;

std::vector<int> reportedErrors;

void rememberError(int code, const char* /*description*/)
{
    reportedErrors.push_back(code);
}

// Checks that the window's framebuffer has the given size, clears it to one
// colour through the GL library's own exports and reads two opposite corners
// back.
void expectDrawsIntoArea(GLFWwindow* window, int width, int height)
{
    int framebufferWidth = 0;
    int framebufferHeight = 0;
    glfwGetFramebufferSize(window, &framebufferWidth, &framebufferHeight);
    EXPECT_EQ(framebufferWidth, width);
    EXPECT_EQ(framebufferHeight, height);

    glfwMakeContextCurrent(window);
    void* library = platform::openGlLibrary();
    ASSERT_NE(library, nullptr);
    using ClearColor = void(APIENTRY*)(float, float, float, float);
    using Clear = void(APIENTRY*)(unsigned int);
    using ReadPixels = void(APIENTRY*)(int, int, int, int, unsigned int, unsigned int, void*);
    const auto clearColor = reinterpret_cast<ClearColor>(platform::librarySymbol(library, "glClearColor"));
    const auto clear = reinterpret_cast<Clear>(platform::librarySymbol(library, "glClear"));
    const auto readPixels = reinterpret_cast<ReadPixels>(platform::librarySymbol(library, "glReadPixels"));
    ASSERT_TRUE(clearColor && clear && readPixels);

    clearColor(0.25f, 0.5f, 0.75f, 1.0f);
    clear(0x00004000);  // GL_COLOR_BUFFER_BIT
    unsigned char corners[2][4] = {};
    readPixels(0, 0, 1, 1, 0x1908, 0x1401, corners[0]);  // GL_RGBA, GL_UNSIGNED_BYTE
    readPixels(width - 1, height - 1, 1, 1, 0x1908, 0x1401, corners[1]);
    for (const auto& pixel : corners) {
        EXPECT_NEAR(pixel[0], 64, 1);
        EXPECT_NEAR(pixel[1], 128, 1);
        EXPECT_NEAR(pixel[2], 191, 1);
    }
    glfwSwapBuffers(window);
    platform::closeGlLibrary(library);
}

// The host dialog in a process of its own (foreign_window_host.exe, built
// next to the tests): started with a unique title, closed by the destructor.
class ForeignHost {
public:
    ForeignHost()
    {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string program(path);
        program = program.substr(0, program.find_last_of("\\/") + 1) + "foreign_window_host.exe";
        const std::string title = "QuendralForeignHost-" + std::to_string(::GetCurrentProcessId());
        std::string commandLine = "\"" + program + "\" " + title;
        STARTUPINFOA startup {};
        startup.cb = sizeof startup;
        if (!::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process_))
            return;
        ::CloseHandle(process_.hThread);
        // The dialog shows up before its preview area is made.
        for (int attempt = 0; attempt < 1000 && !preview_; ++attempt) {
            dialog_ = ::FindWindowA("QuendralForeignHost", title.c_str());
            if (dialog_)
                preview_ = ::FindWindowExA(dialog_, nullptr, "QuendralForeignHost", "preview");
            if (!preview_)
                ::Sleep(10);
        }
    }
    ~ForeignHost()
    {
        if (!process_.hProcess)
            return;
        if (dialog_)
            ::PostMessageA(dialog_, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
            ::TerminateProcess(process_.hProcess, 1);
        ::CloseHandle(process_.hProcess);
    }
    ForeignHost(const ForeignHost&) = delete;
    ForeignHost& operator=(const ForeignHost&) = delete;

    HWND preview() const { return preview_; }

private:
    PROCESS_INFORMATION process_ {};
    HWND dialog_ = nullptr;
    HWND preview_ = nullptr;
};

// GLFW is started for each test, with the hints the program sets before it
// attaches to the preview window.
class WrapNativeWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        reportedErrors.clear();
        glfwSetErrorCallback(rememberError);
        ASSERT_TRUE(glfwInit());
        glfwDefaultWindowHints();
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
        glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
        glfwWindowHint(GLFW_SAMPLES, 0);
        glfwWindowHint(GLFW_STEREO, GLFW_FALSE);
    }
    void TearDown() override { glfwTerminate(); }

    // Attachment without a context, for tests about the window record only.
    static void withoutContext() { glfwWindowHint(GLFW_CLIENT_API, GLFW_NO_API); }

    // The state of a native window that no GLFW record holds.
    static void expectHandedBack(HWND native)
    {
        EXPECT_TRUE(::IsWindow(native)) << "the native window must stay alive";
        EXPECT_EQ(testwin::currentWindowProc(native), &testwin::testWindowProc);
        EXPECT_TRUE(testwin::answersPing(native)) << "its messages reach its own procedure again";
        EXPECT_EQ(::GetPropW(native, L"GLFW"), nullptr);
    }
};

TEST(WrapNativeWindowBeforeInit, ReportsNotInitializedAndReturnsNull)
{
    TestWindow native(WS_POPUP, 0, 64, 64);
    reportedErrors.clear();
    glfwSetErrorCallback(rememberError);
    EXPECT_EQ(glfwWrapNativeWindow(native.handle(), nullptr), nullptr);
    EXPECT_EQ(reportedErrors, std::vector<int>{GLFW_NOT_INITIALIZED});
    EXPECT_EQ(testwin::currentWindowProc(native.handle()), &testwin::testWindowProc);
}

// Wine's XInput keeps a device thread running inside the library: unloading
// it at glfwTerminate let that thread run into unmapped code and crash the
// process a moment later.
TEST(GlfwTerminate, LeavesXInputLoaded)
{
    ASSERT_TRUE(glfwInit());
    const HMODULE xinput = ::GetModuleHandleA("xinput1_4.dll");
    glfwTerminate();
    ASSERT_NE(xinput, nullptr) << "GLFW loads XInput for its joysticks";
    EXPECT_EQ(::GetModuleHandleA("xinput1_4.dll"), xinput);
}

TEST_F(WrapNativeWindow, StylesBecomeResizableDecoratedAndFloating)
{
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        bool child;
        int resizable;
        int decorated;
        int floating;
    };
    const Case cases[] = {
        {"thick frame", WS_POPUP | WS_THICKFRAME, 0, false, GLFW_TRUE, GLFW_TRUE, GLFW_FALSE},
        {"overlapped window", WS_OVERLAPPEDWINDOW, 0, false, GLFW_TRUE, GLFW_TRUE, GLFW_FALSE},
        {"border only", WS_POPUP | WS_BORDER, 0, false, GLFW_FALSE, GLFW_TRUE, GLFW_FALSE},
        {"caption, fixed size", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, false, GLFW_FALSE, GLFW_TRUE, GLFW_FALSE},
        {"plain child", WS_CHILD | WS_VISIBLE, 0, true, GLFW_FALSE, GLFW_FALSE, GLFW_FALSE},
        {"topmost popup", WS_POPUP, WS_EX_TOPMOST, false, GLFW_FALSE, GLFW_FALSE, GLFW_TRUE},
    };
    withoutContext();
    TestWindow parent(WS_OVERLAPPEDWINDOW, 0, 300, 200);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow native(c.style, c.exStyle, 120, 90, c.child ? parent.handle() : nullptr);
        ASSERT_NE(native.handle(), nullptr);
        GLFWwindow* window = glfwWrapNativeWindow(native.handle(), nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_RESIZABLE), c.resizable);
        EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_DECORATED), c.decorated);
        EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_FLOATING), c.floating);
        EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_CLIENT_API), GLFW_NO_API);
        glfwDestroyWindow(window);
    }
    EXPECT_TRUE(reportedErrors.empty());
}

TEST_F(WrapNativeWindow, MaximisedAndMinimisedStateIsTakenOver)
{
    // The record must start from the window's real state: restoring it is
    // then reported as the end of that state, exactly once.
    struct Case {
        const char* name;
        int show;
        int maximized;
        int iconified;
    };
    const Case cases[] = {
        {"maximised", SW_MAXIMIZE, GLFW_TRUE, GLFW_FALSE},
        {"minimised", SW_MINIMIZE, GLFW_FALSE, GLFW_TRUE},
        {"normal", SW_SHOWNORMAL, GLFW_FALSE, GLFW_FALSE},
    };
    withoutContext();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow native(WS_OVERLAPPEDWINDOW, 0, 200, 150);
        ::ShowWindow(native.handle(), c.show);
        GLFWwindow* window = glfwWrapNativeWindow(native.handle(), nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_MAXIMIZED), c.maximized);
        EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_ICONIFIED), c.iconified);

        static std::vector<int> maximizeEvents;
        static std::vector<int> iconifyEvents;
        maximizeEvents.clear();
        iconifyEvents.clear();
        glfwSetWindowMaximizeCallback(window, [](GLFWwindow*, int state) { maximizeEvents.push_back(state); });
        glfwSetWindowIconifyCallback(window, [](GLFWwindow*, int state) { iconifyEvents.push_back(state); });
        ::ShowWindow(native.handle(), SW_RESTORE);
        glfwPollEvents();
        EXPECT_EQ(maximizeEvents, c.maximized ? std::vector<int>{GLFW_FALSE} : std::vector<int>{});
        EXPECT_EQ(iconifyEvents, c.iconified ? std::vector<int>{GLFW_FALSE} : std::vector<int>{});
        glfwDestroyWindow(window);
    }
}

TEST_F(WrapNativeWindow, ContextRendersIntoThePreviewArea)
{
    TestWindow dialog(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 400, 300);
    TestWindow preview(WS_CHILD | WS_VISIBLE, 0, 152, 112, dialog.handle());
    GLFWwindow* window = glfwWrapNativeWindow(preview.handle(), nullptr);
    ASSERT_NE(window, nullptr) << "GLFW errors: " << ::testing::PrintToString(reportedErrors);

    EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_CLIENT_API), GLFW_OPENGL_API);
    EXPECT_GE(glfwGetWindowAttrib(window, GLFW_CONTEXT_VERSION_MAJOR), 2);

    expectDrawsIntoArea(window, 152, 112);
    glfwMakeContextCurrent(nullptr);
    glfwDestroyWindow(window);
    EXPECT_TRUE(reportedErrors.empty()) << ::testing::PrintToString(reportedErrors);
}

TEST_F(WrapNativeWindow, WindowOfAnotherProcessIsRefusedAndLeftAlone)
{
    // The display settings dialog runs in another process, and Win32 lets
    // no process subclass another's window or set its pixel format: the
    // attachment refuses such a window before it changes anything (the
    // screensaver draws into a child window of its own there instead).
    ForeignHost host;
    ASSERT_NE(host.preview(), nullptr) << "the host process did not show its window";
    DWORD hostProcess = 0;
    ::GetWindowThreadProcessId(host.preview(), &hostProcess);
    ASSERT_NE(hostProcess, ::GetCurrentProcessId());

    EXPECT_EQ(glfwWrapNativeWindow(host.preview(), nullptr), nullptr);
    ASSERT_EQ(reportedErrors.size(), 1u);
    EXPECT_EQ(reportedErrors[0], GLFW_INVALID_VALUE);
    EXPECT_EQ(::GetPropW(host.preview(), L"GLFW"), nullptr) << "the host's window is not touched";
    EXPECT_EQ(::GetWindow(host.preview(), GW_CHILD), nullptr) << "nothing was created inside it";
    EXPECT_TRUE(::IsWindow(host.preview()));
}

TEST_F(WrapNativeWindow, AttachedWindowTakesItsMessagesThroughGlfw)
{
    TestWindow dialog(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 400, 300);
    TestWindow preview(WS_CHILD | WS_VISIBLE, 0, 152, 112, dialog.handle());
    GLFWwindow* window = glfwWrapNativeWindow(preview.handle(), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(glfwGetWin32Window(window), preview.handle());
    EXPECT_EQ(::GetPropW(preview.handle(), L"GLFW"), static_cast<HANDLE>(window));
    EXPECT_FALSE(testwin::answersPing(preview.handle())) << "the old procedure is not called while attached";

    struct Seen {
        std::vector<int> keys;
        std::vector<int> buttons;
        int width = 0;
        int height = 0;
    };
    static Seen seen;
    seen = Seen();
    glfwSetKeyCallback(window, [](GLFWwindow*, int key, int, int action, int) {
        seen.keys.push_back(key);
        seen.keys.push_back(action);
    });
    glfwSetMouseButtonCallback(window, [](GLFWwindow*, int button, int action, int) {
        seen.buttons.push_back(button);
        seen.buttons.push_back(action);
    });
    glfwSetWindowSizeCallback(window, [](GLFWwindow*, int width, int height) {
        seen.width = width;
        seen.height = height;
    });

    ::SendMessageW(preview.handle(), WM_KEYDOWN, 'A', 1 | (0x1E << 16));  // scan code of A
    ::SendMessageW(preview.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(preview.handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ::SetWindowPos(preview.handle(), nullptr, 0, 0, 200, 150, SWP_NOZORDER | SWP_NOMOVE);
    glfwPollEvents();
    EXPECT_EQ(seen.keys, (std::vector<int>{GLFW_KEY_A, GLFW_PRESS}));
    EXPECT_EQ(seen.buttons,
              (std::vector<int>{GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE}));
    EXPECT_EQ(seen.width, 200);
    EXPECT_EQ(seen.height, 150);
    EXPECT_EQ(glfwGetKey(window, GLFW_KEY_A), GLFW_PRESS);

    EXPECT_FALSE(glfwWindowShouldClose(window));
    ::SendMessageW(preview.handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(glfwWindowShouldClose(window));
    EXPECT_TRUE(::IsWindow(preview.handle())) << "a close request only sets the flag";
    glfwDestroyWindow(window);
}

TEST_F(WrapNativeWindow, DestroyingAnAttachedWindowHandsItBack)
{
    TestWindow dialog(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 400, 300);
    TestWindow preview(WS_CHILD | WS_VISIBLE, 0, 152, 112, dialog.handle());
    GLFWwindow* window = glfwWrapNativeWindow(preview.handle(), nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(testwin::currentWindowProc(preview.handle()), &testwin::testWindowProc);
    glfwMakeContextCurrent(window);

    glfwDestroyWindow(window);
    expectHandedBack(preview.handle());
    EXPECT_EQ(glfwGetCurrentContext(), nullptr);
}

TEST_F(WrapNativeWindow, TerminatingHandsAttachedWindowsBack)
{
    TestWindow first(WS_POPUP | WS_VISIBLE, 0, 100, 80);
    TestWindow second(WS_POPUP | WS_VISIBLE, 0, 100, 80);
    ASSERT_NE(glfwWrapNativeWindow(first.handle(), nullptr), nullptr);
    ASSERT_NE(glfwWrapNativeWindow(second.handle(), nullptr), nullptr);
    glfwTerminate();
    expectHandedBack(first.handle());
    expectHandedBack(second.handle());
}

TEST_F(WrapNativeWindow, WindowsThatGlfwCreatedAreStillDestroyed)
{
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* created = glfwCreateWindow(64, 64, "QuendralTest", nullptr, nullptr);
    ASSERT_NE(created, nullptr);
    TestWindow native(WS_POPUP, 0, 64, 64);
    GLFWwindow* attached = glfwWrapNativeWindow(native.handle(), nullptr);
    ASSERT_NE(attached, nullptr);

    const HWND createdHandle = glfwGetWin32Window(created);
    ASSERT_TRUE(::IsWindow(createdHandle));
    glfwDestroyWindow(created);
    EXPECT_FALSE(::IsWindow(createdHandle));
    glfwDestroyWindow(attached);
    expectHandedBack(native.handle());
}

TEST_F(WrapNativeWindow, RefusesHandlesThatAreNoWindowOrAlreadyGlfws)
{
    withoutContext();
    HWND destroyed = TestWindow(WS_POPUP, 0, 10, 10).handle();
    EXPECT_EQ(glfwWrapNativeWindow(nullptr, nullptr), nullptr);
    EXPECT_EQ(glfwWrapNativeWindow(destroyed, nullptr), nullptr);
    EXPECT_EQ(reportedErrors, (std::vector<int>{GLFW_INVALID_VALUE, GLFW_INVALID_VALUE}));

    // A second record on one window would take the first one's procedure
    // and property with it when destroyed.
    TestWindow native(WS_POPUP, 0, 64, 64);
    GLFWwindow* first = glfwWrapNativeWindow(native.handle(), nullptr);
    ASSERT_NE(first, nullptr);
    reportedErrors.clear();
    EXPECT_EQ(glfwWrapNativeWindow(native.handle(), nullptr), nullptr);
    EXPECT_EQ(reportedErrors, std::vector<int>{GLFW_INVALID_VALUE});
    EXPECT_EQ(::GetPropW(native.handle(), L"GLFW"), static_cast<HANDLE>(first));
    glfwDestroyWindow(first);
    expectHandedBack(native.handle());
}

TEST_F(WrapNativeWindow, InvalidHintsLeaveTheWindowUntouched)
{
    TestWindow native(WS_POPUP, 0, 64, 64);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 0);  // no such version
    EXPECT_EQ(glfwWrapNativeWindow(native.handle(), nullptr), nullptr);
    EXPECT_EQ(reportedErrors, std::vector<int>{GLFW_INVALID_VALUE});
    expectHandedBack(native.handle());
}

TEST_F(WrapNativeWindow, ShareWindowWithoutContextIsRefused)
{
    TestWindow native(WS_POPUP, 0, 64, 64);
    TestWindow other(WS_POPUP, 0, 64, 64);
    withoutContext();
    GLFWwindow* contextless = glfwWrapNativeWindow(other.handle(), nullptr);
    ASSERT_NE(contextless, nullptr);

    glfwDefaultWindowHints();
    EXPECT_EQ(glfwWrapNativeWindow(native.handle(), contextless), nullptr);
    EXPECT_EQ(reportedErrors, std::vector<int>{GLFW_NO_WINDOW_CONTEXT});
    expectHandedBack(native.handle());
    glfwDestroyWindow(contextless);
}

TEST_F(WrapNativeWindow, SharedContextSeesTheOtherContextsObjects)
{
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* owner = glfwCreateWindow(32, 32, "QuendralTest", nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    TestWindow native(WS_POPUP | WS_VISIBLE, 0, 64, 64);
    GLFWwindow* sharing = glfwWrapNativeWindow(native.handle(), owner);
    ASSERT_NE(sharing, nullptr) << ::testing::PrintToString(reportedErrors);

    void* library = platform::openGlLibrary();
    using GenTextures = void(APIENTRY*)(int, unsigned int*);
    using BindTexture = void(APIENTRY*)(unsigned int, unsigned int);
    using IsTexture = unsigned char(APIENTRY*)(unsigned int);
    const auto genTextures = reinterpret_cast<GenTextures>(platform::librarySymbol(library, "glGenTextures"));
    const auto bindTexture = reinterpret_cast<BindTexture>(platform::librarySymbol(library, "glBindTexture"));
    const auto isTexture = reinterpret_cast<IsTexture>(platform::librarySymbol(library, "glIsTexture"));
    ASSERT_TRUE(genTextures && bindTexture && isTexture);

    glfwMakeContextCurrent(owner);
    unsigned int texture = 0;
    genTextures(1, &texture);
    bindTexture(0x0DE1, texture);  // GL_TEXTURE_2D: the name becomes a texture
    glfwMakeContextCurrent(sharing);
    EXPECT_TRUE(isTexture(texture));
    platform::closeGlLibrary(library);
    glfwMakeContextCurrent(nullptr);
}

TEST_F(WrapNativeWindow, ContextThatCannotBeMadeHandsTheWindowBack)
{
    TestWindow native(WS_POPUP | WS_VISIBLE, 0, 64, 64);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 9);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 9);
    EXPECT_EQ(glfwWrapNativeWindow(native.handle(), nullptr), nullptr);
    ASSERT_FALSE(reportedErrors.empty());
    EXPECT_EQ(reportedErrors.back(), GLFW_VERSION_UNAVAILABLE);
    expectHandedBack(native.handle());
}

}  // namespace
