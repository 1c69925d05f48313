// The Win32 platform layer against the real system (Wine under Xvfb).
#include "platform/platform.h"
#include "platform/win32_glfw_wrap.h"
#include "platform/win32_test_window.h"

#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

namespace {

using testwin::TestWindow;

platform::NativeWindow toNative(HWND window)
{
    return reinterpret_cast<platform::NativeWindow>(window);
}

// ---------------------------------------------------------------------------
// Message boxes
// ---------------------------------------------------------------------------

// What a message box showed, read from its controls by a second thread while
// the first one waits inside the box.
struct MessageBoxSeen {
    bool found = false;
    HWND owner = nullptr;
    std::string text;
    HICON icon = nullptr;
    int buttonCount = 0;
    std::string buttonText;
};

BOOL CALLBACK readMessageBoxControl(HWND control, LPARAM seenAddress)
{
    auto* seen = reinterpret_cast<MessageBoxSeen*>(seenAddress);
    char className[32] = {};
    char text[256] = {};
    ::GetClassNameA(control, className, sizeof className);
    ::GetWindowTextA(control, text, sizeof text);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    if (lstrcmpiA(className, "Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON)
            seen->icon = reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0));
        else if (text[0])
            seen->text = text;
    } else if (lstrcmpiA(className, "Button") == 0 && (style & WS_VISIBLE)) {
        ++seen->buttonCount;
        seen->buttonText = text;
    }
    return TRUE;
}

