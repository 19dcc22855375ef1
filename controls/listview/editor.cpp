// In-place editors: opening an edit control or combo box over a cell, its keys and
// focus, widening while typing, and the end of the edit. Everything here runs in
// the character width that the list view's parent asked for (N), which may differ
// from the list view's own.
#include "listview.h"

#include "display.h"

namespace {

const int kInitialText = 32;   // characters; the cell text buffer grows in these steps
const int kMaxText = 1 << 20;  // a list view that never stops filling the buffer

template <class N>
InPlaceEditorState *EditorStateOf(HWND editor)
{
    return static_cast<InPlaceEditorState *>(LvWin<N>::GetProp(editor, LvWin<N>::EditProp()));
}

void *Allocate(size_t bytes)
{
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
}

void Free(void *block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

// The cell's whole text in a buffer of the library's own (null when out of memory);
// *capacity receives its size in characters.
WCHAR *ReadCellTextW(HWND listView, int row, int column, int *capacity)
{
    LVITEMW item = {};
    WCHAR *text = NULL;
    for (int size = kInitialText; size <= kMaxText; size += kInitialText) {
        WCHAR *grown = static_cast<WCHAR *>(
            text ? HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, text, size * sizeof(WCHAR))
                 : Allocate(size * sizeof(WCHAR)));
        if (!grown)
            break;
        text = grown;
        *capacity = size;
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = size;
        if (SendMessageW(listView, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)) !=
            size - 1)
            break;
    }
    if (text)
        text[*capacity - 1] = 0;
    return text;
}

template <class N>
N *ReadCellText(HWND listView, int row, int column, int *capacity);

template <>
WCHAR *ReadCellText<WCHAR>(HWND listView, int row, int column, int *capacity)
{
    return ReadCellTextW(listView, row, column, capacity);
}

// The list view's ANSI text request writes past the end of a buffer that is too
// short for the text, so the ANSI text is converted from the Unicode one.
template <>
char *ReadCellText<char>(HWND listView, int row, int column, int *capacity)
{
    int wideCapacity = 0;
    WCHAR *wide = ReadCellTextW(listView, row, column, &wideCapacity);
    if (!wide)
        return NULL;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, NULL, 0, NULL, NULL);
    const int size = (bytes / kInitialText + 1) * kInitialText;
    char *text = static_cast<char *>(Allocate(size));
    if (text) {
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, size, NULL, NULL);
        *capacity = size;
    }
    Free(wide);
    return text;
}

HFONT EditorFont(HWND editor)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(editor, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

template <class N>
int TextWidth(HWND editor, const N *text, int length)
{
    HDC dc = GetDC(editor);
    if (!dc)
        return 0;
    HGDIOBJ old = SelectObject(dc, EditorFont(editor));
    SIZE size = {};
    LvWin<N>::GetTextExtent(dc, text, length, &size);
    SelectObject(dc, old);
    ReleaseDC(editor, dc);
    return size.cx;
}

// The editor's window text (null when out of memory); *length in characters.
template <class N>
N *EditorText(HWND editor, int *length)
{
    const int size = LvWin<N>::GetWindowTextLength(editor) + 1;
    N *text = static_cast<N *>(Allocate(size * sizeof(N)));
    *length = text ? LvWin<N>::GetWindowText(editor, text, size) : 0;
    return text;
}

// Widens an edit control that its text is about to outgrow.
template <class N>
void Widen(HWND editor)
{
    int length = 0;
    N *text = EditorText<N>(editor, &length);
    if (!text)
        return;
    const int needed =
        TextWidth<N>(editor, text, length) + TextWidth<N>(editor, LvWin<N>::SpareText(), 2) + 6;
    Free(text);
    RECT client;
    GetClientRect(editor, &client);
    if (needed <= client.right)
        return;
    RECT frame = {0, 0, needed, client.bottom};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(editor, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(editor, GWL_EXSTYLE)));
    HWND listView = GetParent(editor);
    RECT place, bounds;
    GetWindowRect(editor, &place);
    MapWindowPoints(NULL, listView, reinterpret_cast<POINT *>(&place), 2);
    GetClientRect(listView, &bounds);
    const int width = frame.right - frame.left;
    if (GetWindowLongPtrW(editor, GWL_STYLE) & ES_RIGHT) {
        place.left = place.right - width;
        if (place.left < bounds.left)
            place.left = bounds.left;
    } else {
        place.right = place.left + width;
        if (place.right > bounds.right)
            place.right = bounds.right;
    }
    MoveWindow(editor, place.left, place.top, place.right - place.left, place.bottom - place.top,
               TRUE);
}

