// Splitter window: two pane windows of the host side by side or stacked, with a
// bar between them that the user drags. One source, built as the ANSI procedure
// (SplitterWndProcA, over char) and the Unicode procedure (SplitterWndProcW, over
// WCHAR); each has its own drag state.
#include "access.h"
#include "library.h"

#include <windowsx.h>

namespace {

struct SplitterState {
    DWORD flags;
    HTHEME hTheme;
    HWND hwndPane1;
    HWND hwndPane2;
    int barWidth;
    RECT barRect;     // client coordinates; (-1, -1, -1, -1) while fewer than two panes show
    double position;  // 0.0 .. 1.0 of the client width (vertical bar) or height
    HFONT hFont;      // not owned
};

const RECT kNoBar = {-1, -1, -1, -1};

template <class C>
struct SplitterApi;

template <>
struct SplitterApi<char> : Win<char> {
    static ULONG_PTR GetClassLongPtr(HWND h, int i) { return ::GetClassLongPtrA(h, i); }
    static BOOL SystemParametersInfo(UINT action, UINT param, void *value)
    {
        return ::SystemParametersInfoA(action, param, value, 0);
    }
    static HCURSOR LoadCursorImage(WORD id)
    {
        return static_cast<HCURSOR>(::LoadImageA(NULL, MAKEINTRESOURCEA(id), IMAGE_CURSOR, 0, 0,
                                                 LR_DEFAULTSIZE | LR_SHARED));
    }
};

template <>
struct SplitterApi<WCHAR> : Win<WCHAR> {
    static ULONG_PTR GetClassLongPtr(HWND h, int i) { return ::GetClassLongPtrW(h, i); }
    static BOOL SystemParametersInfo(UINT action, UINT param, void *value)
    {
        return ::SystemParametersInfoW(action, param, value, 0);
    }
    static HCURSOR LoadCursorImage(WORD id)
    {
        return static_cast<HCURSOR>(::LoadImageW(NULL, MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0,
                                                 LR_DEFAULTSIZE | LR_SHARED));
    }
};

// The drag in progress, one per flavour: the window that started it, whether it
// relays out live, and the tracking line as drawn (so the same line erases it
// even when the bar has moved meanwhile).
template <class C>
struct Drag {
    static HWND window;
    static bool live;
    static int coordinate;
    static int lineFrom;
    static int lineTo;
    static int lineWidth;
};
template <class C> HWND Drag<C>::window = NULL;
template <class C> bool Drag<C>::live = false;
template <class C> int Drag<C>::coordinate = 0;
template <class C> int Drag<C>::lineFrom = 0;
template <class C> int Drag<C>::lineTo = 0;
template <class C> int Drag<C>::lineWidth = 0;

template <class C>
SplitterState *GetState(HWND hwnd)
{
    return reinterpret_cast<SplitterState *>(SplitterApi<C>::GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

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

template <class C>
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
        if (GetState<C>(hwnd) != s)
            return;
        MovePane(hwnd, pane2, 0, bar.bottom, cx, cy - bar.bottom);
    } else {
        MovePane(hwnd, pane1, 0, 0, bar.left, cy);
        if (GetState<C>(hwnd) != s)
            return;
        MovePane(hwnd, pane2, bar.right, 0, cx - bar.right, cy);
    }
    if (GetState<C>(hwnd) == s)
        InvalidateRect(hwnd, &bar, FALSE);
}

// Lays the panes out now for the current client size.
template <class C>
void Recalc(HWND hwnd)
{
    RECT client;
    GetClientRect(hwnd, &client);
    SplitterApi<C>::SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

template <class C>
void PostRecalc(HWND hwnd)
{
    SplitterApi<C>::PostMessage(hwnd, SPM_RECALC, 0, 0);
}

void DrawBar(HDC dc, const SplitterState *s)
{
    const UINT edges = Horizontal(s) ? (BF_MIDDLE | BF_TOP | BF_BOTTOM) : (BF_MIDDLE | BF_LEFT | BF_RIGHT);
    RECT bar = s->barRect;
    if (s->hTheme) {
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
template <class C>
void OnPaint(HWND hwnd, SplitterState *s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const bool shown1 = PaneShown(hwnd, s->hwndPane1), shown2 = PaneShown(hwnd, s->hwndPane2);
    if (shown1 && shown2) {
        if (BarPending(s->barRect))
            PostRecalc<C>(hwnd);
        else
            DrawBar(dc, s);
    } else if (!shown1 && !shown2) {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client,
                 reinterpret_cast<HBRUSH>(SplitterApi<C>::GetClassLongPtr(hwnd, GCLP_HBRBACKGROUND)));
    }
    EndPaint(hwnd, &ps);
}

template <class C>
LRESULT OnCreate(HWND hwnd)
{
    OrvccInitThemeHlp();
    SplitterState *s =
        static_cast<SplitterState *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SplitterState)));
    if (!s) {
        SetLastError(ERROR_OUTOFMEMORY);
        return -1;
    }
    SplitterApi<C>::SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
    s->barWidth = static_cast<int>(6 * dpiScaleX);
    s->position = 0.5;
    BOOL fullDrag = FALSE;
    if (SplitterApi<C>::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag) && fullDrag)
        s->flags |= SPF_FULLDRAG;
    s->hTheme = OpenControlTheme(hwnd, L"GLOBALS");
    return 0;
}

