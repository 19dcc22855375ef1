// LED display: one lamp (round, square, horizontal or vertical bar) or one
// seven-segment digit with an optional decimal point, lit or dark. One procedure
// serves both flavours; the state records live in the library's LED heap.
#include "backbuffer.h"
#include "control.h"
#include "display.h"

namespace {

struct LedState {
    HTHEME hTheme;
    DWORD type;
    DWORD flags;
    int digit;
    LPARAM userData;
    DWORD sysBackground;  // kFollowSysColor: the background follows COLOR_BTNFACE
    COLORREF onColor;
    COLORREF offColor;
    COLORREF backColor;
    bool colorsSet;  // the host set the colours (LDM_SETCOLORS): they stay in every mode
};

const DWORD kShapeMask = 0xFFFF;
// Bit of sysBackground.
const DWORD kFollowSysColor = 0x1;

// Segments in the order top, middle, bottom, upper left, upper right, lower left,
// lower right, one bit each from bit 0; row 10 is the blank digit.
const BYTE kSegmentPatterns[11] = {
    0x7D,  // 0: all but the middle
    0x50,  // 1
    0x37,  // 2
    0x57,  // 3
    0x5A,  // 4
    0x4F,  // 5
    0x6F,  // 6
    0x51,  // 7
    0x7F,  // 8
    0x5F,  // 9
    0x00,  // blank
};
enum { kTop, kMiddle, kBottom, kUpperLeft, kUpperRight, kLowerLeft, kLowerRight };

void Repaint(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, FALSE);
}

int ClampDigit(INT_PTR digit)
{
    return digit < 0 ? 0 : digit > 9 ? 9 : static_cast<int>(digit);
}

int RoundUpToEven(int n)
{
    return (n + 1) & ~1;
}

// Default lamp colours. On the dark face pure red is too dim, and the light red of
// unlit segments would outshine the lit ones: dark mode has a light red for lit
// segments (4.9:1 on the face) and a dim red for unlit ones.
COLORREF DefaultOnColor(void)
{
    return DarkModeActive() ? RGB(255, 120, 120) : RGB(255, 0, 0);
}

COLORREF DefaultOffColor(void)
{
    return DarkModeActive() ? RGB(80, 32, 32) : RGB(255, 192, 192);
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCT *create)
{
    OrvccInitThemeHlp();
    if (!ledHeap)
        ledHeap = HeapCreate(0, 0, 0);
    if (!ledHeap)
        return -1;
    LedState *state = static_cast<LedState *>(HeapAlloc(ledHeap, 0, sizeof(LedState)));
    if (!state)
        return -1;
    state->hTheme = OpenControlTheme(hwnd, L"WINDOW");
    state->type = LDT_DIGIT;
    state->flags = 0;
    state->digit = 0;
    state->userData = create ? reinterpret_cast<LPARAM>(create->lpCreateParams) : 0;
    state->sysBackground = kFollowSysColor;
    state->onColor = DefaultOnColor();
    state->offColor = DefaultOffColor();
    state->backColor = ControlSysColor(state->hTheme, COLOR_BTNFACE);
    state->colorsSet = false;
    ControlSetState(hwnd, state);
    return 0;
}

void OnDestroy(HWND hwnd, LedState *state)
{
    if (ledHeap && state) {
        ControlSetState(hwnd, NULL);
        if (state->hTheme)
            OrvccCloseThemeData(state->hTheme);
        HeapFree(ledHeap, 0, state);
    }
    OrvccReleaseThemeHlp();
}

void DrawHorizontalHexagon(HDC dc, int l, int t, int r, int b)
{
    const int e = (b - t) / 2;
    const POINT points[6] = {{l, t + e}, {l + e, t}, {r - e, t},
                             {r, t + e}, {r - e, b}, {l + e, b}};
    Polygon(dc, points, 6);
}

void DrawVerticalHexagon(HDC dc, int l, int t, int r, int b)
{
    const int e = (r - l) / 2;
    const POINT points[6] = {{l + e, t}, {r, t + e}, {r, b - e},
                             {l + e, b}, {l, b - e}, {l, t + e}};
    Polygon(dc, points, 6);
}

