// Per-window resolution and dark mode (internal): what every control asks of the
// display it is shown on.
#pragma once

#include "library.h"

// ---------------------------------------------------------------------------
// Resolution. A control takes its scale from its own window: a window of a
// per-monitor aware program may be shown at another DPI than the system's, and
// gets WM_DPICHANGED_AFTERPARENT (or WM_DPICHANGED when top-level) when it moves.

const UINT kWmDpiChanged = 0x02E0;
const UINT kWmDpiChangedBeforeParent = 0x02E2;
const UINT kWmDpiChangedAfterParent = 0x02E3;

// Scale factors of one window: its DPI over 96, horizontally and vertically.
struct DpiScale {
    UINT dpi;
    double x, y;
};

// Where window DPIs come from: GetDpiForWindow where the system has it, else the
// system's DPI (the process factors). Tests replace it.
typedef UINT (*WindowDpiSource)(HWND hwnd);
extern WindowDpiSource windowDpiSource;

// The system DPI the process factors were computed for (96 before InitORVCC).
UINT SystemDpi(void);
// The window's DPI.
UINT WindowDpi(HWND hwnd);
// The window's factors: the process factors when its DPI is the system's, else
// its DPI times 1/96 in both directions.
DpiScale WindowDpiScale(HWND hwnd);
// A base size times a factor, truncated toward zero.
inline int ScaleBy(double base, double factor)
{
    return static_cast<int>(base * factor);
}
// A font made for the given DPI from another: the same face with its height
// (and width) times dpi over the DPI the calling thread's screen reports. Null
// when the DPIs are the same (use the font as it is) or the font cannot be made.
HFONT CreateFontForDpi(HFONT font, UINT dpi);
// A control's default font for its DPI: the stock object itself, or a copy of it
// made for the DPI. The copy belongs to the control in *owned, which it replaces
// (the copy before goes).
HFONT DefaultFontForDpi(int stockObject, UINT dpi, HFONT *owned);
// Deletes a control's own font copy, if any.
void FreeOwnedFont(HFONT *owned);

// ---------------------------------------------------------------------------
// Dark mode (OrvccSetDarkMode in the public header). When it is in effect the
// controls' default colours come from a dark set; colours the host set stay.

// True when dark colours apply: the mode is on, or follows a system whose apps
// are dark; never while a high-contrast scheme is on.
bool DarkModeActive(void);
// A default colour: the dark set's value of the system colour index while dark
// mode is in effect, else OrvccGetThemeSysColor(theme, index).
COLORREF ControlSysColor(HTHEME theme, int index);
// A brush of that colour, owned by the library (never delete it).
HBRUSH ControlSysColorBrush(int index);
// The dark value of a system colour index (what ControlSysColor gives in dark mode).
COLORREF DarkSysColor(int index);
// Gives a common control the library owns the system's dark theme classes while
// dark mode is in effect, and its default theme otherwise.
void ControlApplyDarkTheme(HWND child);
// The message every control of the process is sent when dark mode comes into
// or goes out of effect (wParam TRUE when it is now in effect). Registered, so
// it is not a constant; compare before the switch.
UINT DarkModeMessage(void);
// Test seam: whether a high-contrast scheme is on (SPI_GETHIGHCONTRAST).
typedef bool (*HighContrastSource)(void);
extern HighContrastSource highContrastSource;
// Test seam: SetWindowTheme as the library calls it (bound from the visual
// styles library; null where there is none).
typedef HRESULT(WINAPI *SetWindowThemeFn)(HWND, LPCWSTR, LPCWSTR);
extern SetWindowThemeFn setWindowThemeHook;

// Library entry and exit (library.cpp).
void DisplayProcessAttach(void);
void DisplayProcessDetach(bool freeLibrary);

// WM_DPICHANGED reaches only top-level windows: such a control moves to the
// rectangle the system suggests (lParam). Other messages change nothing.
void MoveToSuggestedDpiRect(HWND hwnd, UINT message, LPARAM lParam);

// NM_CUSTOMDRAW of a header control the library owns (the meter's caption strip,
// the grid's column header), handed in by the header's parent: while dark mode
// is in effect the header is painted over in the dark set's colours (the
// system's dark theme classes do not reach a header's face everywhere). Returns
// false, leaving *result alone, for anything else.
bool ControlDarkHeaderDraw(LPARAM lParam, LRESULT *result);