bool CellExists(HWND listView, int row, int column)
{
    HWND header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    return row >= 0 && row < SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0) && column >= 0 &&
           (column == 0 || column < SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

// Offers the editor's text to the parent; writes it into the cell when accepted.
template <class N>
void SendEndNotification(HWND editor, HWND listView, const InPlaceEditorState *editorState)
{
    int length = 0;
    N *text = EditorText<N>(editor, &length);
    if (!text)
        return;
    typename LvWin<N>::EditNotify notify = {};
    notify.hdr.hwndFrom = listView;
    notify.hdr.idFrom = GetDlgCtrlID(listView);
    notify.hdr.code = LvWin<N>::kEndEdit;
    notify.item.mask = LVIF_TEXT;
    notify.item.iItem = editorState->row;
    notify.item.iSubItem = editorState->column;
    notify.item.pszText = text;
    notify.item.cchTextMax = length;
    const WPARAM id = static_cast<WPARAM>(notify.hdr.idFrom);
    LRESULT accepted;
    if (editorState->combo) {
        notify.hwndEditor = editor;
        accepted = LvWin<N>::SendMessage(GetParent(listView), editorState->editMsg, id,
                                         reinterpret_cast<LPARAM>(&notify));
    } else {
        accepted = LvWin<N>::SendMessage(GetParent(listView), WM_NOTIFY, id,
                                         reinterpret_cast<LPARAM>(&notify));
    }
    // The parent may have removed the row or column, or the list view, meanwhile.
    if (accepted && IsWindow(listView) &&
        CellExists(listView, editorState->row, editorState->column))
        LvWin<N>::SendMessage(listView, LvWin<N>::kSetItemText, editorState->row,
                              reinterpret_cast<LPARAM>(&notify.item));
    Free(text);
}

template <class E>
LRESULT OnEditorDestroy(HWND editor, InPlaceEditorState *editorState, WPARAM wParam, LPARAM lParam);

// The focus has left the editor for newFocus: the edit ends and is offered to the
// parent, and the edited row is focused and selected again.
void EndOnFocusLoss(HWND editor, const InPlaceEditorState *editorState, HWND newFocus)
{
    HWND listView = GetParent(editor);
    if (newFocus == listView) {
        if (ListViewEditState *state = EditStateOf<WCHAR>(listView))
            state->focusFromEditor = TRUE;
    }
    LVITEMA item = {};
    item.state = item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(listView, LVM_SETITEMSTATE, editorState->row, reinterpret_cast<LPARAM>(&item));
    DestroyEditor(editor);
}

template <class E>
LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam)
{
    InPlaceEditorState *editorState = EditorStateOf<E>(editor);
    if (!editorState)
        return LvWin<E>::DefWindowProc(editor, message, wParam, lParam);
    const WNDPROC previous = editorState->previous;
    HWND listView = GetParent(editor);
    switch (message) {
    case WM_KEYDOWN:
        if (wParam != VK_RETURN && wParam != VK_ESCAPE)
            break;
        if (editorState->combo && LvWin<E>::SendMessage(editor, CB_GETDROPPEDSTATE, 0, 0) &&
            (wParam == VK_ESCAPE || !editorState->cancelled))
            break;  // the open list closes first
        if (wParam == VK_ESCAPE)
            editorState->cancelled = TRUE;
        TakeFocus(listView);
        return 0;
    case WM_GETDLGCODE:
        return LvWin<E>::CallWindowProc(previous, editor, message, wParam, lParam) |
               DLGC_WANTALLKEYS;
    case WM_KILLFOCUS: {
        // A combo box with an edit field hands the focus on to it: the edit goes on
        // until the focus leaves the field (ListViewEditorFocusLeft).
        HWND to = reinterpret_cast<HWND>(wParam);
        if (to && IsChild(editor, to))
            break;
        const LRESULT result = LvWin<E>::CallWindowProc(previous, editor, message, wParam, lParam);
        EndOnFocusLoss(editor, editorState, to);
        return result;
    }
    case WM_NOTIFYFORMAT:
        if (lParam == NF_REQUERY && IsWindow(reinterpret_cast<HWND>(wParam)))
            editorState->unicode = AsksForUnicode<E>(reinterpret_cast<HWND>(wParam), editor);
        break;
    case WM_CHAR:
        if (!editorState->combo)
            Widen<E>(editor);
        break;
    case WM_DESTROY:
        return OnEditorDestroy<E>(editor, editorState, wParam, lParam);
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT)
            return EditorGetObject(editor, wParam, lParam);
        break;
    }
    return LvWin<E>::CallWindowProc(previous, editor, message, wParam, lParam);
}

