// Linux/X11 back end of the platform layer.
//
// Implements: message boxes (to standard error), the instance marker (an
// abstract Unix socket name), the GL library lookup (libGL.so.1 and
// glXGetProcAddressARB), the embedded text resources (a generated table).
// Leaves out: the host dialog's preview window.  Linux has none, so the
// window queries answer as for a window that does not exist.
#include "platform/platform.h"

#include "platform/linux_resource_table.h"

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace platform {

// ---------------------------------------------------------------------------
// Public
// ---------------------------------------------------------------------------

void showMessageBox(const char* text, const char* caption, MessageIcon /*icon*/)
{
    // A screensaver has no one to click a dialog: the box becomes a line on
    // standard error, and the program goes on as if OK had been pressed.
    std::fprintf(stderr, "[%s] %s\n", caption ? caption : "", text ? text : "");
    std::fflush(stderr);
}

bool acquireInstanceMarker(const char* name)
{
    // A socket bound to an abstract name is visible to every process of the
    // machine and vanishes with its holder, also when the holder is killed.
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return true;

    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const size_t nameLength = std::strlen(name);
    const size_t capacity = sizeof(address.sun_path) - 1;
    const size_t copied = nameLength < capacity ? nameLength : capacity;
    std::memcpy(address.sun_path + 1, name, copied);  // sun_path[0] stays 0: abstract
    const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + copied);

    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0)
        return true;  // the descriptor stays open for the life of the process

    const bool held = errno == EADDRINUSE;
    ::close(fd);
    return !held;
}

uint32_t systemVersion()
{
    return 0x0206;  // major 6 in the low byte, minor 2 in the next: "6.2"
}

bool nativeWindowClientSize(NativeWindow /*window*/, int* /*width*/, int* /*height*/)
{
    return false;
}

bool nativeWindowEnabled(NativeWindow /*window*/)
{
    return false;
}

GLFWwindow* attachPreviewWindow(NativeWindow /*window*/)
{
    return nullptr;
}

void followPreviewWindowSize(GLFWwindow* /*window*/)
{
}

void* openGlLibrary()
{
    void* library = ::dlopen("libGL.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        library = ::dlopen("libGL.so", RTLD_NOW | RTLD_LOCAL);
    return library;
}

GlProc contextProcAddress(const char* name)
{
    using GetProcAddress = GlProc (*)(const unsigned char*);
    static GetProcAddress getProcAddress = [] {
        void* library = openGlLibrary();
        GetProcAddress found = nullptr;
        if (library) {
            void* symbol = ::dlsym(library, "glXGetProcAddressARB");
            if (!symbol)
                symbol = ::dlsym(library, "glXGetProcAddress");
            std::memcpy(&found, &symbol, sizeof found);
        }
        return found;  // the library stays open: the context holds it anyway
    }();
    if (!getProcAddress)
        return nullptr;
    return getProcAddress(reinterpret_cast<const unsigned char*>(name));
}

GlProc librarySymbol(void* library, const char* name)
{
    if (!library)
        return nullptr;
    void* symbol = ::dlsym(library, name);
    GlProc proc = nullptr;
    std::memcpy(&proc, &symbol, sizeof proc);
    return proc;
}

void closeGlLibrary(void* library)
{
    if (library)
        ::dlclose(library);
}

ResourceBytes findTextResource(uint16_t id)
{
    for (const EmbeddedResource* entry = kEmbeddedTextResources; entry->data; ++entry) {
        if (entry->id == id)
            return {entry->data, entry->size};
    }
    return {nullptr, 0};
}

}  // namespace platform
