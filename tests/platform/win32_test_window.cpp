#include "platform/win32_test_window.h"

namespace testwin {

namespace {

const wchar_t* testClassName()
{
    static const wchar_t* name = [] {
        WNDCLASSEXW windowClass {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = testWindowProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.lpszClassName = L"QuendralTestWindow";
        ::RegisterClassExW(&windowClass);
        return L"QuendralTestWindow";
    }();
    return name;
}

struct ThreadWindowSearch {
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK matchThreadWindow(HWND window, LPARAM searchAddress)
{
    auto* search = reinterpret_cast<ThreadWindowSearch*>(searchAddress);
    char className[64] = {};
    char title[256] = {};
    ::GetClassNameA(window, className, sizeof className);
    ::GetWindowTextA(window, title, sizeof title);
    if (lstrcmpA(className, search->className) == 0 && lstrcmpA(title, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

LRESULT CALLBACK testWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kPingMessage)
        return kPingAnswer;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

TestWindow::TestWindow(DWORD style, DWORD exStyle, int width, int height, HWND parent)
    : handle_(::CreateWindowExW(exStyle, testClassName(), L"Quendral test window", style, 0, 0, width,
                                height, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr))
{
}

TestWindow::~TestWindow()
{
    if (::IsWindow(handle_))
        ::DestroyWindow(handle_);
}

bool answersPing(HWND window)
{
    return ::SendMessageW(window, kPingMessage, 0, 0) == kPingAnswer;
}

WNDPROC currentWindowProc(HWND window)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
}

HWND findThreadWindow(DWORD threadId, const char* className, const char* title)
{
    ThreadWindowSearch search {className, title, nullptr};
    ::EnumThreadWindows(threadId, matchThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace testwin
