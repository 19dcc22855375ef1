// Web link painting: an off-screen bitmap of the client size, the custom-draw
// stages towards the parent, the (themed) parent background, the text and the
// focus rectangle, then one block transfer of the invalid rectangle.
#include "weblink.h"

#include "backbuffer.h"

namespace {

// Text layout from the button alignment styles; always a single line.
UINT TextFormat(LONG_PTR style)
{
    UINT format = DT_SINGLELINE;
    switch (style & BS_CENTER) {
    case BS_CENTER:
        format |= DT_CENTER;
        break;
    case BS_RIGHT:
        format |= DT_RIGHT;
        break;
    default:
        format |= DT_LEFT;
        break;
    }
    switch (style & BS_VCENTER) {
    case BS_VCENTER:
        format |= DT_VCENTER;
        break;
    case BS_BOTTOM:
        format |= DT_BOTTOM;
        break;
    default:
        format |= DT_TOP;
        break;
    }
    return format;
}

UINT ItemState(HWND hwnd, DWORD flags)
{
    if (!IsWindowEnabled(hwnd))
        return CDIS_DISABLED;
    UINT state = 0;
    if (flags & kLinkHot)
        state |= CDIS_HOT;
    if (flags & kLinkFocused)
        state |= CDIS_FOCUS;
    if (flags & kLinkPressed)
        state |= CDIS_SELECTED;
    return state;
}

template <class C>
LRESULT SendCustomDraw(NMCUSTOMDRAW *record, DWORD stage)
{
    record->dwDrawStage = stage;
    return Win<C>::SendMessage(GetParent(record->hdr.hwndFrom), WM_NOTIFY, record->hdr.idFrom,
                               reinterpret_cast<LPARAM>(record));
}

void DrawBackground(HWND hwnd, HDC dc, const RECT *rect)
{
    if (OrvccIsThemeDialogTextureEnabled(GetParent(hwnd)) &&
        OrvccDrawThemeParentBackground(hwnd, dc, rect) >= 0)
        return;
    FillRect(dc, rect, ControlSysColorBrush(COLOR_BTNFACE));
}

bool Underlined(DWORD flags)
{
    const bool hot = (flags & kLinkHot) != 0;
    switch (flags & WLS_UNDERLINEMASK) {
    case WLS_UNDERLINEALWAYS:
        return true;
    case WLS_UNDERLINENOTHOT:
        return !hot;
    case WLS_UNDERLINEHOT:
        return hot;
    default:
        return false;
    }
}

template <class C>
COLORREF LinkColor(const WebLinkState<C> *state)
{
    const bool hotColor = (state->dwFlags & kLinkHot) && !(state->dwFlags & WLS_NOHOTCOLOR) &&
                          osVersion >= 0x00040001;
    return ControlSysColor(state->hTheme, hotColor ? COLOR_HOTLIGHT : COLOR_HIGHLIGHT);
}

// The window text into a heap block (a long text would not fit on the stack);
// NULL for an empty text or no memory.
template <class C>
C *WindowText(HWND hwnd, int *length)
{
    *length = static_cast<int>(Win<C>::SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
    if (*length <= 0)
        return NULL;
    C *text = static_cast<C *>(HeapAlloc(GetProcessHeap(), 0, (*length + 1) * sizeof(C)));
    if (!text)
        return NULL;
    *length = static_cast<int>(
        Win<C>::SendMessage(hwnd, WM_GETTEXT, *length + 1, reinterpret_cast<LPARAM>(text)));
    if (*length <= 0) {
        HeapFree(GetProcessHeap(), 0, text);
        return NULL;
    }
    return text;
}

// Default text drawing: the text in the record's rectangle and, when focused, the
// focus rectangle just inside it.
template <class C>
void DrawLinkText(HWND hwnd, const WebLinkState<C> *state, NMCUSTOMDRAW *record)
{
    const LONG_PTR style = Win<C>::GetWindowLongPtr(hwnd, GWL_STYLE);
    int length = 0;
    C *text = WindowText<C>(hwnd, &length);
    if (!text)
        return;
    Win<C>::DrawText(record->hdc, text, length, &record->rc, TextFormat(style));
    HeapFree(GetProcessHeap(), 0, text);
    if ((record->uItemState & CDIS_FOCUS) && !(state->dwFlags & WLS_NOFOCUSRECT)) {
        RECT focus = record->rc;
        const int border = GetSystemMetrics(SM_CXBORDER);
        InflateRect(&focus, -border, -border);
        DrawFocusRect(record->hdc, &focus);
    }
}

}  // namespace

template <class C>
void WebLinkPaint(HWND hwnd, WebLinkState<C> *state)
{
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    BackBuffer buffer;
    BeginBackBuffer(ps, client.right, client.bottom, &buffer);
    HDC memory = buffer.dc;

    NMCUSTOMDRAW record;
    ZeroMemory(&record, sizeof record);
    record.hdr.hwndFrom = hwnd;
    record.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    record.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    record.hdc = memory;
    record.rc = client;
    record.dwItemSpec = 0;
    record.uItemState = ItemState(hwnd, state->dwFlags);
    record.lItemlParam = state->lParam;

    // The parent may destroy the control while it handles a stage; then the
    // drawing stops and only the GDI objects are cleaned up.
    bool alive = true;
    LRESULT answer = SendCustomDraw<C>(&record, CDDS_PREERASE);
    alive = WebLinkAlive(hwnd, state);
    if (alive && !(answer & CDRF_SKIPDEFAULT)) {
        DrawBackground(hwnd, memory, &client);
        if (answer & CDRF_NOTIFYPOSTERASE) {
            SendCustomDraw<C>(&record, CDDS_POSTERASE);
            alive = WebLinkAlive(hwnd, state);
        }
    }

    const int oldMode = SetBkMode(memory, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(memory, alive ? LinkColor(state) : 0);
    HGDIOBJ oldFont = NULL;
    if (alive) {
        oldFont = SelectObject(memory, Underlined(state->dwFlags) ? state->hFontUnderline
                                                                  : state->hFontNormal);
        answer = SendCustomDraw<C>(&record, CDDS_PREPAINT);
        alive = WebLinkAlive(hwnd, state);
        if (alive && !(answer & CDRF_SKIPDEFAULT)) {
            DrawLinkText(hwnd, state, &record);
            if (answer & CDRF_NOTIFYPOSTPAINT)
                SendCustomDraw<C>(&record, CDDS_POSTPAINT);
        }
    }

    if (oldFont)
        SelectObject(memory, oldFont);
    SetTextColor(memory, oldColor);
    SetBkMode(memory, oldMode);
    FinishBackBuffer(ps, &buffer);
    EndPaint(hwnd, &ps);
}

template void WebLinkPaint<char>(HWND, WebLinkState<char> *);
template void WebLinkPaint<WCHAR>(HWND, WebLinkState<WCHAR> *);
