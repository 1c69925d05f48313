// The whole platform stand-in layer.
//
// Everything the rest of the program needs from the operating system goes
// through the functions below: message boxes, the named instance marker,
// native window queries, the GL library lookup and the embedded resources.
// win32_platform.cpp implements them with the real Win32 calls;
// linux_platform.cpp is our own stand-in for Linux/X11.  Nothing outside
// platform/ (and the build files) looks at which platform it runs on.
#pragma once

#include <cstddef>
#include <cstdint>

struct GLFWwindow;

namespace platform {

// ---------------------------------------------------------------------------
// Message boxes
// ---------------------------------------------------------------------------

enum class MessageIcon {
    Information,  // MB_ICONINFORMATION: the program's own diagnostics
    Exclamation   // MB_ICONEXCLAMATION: the About window's failures
};

// Shows a message box with no owner window and a single OK button and waits
// until it is dismissed.  On Linux there is nobody to click a dialog, so the
// caption and text go to standard error and the call returns at once.
void showMessageBox(const char* text, const char* caption, MessageIcon icon);

// ---------------------------------------------------------------------------
// Single-instance marker
// ---------------------------------------------------------------------------

// Creates the named, system-wide instance marker and keeps it for the life of
// the process.  Returns true when this process is the only holder, false when
// another live process holds a marker of that name.  A failure to create the
// marker for any other reason counts as the only instance (returns true).
// The marker disappears when its holder ends, also when the holder is killed.
bool acquireInstanceMarker(const char* name);

// ---------------------------------------------------------------------------
// System and native windows
// ---------------------------------------------------------------------------

// The packed version number as Win32 GetVersion() gives it: the low byte of
// the low word is the major version, the high byte of the low word the minor.
// Linux answers as a Windows of the 6.x family, so the full-screen size is
// always the video mode's.
uint32_t systemVersion();

// A native window handle as it arrives on the command line.
using NativeWindow = intptr_t;

// Reads the client area size of a native window.  Returns false, leaving the
// outputs untouched, when the handle names no window.
bool nativeWindowClientSize(NativeWindow window, int* width, int* height);

// True while the native window exists and is enabled; false once it is
// disabled or destroyed (or when the handle names no window).
bool nativeWindowEnabled(NativeWindow window);

// Builds a GLFW window with a GL context, using the current window hints,
// that draws over the whole client area of an existing native window (the
// host dialog's preview area, usually of another process).  The native
// window itself is left as it is.  Returns null on failure (no such window,
// no context), after reporting it through GLFW's error callback where GLFW
// was involved.  Linux has no host dialog to attach to yet and always
// returns null.
GLFWwindow* attachPreviewWindow(NativeWindow window);

// Once per frame in preview mode: when the host has resized its preview
// area, the window from attachPreviewWindow takes the new client size, and
// GLFW's window size callback reports it before the call returns.  Does
// nothing when the sizes agree, the host window is gone or `window` did not
// come from attachPreviewWindow.
void followPreviewWindowSize(GLFWwindow* window);

// ---------------------------------------------------------------------------
// GL library lookup
// ---------------------------------------------------------------------------

using GlProc = void (*)();

// Opens the platform's GL library (opengl32.dll, libGL.so.1).  Returns null
// when it cannot be opened.
void* openGlLibrary();

// The context-level lookup (wglGetProcAddress, glXGetProcAddressARB).  Null
// when the name is unknown to it.  Needs a current context.
GlProc contextProcAddress(const char* name);

// The library's exported symbol of that name, or null.  A null library gives
// null.
GlProc librarySymbol(void* library, const char* name);

// Releases the handle from openGlLibrary.  The library stays loaded while the
// context holds it, so addresses found through it stay valid.
void closeGlLibrary(void* library);

// ---------------------------------------------------------------------------
// Embedded resources
// ---------------------------------------------------------------------------

struct ResourceBytes {
    const unsigned char* data;  // read-only, valid for the life of the process
    size_t size;                // byte count; the bytes are not terminated
};

// Finds a resource of type "TEXTFILE" with an integer identifier in the
// executable itself.  A missing resource gives {nullptr, 0}.
ResourceBytes findTextResource(uint16_t id);

}  // namespace platform
