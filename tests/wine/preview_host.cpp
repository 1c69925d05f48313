// Plays the display settings dialog for the Wine program tests: a top-level
// window of this process with a 152 x 112 preview area (a child window),
// which starts the screensaver with "/p <preview area>" and then runs the
// steps named on its command line, reporting what it sees on standard output.
//
//   preview_host.exe SAVER STEP...
//
//   wait=MS        let MS milliseconds pass
//   pause          wait for a line on standard input (the test's screenshot)
//   drawn=MS       wait up to MS for a child window inside the preview area
//   area           "area X Y W H": the preview area's client area on the screen;
//                  "drawn X Y W H BY": the first child window inside it, with
//                  BY "saver", "host" or "other" for the process that owns it,
//                  or "drawn none"
//   resize=WxH     give the preview area a client area of W x H
//   disable        EnableWindow(preview area, FALSE)
//   destroy        DestroyWindow(preview area)
//   exit=MS        wait up to MS for the screensaver to end: "saver exit CODE"
//                  or "saver running"
//
// After the last step the host reports "host dialog alive|gone", "host
// preview alive|gone", "host procedure kept|changed" and "host property
// none|set" (the "GLFW" window property), ends the screensaver if it still
// runs ("saver ended by host") and exits with 0 when its windows are as the
// steps left them: the dialog alive with its own procedure and no property,
// the preview area likewise unless a step destroyed it.  Exit code 1 means
// the screensaver touched the host's windows; 2 a wrong command line or a
// screensaver that could not be started.  Every window message is served
// throughout, as a dialog does.
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kHostClass[] = "QuendralPreviewHost";
const char kPreviewClass[] = "QuendralPreviewHostArea";
const int kPreviewWidth = 152;
const int kPreviewHeight = 112;

HWND dialog = nullptr;
HWND preview = nullptr;
PROCESS_INFORMATION saver {};

void say(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stdout, format, arguments);
    va_end(arguments);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && window == dialog)
        ::PostQuitMessage(0);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// The preview area paints itself grey, as the dialog's monitor picture does
// before a screensaver draws into it.
LRESULT CALLBACK previewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        ::EndPaint(window, &paint);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Serves window messages until `limit` milliseconds have passed or `object`
// (when given) is signalled.  True when the object was signalled.
bool serveMessages(DWORD limit, HANDLE object = nullptr)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        const DWORD passed = ::GetTickCount() - start;
        if (passed >= limit)
            return object && ::WaitForSingleObject(object, 0) == WAIT_OBJECT_0;
        const DWORD count = object ? 1 : 0;
        const DWORD woken = ::MsgWaitForMultipleObjects(count, object ? &object : nullptr, FALSE, limit - passed,
                                                        QS_ALLINPUT);
        if (object && woken == WAIT_OBJECT_0)
            return true;
    }
}

DWORD WINAPI readInputLine(void* /*unused*/)
{
    char c = 0;
    DWORD read = 0;
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    while (::ReadFile(input, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
    }
    return 0;
}

void waitForInputLine()
{
    HANDLE reader = ::CreateThread(nullptr, 0, readInputLine, nullptr, 0, nullptr);
    if (!reader)
        return;
    serveMessages(INFINITE, reader);
    ::CloseHandle(reader);
}

const char* ownerName(HWND window)
{
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == ::GetCurrentProcessId())
        return "host";
    return owner == saver.dwProcessId ? "saver" : "other";
}

void reportArea()
{
    RECT client {};
    ::GetClientRect(preview, &client);
    POINT origin {0, 0};
    ::ClientToScreen(preview, &origin);
    say("area %ld %ld %ld %ld", origin.x, origin.y, client.right, client.bottom);

    HWND drawn = ::GetWindow(preview, GW_CHILD);
    if (!drawn) {
        say("drawn none");
        return;
    }
    RECT area {};
    ::GetWindowRect(drawn, &area);
    say("drawn %ld %ld %ld %ld %s", area.left, area.top, area.right - area.left, area.bottom - area.top,
        ownerName(drawn));
}

void waitForDrawingWindow(DWORD limit)
{
    const DWORD start = ::GetTickCount();
    while (!::GetWindow(preview, GW_CHILD) && ::GetTickCount() - start < limit)
        serveMessages(50);
}

