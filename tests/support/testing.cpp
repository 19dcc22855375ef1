#include "testing.h"

#include <stdlib.h>
#include <string.h>

namespace orvtest {

bool IsAnsiFlavour()
{
    return (GetVersion() & 0x80000000u) != 0;
}

DWORD OsVersionWord()
{
    OSVERSIONINFOA info;
    memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    return (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
}

std::string ExpectedVersionName()
{
    const char *value = getenv("ORVCC_EXPECT_VERSION");
    return value ? value : "";
}

int EnvInt(const char *name, int fallback)
{
    const char *value = getenv(name);
    return value && *value ? atoi(value) : fallback;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        if (IsAnsiFlavour())
            DispatchMessageA(&msg);
        else
            DispatchMessageW(&msg);
    }
}

HWND CreateWindowInFlavour(const char *className, DWORD style, int x, int y, int width,
                           int height, HWND parent, int id, DWORD exStyle, void *createParam)
{
    HMENU menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    if (IsAnsiFlavour())
        return CreateWindowExA(exStyle, className, "", style, x, y, width, height, parent, menu,
                               GetModuleHandleA(NULL), createParam);
    WCHAR wide[128];
    MultiByteToWideChar(CP_ACP, 0, className, -1, wide, 128);
    return CreateWindowExW(exStyle, wide, L"", style, x, y, width, height, parent, menu,
                           GetModuleHandleW(NULL), createParam);
}

int ScreenDpi()
{
    HDC screen = GetDC(NULL);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return dpi;
}

LRESULT CALLBACK HostWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto *self = reinterpret_cast<HostWindow *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NOTIFY && self) {
        self->messages.Record(hwnd, message, wParam, lParam, kParent);
        return 0;
    }
    if (message == WM_COMMAND && self)
        self->messages.Record(hwnd, message, wParam, lParam, kParent);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::vector<Notification> HostWindow::notifications() const
{
    std::vector<Notification> notes;
    for (const RecordedMsg &r : messages.log())
        if (r.message == WM_NOTIFY)
            notes.push_back({r.wParam, r.hwndFrom, r.idFrom, static_cast<int>(r.code)});
    return notes;
}

HostWindow::HostWindow(int width, int height)
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSW wc;
        memset(&wc, 0, sizeof wc);
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"OrvTestHost";
        atom = RegisterClassW(&wc);
    }
    hwnd_ = CreateWindowExW(0, L"OrvTestHost", L"test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                            width, height, NULL, NULL, GetModuleHandleW(NULL), this);
    PumpMessages();
}

HWND CreateParentWindow(const wchar_t *className, WNDPROC proc, int width, int height)
{
    WNDCLASSW wc;
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    RegisterClassW(&wc);  // fails harmlessly once registered
    HWND hwnd = CreateWindowExW(0, className, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width, height,
                                NULL, NULL, wc.hInstance, NULL);
    PumpMessages();
    return hwnd;
}

HostWindow::~HostWindow()
{
    DestroyWindow(hwnd_);
    PumpMessages();
}

Capture::Capture(HWND hwnd)
{
    UpdateWindow(hwnd);
    RECT rect;
    GetClientRect(hwnd, &rect);
    width_ = rect.right;
    height_ = rect.bottom;
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HDC window = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP dib = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width_, height_, window, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD *source = static_cast<const DWORD *>(bits);
    pixels_.assign(source, source + static_cast<size_t>(width_) * height_);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
}

COLORREF Capture::At(int x, int y) const
{
    const DWORD value = pixels_.at(static_cast<size_t>(y) * width_ + x);
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

bool Capture::operator==(const Capture &other) const
{
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

int Capture::Count(COLORREF color, int x0, int y0, int x1, int y1) const
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            count += At(x, y) == color;
    return count;
}

}  // namespace orvtest
