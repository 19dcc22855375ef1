// Pictures of windows as PNG files, written through GDI+.
#ifndef PNGSHOT_H
#define PNGSHOT_H

#include <windows.h>

// Copies the rectangle (x, y, width, height) of the device context into a
// bitmap and writes it to path as PNG. Returns true when the file was written.
bool SaveAreaAsPng(HDC source, int x, int y, int width, int height, const char *path);

#endif
