// glfwWrapNativeWindow: a GLFW window around a native window that GLFW did
// not create.  Compiled into our build of GLFW's Win32 back end together with
// wrap_native_window.patch, which adds the two per-window fields used here
// and teaches the destroy path to hand such a window back to its owner.
//
// A window of this process is taken over (subclassed).  A window of another
// process is refused: Win32 lets no process subclass another's window or set
// its pixel format.  The screensaver therefore attaches to a child window of
// its own over the display settings' preview area (platform/).
#include "internal.h"

#include "platform/win32_glfw_wrap.h"

//////////////////////////////////////////////////////////////////////////
//////                       GLFW internal API                      //////
//////////////////////////////////////////////////////////////////////////

static GLFWbool ownedByThisProcess(HWND handle)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(handle, &owner);
    return owner == GetCurrentProcessId();
}

// Subclasses a window of this process: GLFW's window procedure, which finds
// the record through the "GLFW" property, gets its messages until the
// destroy path puts the old procedure back.
//
static void takeOverWindow(_GLFWwindow* window, HWND handle, WNDPROC glfwProc)
{
    window->win32.handle = handle;
    SetPropW(handle, L"GLFW", window);

    // Pointer-sized on purpose: a window procedure does not fit in 32 bits
    window->win32.attached = GLFW_TRUE;
    window->win32.oldWndProc = (WNDPROC) GetWindowLongPtrW(handle, GWLP_WNDPROC);
    SetWindowLongPtrW(handle, GWLP_WNDPROC, (LONG_PTR) glfwProc);
}

//////////////////////////////////////////////////////////////////////////
//////                        GLFW public API                       //////
//////////////////////////////////////////////////////////////////////////

GLFWAPI GLFWwindow* glfwWrapNativeWindow(HWND nativeWindow, GLFWwindow* share)
{
    _GLFWfbconfig fbconfig;
    _GLFWctxconfig ctxconfig;
    _GLFWwndconfig wndconfig;
    _GLFWwindow* window;
    WNDCLASSEXW glfwClass;
    LONG style, exStyle;

    _GLFW_REQUIRE_INIT_OR_RETURN(NULL);

    fbconfig  = _glfw.hints.framebuffer;
    ctxconfig = _glfw.hints.context;
    wndconfig = _glfw.hints.window;
    ctxconfig.share = (_GLFWwindow*) share;

    // Also refuses a share window without a context (GLFW_NO_WINDOW_CONTEXT)
    if (!_glfwIsValidContextConfig(&ctxconfig))
        return NULL;

    // Without a window every call below would act on the desktop instead
    if (!IsWindow(nativeWindow))
    {
        _glfwInputError(GLFW_INVALID_VALUE,
                        "Win32: Handle %p is not a window", (void*) nativeWindow);
        return NULL;
    }

    // Another process's window can be neither subclassed nor given a pixel
    // format: refuse it before anything is changed
    if (!ownedByThisProcess(nativeWindow))
    {
        _glfwInputError(GLFW_INVALID_VALUE,
                        "Win32: Window %p belongs to another process",
                        (void*) nativeWindow);
        return NULL;
    }

    // A second record on one window would take the first one's procedure
    // and property with it when destroyed
    if (GetPropW(nativeWindow, L"GLFW"))
    {
        _glfwInputError(GLFW_INVALID_VALUE,
                        "Win32: Window %p already belongs to GLFW",
                        (void*) nativeWindow);
        return NULL;
    }

    // GLFW's window procedure is the one its window class was registered with
    ZeroMemory(&glfwClass, sizeof(glfwClass));
    glfwClass.cbSize = sizeof(glfwClass);
    if (!GetClassInfoExW(_glfw.win32.instance, _GLFW_WNDCLASSNAME, &glfwClass))
    {
        _glfwInputErrorWin32(GLFW_PLATFORM_ERROR,
                             "Win32: Failed to find GLFW's window class");
        return NULL;
    }

    window = calloc(1, sizeof(_GLFWwindow));
    window->next = _glfw.windowListHead;
    _glfw.windowListHead = window;

    window->autoIconify  = wndconfig.autoIconify;
    window->cursorMode   = GLFW_CURSOR_NORMAL;
    window->doublebuffer = fbconfig.doublebuffer;

    window->minwidth    = GLFW_DONT_CARE;
    window->minheight   = GLFW_DONT_CARE;
    window->maxwidth    = GLFW_DONT_CARE;
    window->maxheight   = GLFW_DONT_CARE;
    window->numer       = GLFW_DONT_CARE;
    window->denom       = GLFW_DONT_CARE;

    takeOverWindow(window, nativeWindow, glfwClass.lpfnWndProc);

    style   = GetWindowLongW(nativeWindow, GWL_STYLE);
    exStyle = GetWindowLongW(nativeWindow, GWL_EXSTYLE);
    window->resizable = (style & WS_THICKFRAME) ? GLFW_TRUE : GLFW_FALSE;
    window->decorated = (style & (WS_BORDER | WS_THICKFRAME)) ? GLFW_TRUE : GLFW_FALSE;
    window->floating  = (exStyle & WS_EX_TOPMOST) ? GLFW_TRUE : GLFW_FALSE;
    window->win32.maximized = IsZoomed(nativeWindow) ? GLFW_TRUE : GLFW_FALSE;
    window->win32.iconified = IsIconic(nativeWindow) ? GLFW_TRUE : GLFW_FALSE;

    if (ctxconfig.client != GLFW_NO_API)
    {
        GLFWbool created = GLFW_FALSE;

        if (ctxconfig.source == GLFW_NATIVE_CONTEXT_API)
        {
            created = _glfwInitWGL() &&
                      _glfwCreateContextWGL(window, &ctxconfig, &fbconfig);
        }
        else if (ctxconfig.source == GLFW_EGL_CONTEXT_API)
        {
            created = _glfwInitEGL() &&
                      _glfwCreateContextEGL(window, &ctxconfig, &fbconfig);
        }
        else if (ctxconfig.source == GLFW_OSMESA_CONTEXT_API)
        {
            created = _glfwInitOSMesa() &&
                      _glfwCreateContextOSMesa(window, &ctxconfig, &fbconfig);
        }

        if (!created || !_glfwRefreshContextAttribs(window, &ctxconfig))
        {
            // The destroy path hands the native window back as it was
            glfwDestroyWindow((GLFWwindow*) window);
            return NULL;
        }
    }

    return (GLFWwindow*) window;
}
