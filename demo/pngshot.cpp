#include "pngshot.h"

#include <gdiplus.h>

namespace {

// The PNG encoder of GDI+.
const CLSID kPngEncoder = {
    0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

bool WritePng(HBITMAP bitmap, const char *path)
{
    WCHAR widePath[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH))
        return false;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, NULL) != Gdiplus::Ok)
        return false;
    bool written = false;
    Gdiplus::GpBitmap *image = NULL;
    if (Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bitmap, NULL, &image) == Gdiplus::Ok) {
        written = Gdiplus::DllExports::GdipSaveImageToFile(image, widePath, &kPngEncoder, NULL) ==
                  Gdiplus::Ok;
        Gdiplus::DllExports::GdipDisposeImage(image);
    }
    Gdiplus::GdiplusShutdown(token);
    return written;
}

}  // namespace

bool SaveAreaAsPng(HDC source, int x, int y, int width, int height, const char *path)
{
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!bitmap)
        return false;
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);
    DeleteDC(memory);
    const bool written = WritePng(bitmap, path);
    DeleteObject(bitmap);
    return written;
}
