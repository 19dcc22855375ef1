// In-place editing, list view side: attaching, clicks, LVXM_EDITSUBITEM and the
// other messages the extended list view handles itself. The editors themselves
// are in editor.cpp.
#include "listview.h"

#include "display.h"

namespace {

bool IsOwnerDrawn(HWND listView)
{
    return (GetWindowLongPtrW(listView, GWL_STYLE) & LVS_OWNERDRAWFIXED) != 0;
}

// Row state (LVIS_FOCUSED | LVIS_SELECTED), through the grid when the parent is one.
template <class C>
UINT RowState(HWND listView, const ListViewEditState *state, int row, int column)
{
    if (!state->parentIsGrid)
        return static_cast<UINT>(
            LvWin<C>::SendMessage(listView, LVM_GETITEMSTATE, row, LVIS_FOCUSED | LVIS_SELECTED));
    LVITEMA item = {};
    item.mask = LVIF_STATE;
    item.iItem = row;
    item.iSubItem = column;
    item.state = item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    return static_cast<UINT>(LvWin<C>::SendMessage(GetParent(listView), GCM_GETITEMSTATE, row,
                                                   reinterpret_cast<LPARAM>(&item)));
}

template <class C>
void FocusRow(HWND listView, const ListViewEditState *state, int row, int column)
{
    LVITEMA item = {};
    item.mask = LVIF_STATE;
    item.iItem = row;
    item.iSubItem = column;
    item.state = item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    if (state->parentIsGrid) {
        LvWin<C>::SendMessage(GetParent(listView), GCM_SETITEMSTATE, row,
                              reinterpret_cast<LPARAM>(&item));
        LvWin<C>::SendMessage(listView, LVM_REDRAWITEMS, row, row);
    } else {
        LvWin<C>::SendMessage(listView, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
}

// A click on a cell of the focused row, later than a double-click would be, edits it.
template <class C>
LRESULT OnLButtonDown(HWND listView, ListViewEditState *state, WPARAM wParam, LPARAM lParam)
{
    const LONG_PTR style = LvWin<C>::GetWindowLongPtr(listView, GWL_STYLE);
    if ((style & LVS_EDITLABELS) == 0 || (style & 1) == 0)
        return LvWin<C>::CallWindowProc(state->previous, listView, WM_LBUTTONDOWN, wParam, lParam);
    const bool ownerDrawn = (style & LVS_OWNERDRAWFIXED) != 0;
    const DWORD time = static_cast<DWORD>(GetMessageTime());
    LRESULT result = 0;
    if (ownerDrawn)
        TakeFocus(listView);
    else
        result =
            LvWin<C>::CallWindowProc(state->previous, listView, WM_LBUTTONDOWN, wParam, lParam);
    state = EditStateOf<C>(listView);  // the click may have ended an edit, and the parent
    if (!state)                        // may have destroyed the list view meanwhile
        return result;
    LVHITTESTINFO hit = {};
    hit.pt.x = static_cast<short>(LOWORD(lParam));
    hit.pt.y = static_cast<short>(HIWORD(lParam));
    LvWin<C>::SendMessage(listView, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem < 0)
        return result;
    if (hit.iSubItem == 0 && (state->flags & LVEOF_NOFIRSTCOLUMN))
        return result;
    if ((RowState<C>(listView, state, hit.iItem, hit.iSubItem) & LVIS_FOCUSED) == 0) {
        if (ownerDrawn || hit.iSubItem > 0)
            FocusRow<C>(listView, state, hit.iItem, hit.iSubItem);
        if ((state = EditStateOf<C>(listView)) != NULL)
            state->timeStamp = time;
        return result;
    }
    if (hit.iSubItem == 0) {
        if (!ownerDrawn)
            return result;
        RECT icon = {LVIR_ICON, 0, 0, 0};
        LvWin<C>::SendMessage(listView, LVM_GETITEMRECT, hit.iItem,
                              reinterpret_cast<LPARAM>(&icon));
        if (PtInRect(&icon, hit.pt))
            return result;
    }
    const bool late =
        static_cast<LONG>(time - state->timeStamp) > static_cast<LONG>(GetDoubleClickTime());
    state->timeStamp = time;
    if (late)
        OpenCellEditor(listView, hit.iItem, hit.iSubItem);
    return result;
}

// Ends the open edit: with its end notification, or silently when cancelled.
template <class C>
void CloseEditor(ListViewEditState *state)
{
    HWND editor = state->editor;
    state->editor = NULL;
    state->descriptor = static_cast<DWORD>(-1);
    if (editor && IsWindow(editor))
        DestroyEditor(editor);
}

// LVXM_EDITSUBITEM and LVM_EDITLABELA (column 0).
template <class C>
LRESULT OnEditSubItem(HWND listView, ListViewEditState *state, UINT message, int row, int column)
{
    state->timeStamp = static_cast<DWORD>(GetMessageTime());
    if (column == 0 && (row != -1 || message != LVXM_EDITSUBITEM) && !IsOwnerDrawn(listView)) {
        // Column 0 of a plain list view is its own label editing.
        return LvWin<C>::CallWindowProc(
            state->previous, listView, message == LVXM_EDITSUBITEM ? LvWin<C>::kEditLabel : message,
            row, 0);
    }
    CloseEditor<C>(state);
    if (row == -1 || !EditStateOf<C>(listView))
        return 0;
    return reinterpret_cast<LRESULT>(OpenCellEditor(listView, row, column));
}

template <class C>
void OnNotifyFormatRequery(HWND listView, ListViewEditState *state, HWND from)
{
    if (state->editor)
        LvWin<C>::SendMessage(state->editor, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(from),
                              NF_REQUERY);
    if ((state = EditStateOf<C>(listView)) != NULL && IsWindow(from))
        state->unicode = AsksForUnicode<C>(from, listView);
}

// Dark mode came or went: the open editor takes the theme classes in effect.
void OnDarkModeChanged(const ListViewEditState *state)
{
    if (state->editor && IsWindow(state->editor)) {
        ControlApplyDarkTheme(state->editor);
        RedrawWindow(state->editor, NULL, NULL,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

// The colours of the editor (or a part of it, such as a combo box's list) while dark
// mode is in effect; null when the list view's own answer stands.
HBRUSH OnEditorColor(const ListViewEditState *state, HDC dc, HWND from)
{
    if (!DarkModeActive() || !state->editor || !from ||
        (from != state->editor && !IsChild(state->editor, from) &&
         GetParent(from) != state->editor))
        return NULL;
    SetTextColor(dc, ControlSysColor(NULL, COLOR_WINDOWTEXT));
    SetBkColor(dc, ControlSysColor(NULL, COLOR_WINDOW));
    return ControlSysColorBrush(COLOR_WINDOW);
}

template <class C>
LRESULT CALLBACK EditListViewProc(HWND listView, UINT message, WPARAM wParam, LPARAM lParam);

template <class C>
LRESULT Detach(HWND listView, ListViewEditState *state, UINT message, WPARAM wParam, LPARAM lParam)
{
    // An editor still open dies with the list view; its text is not offered.
    if (state->editor && IsWindow(state->editor)) {
        HWND editor = state->editor;
        state->editor = NULL;
        CancelCellEditor(editor);
        DestroyEditor(editor);
    }
    const WNDPROC previous = state->previous;
    LvWin<C>::RemoveProp(listView, LvWin<C>::EditProp());
    if (ProcIsOnTop<C>(listView, EditListViewProc<C>))
        ReplaceProc<C>(listView, previous);
    HeapFree(GetProcessHeap(), 0, state);
    return LvWin<C>::CallWindowProc(previous, listView, message, wParam, lParam);
}

UINT EditorFocusLeftMessage(void)
{
    static UINT message;
    if (!message)
        message = RegisterWindowMessageA("OrvccCellEditorFocusLeft");
    return message;
}

template <class C>
LRESULT CALLBACK EditListViewProc(HWND listView, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListViewEditState *state = EditStateOf<C>(listView);
    if (!state)
        return LvWin<C>::DefWindowProc(listView, message, wParam, lParam);
    const WNDPROC previous = state->previous;
    if (message == DarkModeMessage())
        OnDarkModeChanged(state);
    if (message == EditorFocusLeftMessage()) {
        HWND editor = reinterpret_cast<HWND>(lParam);
        if (editor && editor == state->editor)
            ListViewEditorFocusLeft(editor);
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        // A combo box editor whose edit field lost the focus: the end comes once the
        // field's own handling is over (the posted message checks where the focus is).
        if (state->editor && reinterpret_cast<HWND>(lParam) == state->editor &&
            HIWORD(wParam) == CBN_KILLFOCUS)
            LvWin<C>::PostMessage(listView, EditorFocusLeftMessage(), 0, lParam);
        break;
    case WM_LBUTTONDOWN:
        return OnLButtonDown<C>(listView, state, wParam, lParam);
    case LVXM_EDITSUBITEM:
        return OnEditSubItem<C>(listView, state, message, static_cast<int>(wParam),
                                static_cast<int>(lParam));
    case LVM_EDITLABELA:
        return OnEditSubItem<C>(listView, state, message, static_cast<int>(wParam), 0);
    case LVM_GETEDITCONTROL:
        if (state->descriptor == 0 && state->editor)
            return reinterpret_cast<LRESULT>(state->editor);
        break;
    case WM_SETFOCUS: {
        state->timeStamp = static_cast<DWORD>(GetMessageTime());
        // Back from an editor, a screen reader follows the focus to the edited row.
        const bool fromEditor = state->focusFromEditor != FALSE;
        state->focusFromEditor = FALSE;
        const LRESULT result =
            LvWin<C>::CallWindowProc(previous, listView, message, wParam, lParam);
        if (fromEditor && IsWindow(listView) && GetFocus() == listView)
            ListViewTellFocusedItem(listView);
        return result;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        TakeFocus(listView);
        break;
    case kWmDpiChanged:
    case kWmDpiChangedAfterParent:
        // The rows are laid out anew, so an open edit ends as when scrolling.
        if (state->editor)
            TakeFocus(listView);
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush =
                OnEditorColor(state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_NOTIFY: {
        const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
        if (header && (header->code == HDN_BEGINTRACKA || header->code == HDN_BEGINTRACKW ||
                       header->code == HDN_BEGINDRAG))
            TakeFocus(listView);
        // An extended combo box editor's edit field reports its end here instead.
        if (header && state->editor && header->hwndFrom == state->editor &&
            (header->code == CBEN_ENDEDITA || header->code == CBEN_ENDEDITW))
            LvWin<C>::PostMessage(listView, EditorFocusLeftMessage(), 0,
                                  reinterpret_cast<LPARAM>(state->editor));
        // The grid's own column header is dark in dark mode; a host's stays its own.
        LRESULT result;
        if (state->parentIsGrid && ControlDarkHeaderDraw(lParam, &result))
            return result;
        break;
    }
    case WM_NOTIFYFORMAT:
        if (lParam == NF_REQUERY)
            OnNotifyFormatRequery<C>(listView, state, reinterpret_cast<HWND>(wParam));
        break;
    case WM_GETDLGCODE:
        return LvWin<C>::CallWindowProc(previous, listView, message, wParam, lParam) |
               DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (state->parentIsGrid &&
            LvWin<C>::SendMessage(GetParent(listView), WM_KEYDOWN, wParam, lParam) != 0)
            return 0;
        break;
    case WM_DESTROY:
        if (ProcIsOnTop<C>(listView, EditListViewProc<C>))
            return Detach<C>(listView, state, message, wParam, lParam);
        break;
    case WM_NCDESTROY:
        return Detach<C>(listView, state, message, wParam, lParam);
    }
    // The handlers above may have ended an edit, and the parent may have destroyed
    // the list view when told.
    if (!IsWindow(listView))
        return 0;
    return LvWin<C>::CallWindowProc(previous, listView, message, wParam, lParam);
}

}  // namespace

template <class C>
BOOL AttachEditOption(HWND listView, const LVEDITOPTION *option)
{
    HWND parent = GetParent(listView);
    ListViewEditState *state = EditStateOf<C>(listView);
    if (!state) {
        state = static_cast<ListViewEditState *>(
            HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ListViewEditState)));
        if (!state) {
            SetLastError(ERROR_OUTOFMEMORY);
            return FALSE;
        }
        state->descriptor = static_cast<DWORD>(-1);
        state->timeStamp = GetTickCount();
        state->flags = option->dwFlags;
        state->editMsg = option->uEditMsg;
        // The property must be there before the first message reaches the procedure.
        LvWin<C>::SetProp(listView, LvWin<C>::EditProp(), state);
        state->previous = ReplaceProc<C>(listView, EditListViewProc<C>);
        state->unicode = AsksForUnicode<C>(parent, listView);
    }
    state->parentIsGrid = parent && ClassNameIs<C>(parent, "ORV_GridControlClass");
    state->flags = option->dwFlags;
    state->editMsg = option->uEditMsg;
    LvWin<C>::SetProp(listView, LvWin<C>::EditProp(), state);
    return TRUE;
}
template BOOL AttachEditOption<char>(HWND, const LVEDITOPTION *);
template BOOL AttachEditOption<WCHAR>(HWND, const LVEDITOPTION *);
