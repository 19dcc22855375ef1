// Grid control: the window procedure, the record, the grid's own messages and
// the forwarding of list-view messages and notifications to and from the child.
// One source, built as GridWndProcA (over char) and GridWndProcW (over WCHAR).
//
// Where odd input could do harm, the grid behaves as follows:
//  - A null record pointer (GCM_GETITEMSTATE, GCM_SETITEMSTATE, GCM_SETCOLORS,
//    GCM_GETCOLORS, LVM_SETITEMSTATE) is refused with 0.
//  - WM_DRAWITEM paints only rows of the grid's own child.
//  - A grid without a parent answers the child's format query in its own flavour.
#include "grid.h"

#include "display.h"

namespace {

const DWORD kDefaultFlags = GCS_HORZLINES | GCS_VERTLINES;
const UINT kEditRequest = WM_APP;
const DWORD kAllColors =
    GCC_BACK | GCC_TEXT | GCC_SELBACK | GCC_SELTEXT | GCC_HORZLINE | GCC_VERTLINE;
// In sysColors besides the GCC_* bits: the child's own background (below the
// rows), text and text background are the list view's defaults, not ones the
// application gave it.
const DWORD kChildBack = 0x40;
const DWORD kChildText = 0x80;
const DWORD kChildTextBack = 0x100;

// The colours in the order of their GCC_* bits.
void ColorFields(GridState *s, COLORREF *fields[6])
{
    fields[0] = &s->back;
    fields[1] = &s->text;
    fields[2] = &s->selBack;
    fields[3] = &s->selText;
    fields[4] = &s->horzLine;
    fields[5] = &s->vertLine;
}

// Takes the colours the application has not set from the system.
void ReadSystemColors(GridState *s)
{
    static const int indexes[6] = {COLOR_WINDOW,        COLOR_WINDOWTEXT, COLOR_HIGHLIGHT,
                                   COLOR_HIGHLIGHTTEXT, COLOR_3DFACE,     COLOR_3DFACE};
    COLORREF *fields[6];
    ColorFields(s, fields);
    for (int i = 0; i < 6; ++i)
        if (s->sysColors & (1u << i))
            *fields[i] = ControlSysColor(NULL, indexes[i]);
}

// A text colour of the list view as it was created, or the system's now when it
// held a system colour then (a default of the list view follows by itself).
COLORREF LightChildColor(COLORREF created, int index)
{
    return created == CLR_DEFAULT || created == CLR_NONE ? created : GetSysColor(index);
}

// The child's colours that the grid keeps, in the order of childGiven.
const DWORD kChildBits[3] = {kChildBack, kChildText, kChildTextBack};
const UINT kChildGet[3] = {LVM_GETBKCOLOR, LVM_GETTEXTCOLOR, LVM_GETTEXTBKCOLOR};
const UINT kChildSet[3] = {LVM_SETBKCOLOR, LVM_SETTEXTCOLOR, LVM_SETTEXTBKCOLOR};

// The child's colours now.
template <class C>
void ReadChildColors(const GridState *s, COLORREF colors[3])
{
    for (int i = 0; i < 3; ++i)
        colors[i] = static_cast<COLORREF>(Win<C>::SendMessage(s->child, kChildGet[i], 0, 0));
}

// Gives the child a default colour, unless the application set one of its own
// (through the grid, or straight to the child: then it differs from the given one).
template <class C>
void RenewChildColor(GridState *s, int i, COLORREF current, COLORREF value)
{
    if (!(s->sysColors & kChildBits[i]) || current != s->childGiven[i])
        return;
    if (value != current)
        Win<C>::SendMessage(s->child, kChildSet[i], 0, value);
    s->childGiven[i] = value;
}

// The child's default colours for the colours in effect (before: its colours
// before the change): its background always, its text colours (those of
// unselected cells) when they change between light and dark. Dark text colours
// only go with the default row background: on one the application chose, the
// light ones stay.
template <class C>
void ApplyChildColors(GridState *s, const COLORREF before[3])
{
    RenewChildColor<C>(s, 0, before[0], ControlSysColor(NULL, COLOR_WINDOW));
    const bool dark = DarkModeActive() && (s->sysColors & GCC_BACK);
    if (!dark && !s->childDark)
        return;
    RenewChildColor<C>(s, 1, before[1],
                       dark ? DarkSysColor(COLOR_WINDOWTEXT)
                            : LightChildColor(s->childTextLight, COLOR_WINDOWTEXT));
    RenewChildColor<C>(s, 2, before[2],
                       dark ? DarkSysColor(COLOR_WINDOW)
                            : LightChildColor(s->childTextBackLight, COLOR_WINDOW));
    s->childDark = dark;
}

// The child's text colours after the application set the row background.
template <class C>
void ApplyChildTextColors(GridState *s)
{
    COLORREF now[3];
    ReadChildColors<C>(s, now);
    now[0] = ~s->childGiven[0];  // its background is not the grid's concern here
    ApplyChildColors<C>(s, now);
}

// The child list view and its header take the theme classes in effect.
template <class C>
void ApplyChildTheme(const GridState *s)
{
    ControlApplyDarkTheme(s->child);
    ControlApplyDarkTheme(
        reinterpret_cast<HWND>(Win<C>::SendMessage(s->child, LVM_GETHEADER, 0, 0)));
}

// The child's font for the grid's DPI: a copy of the list view's own made for
// it, or the list view's own where that fits. A font the application gave the
// child stays.
template <class C>
void ApplyChildFont(HWND hwnd, GridState *s)
{
    HFONT current = reinterpret_cast<HFONT>(Win<C>::SendMessage(s->child, WM_GETFONT, 0, 0));
    if (!s->childBaseFont || (current != s->childBaseFont && current != s->childFont))
        return;
    HFONT made = CreateFontForDpi(s->childBaseFont, WindowDpi(hwnd));
    if (!made && current == s->childBaseFont)
        return;
    Win<C>::SendMessage(s->child, WM_SETFONT,
                        reinterpret_cast<WPARAM>(made ? made : s->childBaseFont), FALSE);
    if (s->childFont)
        DeleteObject(s->childFont);
    s->childFont = made;
}

// Gives the child back the list view's own font and deletes the copy.
template <class C>
void ReleaseChildFont(GridState *s)
{
    if (!s->childFont)
        return;
    if (IsWindow(s->child) &&
        reinterpret_cast<HFONT>(Win<C>::SendMessage(s->child, WM_GETFONT, 0, 0)) == s->childFont)
        Win<C>::SendMessage(s->child, WM_SETFONT, reinterpret_cast<WPARAM>(s->childBaseFont),
                            FALSE);
    DeleteObject(s->childFont);
    s->childFont = NULL;
}

// WM_DPICHANGED (a top-level grid, moved to the suggested place first) and
// WM_DPICHANGED_AFTERPARENT: the child's font follows the new DPI, the rows are
// laid out again from it, and all is drawn again. Nothing goes to the parent.
template <class C>
LRESULT OnDpiChanged(HWND hwnd, GridState *s, UINT message, LPARAM lParam)
{
    MoveToSuggestedDpiRect(hwnd, message, lParam);
    ApplyChildFont<C>(hwnd, s);
    RECT client;
    GetClientRect(hwnd, &client);
    MoveWindow(s->child, 0, 0, client.right, client.bottom, FALSE);
    RedrawWindow(s->child, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 0;
}

// Dark mode came or went: the default colours, the child's colours and theme
// classes follow; all is drawn again.
template <class C>
LRESULT OnDarkModeChanged(GridState *s)
{
    ReadSystemColors(s);
    COLORREF now[3];
    ReadChildColors<C>(s, now);
    ApplyChildColors<C>(s, now);
    ApplyChildTheme<C>(s);
    RedrawWindow(s->child, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 0;
}

// WM_SYSCOLORCHANGE, forwarded by the parent: the default colours follow the
// system, and the child list view is told too (its header); a list view keeps
// the background it took at creation, so unless the application gave it one, it
// gets the new window colour. All of it is drawn again.
template <class C>
LRESULT OnSysColorChange(GridState *s, WPARAM wParam, LPARAM lParam)
{
    ReadSystemColors(s);
    COLORREF before[3];
    ReadChildColors<C>(s, before);
    Win<C>::SendMessage(s->child, WM_SYSCOLORCHANGE, wParam, lParam);
    ApplyChildColors<C>(s, before);
    RedrawWindow(s->child, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

// The library's in-place editing of the child: the editor query and the combo
// box requests come to the grid as kEditRequest.
void AttachEditing(const GridState *s)
{
    LVEDITOPTION option;
    option.uOption = LVSO_EDITSUBITEMS;
    option.dwFlags = LVEOF_QUERYEDITOR;
    if (s->flags & GCS_FIXEDFIRSTCOLUMN)
        option.dwFlags |= LVEOF_NOFIRSTCOLUMN;
    option.uEditMsg = kEditRequest;
    ListViewSetSpecialOption(s->child, &option);
}

template <class C>
LRESULT OnCreate(HWND hwnd, const CREATESTRUCT *create)
{
    OrvccInitThemeHlp();
    GridState *s = static_cast<GridState *>(HeapAlloc(GetProcessHeap(), 0, sizeof(GridState)));
    if (!s) {
        SetLastError(ERROR_OUTOFMEMORY);
        return -1;
    }
    s->child = NULL;
    s->childProc = NULL;
    s->attachedProc = 0;
    s->toldRow = -1;
    s->toldColumn = -1;
    s->cursorWatches = 0;
    s->focusedColumn = -1;
    s->selectedColumn = -1;
    s->sysColors = kAllColors | kChildBack | kChildText | kChildTextBack;
    s->childBaseFont = NULL;
    s->childFont = NULL;
    s->childDark = FALSE;
    ReadSystemColors(s);
    s->flags = kDefaultFlags;
    s->editMessage = 0;
    s->userData = reinterpret_cast<LONG_PTR>(create->lpCreateParams);
    // The record is in place before the child exists: the child talks to the
    // grid while it is created.
    ControlSetState(hwnd, s);
    const DWORD passed =
        static_cast<DWORD>(create->style) & 0xFFFF & ~(0x0003u | LVS_OWNERDRAWFIXED);
    s->child = GridApi<C>::CreateChild(
        WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | passed, hwnd, create->hInstance);
    if (!s->child) {
        ControlSetState(hwnd, NULL);
        HeapFree(GetProcessHeap(), 0, s);
        return -1;
    }
    s->childProc = reinterpret_cast<WNDPROC>(Win<C>::GetWindowLongPtr(s->child, GWLP_WNDPROC));
    s->childTextLight =
        static_cast<COLORREF>(Win<C>::SendMessage(s->child, LVM_GETTEXTCOLOR, 0, 0));
    s->childTextBackLight =
        static_cast<COLORREF>(Win<C>::SendMessage(s->child, LVM_GETTEXTBKCOLOR, 0, 0));
    s->childBaseFont = reinterpret_cast<HFONT>(Win<C>::SendMessage(s->child, WM_GETFONT, 0, 0));
    ReadChildColors<C>(s, s->childGiven);
    ApplyChildFont<C>(hwnd, s);
    if (DarkModeActive()) {
        ApplyChildColors<C>(s, s->childGiven);
        ApplyChildTheme<C>(s);
    }
    AttachEditing(s);
    s->attachedProc = Win<C>::GetWindowLongPtr(s->child, GWLP_WNDPROC);
    return 0;
}

template <class C>
LRESULT OnDestroy(HWND hwnd, GridState *s)
{
    OrvccReleaseThemeHlp();
    ControlSetState(hwnd, NULL);
    if (s) {
        ReleaseChildFont<C>(s);
        HeapFree(GetProcessHeap(), 0, s);
    }
    return 0;
}

template <class C>
LRESULT OnNotifyFormat(HWND hwnd, GridState *s, WPARAM wParam, LPARAM lParam)
{
    if (lParam == NF_QUERY) {
        HWND parent = GetParent(hwnd);
        return parent ? Win<C>::SendMessage(parent, WM_NOTIFYFORMAT, wParam, lParam)
                      : GridApi<C>::kNotifyFormat;
    }
    if (lParam == NF_REQUERY && s)
        return Win<C>::SendMessage(s->child, WM_NOTIFYFORMAT, wParam, lParam);
    return Win<C>::DefWindowProc(hwnd, WM_NOTIFYFORMAT, wParam, lParam);
}

template <class C>
LRESULT OnNotify(HWND hwnd, const GridState *s, WPARAM wParam, LPARAM lParam)
{
    // A row of the child that gains the focus, noted before the parent may alter the record.
    int focused = -1;
    const NMLISTVIEW *change = reinterpret_cast<const NMLISTVIEW *>(lParam);
    if (s && change && change->hdr.hwndFrom == s->child && change->hdr.code == LVN_ITEMCHANGED &&
        (change->uChanged & LVIF_STATE) && (change->uNewState & ~change->uOldState & LVIS_FOCUSED))
        focused = change->iItem;
    HWND parent = GetParent(hwnd);
    const LRESULT result = parent ? Win<C>::SendMessage(parent, WM_NOTIFY, wParam, lParam) : 0;
    if (focused >= 0)
        GridAccessRowFocused(hwnd, focused);
    return result;
}

// Messages after which the cell cursor may stand elsewhere.
bool MayMoveCursor(UINT message, LPARAM lParam)
{
    switch (message) {
    case GCM_SETITEMSTATE:
    case LVM_SETITEMSTATE:
        return true;
    case LVM_SETITEMA:
    case LVM_SETITEMW:
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW: {
        const LVITEMW *item = reinterpret_cast<const LVITEMW *>(lParam);
        return item && (item->mask & LVIF_STATE) &&
               (item->stateMask & (LVIS_FOCUSED | LVIS_SELECTED));
    }
    default:
        return false;
    }
}

template <class C>
LRESULT OnSetColors(GridState *s, const GRIDCOLORS *colors)
{
    if (!colors || colors->cbSize < sizeof(GRIDCOLORS))
        return 0;
    COLORREF *fields[6];
    ColorFields(s, fields);
    const COLORREF values[6] = {colors->crBack,    colors->crText,     colors->crSelBack,
                                colors->crSelText, colors->crHorzLine, colors->crVertLine};
    for (int i = 0; i < 6; ++i)
        if (colors->fMask & (1u << i))
            *fields[i] = values[i];
    s->sysColors &= ~(colors->fMask & kAllColors);
    ApplyChildTextColors<C>(s);
    return 1;
}

LRESULT OnGetColors(const GridState *s, GRIDCOLORS *colors)
{
    if (!colors || colors->cbSize < sizeof(GRIDCOLORS))
        return 0;
    colors->fMask = GCC_BACK | GCC_TEXT | GCC_SELBACK | GCC_SELTEXT | GCC_HORZLINE | GCC_VERTLINE;
    colors->crBack = s->back;
    colors->crText = s->text;
    colors->crSelBack = s->selBack;
    colors->crSelText = s->selText;
    colors->crHorzLine = s->horzLine;
    colors->crVertLine = s->vertLine;
    return 1;
}

// The focused and selected columns follow an item record that sets state.
void TakeColumns(GridState *s, const LVITEMW *item)
{
    const UINT set = item->state & item->stateMask;
    if (set & LVIS_FOCUSED)
        s->focusedColumn = item->iSubItem;
    if (set & LVIS_SELECTED)
        s->selectedColumn = item->iSubItem;
}

// The grid's own messages (GCM_*); handled is cleared for any other message.
template <class C>
LRESULT OnGridMessage(HWND hwnd, GridState *s, UINT message, WPARAM wParam, LPARAM lParam,
                      bool *handled)
{
    *handled = true;
    const int row = static_cast<int>(wParam);
    switch (message) {
    case GCM_SETEDITMSG: {
        const UINT previous = s->editMessage;
        s->editMessage = static_cast<UINT>(lParam);
        return previous;
    }
    case GCM_GETITEMSTATE: {
        const LVITEMW *item = reinterpret_cast<const LVITEMW *>(lParam);
        return item ? GridCellState<C>(s, row, item->iSubItem, item->stateMask) : 0;
    }
    case GCM_SETITEMSTATE: {
        const LVITEMW *item = reinterpret_cast<const LVITEMW *>(lParam);
        return item ? GridSetCellState<C>(s, row, item) : 0;
    }
    case GCM_SETGRIDSTYLE: {
        const DWORD previous = s->flags;
        s->flags = static_cast<DWORD>(lParam);
        AttachEditing(s);
        return previous;
    }
    case GCM_GETGRIDSTYLE:
        return s->flags;
    case GCM_SETCOLORS:
        return OnSetColors<C>(s, reinterpret_cast<const GRIDCOLORS *>(lParam));
    case GCM_GETCOLORS:
        return OnGetColors(s, reinterpret_cast<GRIDCOLORS *>(lParam));
    case GCM_SETUSERDATA: {
        const LONG_PTR previous = s->userData;
        s->userData = lParam;
        return previous;
    }
    case GCM_GETUSERDATA:
        return s->userData;
    default:
        (void)hwnd;
        *handled = false;
        return 0;
    }
}

// List-view messages the grid looks at before or instead of the child.
template <class C>
LRESULT OnListViewMessage(HWND hwnd, GridState *s, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int row = static_cast<int>(wParam);
    switch (message) {
    case LVM_SETITEMSTATE: {
        if (!lParam)
            return 0;
        // Only the fields the state message reads: the caller's record may be
        // an older, shorter LVITEM.
        const LVITEMW *given = reinterpret_cast<const LVITEMW *>(lParam);
        LVITEMW item;
        ZeroMemory(&item, sizeof item);
        item.mask = given->mask;
        item.iItem = given->iItem;
        item.state = given->state;
        item.stateMask = given->stateMask;
        return GridSetCellState<C>(s, row, &item);
    }
    case LVM_GETITEMSTATE:
        return GridCellState<C>(s, row, 0, static_cast<UINT>(lParam));
    case LVM_GETITEMA:
    case LVM_GETITEMW: {
        const LRESULT result = Win<C>::SendMessage(s->child, message, wParam, lParam);
        LVITEMW *item = reinterpret_cast<LVITEMW *>(lParam);
        if (result && item && (item->mask & LVIF_STATE)) {
            // A sub-item reports the row's focus and selection too, refined to
            // its column (the child keeps them for column 0 only).
            const UINT mask = item->stateMask & (LVIS_FOCUSED | LVIS_SELECTED);
            const UINT row = static_cast<UINT>(
                Win<C>::SendMessage(s->child, LVM_GETITEMSTATE, item->iItem, mask));
            item->state = (item->state & ~mask) | GridRefineToColumn(s, item->iSubItem, row);
        }
        return result;
    }
    case LVM_SETITEMA:
    case LVM_SETITEMW:
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW: {
        const LVITEMW *item = reinterpret_cast<const LVITEMW *>(lParam);
        if (item && (item->mask & LVIF_STATE))
            TakeColumns(s, item);
        return Win<C>::SendMessage(s->child, message, wParam, lParam);
    }
    case LVM_SETBKCOLOR:
        s->back = static_cast<COLORREF>(lParam);
        s->sysColors &= ~(GCC_BACK | kChildBack);
        ApplyChildTextColors<C>(s);
        return Win<C>::SendMessage(s->child, message, wParam, lParam);
    case LVM_SETTEXTCOLOR:
        s->sysColors &= ~kChildText;
        return Win<C>::SendMessage(s->child, message, wParam, lParam);
    case LVM_SETTEXTBKCOLOR:
        s->sysColors &= ~kChildTextBack;
        return Win<C>::SendMessage(s->child, message, wParam, lParam);
    default:
        (void)hwnd;
        return Win<C>::SendMessage(s->child, message, wParam, lParam);
    }
}

// The grid's own messages, then the list-view messages.
template <class C>
LRESULT OnUserMessage(HWND hwnd, GridState *s, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool handled;
    const LRESULT result = OnGridMessage<C>(hwnd, s, message, wParam, lParam, &handled);
    return handled ? result : OnListViewMessage<C>(hwnd, s, message, wParam, lParam);
}

template <class C>
LRESULT OnEditRequest(HWND hwnd, const GridState *s, WPARAM wParam, LPARAM lParam)
{
    HWND parent = GetParent(hwnd);
    if (!s->editMessage || !parent)
        return 0;
    return Win<C>::SendMessage(parent, s->editMessage, wParam, lParam);
}

template <class C>
LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    GridState *s = ControlState<GridState>(hwnd);
    if (message == DarkModeMessage())
        return s ? OnDarkModeChanged<C>(s) : 0;
    switch (message) {
    case WM_CREATE:
        return OnCreate<C>(hwnd, reinterpret_cast<const CREATESTRUCT *>(lParam));
    case WM_DESTROY:
        return OnDestroy<C>(hwnd, s);
    case WM_NOTIFY:
        return OnNotify<C>(hwnd, s, wParam, lParam);
    case WM_NOTIFYFORMAT:
        return OnNotifyFormat<C>(hwnd, s, wParam, lParam);
    case WM_ERASEBKGND:
        return ControlOnEraseBkgnd();
    default:
        break;
    }
    if (!s)
        return message >= WM_USER && message <= WM_APP
                   ? 0
                   : Win<C>::DefWindowProc(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        MoveWindow(s->child, 0, 0, LOWORD(lParam), HIWORD(lParam), FALSE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(s->child);
        return 0;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        if (item && item->hwndItem == s->child && s->child)
            GridPaintRow<C>(s, item);
        return 0;
    }
    case WM_GETDLGCODE:
        return Win<C>::SendMessage(s->child, WM_GETDLGCODE, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN: {
        GridCursorWatch watch(hwnd, s);
        return GridOnKeyDown<C>(hwnd, s, wParam);
    }
    case WM_GETOBJECT:
        return GridGetObject(hwnd, wParam, lParam);
    case WM_SYSCOLORCHANGE:
        return OnSysColorChange<C>(s, wParam, lParam);
    case kWmDpiChanged:
    case kWmDpiChangedAfterParent:
        return OnDpiChanged<C>(hwnd, s, message, lParam);
    case kEditRequest:
        return OnEditRequest<C>(hwnd, s, wParam, lParam);
    default:
        break;
    }
    if (message >= WM_USER && message < WM_APP) {
        if (!MayMoveCursor(message, lParam))
            return OnUserMessage<C>(hwnd, s, message, wParam, lParam);
        GridCursorWatch watch(hwnd, s);
        return OnUserMessage<C>(hwnd, s, message, wParam, lParam);
    }
    return Win<C>::DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

template <class C>
UINT GridCellState(const GridState *s, int row, int column, UINT mask)
{
    const UINT state =
        static_cast<UINT>(Win<C>::SendMessage(s->child, LVM_GETITEMSTATE, row, mask));
    return GridRefineToColumn(s, column, state);
}

template <class C>
BOOL GridSetCellState(GridState *s, int row, const LVITEMW *item)
{
    if (!Win<C>::SendMessage(s->child, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(item)))
        return FALSE;
    TakeColumns(s, item);
    return TRUE;
}

template <class C>
int GridColumnCount(const GridState *s)
{
    HWND header = reinterpret_cast<HWND>(Win<C>::SendMessage(s->child, LVM_GETHEADER, 0, 0));
    if (!header)
        return 0;
    const LRESULT count = Win<C>::SendMessage(header, HDM_GETITEMCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

template UINT GridCellState<char>(const GridState *, int, int, UINT);
template UINT GridCellState<WCHAR>(const GridState *, int, int, UINT);
template BOOL GridSetCellState<char>(GridState *, int, const LVITEMW *);
template BOOL GridSetCellState<WCHAR>(GridState *, int, const LVITEMW *);
template int GridColumnCount<char>(const GridState *);
template int GridColumnCount<WCHAR>(const GridState *);

LRESULT CALLBACK GridWndProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc<char>(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK GridWndProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc<WCHAR>(hwnd, message, wParam, lParam);
}
