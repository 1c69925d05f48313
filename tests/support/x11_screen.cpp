#include "support/x11_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

// Pixel values of a 24-bit TrueColor image as 8-bit red, green and blue.
ScreenPicture toPicture(XImage* image, int width, int height)
{
    ScreenPicture picture;
    if (!image)
        return picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            unsigned char* out = &picture.rgb[(static_cast<size_t>(y) * width + x) * 3];
            out[0] = static_cast<unsigned char>((pixel & image->red_mask) >> 16);
            out[1] = static_cast<unsigned char>((pixel & image->green_mask) >> 8);
            out[2] = static_cast<unsigned char>(pixel & image->blue_mask);
        }
    }
    XDestroyImage(image);
    return picture;
}

// X errors of a window that went away meanwhile are expected here.
int ignoreXError(Display* /*display*/, XErrorEvent* /*event*/)
{
    return 0;
}

std::vector<Window> childrenOf(Display* display, Window window)
{
    std::vector<Window> result;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        result.assign(children, children + count);
        if (children)
            XFree(children);
    }
    return result;
}

}  // namespace

X11Screen::X11Screen()
    : display_(XOpenDisplay(nullptr))
{
    // A server busy with the clients of the last test may refuse a new
    // connection for a moment: try again for a few seconds.
    for (int attempt = 0; !display_ && attempt < 50 && std::getenv("DISPLAY"); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        display_ = XOpenDisplay(nullptr);
    }
    if (display_)
        XSetErrorHandler(ignoreXError);
}

X11Screen::~X11Screen()
{
    if (display_)
        XCloseDisplay(display_);
}

int X11Screen::width() const
{
    return display_ ? DisplayWidth(display_, DefaultScreen(display_)) : 0;
}

int X11Screen::height() const
{
    return display_ ? DisplayHeight(display_, DefaultScreen(display_)) : 0;
}

ScreenPicture X11Screen::grab(int x, int y, int width, int height) const
{
    if (!display_ || width <= 0 || height <= 0 || x < 0 || y < 0 || x + width > this->width() ||
        y + height > this->height())
        return ScreenPicture();
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    return toPicture(image, width, height);
}

ScreenPicture X11Screen::grabWindow(X11Window window) const
{
    XWindowAttributes attributes;
    if (!display_ || !window || !XGetWindowAttributes(display_, window, &attributes))
        return ScreenPicture();
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    return toPicture(image, attributes.width, attributes.height);
}

X11Window X11Screen::findTopLevel(const std::string& title) const
{
    if (!display_)
        return 0;
    for (Window child : childrenOf(display_, DefaultRootWindow(display_))) {
        char* name = nullptr;
        XWindowAttributes attributes;
        if (!XFetchName(display_, child, &name) || !name)
            continue;
        const bool named = title == name;
        XFree(name);
        if (named && XGetWindowAttributes(display_, child, &attributes) && attributes.map_state == IsViewable)
            return child;
    }
    return 0;
}

bool X11Screen::windowRect(X11Window window, int* x, int* y, int* width, int* height) const
{
    XWindowAttributes attributes;
    Window child = 0;
    if (!display_ || !window || !XGetWindowAttributes(display_, window, &attributes) ||
        !XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, x, y, &child))
        return false;
    *width = attributes.width;
    *height = attributes.height;
    return true;
}

bool X11Screen::requestClose(X11Window window) const
{
    if (!display_ || !window)
        return false;
    const Atom protocols = XInternAtom(display_, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    Atom* supported = nullptr;
    int count = 0;
    bool takesIt = false;
    if (XGetWMProtocols(display_, window, &supported, &count)) {
        takesIt = std::find(supported, supported + count, deleteWindow) != supported + count;
        XFree(supported);
    }
    if (!takesIt)
        return false;
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(display_, window, False, NoEventMask, &event) != 0;
    XFlush(display_);
    return sent;
}

X11Window X11Screen::waitForTopLevel(const std::string& title, std::chrono::milliseconds limit,
                                     const std::function<bool()>& giveUp) const
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (const X11Window window = findTopLevel(title))
            return window;
        if (giveUp())
            return 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

std::vector<X11Window> X11Screen::findOffscreenWindows(int width, int height) const
{
    std::vector<X11Window> found;
    if (!display_)
        return found;
    for (Window parent : childrenOf(display_, DefaultRootWindow(display_))) {
        XWindowAttributes parentAttributes;
        if (!XGetWindowAttributes(display_, parent, &parentAttributes) || parentAttributes.width != 1 ||
            parentAttributes.height != 1 || parentAttributes.map_state != IsViewable)
            continue;
        for (Window child : childrenOf(display_, parent)) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display_, child, &attributes) && attributes.width == width &&
                attributes.height == height && attributes.map_state == IsViewable)
                found.push_back(child);
        }
    }
    return found;
}
