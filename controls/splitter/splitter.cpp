// Splitter window: two pane windows of the host side by side or stacked, with a
// bar between them that the user drags. One body serves the ANSI procedure
// (SplitterWndProcA) and the Unicode procedure (SplitterWndProcW), told apart by
// wide; each procedure has its own drag state.
#include "control.h"
#include "display.h"

#include <windowsx.h>

namespace {

struct SplitterState {
    DWORD flags;
    HTHEME hTheme;
    HWND hwndPane1;
    HWND hwndPane2;
    int barWidth;
    RECT barRect;      // client coordinates; (-1, -1, -1, -1) while fewer than two panes show
    double position;   // 0.0 .. 1.0 of the client width (vertical bar) or height
    HFONT hFont;       // not owned
    bool barWidthSet;  // the host set barWidth (SPM_SETBARWIDTH): no DPI changes it
};

// Default bar thickness at 96 dots per inch.
const int kBarWidth = 6;

const RECT kNoBar = {-1, -1, -1, -1};

// The drag in progress, one per procedure: the window that started it, whether it
// relays out live, and the tracking line as drawn (so the same line erases it
// even when the bar has moved meanwhile).
struct Drag {
    HWND window;
    bool live;
    int coordinate;
    int lineFrom;
    int lineTo;
    int lineWidth;
};
// Indexed by wide.
Drag drags[2];

bool Horizontal(const SplitterState *s)
{
    return (s->flags & SPF_HORIZONTAL) != 0;
}

double Clamp01(double value)
{
    return value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
}

// The bar thickness that fits an extent: never negative, never wider than the extent.
int FittedBarWidth(const SplitterState *s, int extent)
{
    if (s->barWidth < 0 || extent <= 0)
        return 0;
    return s->barWidth > extent ? extent : s->barWidth;
}

// A pane takes part in the layout when it is a window with the visible style.
// The splitter itself or a window containing it never does: moving it from
// inside the layout would recurse.
bool PaneShown(HWND hwnd, HWND pane)
{
    if (!pane || pane == hwnd || !IsWindow(pane) || IsChild(pane, hwnd))
        return false;
    return (GetWindowLongPtrW(pane, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Bar at the stored position, kept inside the client area.
RECT ComputeBar(const SplitterState *s, int cx, int cy)
{
    const int extent = Horizontal(s) ? cy : cx;
    const int width = FittedBarWidth(s, extent);
    int p = static_cast<int>(extent * s->position);
    if (p + width > extent)
        p = extent - width;
    if (p < 0)
        p = 0;
    RECT bar;
    if (Horizontal(s))
        SetRect(&bar, 0, p, cx, p + width);
    else
        SetRect(&bar, p, 0, p + width, cy);
    return bar;
}

// Moves a pane to a client rectangle of the splitter, in its own parent's coordinates.
void MovePane(HWND hwnd, HWND pane, int x, int y, int width, int height)
{
    POINT origin = {x, y};
    HWND parent = (GetWindowLongPtrW(pane, GWL_STYLE) & WS_CHILD) ? GetParent(pane) : NULL;
    MapWindowPoints(hwnd, parent, &origin, 1);
    MoveWindow(pane, origin.x, origin.y, width, height, TRUE);
}

void OnSize(HWND hwnd, SplitterState *s, LPARAM lParam)
{
    const int cx = LOWORD(lParam), cy = HIWORD(lParam);
    const HWND pane1 = s->hwndPane1, pane2 = s->hwndPane2;
    const bool shown1 = PaneShown(hwnd, pane1), shown2 = PaneShown(hwnd, pane2);
    if (!shown1 || !shown2) {
        s->barRect = kNoBar;
        if (shown1 || shown2)
            MovePane(hwnd, shown1 ? pane1 : pane2, 0, 0, cx, cy);
        else
            InvalidateRect(hwnd, NULL, FALSE);
        return;
    }
    const RECT bar = ComputeBar(s, cx, cy);
    s->barRect = bar;
    if (Horizontal(s)) {
        MovePane(hwnd, pane1, 0, 0, cx, bar.top);
        // A pane may destroy the splitter while it is being moved.
        if (ControlState<SplitterState>(hwnd) != s)
            return;
        MovePane(hwnd, pane2, 0, bar.bottom, cx, cy - bar.bottom);
    } else {
        MovePane(hwnd, pane1, 0, 0, bar.left, cy);
        if (ControlState<SplitterState>(hwnd) != s)
            return;
        MovePane(hwnd, pane2, bar.right, 0, cx - bar.right, cy);
    }
    if (ControlState<SplitterState>(hwnd) == s)
        InvalidateRect(hwnd, &bar, FALSE);
}

// Lays the panes out now for the current client size.
void Recalc(bool wide, HWND hwnd)
{
    RECT client;
    GetClientRect(hwnd, &client);
    SendMessageAW(wide, hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void PostRecalc(bool wide, HWND hwnd)
{
    PostMessageAW(wide, hwnd, SPM_RECALC, 0, 0);
}

// A raised edge in the dark set's 3D colours, as DrawEdge draws it with the
// system's: the outer line light top-left and darkest bottom-right, the inner
// line lightest top-left and dark bottom-right, the middle in the face colour.
void DrawDarkEdge(HDC dc, RECT rect, UINT edges)
{
    const int outerLight = COLOR_3DLIGHT, outerDark = COLOR_3DDKSHADOW;
    const int innerLight = COLOR_3DHILIGHT, innerDark = COLOR_3DSHADOW;
    const int lines[2][2] = {{outerLight, outerDark}, {innerLight, innerDark}};
    for (const auto &line : lines) {
        HBRUSH light = ControlSysColorBrush(line[0]), dark = ControlSysColorBrush(line[1]);
        RECT side;
        if (edges & BF_LEFT) {
            SetRect(&side, rect.left, rect.top, rect.left + 1, rect.bottom);
            FillRect(dc, &side, light);
        }
        if (edges & BF_TOP) {
            SetRect(&side, rect.left, rect.top, rect.right, rect.top + 1);
            FillRect(dc, &side, light);
        }
        if (edges & BF_RIGHT) {
            SetRect(&side, rect.right - 1, rect.top, rect.right, rect.bottom);
            FillRect(dc, &side, dark);
        }
        if (edges & BF_BOTTOM) {
            SetRect(&side, rect.left, rect.bottom - 1, rect.right, rect.bottom);
            FillRect(dc, &side, dark);
        }
        rect.left += (edges & BF_LEFT) ? 1 : 0;
        rect.top += (edges & BF_TOP) ? 1 : 0;
        rect.right -= (edges & BF_RIGHT) ? 1 : 0;
        rect.bottom -= (edges & BF_BOTTOM) ? 1 : 0;
    }
    if ((edges & BF_MIDDLE) && rect.right > rect.left && rect.bottom > rect.top)
        FillRect(dc, &rect, ControlSysColorBrush(COLOR_BTNFACE));
}

void DrawBar(HDC dc, const SplitterState *s)
{
    const UINT edges =
        Horizontal(s) ? (BF_MIDDLE | BF_TOP | BF_BOTTOM) : (BF_MIDDLE | BF_LEFT | BF_RIGHT);
    RECT bar = s->barRect;
    if (DarkModeActive()) {
        DrawDarkEdge(dc, bar, edges);
    } else if (s->hTheme) {
        // Not every visual style fills the middle of an edge: the face goes first.
        HBRUSH face = CreateSolidBrush(OrvccGetThemeSysColor(s->hTheme, COLOR_BTNFACE));
        FillRect(dc, &bar, face);
        DeleteObject(face);
        OrvccDrawThemeEdge(s->hTheme, dc, 0, 0, &bar, EDGE_RAISED, edges, NULL);
    } else {
        DrawEdge(dc, &bar, EDGE_RAISED, edges);
    }
}

// No layout with both panes has set the bar yet. A bar of no thickness is a
// result like any other: asking for a layout again would only repeat it, and
// when the layout itself exposes the splitter (one window as both panes) the
// paint and the layout would follow each other for ever.
bool BarPending(const RECT &bar)
{
    const bool none = bar.left == -1 && bar.top == -1 && bar.right == -1 && bar.bottom == -1;
    const bool zero = bar.left == 0 && bar.top == 0 && bar.right == 0 && bar.bottom == 0;
    return none || zero;
}

// The bar is drawn over what is there (it is not erased first), so it does not
// flicker; without panes the class background fills the client area.
void OnPaint(bool wide, HWND hwnd, SplitterState *s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const bool shown1 = PaneShown(hwnd, s->hwndPane1), shown2 = PaneShown(hwnd, s->hwndPane2);
    if (shown1 && shown2) {
        if (BarPending(s->barRect))
            PostRecalc(wide, hwnd);
        else
            DrawBar(dc, s);
    } else if (!shown1 && !shown2) {
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH back =
            DarkModeActive()
                ? ControlSysColorBrush(COLOR_BTNFACE)
                : reinterpret_cast<HBRUSH>(GetClassLongPtrAW(wide, hwnd, GCLP_HBRBACKGROUND));
        FillRect(dc, &client, back);
    }
    EndPaint(hwnd, &ps);
}

LRESULT OnCreate(bool wide, HWND hwnd)
{
    OrvccInitThemeHlp();
    SplitterState *s = static_cast<SplitterState *>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SplitterState)));
    if (!s) {
        SetLastError(ERROR_OUTOFMEMORY);
        return -1;
    }
    ControlSetState(hwnd, s);
    s->barWidth = ScaleBy(kBarWidth, WindowDpiScale(hwnd).x);
    s->position = 0.5;
    BOOL fullDrag = FALSE;
    if (SystemParametersInfoAW(wide, SPI_GETDRAGFULLWINDOWS, 0, &fullDrag) && fullDrag)
        s->flags |= SPF_FULLDRAG;
    s->hTheme = OpenControlTheme(hwnd, L"GLOBALS");
    return 0;
}

void OnDestroy(bool wide, HWND hwnd, SplitterState *s)
{
    if (drags[wide].window == hwnd)
        drags[wide].window = NULL;
    if (s) {
        if (s->hTheme)
            OrvccCloseThemeData(s->hTheme);
        ControlSetState(hwnd, NULL);
        HeapFree(GetProcessHeap(), 0, s);
    }
    OrvccReleaseThemeHlp();
}

// ---------------------------------------------------------------------------
// Messages of the splitter

LRESULT OnSetPane(bool wide, HWND hwnd, HWND *slot, WPARAM wParam, LPARAM lParam)
{
    const HWND previous = *slot;
    const HWND pane = reinterpret_cast<HWND>(lParam);
    *slot = pane;
    if (wParam && pane && pane != hwnd && IsWindow(pane) && !IsChild(pane, hwnd))
        SetParent(pane, hwnd);
    Recalc(wide, hwnd);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT OnGetPane(HWND pane)
{
    return reinterpret_cast<LRESULT>(pane && IsWindow(pane) ? pane : NULL);
}

// A value that is not a number changes nothing and reports failure.
LRESULT OnSetPos(bool wide, HWND hwnd, SplitterState *s, LPARAM lParam)
{
    if (!lParam)
        return FALSE;
    const double value = *reinterpret_cast<const double *>(lParam);
    if (value != value)
        return FALSE;
    s->position = Clamp01(value);
    PostRecalc(wide, hwnd);
    return TRUE;
}

LRESULT OnGetPos(const SplitterState *s, LPARAM lParam)
{
    if (!lParam)
        return FALSE;
    *reinterpret_cast<double *>(lParam) = s->position;
    return TRUE;
}

LRESULT OnSetFlags(bool wide, HWND hwnd, SplitterState *s, WPARAM wParam, LPARAM lParam)
{
    const DWORD mask = static_cast<DWORD>(wParam);
    const DWORD previous = s->flags & mask;
    s->flags = (s->flags & ~mask) | (static_cast<DWORD>(lParam) & mask);
    if (mask & SPF_HORIZONTAL)
        PostRecalc(wide, hwnd);
    return previous;
}

LRESULT OnSetBarWidth(bool wide, HWND hwnd, SplitterState *s, LPARAM lParam)
{
    const int previous = s->barWidth;
    s->barWidth = static_cast<int>(lParam);
    s->barWidthSet = true;
    PostRecalc(wide, hwnd);
    return previous;
}

// A new DPI: the default bar thickness follows it (one the host set stays) and
// the panes are laid out again at once.
LRESULT OnDpiChanged(bool wide, HWND hwnd, SplitterState *s, UINT message, LPARAM lParam)
{
    MoveToSuggestedDpiRect(hwnd, message, lParam);
    if (ControlState<SplitterState>(hwnd) != s)
        return 0;
    if (!s->barWidthSet)
        s->barWidth = ScaleBy(kBarWidth, WindowDpiScale(hwnd).x);
    Recalc(wide, hwnd);
    if (ControlState<SplitterState>(hwnd) == s)
        InvalidateRect(hwnd, NULL, FALSE);
    return 0;
}

// The bar and the empty background take the colours now in effect.
LRESULT OnDarkModeChanged(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, FALSE);
    return 0;
}

LRESULT OnSetFont(HWND hwnd, SplitterState *s, WPARAM wParam, LPARAM lParam)
{
    s->hFont = reinterpret_cast<HFONT>(wParam);
    if (LOWORD(lParam))
        InvalidateRect(hwnd, NULL, FALSE);
    return 0;
}

// Notifications and commands of the panes go on to the splitter's parent.
LRESULT OnForward(bool wide, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return DefWindowProcAW(wide, hwnd, message, wParam, lParam);
    return SendMessageAW(wide, parent, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Dragging

void SetSizeCursor(bool wide, const SplitterState *s)
{
    const WORD sizeNS = 32645, sizeWE = 32644;
    SetCursor(LoadSystemCursorAW(wide, Horizontal(s) ? sizeNS : sizeWE));
}

bool OnBar(const SplitterState *s, LPARAM lParam)
{
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&s->barRect, point) != FALSE;
}

int Coordinate(const SplitterState *s, LPARAM lParam)
{
    return Horizontal(s) ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
}

// Draws the tracking line at a coordinate by inverting the screen under it, so
// that drawing it twice restores what was there.
void DrawTrackingLine(bool wide, HWND hwnd, bool horizontal, int coordinate)
{
    HDC dc = GetDC(hwnd);
    if (!dc)
        return;
    HPEN pen = CreatePen(PS_SOLID, drags[wide].lineWidth, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const int oldMode = SetROP2(dc, R2_NOT);
    if (horizontal) {
        MoveToEx(dc, drags[wide].lineFrom, coordinate, NULL);
        LineTo(dc, drags[wide].lineTo, coordinate);
    } else {
        MoveToEx(dc, coordinate, drags[wide].lineFrom, NULL);
        LineTo(dc, coordinate, drags[wide].lineTo);
    }
    SetROP2(dc, oldMode);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    ReleaseDC(hwnd, dc);
}

// Position for the pointer at a coordinate (the middle of the bar goes there);
// nothing changes while the client area has no extent.
void PositionFromPointer(HWND hwnd, SplitterState *s, int coordinate)
{
    RECT client;
    GetClientRect(hwnd, &client);
    const int extent = Horizontal(s) ? client.bottom : client.right;
    if (extent <= 0)
        return;
    s->position = Clamp01((coordinate - s->barWidth / 2.0) / extent);
}

LRESULT OnLButtonDown(bool wide, HWND hwnd, SplitterState *s, LPARAM lParam)
{
    if ((s->flags & SPF_LOCKED) || !OnBar(s, lParam))
        return 0;
    SetSizeCursor(wide, s);
    if (GetCapture())
        return 0;
    drags[wide].window = hwnd;
    drags[wide].live = (s->flags & SPF_FULLDRAG) != 0;
    SetCapture(hwnd);
    if (!drags[wide].live) {
        const bool horizontal = Horizontal(s);
        drags[wide].lineFrom = horizontal ? s->barRect.left : s->barRect.top;
        drags[wide].lineTo = horizontal ? s->barRect.right : s->barRect.bottom;
        const int width =
            horizontal ? s->barRect.bottom - s->barRect.top : s->barRect.right - s->barRect.left;
        drags[wide].lineWidth = width > 0 ? width : 1;
        drags[wide].coordinate = Coordinate(s, lParam);
        DrawTrackingLine(wide, hwnd, horizontal, drags[wide].coordinate);
    }
    return 0;
}

LRESULT OnMouseMove(bool wide, HWND hwnd, SplitterState *s, LPARAM lParam)
{
    if (s->flags & SPF_LOCKED)
        return 0;
    if (drags[wide].window != hwnd || GetCapture() != hwnd) {
        if (OnBar(s, lParam))
            SetSizeCursor(wide, s);
        return 0;
    }
    const int coordinate = Coordinate(s, lParam);
    if (drags[wide].live) {
        PositionFromPointer(hwnd, s, coordinate);
        Recalc(wide, hwnd);
    } else if (coordinate != drags[wide].coordinate) {
        const bool horizontal = Horizontal(s);
        DrawTrackingLine(wide, hwnd, horizontal, drags[wide].coordinate);
        drags[wide].coordinate = coordinate;
        DrawTrackingLine(wide, hwnd, horizontal, coordinate);
    }
    return 0;
}

LRESULT OnLButtonUp(bool wide, HWND hwnd, SplitterState *s, LPARAM lParam)
{
    if (s->flags & SPF_LOCKED)
        return 0;
    if (OnBar(s, lParam))
        SetSizeCursor(wide, s);
    if (GetCapture() == hwnd) {
        ReleaseCapture();
        NotifyParentAW(wide, hwnd, NM_RELEASEDCAPTURE);
    }
    return 0;
}

// The drag ends however the capture was lost. A drag with a tracking line puts
// the bar where the pointer is now; the layout follows from the queue.
LRESULT OnCaptureChanged(bool wide, HWND hwnd, SplitterState *s, LPARAM lParam)
{
    if (drags[wide].window != hwnd || reinterpret_cast<HWND>(lParam) == hwnd)
        return 0;
    drags[wide].window = NULL;
    if (drags[wide].live)
        return 0;
    const bool horizontal = Horizontal(s);
    DrawTrackingLine(wide, hwnd, horizontal, drags[wide].coordinate);
    POINT pointer;
    GetCursorPos(&pointer);
    ScreenToClient(hwnd, &pointer);
    PositionFromPointer(hwnd, s, horizontal ? pointer.y : pointer.x);
    PostRecalc(wide, hwnd);
    return 0;
}

// ---------------------------------------------------------------------------
// Accessibility: a pane whose children are the pane windows that exist (a
// window given as both panes counts once; the splitter itself or a window
// containing it never counts), and whose description tells how they are laid
// out. Changing the panes sends EVENT_OBJECT_REORDER, turning the bar
// EVENT_OBJECT_DESCRIPTIONCHANGE.

bool PaneExists(HWND hwnd, HWND pane)
{
    return pane && pane != hwnd && IsWindow(pane) && !IsChild(pane, hwnd);
}

bool DescribeForAccess(HWND hwnd, AccessAnswers *answers)
{
    const SplitterState *s = ControlState<SplitterState>(hwnd);
    if (!s)
        return false;
    answers->role = ROLE_SYSTEM_PANE;
    const char *layout = Horizontal(s) ? "Panes one above the other" : "Panes side by side";
    for (int i = 0; layout[i]; ++i)
        answers->description[i] = static_cast<WCHAR>(layout[i]);
    answers->ownChildren = true;
    if (PaneExists(hwnd, s->hwndPane1))
        answers->childWindows[answers->childWindowCount++] = s->hwndPane1;
    if (PaneExists(hwnd, s->hwndPane2) && s->hwndPane2 != s->hwndPane1)
        answers->childWindows[answers->childWindowCount++] = s->hwndPane2;
    return true;
}

const AccessClass kSplitterAccess = {DescribeForAccess, NULL};

LRESULT WindowProc(bool wide, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate(wide, hwnd);
    SplitterState *s = ControlState<SplitterState>(hwnd);
    if (message == WM_DESTROY) {
        OnDestroy(wide, hwnd, s);
        return 0;
    }
    if (!s)
        return DefWindowProcAW(wide, hwnd, message, wParam, lParam);
    if (message == DarkModeMessage())
        return OnDarkModeChanged(hwnd);

    switch (message) {
    case WM_SIZE:
        OnSize(hwnd, s, lParam);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return ControlOnFocus(hwnd, message);
    case WM_PAINT:
        OnPaint(wide, hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return ControlOnEraseBkgnd();
    case WM_SETFONT:
        return OnSetFont(hwnd, s, wParam, lParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->hFont);
    case WM_NOTIFY:
    case WM_COMMAND:
        return OnForward(wide, hwnd, message, wParam, lParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(wide, hwnd, s, lParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(wide, hwnd, s, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(wide, hwnd, s, lParam);
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(wide, hwnd, s, lParam);
    case WM_THEMECHANGED:
        return ControlOnThemeChanged(hwnd, &s->hTheme, L"GLOBALS");
    case SPM_SETPANE1:
    case SPM_SETPANE2: {
        ControlWatch watch(hwnd, &kSplitterAccess);
        return OnSetPane(wide, hwnd, message == SPM_SETPANE1 ? &s->hwndPane1 : &s->hwndPane2,
                         wParam, lParam);
    }
    case SPM_GETPANE1:
        return OnGetPane(s->hwndPane1);
    case SPM_GETPANE2:
        return OnGetPane(s->hwndPane2);
    case SPM_RECALC:
        Recalc(wide, hwnd);
        return 0;
    case SPM_SETPOS:
        return OnSetPos(wide, hwnd, s, lParam);
    case SPM_GETPOS:
        return OnGetPos(s, lParam);
    case SPM_SETFLAGS: {
        ControlWatch watch(hwnd, &kSplitterAccess);
        return OnSetFlags(wide, hwnd, s, wParam, lParam);
    }
    case SPM_GETFLAGS:
        return s->flags & static_cast<DWORD>(wParam);
    case SPM_SETBARWIDTH:
        return OnSetBarWidth(wide, hwnd, s, lParam);
    case SPM_GETBARWIDTH:
        return s->barWidth;
    case kWmDpiChanged:
    case kWmDpiChangedAfterParent:
        return OnDpiChanged(wide, hwnd, s, message, lParam);
    case WM_GETOBJECT:
        return AccessGetObject(hwnd, wParam, lParam, &kSplitterAccess);
    default:
        return DefWindowProcAW(wide, hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK SplitterWndProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(false, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SplitterWndProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(true, hwnd, message, wParam, lParam);
}
