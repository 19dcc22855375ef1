// Analog meter (internal): the per-window record shared by the message handlers
// (meter.cpp) and the drawing (paint.cpp).
#pragma once

#include "control.h"
#include "display.h"

// Characters of the label store, terminators included.
const int kLabelChars = 1024;
// Identifier of the peak-hold timer.
const UINT_PTR kHoldTimerId = 111;
// Identifier of the caption strip.
const int kCaptionId = 123;

// Lives in a movable global block whose handle is in the window extra bytes at 0.
struct MeterState {
    HTHEME hTheme;
    RECT rcClient;  // as the last WM_SIZE gave it
    RECT rcDraw;    // client area less the caption strip
    int nNeedleRadius;
    POINT ptPivot;       // in the back buffer
    POINT aptNeedle[5];  // needle as last drawn, relative to the pivot
    int rcPeakLine[4];   // peak marker as last drawn: start x, start y, end x, end y
    AMMETRICS metrics;
    UINT nIntervals;
    UINT nLabelStep;
    int nMax;
    int nPos;
    DWORD dwStyle;
    UINT nPeak;
    UINT uHoldTime;
    UINT_PTR uTimerId;
    LPARAM lParam;
    AMCOLORS colors;
    HBITMAP hbmBack;
    HFONT hFont;
    HWND hwndCaption;
    // Label texts in the window's character width (char or WCHAR), one after
    // another, each NUL-terminated; the last character always stays NUL.
    union {
        char ansi[kLabelChars];
        WCHAR wide[kLabelChars];
    } szLabels;
    // The display the window is shown on, and what of the above the host set
    // (that stays as set when the DPI or dark mode changes).
    DpiScale scale;    // factors the default metrics and the own font follow
    DWORD metricsSet;  // bit i: field i of metrics was set by the host
    bool colorsSet;    // colors were set by the host
    bool hostFont;     // hFont was set by the host
    HFONT hOwnFont;    // default font made for the window's DPI (owned), or null
};

// Builds the back buffer for the present rcDraw: background, ticks and labels;
// sets ptPivot and nNeedleRadius. The old buffer must be gone already.
void BuildMeterBackBuffer(HWND hwnd, MeterState *state, bool wide);
// WM_PAINT: erases the needle and marker as last drawn, draws them anew, copies
// the drawing area to the screen; restarts the hold timer on a new peak.
void PaintMeter(HWND hwnd, MeterState *state);
