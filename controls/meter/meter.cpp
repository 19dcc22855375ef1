// Analog meter: state, messages, position model, caption strip, layout and the
// peak-hold timer. One procedure serves ANSI and Unicode windows: each message
// is handled in the character width of the window it is for.
#include "meter.h"

#include <stdio.h>
#include <string.h>

namespace {

HGLOBAL GetBlock(HWND hwnd, bool wide)
{
    const LONG_PTR value = wide ? GetWindowLongPtrW(hwnd, 0) : GetWindowLongPtrA(hwnd, 0);
    return reinterpret_cast<HGLOBAL>(value);
}

void SetBlock(HWND hwnd, bool wide, HGLOBAL block)
{
    if (wide)
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(block));
    else
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(block));
}

void Invalidate(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, FALSE);
}

// A moved needle or marker: only the drawing area needs painting. Leaving the
// caption strip out keeps it from repainting with every move.
void InvalidateDrawing(HWND hwnd, const MeterState *state)
{
    InvalidateRect(hwnd, &state->rcDraw, FALSE);
}

void StartHoldTimer(HWND hwnd, MeterState *state)
{
    state->uTimerId = SetTimer(hwnd, kHoldTimerId, state->uHoldTime, NULL);
}

void StopHoldTimer(HWND hwnd, MeterState *state)
{
    KillTimer(hwnd, state->uTimerId);
    state->uTimerId = 0;
}

// Limits a position to 0..nMax; a maximum that is not positive gives 0. Sums
// are taken in 64 bits, so a large amount stops at an end instead of wrapping.
int ClampPosition(long long value, int maximum)
{
    if ((value < maximum ? value : maximum) < 0)
        return 0;
    return value > maximum ? maximum : static_cast<int>(value);
}

// The sizes that follow the resolution, for the window's factors.
AMMETRICS DefaultMetrics(const DpiScale &scale)
{
    AMMETRICS m;
    m.nHubRadius = ScaleBy(8, scale.x);
    m.nScalePen = ScaleBy(1, scale.y);
    m.nMajorTick = ScaleBy(14, scale.x);
    m.nReserved = ScaleBy(1, scale.y);
    m.nPeakLength = ScaleBy(10, scale.x);
    m.nPeakPen = ScaleBy(3, scale.y);
    m.nLabelReserve = 0;
    return m;
}

// The seven sizes of AMMETRICS in their order.
int AMMETRICS::*const kMetricFields[] = {
    &AMMETRICS::nHubRadius,    &AMMETRICS::nScalePen,   &AMMETRICS::nMajorTick,
    &AMMETRICS::nReserved,     &AMMETRICS::nPeakLength, &AMMETRICS::nPeakPen,
    &AMMETRICS::nLabelReserve,
};
const int kMetricCount = sizeof kMetricFields / sizeof kMetricFields[0];

// The sizes the host did not set take the values of the window's factors.
void ApplyDefaultMetrics(MeterState *state)
{
    const AMMETRICS defaults = DefaultMetrics(state->scale);
    for (int i = 0; i < kMetricCount; ++i) {
        if (!(state->metricsSet & (1u << i)))
            state->metrics.*kMetricFields[i] = defaults.*kMetricFields[i];
    }
}

// New sizes from the host. A size equal to what the resolution gives keeps
// following the resolution; any other stays as set.
void SetHostMetrics(MeterState *state, const AMMETRICS *metrics)
{
    const AMMETRICS defaults = DefaultMetrics(state->scale);
    state->metricsSet = 0;
    for (int i = 0; i < kMetricCount; ++i) {
        if (metrics->*kMetricFields[i] != defaults.*kMetricFields[i])
            state->metricsSet |= 1u << i;
    }
    state->metrics = *metrics;
}

void SetDefaultColors(MeterState *state)
{
    AMCOLORS &c = state->colors;
    c.clrBackground = ControlSysColor(state->hTheme, COLOR_WINDOW);
    c.clrScale = ControlSysColor(state->hTheme, COLOR_WINDOWTEXT);
    c.clrNeedle = ControlSysColor(state->hTheme, COLOR_WINDOWTEXT);
    c.clrPeak = ControlSysColor(state->hTheme, COLOR_HIGHLIGHT);
    c.clrText = ControlSysColor(state->hTheme, COLOR_WINDOWTEXT);
}

