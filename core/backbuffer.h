// The off-screen bitmap a control paints into before one block transfer to the
// screen, so that nothing flickers.
#pragma once

#include "library.h"

struct BackBuffer {
    HDC dc;          // where to paint: the memory context, or the paint context
    HBITMAP bitmap;  // null when painting goes straight to the screen
    HGDIOBJ oldBitmap;
};

// A memory context compatible with the paint context holding a bitmap of the
// given size. When either cannot be made, the buffer is the paint context
// itself: the control still paints, straight to the screen.
inline void BeginBackBuffer(const PAINTSTRUCT &ps, int width, int height, BackBuffer *buffer)
{
    buffer->dc = CreateCompatibleDC(ps.hdc);
    buffer->bitmap = buffer->dc ? CreateCompatibleBitmap(ps.hdc, width, height) : NULL;
    buffer->oldBitmap = NULL;
    if (!buffer->bitmap) {
        if (buffer->dc)
            DeleteDC(buffer->dc);
        buffer->dc = ps.hdc;
        return;
    }
    buffer->oldBitmap = SelectObject(buffer->dc, buffer->bitmap);
}

// Copies the invalid rectangle to the screen and frees the buffer.
inline void FinishBackBuffer(const PAINTSTRUCT &ps, BackBuffer *buffer)
{
    if (!buffer->bitmap)
        return;
    BitBlt(ps.hdc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, buffer->dc, ps.rcPaint.left, ps.rcPaint.top,
           SRCCOPY);
    SelectObject(buffer->dc, buffer->oldBitmap);
    DeleteObject(buffer->bitmap);
    DeleteDC(buffer->dc);
}
