// Test-only program: shows a hex editor with data and a selection (real window,
// real paint) and saves its window as a 24-bit BMP.
// Usage: hexedit_screenshot.exe out.bmp
#include "orvcc32.h"

#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

void Pump()
{
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

bool SaveBmp(HWND hwnd, const char *path)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((width * 3) + 3) & ~3;
    BITMAPFILEHEADER file;
    memset(&file, 0, sizeof file);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * height;
    FILE *out = fopen(path, "wb");
    bool ok = out != NULL;
    if (out) {
        fwrite(&file, sizeof file, 1, out);
        fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        fwrite(bits, stride, height, out);
        fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return ok;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || !InitORVCC(ORVCC_HEXEDITOR_CLASS))
        return 1;
    HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_BORDER | SS_WHITERECT, 20, 20,
                                 10, 10, NULL, NULL, GetModuleHandleW(NULL), NULL);
    HWND hex = CreateWindowExW(WS_EX_CLIENTEDGE, ORV_HEXEDITORCLASSW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL,
                               0, 0, 10, 10, frame, NULL, GetModuleHandleW(NULL), NULL);
    const char text[] = "orvcc32 hex editor: \x01\x02 Gr\xfc\xdf" "e aus M\xfcnchen! 0123456789 "
                        "The quick brown fox jumps over the lazy dog.\r\n\x7f\x80\xff";
    std::vector<BYTE> data(text, text + sizeof text - 1);
    for (int i = 0; i < 96; ++i)
        data.push_back(static_cast<BYTE>(i * 37 + 5));
    SendMessageW(hex, HXM_SETBYTESPERLINE, 0, 16);
    SendMessageW(hex, HXM_SETBASEADDRESS, 0, 0x00401000);
    SendMessageW(hex, HXM_SETADDRESSDIGITS, 0, 8);
    SendMessageW(hex, HXM_SETDATA, data.size(), reinterpret_cast<LPARAM>(data.data()));
    const int width = static_cast<int>(SendMessageW(hex, HXM_GETIDEALWIDTH, 0, 0)) + GetSystemMetrics(SM_CXVSCROLL) + 4;
    MoveWindow(frame, 20, 20, width + 2, 12 * 13 + 2, TRUE);
    MoveWindow(hex, 0, 0, width, 12 * 13, TRUE);
    SendMessageW(hex, HXM_SETSEL, 20, 45);
    SendMessageW(hex, HXM_SETCARETPOS, 0, 46);
    SetFocus(hex);
    UpdateWindow(hex);
    Pump();
    const bool ok = SaveBmp(frame, argv[1]);
    DestroyWindow(frame);
    return ok ? 0 : 1;
}