// The stock label font, or a copy of it made for the window's DPI when that
// is not the screen's.
void MakeDefaultFont(MeterState *state)
{
    state->hFont = DefaultFontForDpi(DEFAULT_GUI_FONT, state->scale.dpi, &state->hOwnFont);
    state->hostFont = false;
}

void SetDefaults(HWND hwnd, MeterState *state, const CREATESTRUCT *create)
{
    state->scale = WindowDpiScale(hwnd);
    ApplyDefaultMetrics(state);
    state->nIntervals = 10;
    state->nLabelStep = 0;
    state->nMax = 180;
    state->uHoldTime = 2000;
    state->lParam = create ? reinterpret_cast<LPARAM>(create->lpCreateParams) : 0;
    SetDefaultColors(state);
    MakeDefaultFont(state);
}

// Item 0 of the caption strip, with the window text when it can be read.
template <class C>
void InsertCaptionItem(HWND hwnd, HWND caption)
{
    typename Win<C>::HdItem item;
    memset(&item, 0, sizeof item);
    item.mask = HDI_FORMAT;
    item.fmt = HDF_STRING | HDF_CENTER;
    const LRESULT length = Win<C>::SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0);
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (length + 1) * sizeof(C));
    C *chars = text ? static_cast<C *>(GlobalLock(text)) : NULL;
    if (chars) {
        Win<C>::SendMessage(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(chars));
        item.mask |= HDI_TEXT;
        item.pszText = chars;
        item.cchTextMax = static_cast<int>(length);
    }
    Win<C>::SendMessage(caption, Win<C>::kHdmInsertItem, 0, reinterpret_cast<LPARAM>(&item));
    if (chars)
        GlobalUnlock(text);
    if (text)
        GlobalFree(text);
}

template <class C>
LRESULT OnCreate(HWND hwnd, const CREATESTRUCT *create)
{
    OrvccInitThemeHlp();
    const bool wide = sizeof(C) != 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(MeterState));
    SetBlock(hwnd, wide, block);
    if (!block) {
        SetLastError(ERROR_OUTOFMEMORY);
        return -1;
    }
    MeterState *state = static_cast<MeterState *>(GlobalLock(block));
    if (!state)
        return -1;
    state->hTheme = OpenControlTheme(hwnd, L"WINDOW");
    SetDefaults(hwnd, state, create);

    static const C headerClass[] = {'S', 'y', 's', 'H', 'e', 'a', 'd', 'e', 'r', '3', '2', 0};
    static const C empty[] = {0};
    state->hwndCaption = Win<C>::CreateWindowEx(
        0, headerClass, empty, WS_CHILD, 0, 0, 0, 0, hwnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCaptionId)), libInstance, NULL);
    SetBlock(hwnd, wide, block);
    if (state->hwndCaption) {
        InsertCaptionItem<C>(hwnd, state->hwndCaption);
        if (DarkModeActive())
            ControlApplyDarkTheme(state->hwndCaption);
    }
    GlobalUnlock(block);
    return 0;
}

void OnDestroy(HWND hwnd, HGLOBAL block)
{
    if (block) {
        MeterState *state = static_cast<MeterState *>(GlobalLock(block));
        if (state) {
            state->dwStyle = 0;
            if (state->uTimerId)
                StopHoldTimer(hwnd, state);
            if (state->hbmBack)
                DeleteObject(state->hbmBack);
            state->hbmBack = NULL;
            if (state->hTheme)
                OrvccCloseThemeData(state->hTheme);
            state->hTheme = NULL;
            FreeOwnedFont(&state->hOwnFont);
            GlobalUnlock(block);
        }
        GlobalFree(block);
    }
    OrvccReleaseThemeHlp();
}

