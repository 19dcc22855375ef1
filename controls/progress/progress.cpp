// Progress bar: a bar filling from the left with the completed percentage centred,
// shown inverted where the bar covers it. One procedure serves both flavours.
#include "backbuffer.h"
#include "control.h"
#include "display.h"

#include <math.h>
#include <stdio.h>

namespace {

struct ProgressState {
    int minPos;
    int maxPos;
    int pos;
    int step;
    HFONT hFont;
    COLORREF bkColor;
    COLORREF barColor;
    bool defaultFont;  // hFont is the control's own default, not one the host set
    HFONT dpiFont;     // owned: the default font made for the window's DPI, or null
};

void Repaint(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, FALSE);
}

// Adds delta and wraps a position past the maximum round to the minimum side,
// both in 32-bit wrap-around arithmetic.
int Advance(ProgressState *state, int delta)
{
    const int previous = state->pos;
    int pos = static_cast<int>(static_cast<unsigned>(previous) + static_cast<unsigned>(delta));
    if (pos > state->maxPos)
        pos = static_cast<int>(static_cast<unsigned>(pos) - static_cast<unsigned>(state->maxPos) +
                               static_cast<unsigned>(state->minPos));
    state->pos = pos;
    return previous;
}

double ClampToInt64(double value)
{
    if (value > 9.0e18)
        return 9.0e18;
    if (value < -9.0e18)
        return -9.0e18;
    return value;
}

// Column where the bar ends; a bar past 100 % is cut at the client edge.
int BarEnd(int width, double fraction)
{
    const double end = width * fraction;
    if (end >= width)
        return width;
    if (end <= 0.0)
        return 0;
    return static_cast<int>(end);
}

// The stock GUI font, or a copy of it made for the window's DPI when that is not
// the DPI the stock font was made for.
void UseDefaultFont(HWND hwnd, ProgressState *state)
{
    state->hFont = DefaultFontForDpi(DEFAULT_GUI_FONT, WindowDpi(hwnd), &state->dpiFont);
    state->defaultFont = true;
}

LRESULT OnCreate(HWND hwnd)
{
    OrvccInitThemeHlp();
    ProgressState *state =
        static_cast<ProgressState *>(HeapAlloc(GetProcessHeap(), 0, sizeof(ProgressState)));
    if (!state) {
        SetLastError(ERROR_OUTOFMEMORY);
        return -1;
    }
    state->minPos = 0;
    state->maxPos = 100;
    state->pos = 0;
    state->step = 10;
    state->hFont = NULL;
    state->bkColor = CLR_DEFAULT;
    state->barColor = CLR_DEFAULT;
    state->defaultFont = false;
    state->dpiFont = NULL;
    ControlSetState(hwnd, state);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    UseDefaultFont(hwnd, state);
    return 0;
}

void OnDestroy(HWND hwnd, ProgressState *state)
{
    OrvccReleaseThemeHlp();
    ControlSetState(hwnd, NULL);
    if (state) {
        FreeOwnedFont(&state->dpiFont);
        HeapFree(GetProcessHeap(), 0, state);
    }
}

// Share of the range the position has covered (an empty range counts as 1).
// Worked out in double, so ranges wider than an int holds come out right.
double Fraction(const ProgressState *state)
{
    const double range = static_cast<double>(state->maxPos) - state->minPos;
    return (static_cast<double>(state->pos) - state->minPos) / (range < 1 ? 1 : range);
}

// Truncates toward zero (99.9 shows 99%); a position below the minimum shows its
// negative percentage rather than a wrapped unsigned number.
void PercentText(double fraction, char (&text)[32])
{
    snprintf(text, sizeof text, "%lld%%", static_cast<long long>(ClampToInt64(fraction * 100.0)));
}

void DrawPercentage(HDC dc, ProgressState *state, RECT *rect, double fraction)
{
    SetBkMode(dc, TRANSPARENT);
    if (!state->hFont)
        state->hFont = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    HGDIOBJ oldFont = SelectObject(dc, state->hFont);
    char text[32];
    PercentText(fraction, text);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
    if (platformIsNT) {
        WCHAR wide[16];
        int n = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 16);
        DrawTextW(dc, wide, n - 1, rect, format);
    } else {
        DrawTextA(dc, text, -1, rect, format);
    }
    SelectObject(dc, oldFont);
}

