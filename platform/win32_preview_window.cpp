// Win32 preview attachment: the drawing window inside the host's preview area.
//
// The display settings dialog that owns the preview area runs in another
// process, and Win32 lets no process subclass another's window or set its
// pixel format.  The program therefore draws into a child window of its own
// that covers the preview area's client area and hands that child to
// glfwWrapNativeWindow.  The host's window keeps its procedure, its
// properties and its pixel format; it only gains a child, which goes with it
// when the host destroys it.  The same child serves a preview area of this
// process.
#include "platform/platform.h"

#include "platform/win32_glfw_wrap.h"

#include <windows.h>

#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

namespace platform {

// ---------------------------------------------------------------------------
// Internal
// ---------------------------------------------------------------------------

namespace {

const wchar_t kDrawingWindowClass[] = L"QuendralPreviewArea";

// The class of the drawing window, registered on first use.  Its own DC
// (CS_OWNDC) is what a WGL context needs; it has no background brush, since
// every frame covers the whole area.  False when it cannot be registered.
bool registerDrawingWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW existing {};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, kDrawingWindowClass, &existing))
        return true;
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kDrawingWindowClass;
    return ::RegisterClassExW(&windowClass) != 0;
}

bool isDrawingWindow(HWND window)
{
    wchar_t className[64] = {};
    return ::GetClassNameW(window, className, 64) > 0 && ::lstrcmpW(className, kDrawingWindowClass) == 0;
}

// The drawing window: a child of the host's window over its whole client
// area.  It is disabled, so that clicks on the preview stay with the host
// dialog as they do for any preview, and it sends the host no
// WM_PARENTNOTIFY, so that a host that is busy cannot hold up our start.
HWND createDrawingWindow(HWND host)
{
    RECT area {};
    if (!::GetClientRect(host, &area))
        return nullptr;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!registerDrawingWindowClass(instance))
        return nullptr;
    return ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, kDrawingWindowClass, L"",
                             WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                             area.right - area.left, area.bottom - area.top, host, nullptr, instance, nullptr);
}

}  // namespace

// ---------------------------------------------------------------------------
// Public
// ---------------------------------------------------------------------------

GLFWwindow* attachPreviewWindow(NativeWindow window)
{
    const HWND host = reinterpret_cast<HWND>(window);  // sign-extended, as Win32 widens handles
    if (!::IsWindow(host))
        return nullptr;
    const HWND drawingWindow = createDrawingWindow(host);
    if (!drawingWindow)
        return nullptr;
    GLFWwindow* attached = glfwWrapNativeWindow(drawingWindow, nullptr);
    if (!attached)
        ::DestroyWindow(drawingWindow);
    return attached;
}

void followPreviewWindowSize(GLFWwindow* window)
{
    if (!window)
        return;
    const HWND drawingWindow = glfwGetWin32Window(window);
    if (!drawingWindow || !isDrawingWindow(drawingWindow))
        return;
    RECT area {};
    RECT drawn {};
    if (!::GetClientRect(::GetParent(drawingWindow), &area) || !::GetClientRect(drawingWindow, &drawn))
        return;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width == drawn.right - drawn.left && height == drawn.bottom - drawn.top)
        return;
    // Sent, not posted: WM_SIZE reaches GLFW's procedure, and with it the
    // size callback, before SetWindowPos returns.
    ::SetWindowPos(drawingWindow, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform
