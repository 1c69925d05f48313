// Native windows for the Win32 tests: a window class of the test process
// whose procedure answers one private message, so that a test can tell
// whether a window's messages still reach it.
#pragma once

#include <windows.h>

namespace testwin {

// The private message and the answer only testWindowProc gives to it.
constexpr UINT kPingMessage = WM_APP + 17;
constexpr LRESULT kPingAnswer = 0x5157;

LRESULT CALLBACK testWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A window of the test class, destroyed with the object unless it is gone
// already.  `parent` is needed for WS_CHILD.
class TestWindow {
public:
    TestWindow(DWORD style, DWORD exStyle, int width, int height, HWND parent = nullptr);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return handle_; }

private:
    HWND handle_;
};

// True when the window's messages reach testWindowProc.
bool answersPing(HWND window);

// The window procedure stored in the window, read pointer-sized.
WNDPROC currentWindowProc(HWND window);

// A top-level window of the given thread with this class name and title, or
// null when it has none.
HWND findThreadWindow(DWORD threadId, const char* className, const char* title);

}  // namespace testwin
