// Helper process of glfw_wrap_tests: plays the display settings dialog, a
// window of another process with a 152 x 112 preview area inside.  The title
// comes from the command line; the process ends when the window is closed.
#include <windows.h>

namespace {

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && !::GetParent(window))
        ::PostQuitMessage(0);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = hostWindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuendralForeignHost";
    ::RegisterClassA(&windowClass);

    HWND dialog = ::CreateWindowExA(0, "QuendralForeignHost", argv[1], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
    HWND preview = ::CreateWindowExA(0, "QuendralForeignHost", "preview", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                     20, 20, 152, 112, dialog, nullptr, windowClass.hInstance, nullptr);
    if (!dialog || !preview)
        return 1;

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