// The seven segments (and the decimal point) in the shape rectangle (0, 0, w, h);
// lit segments in the on colour, the others in the off colour.
void DrawDigit(HDC dc, const LedState *state, int w, int h)
{
    const int bx = RoundUpToEven(GetSystemMetrics(SM_CXBORDER));
    const int by = RoundUpToEven(GetSystemMetrics(SM_CYBORDER));
    const int t = (w < h ? w : h) / 4;
    const int ht = t / 2;
    const int hl = w - 4 * bx - t;
    const int vl = h / 2 - t - by;

    HBRUSH on = CreateSolidBrush(state->onColor);
    HBRUSH off = CreateSolidBrush(state->offColor);
    const BYTE pattern = kSegmentPatterns[(state->flags & LDF_OFF) ? 10 : state->digit];
    HGDIOBJ oldBrush = SelectObject(dc, off);
    auto pick = [&](int segment) { SelectObject(dc, (pattern >> segment) & 1 ? on : off); };

    const int x0 = ht + 2 * bx;
    const int middle = h / 2 - (by + t) / 2;
    pick(kTop);
    DrawHorizontalHexagon(dc, x0, by, x0 + hl, by + t);
    pick(kMiddle);
    DrawHorizontalHexagon(dc, x0, middle, x0 + hl, middle + t);
    pick(kBottom);
    DrawHorizontalHexagon(dc, x0, h - t - by, x0 + hl, h - by);

    const int upper = ht + 2 * by;
    const int lower = h / 2 + by;
    pick(kUpperLeft);
    DrawVerticalHexagon(dc, bx, upper, bx + t, upper + vl);
    pick(kUpperRight);
    DrawVerticalHexagon(dc, w - bx - t, upper, w - bx, upper + vl);
    pick(kLowerRight);
    DrawVerticalHexagon(dc, w - bx - t, lower, w - bx, lower + vl);
    pick(kLowerLeft);
    DrawVerticalHexagon(dc, bx, lower, bx + t, lower + vl);

    if ((state->type & kShapeMask) == LDT_DIGITDP) {
        const bool lit = (state->flags & (LDF_POINT | LDF_OFF)) == LDF_POINT;
        SelectObject(dc, lit ? on : off);
        Ellipse(dc, ht + 3 * bx + hl, h / 2 + 2 * by + vl, w, h);
    }
    SelectObject(dc, oldBrush);
    DeleteObject(on);
    DeleteObject(off);
}

void DrawShape(HDC dc, const LedState *state, int w, int h)
{
    HBRUSH lamp = CreateSolidBrush((state->flags & LDF_OFF) ? state->offColor : state->onColor);
    HGDIOBJ oldBrush = SelectObject(dc, lamp);
    const RECT shape = {0, 0, w, h};
    switch (state->type & kShapeMask) {
    case LDT_ROUND:
        Ellipse(dc, 0, 0, w, h);
        break;
    case LDT_RECT:
        FillRect(dc, &shape, lamp);
        break;
    case LDT_HBAR:
        DrawHorizontalHexagon(dc, 0, 0, w, h);
        break;
    case LDT_VBAR:
        DrawVerticalHexagon(dc, 0, 0, w, h);
        break;
    case LDT_DIGIT:
    case LDT_DIGITDP:
        DrawDigit(dc, state, w, h);
        break;
    default:
        break;
    }
    SelectObject(dc, oldBrush);
    DeleteObject(lamp);
}

void OnPaint(HWND hwnd, const LedState *state)
{
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const RECT even = {0, 0, RoundUpToEven(client.right), RoundUpToEven(client.bottom)};
    BackBuffer buffer;
    BeginBackBuffer(ps, even.right, even.bottom, &buffer);
    if (HBRUSH back = CreateSolidBrush(state->backColor)) {
        FillRect(buffer.dc, &even, back);
        DeleteObject(back);
    }
    HPEN pen = (state->type & LDT_BKBORDER) ? CreatePen(PS_SOLID, 1, state->backColor) : NULL;
    HGDIOBJ oldPen = pen ? SelectObject(buffer.dc, pen) : NULL;

    DrawShape(buffer.dc, state, client.right - 1, client.bottom - 1);

    if (pen) {
        SelectObject(buffer.dc, oldPen);
        DeleteObject(pen);
    }
    FinishBackBuffer(ps, &buffer);
    EndPaint(hwnd, &ps);
}

LRESULT OnSetFlags(HWND hwnd, LedState *state, LPARAM lParam)
{
    const DWORD previous = state->flags;
    state->flags = static_cast<DWORD>(lParam);
    Repaint(hwnd);
    return previous;
}

LRESULT OnSetType(LedState *state, LPARAM lParam)
{
    const DWORD type = static_cast<DWORD>(lParam);
    switch (type & kShapeMask) {
    case LDT_ROUND:
    case LDT_RECT:
    case LDT_HBAR:
    case LDT_VBAR:
    case LDT_DIGIT:
    case LDT_DIGITDP:
        break;
    default:
        return 0;
    }
    const DWORD previous = state->type;
    state->type = type;
    return previous;
}

LRESULT OnSetDigit(HWND hwnd, LedState *state, int digit)
{
    const int previous = state->digit;
    state->digit = digit;
    Repaint(hwnd);
    return previous;
}

// A null record changes nothing (the message still answers 0).
LRESULT OnSetColors(HWND hwnd, LedState *state, const LedColors *colors)
{
    if (!colors)
        return 0;
    state->onColor = colors->onColor;
    state->offColor = colors->offColor;
    state->backColor = colors->backColor;
    state->sysBackground &= ~kFollowSysColor;
    state->colorsSet = true;
    Repaint(hwnd);
    return 0;
}

LRESULT OnGetColors(const LedState *state, LedColors *colors)
{
    if (colors) {
        colors->onColor = state->onColor;
        colors->offColor = state->offColor;
        colors->backColor = state->backColor;
    }
    return 0;
}