// Places the caption strip where HDM_LAYOUT says and takes its height off the
// drawing area. The strip reaches 10 pixels past each side, so the edges of its
// item are not seen.
template <class C>
void LayoutCaption(MeterState *state)
{
    if (!state->hwndCaption)
        return;
    RECT rest = state->rcClient;
    WINDOWPOS pos;
    memset(&pos, 0, sizeof pos);
    HDLAYOUT layout;
    layout.prc = &rest;
    layout.pwpos = &pos;
    if (!Win<C>::SendMessage(state->hwndCaption, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)))
        return;
    int y = pos.y;
    if (state->dwStyle & AMS_CAPTIONTOP) {
        state->rcDraw.top += pos.cy;
    } else {
        state->rcDraw.bottom -= pos.cy;
        y = state->rcDraw.bottom;
    }
    SetWindowPos(state->hwndCaption, pos.hwndInsertAfter, pos.x - 10, y, pos.cx + 20, pos.cy,
                 pos.flags | SWP_SHOWWINDOW);
    typename Win<C>::HdItem item;
    memset(&item, 0, sizeof item);
    item.mask = HDI_WIDTH;
    item.cxy = pos.cx + 20;
    Win<C>::SendMessage(state->hwndCaption, Win<C>::kHdmSetItem, 0,
                        reinterpret_cast<LPARAM>(&item));
}

template <class C>
LRESULT OnSize(HWND hwnd, MeterState *state, LPARAM lParam)
{
    const RECT client = {0, 0, LOWORD(lParam), HIWORD(lParam)};
    state->rcClient = client;
    state->rcDraw = client;
    memset(state->aptNeedle, 0, sizeof state->aptNeedle);
    memset(state->rcPeakLine, 0, sizeof state->rcPeakLine);
    LayoutCaption<C>(state);
    if (state->hbmBack)
        DeleteObject(state->hbmBack);
    state->hbmBack = NULL;
    BuildMeterBackBuffer(hwnd, state, sizeof(C) != 1);
    Invalidate(hwnd);
    return 0;
}

// Lays the meter out again at the size of the last WM_SIZE.
template <class C>
void Relayout(HWND hwnd, MeterState *state)
{
    Win<C>::SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                        MAKELPARAM(state->rcClient.right, state->rcClient.bottom));
}

template <class C>
LRESULT OnSetInfo(HWND hwnd, MeterState *state, const AMINFO *info)
{
    if (info) {
        if (info->dwMask & AMIF_HOLDTIME)
            state->uHoldTime = info->uHoldTime;
        if (info->dwMask & AMIF_STYLE) {
            state->dwStyle =
                (state->dwStyle & ~info->dwStyleMask) | (info->dwStyle & info->dwStyleMask);
            if ((info->dwStyleMask & AMS_NOCAPTION) && state->hwndCaption) {
                const LONG_PTR style =
                    WS_CHILD | ((info->dwStyle & AMS_NOCAPTION) ? HDS_HIDDEN : 0);
                Win<C>::SetWindowLongPtr(state->hwndCaption, GWL_STYLE, style);
            }
            if ((state->dwStyle & AMS_PEAKHOLD) && !state->uTimerId)
                StartHoldTimer(hwnd, state);
            else if (!(state->dwStyle & AMS_PEAKHOLD) && state->uTimerId)
                StopHoldTimer(hwnd, state);
        }
        if (info->dwMask & AMIF_INTERVALS)
            state->nIntervals = info->nIntervals;
        if (info->dwMask & AMIF_LABELSTEP)
            state->nLabelStep = info->nLabelStep;
        if (info->dwMask & AMIF_MAX)
            state->nMax = info->nMax;
        if (info->dwMask & AMIF_PARAM)
            state->lParam = info->lParam;
    }
    Relayout<C>(hwnd, state);
    return 0;
}

LRESULT OnGetInfo(const MeterState *state, AMINFO *info)
{
    if (!info)
        return 0;
    if (info->dwMask & AMIF_STYLE)
        info->dwStyle = state->dwStyle & info->dwStyleMask;
    if (info->dwMask & AMIF_INTERVALS)
        info->nIntervals = state->nIntervals;
    if (info->dwMask & AMIF_LABELSTEP)
        info->nLabelStep = state->nLabelStep;
    if (info->dwMask & AMIF_MAX)
        info->nMax = state->nMax;
    if (info->dwMask & AMIF_HOLDTIME)
        info->uHoldTime = state->uHoldTime;
    if (info->dwMask & AMIF_PARAM)
        info->lParam = state->lParam;
    return 0;
}

