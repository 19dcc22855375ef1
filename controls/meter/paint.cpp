// Analog meter drawing: the back buffer with background, ticks and labels is
// built at each layout; a paint erases the needle and peak marker where they
// were drawn last, draws them at their new place and copies the drawing area to
// the screen in one block transfer. Coordinates are relative to the pivot; an
// angle of pi points left, 3*pi/2 up, 2*pi right.
#include "meter.h"

#include <math.h>

namespace {

const double kPi = 3.141592653589793;
const double kDegree = 0.017453292519943295;
const double kQuarterPi = 0.7853981633974483;
// A scale with more intervals than this would be a solid band of ticks: it is
// drawn without ticks and labels, which also keeps a layout quick.
const UINT kMostIntervals = 3600;
// GDI coordinates stay within 27 bits.
const double kCoordinateLimit = 134217727.0;

// Truncates toward zero; values beyond what GDI takes are limited, NaN is 0.
int Trunc(double value)
{
    if (!(value == value))
        return 0;
    if (value > kCoordinateLimit)
        return static_cast<int>(kCoordinateLimit);
    if (value < -kCoordinateLimit)
        return -static_cast<int>(kCoordinateLimit);
    return static_cast<int>(value);
}

int Clamp(long long value)
{
    if (value > kCoordinateLimit)
        return static_cast<int>(kCoordinateLimit);
    if (value < -kCoordinateLimit)
        return -static_cast<int>(kCoordinateLimit);
    return static_cast<int>(value);
}

// Sizes beyond these draw like these: any larger one lies far outside a
// window anyway, and GDI builds huge regions for huge shapes and wide pens.
const int kMostLength = 8192;
const int kMostPen = 256;

int Limit(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

// The metrics as the drawing uses them.
AMMETRICS DrawnMetrics(const AMMETRICS &m)
{
    AMMETRICS d;
    d.nHubRadius = Limit(m.nHubRadius, -kMostLength, kMostLength);
    d.nScalePen = Limit(m.nScalePen, 0, kMostPen);
    d.nMajorTick = Limit(m.nMajorTick, -kMostLength, kMostLength);
    d.nReserved = m.nReserved;
    d.nPeakLength = Limit(m.nPeakLength, -kMostLength, kMostLength);
    d.nPeakPen = Limit(m.nPeakPen, 0, kMostPen);
    d.nLabelReserve = Limit(m.nLabelReserve, -kMostLength, kMostLength);
    return d;
}

// Degrees of travel for a position; a maximum that is not positive keeps the
// needle at the left end.
double Degrees(const MeterState *state, UINT position)
{
    if (state->nMax <= 0)
        return 0.0;
    return (180.0 / static_cast<UINT>(state->nMax)) * position;
}

void FillSolid(HDC dc, const RECT &rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

template <class C>
const C *LabelStore(const MeterState *state);
template <>
const char *LabelStore<char>(const MeterState *state)
{
    return state->szLabels.ansi;
}
template <>
const WCHAR *LabelStore<WCHAR>(const MeterState *state)
{
    return state->szLabels.wide;
}

// Length of the label text at offset at of the store, or -1 when no text
// ends inside the store there (the walk has run past its end).
template <class C>
int LabelLength(const C *store, int at)
{
    for (int i = at; i < kLabelChars; ++i) {
        if (!store[i])
            return i - at;
    }
    return -1;
}

UINT LabelAlignment(int x)
{
    if (x < -2)
        return TA_RIGHT | TA_BOTTOM;
    if (x > 2)
        return TA_LEFT | TA_BOTTOM;
    return TA_CENTER | TA_BOTTOM;
}

// Ticks and labels on a scale of radius q, with the memory context's origin
// at the pivot.
template <class C>
void DrawTicks(HDC dc, const MeterState *state, const AMMETRICS &m, int q, int leading)
{
    const UINT step = state->nLabelStep;
    const double angleStep = (180.0 / state->nIntervals) * kDegree;
    HPEN pen = CreatePen(PS_SOLID, m.nScalePen, state->colors.clrScale);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    SetTextColor(dc, state->colors.clrText);
    SetBkMode(dc, TRANSPARENT);
    const C *labels = LabelStore<C>(state);
    int labelAt = 0;  // offset of the text of the next major tick
    double angle = kPi;
    for (UINT i = 0; i <= state->nIntervals; ++i) {
        const bool major = step >= 1 && i % step == 0;
        const int length = major ? m.nMajorTick : m.nHubRadius;
        const double c = cos(angle), s = sin(angle);
        const double outer = static_cast<double>(q) + length;
        MoveToEx(dc, Trunc(q * c), Trunc(q * s), NULL);
        LineTo(dc, Trunc(outer * c), Trunc(outer * s));
        if (major) {
            const int n = LabelLength(labels, labelAt);
            if (n > 0) {
                const double r = outer + leading;
                const int x = Trunc(r * c);
                SetTextAlign(dc, LabelAlignment(x));
                Win<C>::TextOut(dc, x, Trunc(r * s), labels + labelAt, n);
            }
            if (n >= 0)
                labelAt += n + 1;
        }
        angle += angleStep;
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// Background, ticks and labels into the selected back buffer of width x height.
template <class C>
void DrawScale(HDC dc, MeterState *state, int width, int height)
{
    const AMMETRICS m = DrawnMetrics(state->metrics);
    const RECT all = {state->rcDraw.left, 0, width, height};
    FillSolid(dc, all, state->colors.clrBackground);
    state->ptPivot.x = width / 2;
    state->ptPivot.y = Clamp(static_cast<long long>(height) - m.nHubRadius - 2);
    SetViewportOrgEx(dc, state->ptPivot.x, state->ptPivot.y, NULL);

    HGDIOBJ oldFont = SelectObject(dc, state->hFont);
    typename Win<C>::TextMetric tm;
    if (!Win<C>::GetTextMetrics(dc, &tm)) {
        tm.tmHeight = 0;
        tm.tmExternalLeading = 0;
    }
    const int side = m.nLabelReserve > tm.tmHeight ? m.nLabelReserve : tm.tmHeight;
    const long long a = static_cast<long long>(state->ptPivot.x) - side;
    const long long b = static_cast<long long>(state->ptPivot.y) - tm.tmHeight;
    const long long room = a < b ? a : b;
    const long long q = room - 2LL * tm.tmExternalLeading - m.nMajorTick;
    const long long needle = q - m.nHubRadius;
    // A drawing area too small for the scale shows no ticks and labels, and one
    // too small for the needle shows no needle (radius 0).
    state->nNeedleRadius = needle > 0 ? Clamp(needle) : 0;
    if (q >= 0 && state->nIntervals <= kMostIntervals)
        DrawTicks<C>(dc, state, m, Clamp(q), tm.tmExternalLeading);
    SelectObject(dc, oldFont);
}

// The needle as a hub and a slim kite from the pivot to the tip.
void DrawNeedle(HDC dc, const POINT *points, int hub, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, -hub, -hub, hub, hub);
    Polygon(dc, points, 5);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void NeedlePolygon(const MeterState *state, POINT *points)
{
    const double v = Degrees(state, static_cast<UINT>(state->nPos));
    const double a = v * kDegree + kPi;
    const double b = v * kDegree + kQuarterPi;
    const double c = (v - 45.0) * kDegree;
    const double r = static_cast<UINT>(state->nNeedleRadius);
    const double hub = DrawnMetrics(state->metrics).nHubRadius;
    const double d = hypot(hub, hub);
    const double tipX = r * cos(a), tipY = r * sin(a);
    points[0].x = 0;
    points[0].y = 0;
    points[1].x = Trunc(tipX + d * cos(b));
    points[1].y = Trunc(tipY + d * sin(b));
    points[2].x = Trunc(tipX);
    points[2].y = Trunc(tipY);
    points[3].x = Trunc(tipX + d * cos(c));
    points[3].y = Trunc(tipY + d * sin(c));
    points[4] = points[0];
}

// A line given as start x, start y, end x, end y.
void DrawLine(HDC dc, const int *line, int width, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, width, color);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, line[0], line[1], NULL);
    LineTo(dc, line[2], line[3]);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// Moves the peak marker; a new peak while the hold timer runs restarts it.
void UpdatePeak(HWND hwnd, HDC dc, MeterState *state)
{
    bool restart = false;
    if (state->nPeak <= static_cast<UINT>(state->nPos)) {
        state->nPeak = static_cast<UINT>(state->nPos);
        if (state->uTimerId) {
            KillTimer(hwnd, state->uTimerId);
            state->uTimerId = 0;
            restart = true;
        }
    }
    const AMMETRICS m = DrawnMetrics(state->metrics);
    const int pen = m.nPeakPen;
    int *line = state->rcPeakLine;
    if (line[0] || line[1])
        DrawLine(dc, line, pen, state->colors.clrBackground);

    const double p = Degrees(state, state->nPeak) * kDegree + kPi;
    // A marker longer than the needle starts at the pivot, so it is not drawn.
    const long long inner = static_cast<long long>(state->nNeedleRadius) - m.nPeakLength;
    const double r = inner > 0 ? static_cast<double>(inner) : 0.0;
    const double outer = static_cast<UINT>(state->nNeedleRadius);
    line[0] = Trunc(r * cos(p));
    line[1] = Trunc(r * sin(p));
    line[2] = Trunc(outer * cos(p));
    line[3] = Trunc(outer * sin(p));
    if (line[0] || line[1])
        DrawLine(dc, line, pen, state->colors.clrPeak);

    if (restart && !state->uTimerId)
        state->uTimerId = SetTimer(hwnd, kHoldTimerId, state->uHoldTime, NULL);
}

}  // namespace

void BuildMeterBackBuffer(HWND hwnd, MeterState *state, bool wide)
{
    const int width = state->rcDraw.right;
    const int height = state->rcDraw.bottom - state->rcDraw.top;
    // The bitmap holds only what the window can show: a WM_SIZE may claim more
    // than the client area, up to 65535 x 65535.
    RECT client;
    if (!GetClientRect(hwnd, &client))
        return;
    const int shownWidth = width < client.right ? width : client.right;
    const int below = client.bottom - state->rcDraw.top;
    const int shownHeight = height < below ? height : below;
    if (shownWidth <= 0 || shownHeight <= 0)
        return;
    HDC window = GetDC(hwnd);
    if (!window)
        return;
    HDC memory = CreateCompatibleDC(window);
    if (memory) {
        state->hbmBack = CreateCompatibleBitmap(window, shownWidth, shownHeight);
        if (state->hbmBack) {
            HGDIOBJ oldBitmap = SelectObject(memory, state->hbmBack);
            if (wide)
                DrawScale<WCHAR>(memory, state, width, height);
            else
                DrawScale<char>(memory, state, width, height);
            SelectObject(memory, oldBitmap);
        }
        DeleteDC(memory);
    }
    ReleaseDC(hwnd, window);
}

void PaintMeter(HWND hwnd, MeterState *state)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const RECT &draw = state->rcDraw;
    HDC memory = state->hbmBack && dc ? CreateCompatibleDC(dc) : NULL;
    if (!memory) {
        // Without a back buffer the drawing area shows its background only.
        if (dc)
            FillSolid(dc, draw, state->colors.clrBackground);
        EndPaint(hwnd, &ps);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(memory, state->hbmBack);
    SetViewportOrgEx(memory, state->ptPivot.x, state->ptPivot.y, NULL);
    if (state->nNeedleRadius > 0) {
        const int hub = DrawnMetrics(state->metrics).nHubRadius;
        DrawNeedle(memory, state->aptNeedle, hub, state->colors.clrBackground);
        NeedlePolygon(state, state->aptNeedle);
        DrawNeedle(memory, state->aptNeedle, hub, state->colors.clrNeedle);
    }
    if (state->dwStyle & AMS_PEAKHOLD)
        UpdatePeak(hwnd, memory, state);
    SetViewportOrgEx(memory, 0, 0, NULL);
    BITMAP shown;
    if (GetObject(state->hbmBack, sizeof shown, &shown)) {
        const int width = draw.right - draw.left, height = draw.bottom - draw.top;
        BitBlt(dc, draw.left, draw.top, width < shown.bmWidth ? width : shown.bmWidth,
               height < shown.bmHeight ? height : shown.bmHeight, memory, 0, 0, SRCCOPY);
    }
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    EndPaint(hwnd, &ps);
}
