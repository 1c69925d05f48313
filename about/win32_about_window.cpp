// Win32 About window: one registered class, two static texts, one push
// button, and a window procedure that paints the background and the plasma
// picture and colours the texts.
#include "about/about_window.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

const COLORREF kBackgroundColor = RGB(177, 232, 179);
const COLORREF kTitleTextColor = RGB(0, 0, 0);
const COLORREF kAboutTextColor = RGB(0, 51, 255);

const int kWindowWidth = 400;
const int kWindowHeight = 300;
const int kPictureX = 142;
const int kPictureY = 55;
const int kAboutTextId = 10;
const int kTitleId = 30;
const int kButtonId = 10;
const int kBitmapResource = 101;

HWND mainWindow = nullptr;
HWND aboutTextStatic = nullptr;
HWND titleStatic = nullptr;
HWND websiteButton = nullptr;
HBITMAP picture = nullptr;

void showError(const char* text)
{
    MessageBoxA(nullptr, text, "Error!", MB_ICONEXCLAMATION | MB_OK);
}

HFONT createFont(int height, int width, int weight, DWORD underline)
{
    return CreateFontA(height, width, 0, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET,
                       OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH,
                       "Arial");
}

void paintWindow(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    SetBkColor(dc, kBackgroundColor);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);

    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, picture);
    BITMAP info = {};
    GetObjectA(picture, sizeof info, &info);
    BitBlt(dc, kPictureX, kPictureY, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

LRESULT CALLBACK AboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static HBRUSH backgroundBrush = CreateSolidBrush(kBackgroundColor);

    switch (message) {
    case WM_DESTROY:
        DeleteObject(picture);
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        paintWindow(window);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_COMMAND:
        if (wParam == static_cast<WPARAM>(kButtonId)) {
            const std::string address = std::string(kMakerWebsite) + "?utm_source=About";
            ShellExecuteA(mainWindow, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        }
        return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const bool isTitle = reinterpret_cast<HWND>(lParam) == titleStatic;
        SetTextColor(dc, isTitle ? kTitleTextColor : kAboutTextColor);
        SetBkColor(dc, kBackgroundColor);
        return reinterpret_cast<LRESULT>(backgroundBrush);
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND createChild(const char* className, const char* text, DWORD style, int x, int y, int width,
                 int height, int id, HFONT font)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    HWND child = CreateWindowExA(0, className, "", style, x, y, width, height, mainWindow,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SetWindowTextA(child, text);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return child;
}

}  // namespace

AboutWindow::AboutWindow(void* moduleInstance, int showCommand)
    : title("About"),
      windowClassName("TorvaneWindowClass"),
      buttonText("Visit website"),
      aboutText(kAboutText),
      productTitle(kProductTitle)
{
    HINSTANCE instance = static_cast<HINSTANCE>(moduleInstance);
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA("user32.dll"), MAKEINTRESOURCEA(104), IMAGE_ICON, 16, 16, LR_SHARED));

    WNDCLASSA windowClass = {};
    windowClass.style = 0;
    windowClass.lpfnWndProc = AboutWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = windowClassName;
    if (!RegisterClassA(&windowClass))
        showError("Window Registration Failed!");

    SetProcessDPIAware();
    HDC screen = GetDC(nullptr);
    const int screenWidth = GetDeviceCaps(screen, HORZRES);
    const int screenHeight = GetDeviceCaps(screen, VERTRES);
    const int x = static_cast<int>((screenWidth - kWindowWidth) * 0.5);
    const int y = static_cast<int>((screenHeight - kWindowHeight) * 0.5);

    mainWindow = CreateWindowExA(0, windowClassName, title, WS_SYSMENU, x, y, kWindowWidth,
                                 kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!mainWindow) {
        // Without a window there is nothing to wait for: the message loop
        // would never see a quit message.
        showError("Window Creation Failed!");
        return;
    }

    picture = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(kBitmapResource), IMAGE_BITMAP, 0, 0, LR_SHARED));

    HFONT fontA = createFont(16, 6, FW_NORMAL, FALSE);
    HFONT fontB = createFont(18, 8, FW_BOLD, TRUE);

    aboutTextStatic = createChild("static", aboutText, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 20, 150,
                                  380, 80, kAboutTextId, fontA);
    titleStatic = createChild("static", productTitle, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 90, 20, 280,
                              20, kTitleId, fontB);
    websiteButton = createChild("BUTTON", buttonText, WS_CHILD | WS_VISIBLE, 150, 210, 100, 32,
                                kButtonId, fontA);

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
