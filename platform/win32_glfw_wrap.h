// Our addition to GLFW's Win32 back end (built from cmake/glfw-win32/).
//
// glfwWrapNativeWindow builds a GLFW window around a native window that GLFW
// did not create, such as the host dialog's preview area, and creates the GL
// context on it.  Destroying such a window (glfwDestroyWindow, glfwTerminate)
// gives the native window its old window procedure back instead of
// destroying it.  Only platform/win32_*.cpp and the tests include this.
#pragma once

#include <windows.h>

#ifndef GLFW_INCLUDE_NONE
#define GLFW_INCLUDE_NONE
#endif
#include <GLFW/glfw3.h>

#ifdef __cplusplus
extern "C" {
#endif

// Attaches a GLFW window record to `nativeWindow` with the current window,
// framebuffer and context hints: GLFW's window procedure takes over the
// window's messages and a context of the requested API is created on it.
// A window of another process cannot be taken over; the context then goes on
// a disabled child window that fills its client area (and that the record's
// destruction destroys), and the window's messages stay with its owner.
// The record reports the native window's resizable, decorated, floating,
// maximised and iconified state; the visibility, focus, size and decoration
// hints are ignored.  `share` is a window whose context objects the new
// context shares, or null.  Returns null on failure, reported through GLFW's
// error callback: GLFW_NOT_INITIALIZED, GLFW_NO_WINDOW_CONTEXT, invalid hints,
// GLFW_INVALID_VALUE for a handle that is no window or already belongs to
// GLFW, or a failed context; the native window is then left as it was.
GLFWwindow* glfwWrapNativeWindow(HWND nativeWindow, GLFWwindow* share);

#ifdef __cplusplus
}
#endif
