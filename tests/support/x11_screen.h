// The X screen as the program tests see it: screenshots of the root window
// or of one window's own picture, and windows found by name or size.
// Window ids are plain X ids (XID); this header keeps Xlib, whose macros
// clash with GoogleTest's names, out of the tests.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

struct _XDisplay;

using X11Window = unsigned long;

// An RGB picture, 3 bytes a pixel, rows from top to bottom.
struct ScreenPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* at(int x, int row) const { return &rgb[(static_cast<size_t>(row) * width + x) * 3]; }
    bool empty() const { return rgb.empty(); }
};

class X11Screen {
public:
    // Connects to $DISPLAY; isOpen() is false when there is none.
    X11Screen();
    ~X11Screen();
    X11Screen(const X11Screen&) = delete;
    X11Screen& operator=(const X11Screen&) = delete;

    bool isOpen() const { return display_ != nullptr; }
    // The connection, for the X calls a test makes itself; null when none.
    _XDisplay* display() const { return display_; }
    int width() const;
    int height() const;

    // The rectangle of the root window as shown on the screen.  Empty when
    // it does not lie on the screen.
    ScreenPicture grab(int x, int y, int width, int height) const;
    ScreenPicture grabAll() const { return grab(0, 0, width(), height()); }

    // A window's own contents.  Also works for a window off the screen
    // whose contents the X server keeps for it (redirected with the
    // Composite extension, as Wine does with offscreen GL surfaces).  Empty
    // when the window is gone or its contents cannot be read.
    ScreenPicture grabWindow(X11Window window) const;

    // The mapped child of the root window whose name is `title`, or 0.
    X11Window findTopLevel(const std::string& title) const;

    // The window's position on the screen and its size.  False when it is
    // gone.
    bool windowRect(X11Window window, int* x, int* y, int* width, int* height) const;

    // Asks the window to close as a window manager's close button does
    // (WM_DELETE_WINDOW).  False when the window does not take the request.
    bool requestClose(X11Window window) const;

    // Waits up to `limit` for findTopLevel(title) to find a window; gives up
    // early, with 0, once `giveUp` says so (the program that was to show it
    // has ended).
    X11Window waitForTopLevel(const std::string& title, std::chrono::milliseconds limit,
                              const std::function<bool()>& giveUp) const;

    // Every mapped window of exactly this size inside a mapped 1 x 1 child
    // of the root window: where Wine keeps the GL surfaces of child windows
    // that it draws offscreen.
    std::vector<X11Window> findOffscreenWindows(int width, int height) const;

private:
    _XDisplay* display_ = nullptr;
};