void resizePreview(int width, int height)
{
    // The preview area has no frame: its window size is its client size.
    ::SetWindowPos(preview, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void reportSaverExit(DWORD limit)
{
    if (!serveMessages(limit, saver.hProcess)) {
        say("saver running");
        return;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(saver.hProcess, &code);
    say("saver exit %lu", code);
}

bool runStep(const char* step)
{
    int first = 0;
    int second = 0;
    if (std::sscanf(step, "wait=%d", &first) == 1)
        serveMessages(static_cast<DWORD>(first));
    else if (std::strcmp(step, "pause") == 0)
        waitForInputLine();
    else if (std::sscanf(step, "drawn=%d", &first) == 1)
        waitForDrawingWindow(static_cast<DWORD>(first));
    else if (std::strcmp(step, "area") == 0)
        reportArea();
    else if (std::sscanf(step, "resize=%dx%d", &first, &second) == 2)
        resizePreview(first, second);
    else if (std::strcmp(step, "disable") == 0)
        ::EnableWindow(preview, FALSE);
    else if (std::strcmp(step, "destroy") == 0)
        ::DestroyWindow(preview);
    else if (std::sscanf(step, "exit=%d", &first) == 1)
        reportSaverExit(static_cast<DWORD>(first));
    else
        return false;
    return true;
}

bool startSaver(const char* program)
{
    // The handle goes on the command line as a signed decimal number, as the
    // display settings dialog writes it.
    const long handle = static_cast<long>(reinterpret_cast<intptr_t>(preview));
    std::string commandLine = std::string("\"") + program + "\" /p " + std::to_string(handle);
    // The screensaver's progress lines would mix with the report: they go
    // to NUL.
    SECURITY_ATTRIBUTES inheritable {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE nothing = ::CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inheritable, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nothing;
    startup.hStdOutput = nothing;
    startup.hStdError = nothing;
    const bool started = ::CreateProcessA(program, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                          &startup, &saver) != 0;
    ::CloseHandle(nothing);
    return started;
}

// A window as the steps should have left it: alive, its messages going to
// its own procedure, no property of GLFW's.
bool reportWindow(const char* name, HWND window, WNDPROC procedure, bool destroyed)
{
    if (!::IsWindow(window)) {
        say("host %s gone", name);
        return destroyed;
    }
    const bool kept = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window, GWLP_WNDPROC)) == procedure;
    const bool property = ::GetPropW(window, L"GLFW") != nullptr;
    say("host %s alive", name);
    say("host %s procedure %s", name, kept ? "kept" : "changed");
    say("host %s property %s", name, property ? "set" : "none");
    return !destroyed && kept && !property;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: preview_host SAVER STEP...\n");
        return 2;
    }
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA hostClass {};
    hostClass.lpfnWndProc = hostWindowProc;
    hostClass.hInstance = instance;
    hostClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    hostClass.lpszClassName = kHostClass;
    WNDCLASSA previewClass {};
    previewClass.lpfnWndProc = previewWindowProc;
    previewClass.hInstance = instance;
    previewClass.lpszClassName = kPreviewClass;
    if (!::RegisterClassA(&hostClass) || !::RegisterClassA(&previewClass))
        return 2;

    dialog = ::CreateWindowExA(0, kHostClass, "Quendral preview host", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                               100, 100, 420, 340, nullptr, nullptr, instance, nullptr);
    preview = ::CreateWindowExA(0, kPreviewClass, "", WS_CHILD | WS_VISIBLE, 130, 60, kPreviewWidth, kPreviewHeight,
                                dialog, nullptr, instance, nullptr);
    if (!dialog || !preview)
        return 2;
    ::UpdateWindow(dialog);
    serveMessages(100);

    if (!startSaver(argv[1])) {
        std::fprintf(stderr, "preview_host: cannot start %s (error %lu)\n", argv[1], ::GetLastError());
        return 2;
    }
    bool destroyed = false;
    for (int i = 2; i < argc; ++i) {
        if (!runStep(argv[i])) {
            std::fprintf(stderr, "preview_host: unknown step %s\n", argv[i]);
            ::TerminateProcess(saver.hProcess, 2);
            return 2;
        }
        destroyed = destroyed || std::strcmp(argv[i], "destroy") == 0;
    }

    const bool dialogIntact = reportWindow("dialog", dialog, hostWindowProc, false);
    const bool previewIntact = reportWindow("preview", preview, previewWindowProc, destroyed);
    if (::WaitForSingleObject(saver.hProcess, 0) != WAIT_OBJECT_0) {
        ::TerminateProcess(saver.hProcess, 1);
        ::WaitForSingleObject(saver.hProcess, 5000);
        say("saver ended by host");
    }
    return dialogIntact && previewIntact ? 0 : 1;
}