LRESULT OnSysColorChange(LedState *state)
{
    if (state->sysBackground & kFollowSysColor)
        state->backColor = ControlSysColor(state->hTheme, COLOR_BTNFACE);
    return 0;
}

// The defaults of the mode now in effect; colours the host set stay.
LRESULT OnDarkModeChanged(HWND hwnd, LedState *state)
{
    if (!state->colorsSet) {
        state->onColor = DefaultOnColor();
        state->offColor = DefaultOffColor();
    }
    OnSysColorChange(state);
    Repaint(hwnd);
    return 0;
}

// The drawing follows the client size alone; a top-level LED takes the suggested
// rectangle.
LRESULT OnDpiChanged(HWND hwnd, UINT message, LPARAM lParam)
{
    MoveToSuggestedDpiRect(hwnd, message, lParam);
    Repaint(hwnd);
    return 0;
}

LRESULT OnSetUserData(LedState *state, LPARAM lParam)
{
    const LPARAM previous = state->userData;
    state->userData = lParam;
    return previous;
}

// For screen readers. A digit reads as text: the digit, with "." while the point
// is lit ("7."); a lamp is an indicator reading "on" or "off", lit also showing as
// checked. A dark display of either kind reads "off".
bool DescribeForAccess(HWND hwnd, AccessAnswers *answers)
{
    const LedState *state = ControlState<LedState>(hwnd);
    if (!state)
        return false;
    const DWORD shape = state->type & kShapeMask;
    const bool lit = !(state->flags & LDF_OFF);
    answers->state = STATE_SYSTEM_READONLY;
    answers->stateMask = STATE_SYSTEM_READONLY | STATE_SYSTEM_CHECKED;
    if (shape == LDT_DIGIT || shape == LDT_DIGITDP) {
        const bool point = shape == LDT_DIGITDP && (state->flags & LDF_POINT);
        const char text[3] = {static_cast<char>('0' + state->digit), point ? '.' : '\0', '\0'};
        answers->role = ROLE_SYSTEM_STATICTEXT;
        AccessSetValue(answers, lit ? text : "off");
    } else {
        answers->role = ROLE_SYSTEM_INDICATOR;
        AccessSetValue(answers, lit ? "on" : "off");
        if (lit)
            answers->state |= STATE_SYSTEM_CHECKED;
    }
    return true;
}

const AccessClass kLedAccess = {DescribeForAccess, NULL};

LRESULT Dispatch(HWND hwnd, LedState *state, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return ControlOnFocus(hwnd, message);
    case WM_PAINT:
        OnPaint(hwnd, state);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return ControlOnEraseBkgnd();
    case WM_SYSCOLORCHANGE:
        return OnSysColorChange(state);
    case WM_THEMECHANGED:
        return ControlOnThemeChanged(hwnd, &state->hTheme, L"WINDOW");
    case LDM_SETFLAGS:
        return OnSetFlags(hwnd, state, lParam);
    case LDM_GETFLAGS:
        return state->flags;
    case LDM_SETTYPE:
        return OnSetType(state, lParam);
    case LDM_GETTYPE:
        return state->type;
    case LDM_STEPDIGIT:
        return OnSetDigit(hwnd, state, ClampDigit(state->digit + (lParam ? 1 : -1)));
    case LDM_SETDIGIT:
        return OnSetDigit(hwnd, state, ClampDigit(static_cast<INT_PTR>(wParam)));
    case LDM_GETDIGIT:
        return state->digit;
    case LDM_SETCOLORS:
        return OnSetColors(hwnd, state, reinterpret_cast<const LedColors *>(lParam));
    case LDM_GETCOLORS:
        return OnGetColors(state, reinterpret_cast<LedColors *>(lParam));
    case LDM_SETUSERDATA:
        return OnSetUserData(state, lParam);
    case LDM_GETUSERDATA:
        return state->userData;
    case kWmDpiChanged:
    case kWmDpiChangedAfterParent:
        return OnDpiChanged(hwnd, message, lParam);
    case WM_GETOBJECT:
        return AccessGetObject(hwnd, wParam, lParam, &kLedAccess);
    default:
        return ControlDefProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK LedWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCT *>(lParam));
    LedState *state = ControlState<LedState>(hwnd);
    if (message == WM_DESTROY) {
        OnDestroy(hwnd, state);
        return 0;
    }
    if (!state)
        return ControlDefProc(hwnd, message, wParam, lParam);
    if (message == DarkModeMessage())
        return OnDarkModeChanged(hwnd, state);
    // Messages that may change what the display reads tell screen readers when it does.
    switch (message) {
    case LDM_SETFLAGS:
    case LDM_SETTYPE:
    case LDM_STEPDIGIT:
    case LDM_SETDIGIT: {
        ControlWatch watch(hwnd, &kLedAccess);
        return Dispatch(hwnd, state, message, wParam, lParam);
    }
    default:
        return Dispatch(hwnd, state, message, wParam, lParam);
    }
}
