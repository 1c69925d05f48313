// Win32 back end of the platform layer.
//
// Implements every operation of platform.h with the real system calls:
// MessageBoxA, a named event object as the instance marker, GetVersion, the
// preview window's client size and enabled state, opengl32.dll with
// wglGetProcAddress, and the executable's own "TEXTFILE" resources.  The
// preview attachment lives in win32_preview_window.cpp.
#include "platform/platform.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace platform {

// ---------------------------------------------------------------------------
// Internal
// ---------------------------------------------------------------------------

namespace {

// Handles come from the command line as signed 32-bit numbers; Win32 widens
// window handles by sign extension, so the same conversion gives them back.
HWND toWindowHandle(NativeWindow window)
{
    return reinterpret_cast<HWND>(window);
}

// The name in UTF-16 for the wide-character object functions; empty when the
// text cannot be converted.
std::wstring toWide(const char* text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));  // drop the converted terminator
    return wide;
}

GlProc toGlProc(FARPROC proc)
{
    return reinterpret_cast<GlProc>(proc);
}

// Some drivers answer unknown names with small non-null values instead of
// null; those are no addresses.
bool isWglFailureValue(FARPROC proc)
{
    const intptr_t value = reinterpret_cast<intptr_t>(proc);
    return value >= -1 && value <= 3;
}

}  // namespace

// ---------------------------------------------------------------------------
// Public
// ---------------------------------------------------------------------------

void showMessageBox(const char* text, const char* caption, MessageIcon icon)
{
    const UINT iconStyle = icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : MB_ICONINFORMATION;
    ::MessageBoxA(nullptr, text, caption, MB_OK | iconStyle);
}

bool acquireInstanceMarker(const char* name)
{
    const std::wstring wideName = toWide(name);
    ::SetLastError(ERROR_SUCCESS);
    // Manual reset, not signalled: the event is never waited on, its existence
    // alone marks the running instance.  The system removes it when the last
    // handle goes, so it vanishes with its holder however the holder ends.
    HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, wideName.empty() ? nullptr : wideName.c_str());
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (event)
            ::CloseHandle(event);
        return false;
    }
    return true;  // the handle stays open for the life of the process
}

uint32_t systemVersion()
{
    return static_cast<uint32_t>(::GetVersion());
}

bool nativeWindowClientSize(NativeWindow window, int* width, int* height)
{
    RECT client {};
    if (!::GetClientRect(toWindowHandle(window), &client))
        return false;
    *width = client.right - client.left;
    *height = client.bottom - client.top;
    return true;
}

bool nativeWindowEnabled(NativeWindow window)
{
    const HWND handle = toWindowHandle(window);
    return ::IsWindow(handle) && ::IsWindowEnabled(handle);
}

void* openGlLibrary()
{
    return reinterpret_cast<void*>(::LoadLibraryA("opengl32.dll"));
}

GlProc contextProcAddress(const char* name)
{
    // wglGetProcAddress is taken from opengl32.dll at run time, as GLFW does,
    // so that the program does not import the GL library at load time.
    using WglGetProcAddress = FARPROC(WINAPI*)(LPCSTR);
    static const WglGetProcAddress wglGetProcAddressProc = [] {
        HMODULE library = ::LoadLibraryA("opengl32.dll");  // kept: the context holds it anyway
        if (!library)
            return WglGetProcAddress(nullptr);
        return reinterpret_cast<WglGetProcAddress>(toGlProc(::GetProcAddress(library, "wglGetProcAddress")));
    }();
    if (!wglGetProcAddressProc)
        return nullptr;
    const FARPROC proc = wglGetProcAddressProc(name);
    return isWglFailureValue(proc) ? nullptr : toGlProc(proc);
}

GlProc librarySymbol(void* library, const char* name)
{
    if (!library)
        return nullptr;
    return toGlProc(::GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeGlLibrary(void* library)
{
    if (library)
        ::FreeLibrary(static_cast<HMODULE>(library));
}

ResourceBytes findTextResource(uint16_t id)
{
    const HRSRC resource = ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), "TEXTFILE");
    if (!resource)
        return {nullptr, 0};
    const DWORD size = ::SizeofResource(nullptr, resource);
    const HGLOBAL loaded = ::LoadResource(nullptr, resource);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return {nullptr, 0};
    return {static_cast<const unsigned char*>(data), size};
}

}  // namespace platform
