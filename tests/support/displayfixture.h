// Fixtures of the per-monitor DPI and dark-mode tests (white-box: they replace
// the library's DPI source and read its dark-mode state).
#pragma once

#include <windows.h>

#include <vector>

#include "testing.h"

namespace orvtest {

// Every window reports the given DPI to the library for the life of the object
// (0: the system's own source again).
class ScopedWindowDpi {
public:
    explicit ScopedWindowDpi(UINT dpi);
    ~ScopedWindowDpi();
    void Set(UINT dpi);
};

// Dark mode set for the life of the object; off again afterwards.
class ScopedDarkMode {
public:
    explicit ScopedDarkMode(int mode);
    ~ScopedDarkMode();
};

// WCAG 2 contrast ratio of two colours (1 to 21).
double ContrastRatio(COLORREF a, COLORREF b);
// The colour most pixels of the rectangle have.
COLORREF MostFrequent(const Capture &capture, const RECT &area);
// The colour of the rectangle with the highest contrast to another.
COLORREF MostContrasting(const Capture &capture, const RECT &area, COLORREF against);
// Number of pixels that differ between two captures of the same size (-1 when the
// sizes differ).
int DifferentPixels(const Capture &a, const Capture &b);

// A control of a table-driven display test: its class, size at 96 dpi, style,
// and what the case does to it after creation (may be null). captured gives
// the window whose pixels count (null: the control itself).
struct DisplayCase {
    const char *name;
    const char *className;
    int width, height;  // at 96 dpi; scaled by dpi/96 at other DPIs
    DWORD style;
    void (*setup)(HWND control);
    HWND (*captured)(HWND control);
};

// Creates the case's control in the parent at the given DPI (the source is set
// to dpi first), size scaled from 96, and runs its setup.
HWND CreateAtDpi(HWND parent, const DisplayCase &c, ScopedWindowDpi &source, UINT dpi);
// Moves a control to another DPI the way a per-monitor aware host and the
// system do: the source changes, the parent lays the control out at the new
// size, then the control gets WM_DPICHANGED_AFTERPARENT.
void ChangeDpi(HWND control, const DisplayCase &c, ScopedWindowDpi &source, UINT dpi);
// A control created at `from` and moved to `to` shows the same pixels as one
// created at `to`.
void ExpectDpiChangeLikeCreation(HWND parent, const DisplayCase &c, UINT from, UINT to);

// Light to dark and back, for one control: in each direction its background
// (the most frequent colour of backArea) and its text (the colour of textArea
// with the most contrast to that background) change; in dark mode they have a
// contrast of at least 4.5:1; back in light mode the control shows what it
// showed before, pixel for pixel. Empty areas mean the whole capture.
void ExpectDarkSwitch(HWND parent, const DisplayCase &c, RECT backArea, RECT textArea);

}  // namespace orvtest