template <class C>
void OnDestroy(HWND hwnd, SplitterState *s)
{
    if (Drag<C>::window == hwnd)
        Drag<C>::window = NULL;
    if (s) {
        if (s->hTheme)
            OrvccCloseThemeData(s->hTheme);
        SplitterApi<C>::SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        HeapFree(GetProcessHeap(), 0, s);
    }
    OrvccReleaseThemeHlp();
}

// ---------------------------------------------------------------------------
// Messages of the splitter

template <class C>
LRESULT OnSetPane(HWND hwnd, HWND *slot, WPARAM wParam, LPARAM lParam)
{
    const HWND previous = *slot;
    const HWND pane = reinterpret_cast<HWND>(lParam);
    *slot = pane;
    if (wParam && pane && pane != hwnd && IsWindow(pane) && !IsChild(pane, hwnd))
        SetParent(pane, hwnd);
    Recalc<C>(hwnd);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT OnGetPane(HWND pane)
{
    return reinterpret_cast<LRESULT>(pane && IsWindow(pane) ? pane : NULL);
}

// A value that is not a number changes nothing and reports failure.
template <class C>
LRESULT OnSetPos(HWND hwnd, SplitterState *s, LPARAM lParam)
{
    if (!lParam)
        return FALSE;
    const double value = *reinterpret_cast<const double *>(lParam);
    if (value != value)
        return FALSE;
    s->position = Clamp01(value);
    PostRecalc<C>(hwnd);
    return TRUE;
}

LRESULT OnGetPos(const SplitterState *s, LPARAM lParam)
{
    if (!lParam)
        return FALSE;
    *reinterpret_cast<double *>(lParam) = s->position;
    return TRUE;
}

template <class C>
LRESULT OnSetFlags(HWND hwnd, SplitterState *s, WPARAM wParam, LPARAM lParam)
{
    const DWORD mask = static_cast<DWORD>(wParam);
    const DWORD previous = s->flags & mask;
    s->flags = (s->flags & ~mask) | (static_cast<DWORD>(lParam) & mask);
    if (mask & SPF_HORIZONTAL)
        PostRecalc<C>(hwnd);
    return previous;
}

template <class C>
LRESULT OnSetBarWidth(HWND hwnd, SplitterState *s, LPARAM lParam)
{
    const int previous = s->barWidth;
    s->barWidth = static_cast<int>(lParam);
    PostRecalc<C>(hwnd);
    return previous;
}

LRESULT OnSetFont(HWND hwnd, SplitterState *s, WPARAM wParam, LPARAM lParam)
{
    s->hFont = reinterpret_cast<HFONT>(wParam);
    if (LOWORD(lParam))
        InvalidateRect(hwnd, NULL, FALSE);
    return 0;
}

// Notifications and commands of the panes go on to the splitter's parent.
template <class C>
LRESULT OnForward(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return SplitterApi<C>::DefWindowProc(hwnd, message, wParam, lParam);
    return SplitterApi<C>::SendMessage(parent, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Dragging

template <class C>
void SetSizeCursor(const SplitterState *s)
{
    const WORD sizeNS = 32645, sizeWE = 32644;
    SetCursor(SplitterApi<C>::LoadCursorImage(Horizontal(s) ? sizeNS : sizeWE));
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
template <class C>
void DrawTrackingLine(HWND hwnd, bool horizontal, int coordinate)
{
    HDC dc = GetDC(hwnd);
    if (!dc)
        return;
    HPEN pen = CreatePen(PS_SOLID, Drag<C>::lineWidth, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const int oldMode = SetROP2(dc, R2_NOT);
    if (horizontal) {
        MoveToEx(dc, Drag<C>::lineFrom, coordinate, NULL);
        LineTo(dc, Drag<C>::lineTo, coordinate);
    } else {
        MoveToEx(dc, coordinate, Drag<C>::lineFrom, NULL);
        LineTo(dc, coordinate, Drag<C>::lineTo);
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

template <class C>
LRESULT OnLButtonDown(HWND hwnd, SplitterState *s, LPARAM lParam)
{
    if ((s->flags & SPF_LOCKED) || !OnBar(s, lParam))
        return 0;
    SetSizeCursor<C>(s);
    if (GetCapture())
        return 0;
    Drag<C>::window = hwnd;
    Drag<C>::live = (s->flags & SPF_FULLDRAG) != 0;
    SetCapture(hwnd);
    if (!Drag<C>::live) {
        const bool horizontal = Horizontal(s);
        Drag<C>::lineFrom = horizontal ? s->barRect.left : s->barRect.top;
        Drag<C>::lineTo = horizontal ? s->barRect.right : s->barRect.bottom;
        const int width = horizontal ? s->barRect.bottom - s->barRect.top : s->barRect.right - s->barRect.left;
        Drag<C>::lineWidth = width > 0 ? width : 1;
        Drag<C>::coordinate = Coordinate(s, lParam);
        DrawTrackingLine<C>(hwnd, horizontal, Drag<C>::coordinate);
    }
    return 0;
}

template <class C>
LRESULT OnMouseMove(HWND hwnd, SplitterState *s, LPARAM lParam)
{
    if (s->flags & SPF_LOCKED)
        return 0;
    if (Drag<C>::window != hwnd || GetCapture() != hwnd) {
        if (OnBar(s, lParam))
            SetSizeCursor<C>(s);
        return 0;
    }
    const int coordinate = Coordinate(s, lParam);
    if (Drag<C>::live) {
        PositionFromPointer(hwnd, s, coordinate);
        Recalc<C>(hwnd);
    } else if (coordinate != Drag<C>::coordinate) {
        const bool horizontal = Horizontal(s);
        DrawTrackingLine<C>(hwnd, horizontal, Drag<C>::coordinate);
        Drag<C>::coordinate = coordinate;
        DrawTrackingLine<C>(hwnd, horizontal, coordinate);
    }
    return 0;
}

template <class C>
LRESULT OnLButtonUp(HWND hwnd, SplitterState *s, LPARAM lParam)
{
    if (s->flags & SPF_LOCKED)
        return 0;
    if (OnBar(s, lParam))
        SetSizeCursor<C>(s);
    if (GetCapture() == hwnd) {
        ReleaseCapture();
        SplitterApi<C>::NotifyParent(hwnd, NM_RELEASEDCAPTURE);
    }
    return 0;
}

// The drag ends however the capture was lost. A drag with a tracking line puts
// the bar where the pointer is now; the layout follows from the queue.
template <class C>
LRESULT OnCaptureChanged(HWND hwnd, SplitterState *s, LPARAM lParam)
{
    if (Drag<C>::window != hwnd || reinterpret_cast<HWND>(lParam) == hwnd)
        return 0;
    Drag<C>::window = NULL;
    if (Drag<C>::live)
        return 0;
    const bool horizontal = Horizontal(s);
    DrawTrackingLine<C>(hwnd, horizontal, Drag<C>::coordinate);
    POINT pointer;
    GetCursorPos(&pointer);
    ScreenToClient(hwnd, &pointer);
    PositionFromPointer(hwnd, s, horizontal ? pointer.y : pointer.x);
    PostRecalc<C>(hwnd);
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
    const SplitterState *s = reinterpret_cast<SplitterState *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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

template <class C>
LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate<C>(hwnd);
    SplitterState *s = GetState<C>(hwnd);
    if (message == WM_DESTROY) {
        OnDestroy<C>(hwnd, s);
        return 0;
    }
    if (!s)
        return SplitterApi<C>::DefWindowProc(hwnd, message, wParam, lParam);

    switch (message) {
    case WM_SIZE:
        OnSize<C>(hwnd, s, lParam);
        return 0;
    case WM_SETFOCUS:
        SplitterApi<C>::NotifyParent(hwnd, NM_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        SplitterApi<C>::NotifyParent(hwnd, NM_KILLFOCUS);
        return 0;
    case WM_PAINT:
        OnPaint<C>(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        return OnSetFont(hwnd, s, wParam, lParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->hFont);
    case WM_NOTIFY:
    case WM_COMMAND:
        return OnForward<C>(hwnd, message, wParam, lParam);
    case WM_MOUSEMOVE:
        return OnMouseMove<C>(hwnd, s, lParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown<C>(hwnd, s, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp<C>(hwnd, s, lParam);
    case WM_CAPTURECHANGED:
        return OnCaptureChanged<C>(hwnd, s, lParam);
    case WM_THEMECHANGED:
        if (s->hTheme)
            OrvccCloseThemeData(s->hTheme);
        s->hTheme = OpenControlTheme(hwnd, L"GLOBALS");
        return 0;
    case SPM_SETPANE1:
    case SPM_SETPANE2: {
        AccessWatch watch(hwnd, &kSplitterAccess);
        return OnSetPane<C>(hwnd, message == SPM_SETPANE1 ? &s->hwndPane1 : &s->hwndPane2, wParam, lParam);
    }
    case SPM_GETPANE1:
        return OnGetPane(s->hwndPane1);
    case SPM_GETPANE2:
        return OnGetPane(s->hwndPane2);
    case SPM_RECALC:
        Recalc<C>(hwnd);
        return 0;
    case SPM_SETPOS:
        return OnSetPos<C>(hwnd, s, lParam);
    case SPM_GETPOS:
        return OnGetPos(s, lParam);
    case SPM_SETFLAGS: {
        AccessWatch watch(hwnd, &kSplitterAccess);
        return OnSetFlags<C>(hwnd, s, wParam, lParam);
    }
    case SPM_GETFLAGS:
        return s->flags & static_cast<DWORD>(wParam);
    case SPM_SETBARWIDTH:
        return OnSetBarWidth<C>(hwnd, s, lParam);
    case SPM_GETBARWIDTH:
        return s->barWidth;
    case WM_GETOBJECT:
        return AccessGetObject(hwnd, wParam, lParam, &kSplitterAccess);
    default:
        return SplitterApi<C>::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK SplitterWndProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc<char>(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SplitterWndProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc<WCHAR>(hwnd, message, wParam, lParam);
}