// Length of a text that ends within limit characters, or -1 when it runs on.
template <class S>
int BoundedLength(const S *text, int limit)
{
    for (int i = 0; i < limit; ++i) {
        if (!text[i])
            return i;
    }
    return -1;
}

// Characters a text of length n takes in the width D (terminator excluded).
int ConvertedLength(const char *text, int n, WCHAR *)
{
    return MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, n, NULL, 0);
}
int ConvertedLength(const WCHAR *text, int n, char *)
{
    return WideCharToMultiByte(CP_ACP, 0, text, n, NULL, 0, NULL, NULL);
}
int ConvertedLength(const char *, int n, char *)
{
    return n;
}
int ConvertedLength(const WCHAR *, int n, WCHAR *)
{
    return n;
}

void Convert(const char *text, int n, WCHAR *to, int room)
{
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, n, to, room);
}
void Convert(const WCHAR *text, int n, char *to, int room)
{
    WideCharToMultiByte(CP_ACP, 0, text, n, to, room, NULL, NULL);
}
void Convert(const char *text, int n, char *to, int)
{
    memcpy(to, text, n);
}
void Convert(const WCHAR *text, int n, WCHAR *to, int)
{
    memcpy(to, text, n * sizeof(WCHAR));
}

// Copies count texts from source (width S) into the store (width D). Each text
// goes in whole with its terminator or not at all; the first one that does not
// fit ends the copy, so the last character of the store stays NUL and a
// source is never read further than the store could take.
template <class S, class D>
void StoreLabels(D *store, const S *source, UINT count)
{
    int at = 0;
    for (UINT k = 0; k < count; ++k) {
        const int room = kLabelChars - 1 - at;  // the store's last NUL is never written
        // A text longer than twice the room cannot fit in any width.
        const int n = BoundedLength(source, 2 * room + 1);
        if (n < 0)
            return;
        const int needed = n ? ConvertedLength(source, n, store) : 0;
        if (needed < 0 || needed + 1 > room)
            return;
        if (needed)
            Convert(source, n, store + at, needed);
        at += needed;
        store[at++] = 0;
        source += n + 1;
    }
}

template <class C, class S>
LRESULT OnSetLabels(HWND hwnd, MeterState *state, UINT count, const S *texts)
{
    if (texts) {
        if (sizeof(C) == 1)
            StoreLabels(state->szLabels.ansi, texts, count);
        else
            StoreLabels(state->szLabels.wide, texts, count);
    }
    Relayout<C>(hwnd, state);
    return 0;
}

LRESULT OnMovePosition(HWND hwnd, MeterState *state, long long value)
{
    state->nPos = ClampPosition(value, state->nMax);
    InvalidateDrawing(hwnd, state);
    return state->nPos;
}

// An amount larger than any distance within the range moves to an end; it is
// limited first, so the sum never leaves 64 bits (LPARAM is 64 bits wide in a
// 64-bit build).
LRESULT OnDeltaPos(HWND hwnd, MeterState *state, bool add, LPARAM lParam)
{
    const long long limit = 1LL << 33;
    const long long raw = static_cast<LONG_PTR>(lParam);
    const long long amount = raw > limit ? limit : (raw < -limit ? -limit : raw);
    return OnMovePosition(hwnd, state, add ? state->nPos + amount : state->nPos - amount);
}

// A null font, or the meter's own one handed back, is the default font again.
template <class C>
LRESULT OnSetFont(HWND hwnd, MeterState *state, WPARAM wParam, LPARAM lParam)
{
    HFONT font = reinterpret_cast<HFONT>(wParam);
    if (!font) {
        MakeDefaultFont(state);
    } else if (font != state->hOwnFont) {
        FreeOwnedFont(&state->hOwnFont);
        state->hFont = font;
        state->hostFont = true;
    }
    Relayout<C>(hwnd, state);
    if (LOWORD(lParam))
        UpdateWindow(hwnd);
    return 0;
}

template <class C>
LRESULT OnSetColors(HWND hwnd, MeterState *state, const AMCOLORS *colors)
{
    if (colors) {
        state->colors = *colors;
        state->colorsSet = true;
    }
    Relayout<C>(hwnd, state);
    return 0;
}

