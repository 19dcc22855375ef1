// Pieces the simple controls share: the off-screen bitmap they paint into before
// one block transfer to the screen.
#pragma once

#include "library.h"

struct BackBuffer {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
};

// A memory context compatible with the paint context holding a bitmap of the given
// size; false (nothing left to clean up) when either cannot be made.
inline bool BeginBackBuffer(const PAINTSTRUCT &ps, int width, int height, BackBuffer *buffer)
{
    buffer->dc = CreateCompatibleDC(ps.hdc);
    buffer->bitmap = buffer->dc ? CreateCompatibleBitmap(ps.hdc, width, height) : NULL;
    if (!buffer->bitmap) {
        if (buffer->dc)
            DeleteDC(buffer->dc);
        return false;
    }
    buffer->oldBitmap = SelectObject(buffer->dc, buffer->bitmap);
    return true;
}

// Copies the invalid rectangle to the screen and frees the buffer.
inline void FinishBackBuffer(const PAINTSTRUCT &ps, BackBuffer *buffer)
{
    BitBlt(ps.hdc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, buffer->dc, ps.rcPaint.left, ps.rcPaint.top,
           SRCCOPY);
    SelectObject(buffer->dc, buffer->oldBitmap);
    DeleteObject(buffer->bitmap);
    DeleteDC(buffer->dc);
}