// Strokes the bar with a flat-capped pen of the full height in R2_MERGEPENNOT,
// so text already drawn under the bar turns inverted.
void DrawBar(HDC dc, COLORREF color, int width, int height, double fraction)
{
    SetROP2(dc, R2_MERGEPENNOT);
    LOGBRUSH brush;
    brush.lbStyle = BS_SOLID;
    brush.lbColor = color;
    brush.lbHatch = 0;
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_SOLID, height, &brush, 0, NULL);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    BeginPath(dc);
    MoveToEx(dc, 0, height / 2, NULL);
    LineTo(dc, BarEnd(width, fraction), height / 2);
    EndPath(dc);
    StrokePath(dc);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// Relative luminance of a colour (0 black to 1 white).
double Luminance(COLORREF color)
{
    const BYTE channels[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    const double weights[3] = {0.2126, 0.7152, 0.0722};
    double sum = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double c = channels[i] / 255.0;
        sum += weights[i] * (c <= 0.03928 ? c / 12.92 : pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

// The dark set's light or dark text colour, whichever stands out more on a colour.
COLORREF ReadableOn(COLORREF color)
{
    const COLORREF light = DarkSysColor(COLOR_WINDOWTEXT);
    const COLORREF dark = DarkSysColor(COLOR_HIGHLIGHTTEXT);
    const double l = Luminance(color);
    return (Luminance(light) + 0.05) / (l + 0.05) >= (l + 0.05) / (Luminance(dark) + 0.05) ? light
                                                                                           : dark;
}

// On the dark default background the mixing operation would turn the bar almost
// white, so the same picture is drawn plainly: the text readable on the
// background, the bar over the same columns, and the text again inside the bar,
// readable on it. A background the host set is drawn as in light mode.
void DrawDarkProgress(HDC dc, ProgressState *state, RECT *rect, double fraction, COLORREF back,
                      COLORREF bar)
{
    SetTextColor(dc, ReadableOn(back));
    DrawPercentage(dc, state, rect, fraction);
    const RECT covered = {0, 0, BarEnd(rect->right, fraction), rect->bottom};
    if (covered.right <= 0)
        return;
    HBRUSH brush = CreateSolidBrush(bar);
    FillRect(dc, &covered, brush);
    DeleteObject(brush);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, covered.left, covered.top, covered.right, covered.bottom);
    SetTextColor(dc, ReadableOn(bar));
    DrawPercentage(dc, state, rect, fraction);
    RestoreDC(dc, saved);
}

void OnPaint(HWND hwnd, ProgressState *state)
{
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    RECT rect;
    GetClientRect(hwnd, &rect);
    if (rect.bottom % 2)
        rect.bottom += 1;
    const int width = rect.right;
    const int height = rect.bottom;

    BackBuffer buffer;
    BeginBackBuffer(ps, width, height, &buffer);
    HDC memory = buffer.dc;

    const COLORREF back =
        state->bkColor == CLR_DEFAULT ? ControlSysColor(NULL, COLOR_WINDOW) : state->bkColor;
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(memory, &rect, brush);
    DeleteObject(brush);

    const double fraction = Fraction(state);
    const COLORREF bar =
        state->barColor == CLR_DEFAULT ? ControlSysColor(NULL, COLOR_HIGHLIGHT) : state->barColor;
    if (DarkModeActive() && state->bkColor == CLR_DEFAULT) {
        DrawDarkProgress(memory, state, &rect, fraction, back, bar);
    } else {
        DrawPercentage(memory, state, &rect, fraction);
        DrawBar(memory, bar, width, height, fraction);
    }

    FinishBackBuffer(ps, &buffer);
    EndPaint(hwnd, &ps);
}

LRESULT OnSetRange(HWND hwnd, ProgressState *state, LPARAM lParam)
{
    const LRESULT previous =
        MAKELONG(static_cast<WORD>(state->minPos), static_cast<WORD>(state->maxPos));
    state->minPos = LOWORD(lParam);
    state->maxPos = HIWORD(lParam);
    Repaint(hwnd);
    return previous;
}

LRESULT OnSetRange32(HWND hwnd, ProgressState *state, WPARAM wParam, LPARAM lParam)
{
    state->minPos = static_cast<int>(wParam);
    state->maxPos = static_cast<int>(lParam);
    Repaint(hwnd);
    return 0;
}

LRESULT OnGetRange(ProgressState *state, WPARAM wParam, LPARAM lParam)
{
    PBRANGE *range = reinterpret_cast<PBRANGE *>(lParam);
    if (range) {
        range->iLow = state->minPos;
        range->iHigh = state->maxPos;
    }
    return wParam ? state->minPos : state->maxPos;
}

LRESULT OnSetPos(HWND hwnd, ProgressState *state, WPARAM wParam)
{
    const int previous = state->pos;
    state->pos = static_cast<int>(wParam);
    Repaint(hwnd);
    return previous;
}

LRESULT OnDeltaPos(HWND hwnd, ProgressState *state, int delta)
{
    const int previous = Advance(state, delta);
    Repaint(hwnd);
    return previous;
}

LRESULT OnSetStep(ProgressState *state, WPARAM wParam)
{
    const int previous = state->step;
    state->step = static_cast<int>(wParam);
    return previous;
}

// Colour messages pass the address of the colour; a null address changes nothing.
LRESULT OnSetColor(HWND hwnd, COLORREF *field, LPARAM lParam)
{
    const COLORREF previous = *field;
    if (!lParam)
        return previous;
    *field = *reinterpret_cast<const COLORREF *>(lParam);
    Repaint(hwnd);
    return previous;
}

LRESULT OnSetFont(HWND hwnd, ProgressState *state, WPARAM wParam, LPARAM lParam)
{
    // The control's own copy handed back is still the default.
    HFONT font = reinterpret_cast<HFONT>(wParam);
    if (!font || font != state->dpiFont) {
        FreeOwnedFont(&state->dpiFont);
        state->hFont = font;
        state->defaultFont = false;
    }
    if (LOWORD(lParam))
        Repaint(hwnd);
    return 0;
}

// A new DPI: the default font is made again for it; a font the host set stays.
LRESULT OnDpiChanged(HWND hwnd, ProgressState *state, UINT message, LPARAM lParam)
{
    MoveToSuggestedDpiRect(hwnd, message, lParam);
    if (state->defaultFont)
        UseDefaultFont(hwnd, state);
    Repaint(hwnd);
    return 0;
}

// The default colours are read at each paint.
LRESULT OnDarkModeChanged(HWND hwnd)
{
    Repaint(hwnd);
    return 0;
}

// For screen readers: a read-only progress bar whose value is the shown text.
bool DescribeForAccess(HWND hwnd, AccessAnswers *answers)
{
    const ProgressState *state = ControlState<ProgressState>(hwnd);
    if (!state)
        return false;
    char text[32];
    PercentText(Fraction(state), text);
    answers->role = ROLE_SYSTEM_PROGRESSBAR;
    answers->state = STATE_SYSTEM_READONLY;
    answers->stateMask = STATE_SYSTEM_READONLY;
    AccessSetValue(answers, text);
    return true;
}

const AccessClass kProgressAccess = {DescribeForAccess, NULL};

LRESULT Dispatch(HWND hwnd, ProgressState *state, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return ControlOnFocus(hwnd, message);
    case WM_PAINT:
        OnPaint(hwnd, state);
        return 0;
    case WM_ERASEBKGND:
        return ControlOnEraseBkgnd();
    case WM_SETFONT:
        return OnSetFont(hwnd, state, wParam, lParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state->hFont);
    case PGM_SETRANGE:
        return OnSetRange(hwnd, state, lParam);
    case PGM_SETPOS:
        return OnSetPos(hwnd, state, wParam);
    case PGM_DELTAPOS:
        return OnDeltaPos(hwnd, state, static_cast<int>(wParam));
    case PGM_SETSTEP:
        return OnSetStep(state, wParam);
    case PGM_STEPIT:
        return OnDeltaPos(hwnd, state, state->step);
    case PGM_SETRANGE32:
        return OnSetRange32(hwnd, state, wParam, lParam);
    case PGM_GETRANGE:
        return OnGetRange(state, wParam, lParam);
    case PGM_GETPOS:
        return state->pos;
    case PGM_SETBARCOLOR:
        return OnSetColor(hwnd, &state->barColor, lParam);
    case PGM_SETBACKCOLOR:
        return OnSetColor(hwnd, &state->bkColor, lParam);
    case kWmDpiChanged:
    case kWmDpiChangedAfterParent:
        return OnDpiChanged(hwnd, state, message, lParam);
    case WM_GETOBJECT:
        return AccessGetObject(hwnd, wParam, lParam, &kProgressAccess);
    default:
        return ControlDefProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK ProgressWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate(hwnd);
    ProgressState *state = ControlState<ProgressState>(hwnd);
    if (message == WM_DESTROY) {
        OnDestroy(hwnd, state);
        return 0;
    }
    if (!state)
        return ControlDefProc(hwnd, message, wParam, lParam);
    if (message == DarkModeMessage())
        return OnDarkModeChanged(hwnd);

    // Messages that may change the shown percentage tell screen readers when it does.
    switch (message) {
    case PGM_SETRANGE:
    case PGM_SETPOS:
    case PGM_DELTAPOS:
    case PGM_STEPIT:
    case PGM_SETRANGE32: {
        ControlWatch watch(hwnd, &kProgressAccess);
        return Dispatch(hwnd, state, message, wParam, lParam);
    }
    default:
        return Dispatch(hwnd, state, message, wParam, lParam);
    }
}