template <class C>
LRESULT OnSetMetrics(HWND hwnd, MeterState *state, const AMMETRICS *metrics)
{
    if (metrics)
        SetHostMetrics(state, metrics);
    Relayout<C>(hwnd, state);
    return 0;
}

// The window moved to a display of another DPI: the sizes and the font the
// meter derives from it are made anew (those the host set stay), and the back
// buffer is built again at the next layout. A top-level meter also takes the
// place the system suggests.
template <class C>
LRESULT OnDpiChanged(HWND hwnd, MeterState *state, UINT message, LPARAM lParam)
{
    MoveToSuggestedDpiRect(hwnd, message, lParam);
    state->scale = WindowDpiScale(hwnd);
    ApplyDefaultMetrics(state);
    if (!state->hostFont)
        MakeDefaultFont(state);
    Relayout<C>(hwnd, state);
    return 0;
}

// Dark mode came into or went out of effect: the default colours follow (the
// back buffer is drawn again in them), and so does the caption strip.
template <class C>
LRESULT OnDarkModeChanged(HWND hwnd, MeterState *state)
{
    if (state->hwndCaption)
        ControlApplyDarkTheme(state->hwndCaption);
    if (!state->colorsSet) {
        SetDefaultColors(state);
        Relayout<C>(hwnd, state);
    }
    return 0;
}

// The caption strip takes the text first; a text it refuses is not stored.
template <class C>
LRESULT OnSetText(HWND hwnd, MeterState *state, LPARAM lParam)
{
    const C *text = reinterpret_cast<const C *>(lParam);
    typename Win<C>::HdItem item;
    memset(&item, 0, sizeof item);
    item.mask = HDI_TEXT;
    item.pszText = const_cast<C *>(text);
    item.cchTextMax = text ? Win<C>::lstrlen(text) : 0;
    if (state->hwndCaption && !Win<C>::SendMessage(state->hwndCaption, Win<C>::kHdmSetItem, 0,
                                                   reinterpret_cast<LPARAM>(&item)))
        return FALSE;
    return Win<C>::DefWindowProc(hwnd, WM_SETTEXT, 0, lParam);
}

// The hold time is over: the marker drops to the needle and the timer starts
// again while peak hold is on.
void OnTimer(HWND hwnd, MeterState *state, WPARAM wParam)
{
    KillTimer(hwnd, wParam);
    state->nPeak = static_cast<UINT>(state->nPos);
    state->uTimerId = 0;
    InvalidateDrawing(hwnd, state);
    UpdateWindow(hwnd);
    if ((state->dwStyle & AMS_PEAKHOLD) && !state->uTimerId)
        StartHoldTimer(hwnd, state);
}

// For screen readers: a read-only gauge whose value is the position, named by
// its caption while the caption strip shows.
bool DescribeForAccess(HWND hwnd, AccessAnswers *answers)
{
    HGLOBAL block = GetBlock(hwnd, IsWindowUnicode(hwnd) != 0);
    const MeterState *state = block ? static_cast<const MeterState *>(GlobalLock(block)) : NULL;
    if (!state)
        return false;
    char text[16];
    snprintf(text, sizeof text, "%d", state->nPos);
    AccessSetValue(answers, text);
    answers->role = ROLE_SYSTEM_PROGRESSBAR;
    answers->state = STATE_SYSTEM_READONLY;
    answers->stateMask = STATE_SYSTEM_READONLY;
    answers->nameFromText = state->hwndCaption && !(state->dwStyle & AMS_NOCAPTION);
    GlobalUnlock(block);
    return true;
}

const AccessClass kMeterAccess = {DescribeForAccess, NULL};

// The caption strip's custom draw: dark in dark mode.
template <class C>
LRESULT OnNotify(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result;
    if (ControlDarkHeaderDraw(lParam, &result))
        return result;
    return Win<C>::DefWindowProc(hwnd, message, wParam, lParam);
}