MessageBoxSeen showAndDismiss(const char* text, const char* caption, platform::MessageIcon icon)
{
    MessageBoxSeen seen;
    const DWORD boxThread = ::GetCurrentThreadId();
    std::thread watcher([&] {
        HWND box = nullptr;
        for (int attempt = 0; attempt < 1000 && !box; ++attempt) {
            box = testwin::findThreadWindow(boxThread, "#32770", caption);
            if (!box)
                ::Sleep(10);
        }
        if (!box)
            return;
        seen.found = true;
        seen.owner = ::GetWindow(box, GW_OWNER);
        ::EnumChildWindows(box, readMessageBoxControl, reinterpret_cast<LPARAM>(&seen));
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    platform::showMessageBox(text, caption, icon);
    watcher.join();
    return seen;
}

TEST(Win32MessageBox, ShowsTextCaptionAndIconWithoutOwnerAndOneOkButton)
{
    struct Case {
        platform::MessageIcon icon;
        LPCSTR systemIcon;
        const char* caption;
    };
    const Case cases[] = {
        {platform::MessageIcon::Information, IDI_INFORMATION, "Debug"},
        {platform::MessageIcon::Exclamation, IDI_EXCLAMATION, "Error!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        const MessageBoxSeen seen = showAndDismiss("Failed to open window", c.caption, c.icon);
        ASSERT_TRUE(seen.found) << "no message box with that caption appeared";
        EXPECT_EQ(seen.owner, nullptr);
        EXPECT_EQ(seen.text, "Failed to open window");
        EXPECT_EQ(seen.icon, ::LoadIconA(nullptr, c.systemIcon));
        EXPECT_EQ(seen.buttonCount, 1);
        EXPECT_EQ(seen.buttonText, "OK");
    }
}

// ---------------------------------------------------------------------------
// Instance marker
// ---------------------------------------------------------------------------

std::string uniqueMarkerName(const char* purpose)
{
    return std::string("QuendralTestMarker-") + purpose + "-" + std::to_string(::GetCurrentProcessId());
}

std::wstring widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

TEST(Win32InstanceMarker, FirstHolderWinsAndTheMarkerIsANamedEvent)
{
    const std::string name = uniqueMarkerName("event");
    EXPECT_TRUE(platform::acquireInstanceMarker(name.c_str()));
    EXPECT_FALSE(platform::acquireInstanceMarker(name.c_str())) << "the name is held now";
    EXPECT_FALSE(platform::acquireInstanceMarker(name.c_str())) << "a refused try must not give it up";

    HANDLE event = ::OpenEventW(SYNCHRONIZE, FALSE, widen(name).c_str());
    EXPECT_NE(event, nullptr) << "other instances look for an event object of that name";
    if (event) {
        EXPECT_EQ(::WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "never signalled";
        ::CloseHandle(event);
    }

    EXPECT_TRUE(platform::acquireInstanceMarker(uniqueMarkerName("other").c_str()));
}

TEST(Win32InstanceMarker, NameTakenByAnotherKindOfObjectCountsAsOnlyInstance)
{
    // CreateEventW fails with ERROR_INVALID_HANDLE here, which is not the
    // "already exists" answer that marks a running instance.
    const std::string name = uniqueMarkerName("mutex");
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, widen(name).c_str());
    ASSERT_NE(mutex, nullptr);
    EXPECT_TRUE(platform::acquireInstanceMarker(name.c_str()));
    ::CloseHandle(mutex);
}

// ---------------------------------------------------------------------------
// Native windows
// ---------------------------------------------------------------------------

TEST(Win32NativeWindow, ClientSizeOfThePreviewArea)
{
    TestWindow dialog(WS_OVERLAPPEDWINDOW, 0, 400, 300);
    TestWindow preview(WS_CHILD | WS_VISIBLE, 0, 152, 112, dialog.handle());
    ASSERT_NE(preview.handle(), nullptr);

    int width = -1;
    int height = -1;
    ASSERT_TRUE(platform::nativeWindowClientSize(toNative(preview.handle()), &width, &height));
    EXPECT_EQ(width, 152);
    EXPECT_EQ(height, 112);

    // A framed window: the client area, not the outer size.
    RECT client {};
    ::GetClientRect(dialog.handle(), &client);
    ASSERT_TRUE(platform::nativeWindowClientSize(toNative(dialog.handle()), &width, &height));
    EXPECT_EQ(width, client.right);
    EXPECT_EQ(height, client.bottom);
    EXPECT_LT(width, 400);
}

TEST(Win32NativeWindow, NoWindowGivesNoSizeAndLeavesTheOutputs)
{
    HWND destroyed = nullptr;
    {
        TestWindow gone(WS_POPUP, 0, 50, 50);
        destroyed = gone.handle();
    }
    for (HWND handle : {static_cast<HWND>(nullptr), destroyed}) {
        int width = 7;
        int height = 9;
        EXPECT_FALSE(platform::nativeWindowClientSize(toNative(handle), &width, &height));
        EXPECT_EQ(width, 7);
        EXPECT_EQ(height, 9);
    }
}

TEST(Win32NativeWindow, EnabledUntilDisabledOrDestroyed)
{
    TestWindow dialog(WS_OVERLAPPEDWINDOW, 0, 400, 300);
    HWND preview = TestWindow(WS_POPUP, 0, 10, 10).handle();  // destroyed at once
    EXPECT_FALSE(platform::nativeWindowEnabled(toNative(preview)));
    EXPECT_FALSE(platform::nativeWindowEnabled(0));

    EXPECT_TRUE(platform::nativeWindowEnabled(toNative(dialog.handle())));
    ::EnableWindow(dialog.handle(), FALSE);
    EXPECT_FALSE(platform::nativeWindowEnabled(toNative(dialog.handle())));
    ::EnableWindow(dialog.handle(), TRUE);
    EXPECT_TRUE(platform::nativeWindowEnabled(toNative(dialog.handle())));
    ::DestroyWindow(dialog.handle());
    EXPECT_FALSE(platform::nativeWindowEnabled(toNative(dialog.handle())));
}

// ---------------------------------------------------------------------------
// Preview attachment and GL lookup (need GLFW and a display)
// ---------------------------------------------------------------------------

class Win32WithGlfw : public ::testing::Test {
protected:
    static void rememberError(int code, const char* /*description*/) { lastError = code; }

    void SetUp() override
    {
        lastError = 0;
        glfwSetErrorCallback(rememberError);
        ASSERT_TRUE(glfwInit());
        glfwDefaultWindowHints();
    }
    void TearDown() override { glfwTerminate(); }

    static int lastError;
};

int Win32WithGlfw::lastError = 0;

TEST_F(Win32WithGlfw, AttachPreviewWindowDrawsInAChildOverThePreviewArea)
{
    TestWindow dialog(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 400, 300);
    TestWindow preview(WS_CHILD | WS_VISIBLE, 0, 152, 112, dialog.handle());

    GLFWwindow* window = platform::attachPreviewWindow(toNative(preview.handle()));
    ASSERT_NE(window, nullptr) << "GLFW error " << lastError;
    EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_CLIENT_API), GLFW_OPENGL_API);
    const HWND drawn = glfwGetWin32Window(window);
    EXPECT_NE(drawn, preview.handle());
    EXPECT_EQ(::GetParent(drawn), preview.handle());
    RECT area {};
    ::GetWindowRect(drawn, &area);
    ::MapWindowPoints(nullptr, preview.handle(), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, 152);
    EXPECT_EQ(area.bottom, 112);
    EXPECT_FALSE(::IsWindowEnabled(drawn)) << "clicks on the preview stay with the host";

    // The preview area itself is not touched.
    EXPECT_EQ(testwin::currentWindowProc(preview.handle()), &testwin::testWindowProc);
    EXPECT_TRUE(testwin::answersPing(preview.handle()));
    EXPECT_EQ(::GetPropW(preview.handle(), L"GLFW"), nullptr);

    glfwDestroyWindow(window);
    EXPECT_TRUE(::IsWindow(preview.handle()));
}

TEST_F(Win32WithGlfw, DrawingWindowFollowsThePreviewAreaSize)
{
    TestWindow dialog(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 400, 300);
    TestWindow preview(WS_CHILD | WS_VISIBLE, 0, 152, 112, dialog.handle());
    GLFWwindow* window = platform::attachPreviewWindow(toNative(preview.handle()));
    ASSERT_NE(window, nullptr) << "GLFW error " << lastError;
    static int reportedWidth;
    static int reportedHeight;
    reportedWidth = reportedHeight = 0;
    glfwSetWindowSizeCallback(window, [](GLFWwindow*, int width, int height) {
        reportedWidth = width;
        reportedHeight = height;
    });

    platform::followPreviewWindowSize(window);
    EXPECT_EQ(reportedWidth, 0) << "no event while the sizes agree";

    ::SetWindowPos(preview.handle(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    platform::followPreviewWindowSize(window);
    EXPECT_EQ(reportedWidth, 200) << "reported before the call returns";
    EXPECT_EQ(reportedHeight, 150);
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 150);

    // A window of GLFW's own is left alone.
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* created = glfwCreateWindow(64, 48, "QuendralTest", nullptr, nullptr);
    ASSERT_NE(created, nullptr);
    int createdWidth = 0;
    int createdHeight = 0;
    glfwGetWindowSize(created, &createdWidth, &createdHeight);
    platform::followPreviewWindowSize(created);
    glfwGetWindowSize(created, &width, &height);
    EXPECT_EQ(width, createdWidth);
    EXPECT_EQ(height, createdHeight);
    glfwDestroyWindow(created);

    // Once the host has destroyed its window, with our child in it, there
    // is nothing left to follow.
    ::DestroyWindow(preview.handle());
    platform::followPreviewWindowSize(window);
    EXPECT_EQ(reportedWidth, 200);
    glfwDestroyWindow(window);
}

TEST_F(Win32WithGlfw, AttachPreviewWindowRefusesAHandleThatIsNoWindow)
{
    EXPECT_EQ(platform::attachPreviewWindow(0), nullptr);
    EXPECT_EQ(platform::attachPreviewWindow(1234), nullptr);
}

TEST_F(Win32WithGlfw, GlLookupFindsCoreFunctionsInTheLibraryAndNewerOnesInTheContext)
{
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(32, 32, "QuendralTest", nullptr, nullptr);
    ASSERT_NE(window, nullptr) << "GLFW error " << lastError;
    glfwMakeContextCurrent(window);

    void* library = platform::openGlLibrary();
    ASSERT_NE(library, nullptr);
    // OpenGL 1.0 and 1.1 come from the library's exports, not from the context.
    EXPECT_NE(platform::librarySymbol(library, "glCullFace"), nullptr);
    EXPECT_EQ(platform::contextProcAddress("glCullFace"), nullptr);
    // OpenGL 2.0 and later come from the context only.
    EXPECT_NE(platform::contextProcAddress("glCreateShader"), nullptr);
    EXPECT_EQ(platform::librarySymbol(library, "glCreateShader"), nullptr);
    EXPECT_EQ(platform::contextProcAddress("glQuendralNoSuchFunction"), nullptr);
    EXPECT_EQ(platform::librarySymbol(nullptr, "glCullFace"), nullptr);

    // The addresses stay good after the handle is given back: the context
    // holds the library.
    using GetString = const unsigned char*(APIENTRY*)(unsigned int);
    const auto getString = reinterpret_cast<GetString>(platform::librarySymbol(library, "glGetString"));
    platform::closeGlLibrary(library);
    platform::closeGlLibrary(nullptr);
    ASSERT_NE(getString, nullptr);
    const unsigned char* version = getString(0x1F02);  // GL_VERSION
    ASSERT_NE(version, nullptr);
    EXPECT_GE(version[0], '2') << reinterpret_cast<const char*>(version);

    glfwMakeContextCurrent(nullptr);
    glfwDestroyWindow(window);
}

}  // namespace