// Ending: the record leaves the window before anything is sent, so that whatever
// the parent does meanwhile reaches the plain editor only.
template <class E>
LRESULT OnEditorDestroy(HWND editor, InPlaceEditorState *editorState, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC previous = editorState->previous;
    LvWin<E>::RemoveProp(editor, LvWin<E>::EditProp());
    if (ProcIsOnTop<E>(editor, EditorProc<E>))
        ReplaceProc<E>(editor, previous);
    HWND listView = GetParent(editor);
    ListViewEditState *state = EditStateOf<E>(listView);
    if (state && state->editor == editor)
        state->editor = NULL;
    if (!editorState->cancelled && IsWindow(listView)) {
        if (editorState->unicode)
            SendEndNotification<WCHAR>(editor, listView, editorState);
        else
            SendEndNotification<char>(editor, listView, editorState);
    }
    Free(editorState);
    return LvWin<E>::CallWindowProc(previous, editor, WM_DESTROY, wParam, lParam);
}

struct CellPlace {
    RECT rect;  // the editor's rectangle in the list view's client area
    RECT client;
};

// Where the editor of (row, column) goes; false for a column narrower than 6 pixels.
template <class N>
bool PlaceEditor(HWND listView, int row, int column, CellPlace *place)
{
    LvWin<N>::SendMessage(listView, LVM_ENSUREVISIBLE, row, TRUE);
    const int width =
        static_cast<int>(LvWin<N>::SendMessage(listView, LVM_GETCOLUMNWIDTH, column, 0));
    if (width < 6)
        return false;
    int offset = 0;
    for (int i = 0; i < column; ++i)
        offset += static_cast<int>(LvWin<N>::SendMessage(listView, LVM_GETCOLUMNWIDTH, i, 0));
    RECT icon = {LVIR_ICON, 0, 0, 0};
    LvWin<N>::SendMessage(listView, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&icon));
    const int iconWidth = icon.right - icon.left;
    if (column == 0)
        offset += iconWidth;
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    LvWin<N>::SendMessage(listView, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    GetClientRect(listView, &place->client);
    if (bounds.left + offset < 0 || bounds.left + offset > place->client.right) {
        LvWin<N>::SendMessage(listView, LVM_SCROLL, bounds.left + offset, 0);
        bounds.left = LVIR_BOUNDS;
        LvWin<N>::SendMessage(listView, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    }
    RECT &r = place->rect;
    r.left = bounds.left + offset + 3;
    r.right = r.left + width - 6 - (column == 0 ? iconWidth : 0);
    if (r.right > place->client.right)
        r.right = place->client.right;
    r.top = bounds.top;
    r.bottom = bounds.bottom;
    return true;
}

template <class N>
HWND CreateEditor(HWND listView, int column, DWORD descriptor, const RECT &rect, const N *text)
{
    const bool custom = (descriptor & LVEOF_CUSTOMSTYLE) != 0;
    HINSTANCE instance =
        reinterpret_cast<HINSTANCE>(LvWin<N>::GetWindowLongPtr(listView, GWLP_HINSTANCE));
    if (descriptor & LVEOF_COMBOBOX) {
        const DWORD style = WS_CHILD | (custom ? (descriptor & LVEOF_STYLEMASK) : 0x00A00103);
        return LvWin<N>::CreateWindowEx((descriptor & LVEOF_COMBOBOXEX) ? LvWin<N>::ComboExClass()
                                                                        : LvWin<N>::ComboClass(),
                                        LvWin<N>::Empty(), style, rect, listView, instance);
    }
    typename LvWin<N>::LvColumn format = {};
    format.mask = LVCF_FMT;
    LvWin<N>::SendMessage(listView, LvWin<N>::kGetColumn, column,
                          reinterpret_cast<LPARAM>(&format));
    DWORD align = ES_LEFT;
    if ((format.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT)
        align = ES_RIGHT;
    else if ((format.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER)
        align = ES_CENTER;
    const DWORD style =
        WS_CHILD | align | (custom ? (descriptor & LVEOF_STYLEMASK) : WS_BORDER | ES_AUTOHSCROLL);
    return LvWin<N>::CreateWindowEx(LvWin<N>::EditClass(), text, style, rect, listView, instance);
}

// Sizes an edit control to its text within the client area.
template <class N>
void FitEditToText(HWND editor, const N *text, const CellPlace &place)
{
    RECT r = place.rect;
    const int width = TextWidth<N>(editor, text, LvWin<N>::lstrlen(text)) + 12;
    if (GetWindowLongPtrW(editor, GWL_STYLE) & ES_RIGHT)
        r.left = r.right - width;
    else
        r.right = r.left + width;
    if (r.left <= place.client.left)
        r.left = place.client.left;
    if (r.right >= place.client.right)
        r.right = place.client.right;
    MoveWindow(editor, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

template <class N>
HWND OpenEditor(HWND listView, ListViewEditState *state, int row, int column)
{
    CellPlace place;
    if (!PlaceEditor<N>(listView, row, column, &place))
        return NULL;
    HWND parent = GetParent(listView);
    typename LvWin<N>::EditNotify notify = {};
    notify.hdr.hwndFrom = listView;
    notify.hdr.idFrom = GetDlgCtrlID(listView);
    notify.item.iItem = row;
    notify.item.iSubItem = column;
    const WPARAM id = static_cast<WPARAM>(notify.hdr.idFrom);
    const UINT editMsg = state->editMsg;
    DWORD descriptor = state->flags & ~(LVEOF_STYLEMASK | LVEOF_CUSTOMSTYLE);
    if (state->flags & LVEOF_QUERYEDITOR) {
        notify.hdr.code = LvWin<N>::kFormat;
        descriptor = static_cast<DWORD>(
            LvWin<N>::SendMessage(parent, editMsg, id, reinterpret_cast<LPARAM>(&notify)));
        if ((state = EditStateOf<N>(listView)) == NULL || state->editor)
            return NULL;  // the parent destroyed the list view or opened an editor itself
    }
    int capacity = 0;
    N *text = ReadCellText<N>(listView, row, column, &capacity);
    if (!text)
        return NULL;
    notify.hdr.code = LvWin<N>::kBeginEdit;
    notify.item.mask = LVIF_TEXT;
    notify.item.pszText = text;
    notify.item.cchTextMax = capacity;
    const bool combo = (descriptor & LVEOF_COMBOBOX) != 0;
    HWND editor =
        CreateEditor<N>(listView, column, descriptor, place.rect, combo ? LvWin<N>::Empty() : text);
    state->editor = editor;
    if (!editor) {
        Free(text);
        return NULL;
    }
    InPlaceEditorState *editorState =
        static_cast<InPlaceEditorState *>(Allocate(sizeof *editorState));
    if (editorState) {
        editorState->row = row;
        editorState->column = column;
        editorState->unicode = state->unicode;
        editorState->combo = combo;
        editorState->editMsg = combo ? editMsg : 0;
        if (LvWin<N>::SetProp(editor, LvWin<N>::EditProp(), editorState)) {
            editorState->previous = ReplaceProc<N>(editor, EditorProc<N>);
        } else {
            Free(editorState);
            editorState = NULL;
        }
    }
    state->descriptor = descriptor & ~(LVEOF_STYLEMASK | LVEOF_CUSTOMSTYLE);
    if (!editorState) {
        DestroyWindow(editor);
        state->descriptor = static_cast<DWORD>(-1);
        state->editor = NULL;
        Free(text);
        return NULL;
    }
    if (DarkModeActive())
        ControlApplyDarkTheme(editor);
    HFONT font = reinterpret_cast<HFONT>(LvWin<N>::SendMessage(listView, WM_GETFONT, 0, 0));
    if (font)
        LvWin<N>::SendMessage(editor, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    LRESULT refused;
    if (combo) {
        RECT r = place.rect;
        HDC dc = GetDC(editor);
        TEXTMETRIC metric = {};
        if (dc) {
            GetTextMetrics(dc, &metric);
            ReleaseDC(editor, dc);
        }
        MoveWindow(editor, r.left, r.top, r.right - r.left, MulDiv(80, metric.tmHeight, 8), FALSE);
        notify.hwndEditor = editor;
        refused = LvWin<N>::SendMessage(parent, editMsg, id, reinterpret_cast<LPARAM>(&notify));
    } else {
        FitEditToText<N>(editor, text, place);
        refused = LvWin<N>::SendMessage(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&notify));
    }
    Free(text);
    // The parent may have destroyed the list view, or closed or replaced this editor.
    state = EditStateOf<N>(listView);
    if (!IsWindow(editor) || !state || state->editor != editor) {
        if (IsWindow(editor) && (!state || state->editor != editor)) {
            CancelCellEditor(editor);
            DestroyEditor(editor);
        }
        return NULL;
    }
    if (refused) {
        CancelCellEditor(editor);
        state->editor = NULL;
        DestroyEditor(editor);
        return NULL;
    }
    LVITEMA item = {};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    LvWin<N>::SendMessage(listView, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    if (!combo)
        LvWin<N>::SendMessage(editor, EM_SETSEL, 0, -1);
    if ((editorState = EditorStateOf<N>(editor)) != NULL)  // the row's change may have ended it
        editorState->shown = TRUE;
    ShowWindow(editor, SW_SHOW);
    if (IsWindow(editor))
        EditorTellShown(editor);
    SetFocus(editor);
    return IsWindow(editor) ? editor : NULL;
}

}  // namespace

void ListViewEditorFocusLeft(HWND editor)
{
    const InPlaceEditorState *editorState = EditorStateOf<WCHAR>(editor);
    HWND focus = GetFocus();
    if (editorState && !editorState->ending && focus != editor && !IsChild(editor, focus))
        EndOnFocusLoss(editor, editorState, focus);
}

void CancelCellEditor(HWND editor)
{
    InPlaceEditorState *editorState = EditorStateOf<WCHAR>(editor);
    if (editorState)
        editorState->cancelled = TRUE;
}

HWND OpenCellEditor(HWND listView, int row, int column)
{
    ListViewEditState *state = EditStateOf<WCHAR>(listView);
    if (!state)
        return NULL;
    if (state->editor) {  // at most one editor per list view
        HWND open = state->editor;
        state->editor = NULL;
        if (IsWindow(open))
            DestroyEditor(open);
        if ((state = EditStateOf<WCHAR>(listView)) == NULL)
            return NULL;
    }
    if (state->unicode)
        return OpenEditor<WCHAR>(listView, state, row, column);
    return OpenEditor<char>(listView, state, row, column);
}