// Messages that need the state, with the block locked.
template <class C>
LRESULT Dispatch(HWND hwnd, MeterState *state, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == DarkModeMessage())
        return OnDarkModeChanged<C>(hwnd, state);
    switch (message) {
    case WM_SIZE:
        return OnSize<C>(hwnd, state, lParam);
    case WM_PAINT:
        PaintMeter(hwnd, state);
        return 0;
    case WM_ERASEBKGND:
        return ControlOnEraseBkgnd();
    case WM_SETTEXT:
        return OnSetText<C>(hwnd, state, lParam);
    case WM_SETFONT:
        return OnSetFont<C>(hwnd, state, wParam, lParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state->hFont);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return ControlOnFocus(hwnd, message);
    case WM_TIMER:
        OnTimer(hwnd, state, wParam);
        return 0;
    case WM_THEMECHANGED:
        return ControlOnThemeChanged(hwnd, &state->hTheme, L"WINDOW");
    case AMM_SETINFO:
        return OnSetInfo<C>(hwnd, state, reinterpret_cast<const AMINFO *>(lParam));
    case AMM_GETINFO:
        return OnGetInfo(state, reinterpret_cast<AMINFO *>(lParam));
    case AMM_SETCOLORS:
        return OnSetColors<C>(hwnd, state, reinterpret_cast<const AMCOLORS *>(lParam));
    case AMM_GETCOLORS:
        if (lParam)
            *reinterpret_cast<AMCOLORS *>(lParam) = state->colors;
        return 0;
    case AMM_SETLABELSA:
        return OnSetLabels<C>(hwnd, state, static_cast<UINT>(wParam),
                              reinterpret_cast<const char *>(lParam));
    case AMM_SETLABELSW:
        return OnSetLabels<C>(hwnd, state, static_cast<UINT>(wParam),
                              reinterpret_cast<const WCHAR *>(lParam));
    case AMM_DELTAPOS:
        return OnDeltaPos(hwnd, state, wParam != 0, lParam);
    case AMM_GETPOS:
        return state->nPos;
    case AMM_SETPOS:
        OnMovePosition(hwnd, state, static_cast<LONG_PTR>(lParam));
        return 0;
    case AMM_GETMETRICS:
        if (lParam)
            *reinterpret_cast<AMMETRICS *>(lParam) = state->metrics;
        return 0;
    case AMM_SETMETRICS:
        return OnSetMetrics<C>(hwnd, state, reinterpret_cast<const AMMETRICS *>(lParam));
    case kWmDpiChanged:
    case kWmDpiChangedAfterParent:
        return OnDpiChanged<C>(hwnd, state, message, lParam);
    case WM_NOTIFY:
        return OnNotify<C>(hwnd, message, wParam, lParam);
    case WM_GETOBJECT:
        return AccessGetObject(hwnd, wParam, lParam, &kMeterAccess);
    default:
        return Win<C>::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

template <class C>
LRESULT MeterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool wide = sizeof(C) != 1;
    if (message == WM_CREATE)
        return OnCreate<C>(hwnd, reinterpret_cast<const CREATESTRUCT *>(lParam));
    if (message == WM_DESTROY) {
        OnDestroy(hwnd, GetBlock(hwnd, wide));
        SetBlock(hwnd, wide, NULL);
        return 0;
    }
    HGLOBAL block = GetBlock(hwnd, wide);
    MeterState *state = block ? static_cast<MeterState *>(GlobalLock(block)) : NULL;
    if (!state)
        return Win<C>::DefWindowProc(hwnd, message, wParam, lParam);
    LRESULT result;
    if (message == AMM_SETPOS || message == AMM_DELTAPOS || message == AMM_SETINFO ||
        message == WM_SETTEXT) {
        // A moved needle tells screen readers when the position changed; a new
        // caption, or the caption strip shown or hidden, when the name did.
        ControlWatch watch(hwnd, &kMeterAccess, message == AMM_SETINFO || message == WM_SETTEXT);
        result = Dispatch<C>(hwnd, state, message, wParam, lParam);
    } else {
        result = Dispatch<C>(hwnd, state, message, wParam, lParam);
    }
    GlobalUnlock(block);
    return result;
}

}  // namespace

LRESULT CALLBACK AnalogMeterWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsWindowUnicode(hwnd))
        return MeterProc<WCHAR>(hwnd, message, wParam, lParam);
    return MeterProc<char>(hwnd, message, wParam, lParam);
}
