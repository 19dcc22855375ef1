// Grid control (ORV_GridControlClass): the per-window record and the routines
// that its source files share (internal). grid.cpp holds the window procedure
// and the messages, paint.cpp the row painting, input.cpp the keyboard
// navigation of the cell cursor, access.cpp what screen readers are told. Each
// routine over the character type is built twice, for the ANSI (char) and the
// Unicode (WCHAR) procedure.
#pragma once

#include "control.h"

struct GridState {
    HWND child;          // the owner-drawn report list view (id 100)
    int focusedColumn;   // column of the focused cell, -1 = none
    int selectedColumn;  // column of the selected cell (the cursor column), -1 = none
    COLORREF back;       // row background, CLR_NONE = not filled
    COLORREF text;       // text of unselected rows (full-row mode)
    COLORREF selBack;
    COLORREF selText;
    COLORREF horzLine;
    COLORREF vertLine;
    DWORD flags;       // GCS_* | vertical pen style << 8 | horizontal pen style
    UINT editMessage;  // message of the parent for editing requests, 0 = none
    LONG_PTR userData;
    // Painting asks the child many questions per row. While the child's window
    // procedure is still the one the editing option left (attachedProc), the
    // questions go straight to the list view's own procedure (childProc), which
    // answers them exactly as the editing layer would pass them on.
    WNDPROC childProc;
    LONG_PTR attachedProc;
    // GCC_* bits of the colours still taken from the system: set at creation,
    // cleared for each colour the application sets.
    DWORD sysColors;
    // Where screen readers were last told the cell cursor is (-1: nowhere yet), and
    // how many messages that may move it are running (told when the outermost ends).
    int toldRow;
    int toldColumn;
    int cursorWatches;
    // The child's font: the list view's own (childBaseFont), or a copy of it made
    // for the grid's DPI (childFont, owned; null while the list view's own fits).
    HFONT childBaseFont;
    HFONT childFont;
    // The child's text colours as it was created (restored when dark mode ends),
    // and whether dark ones were given to it.
    COLORREF childTextLight;
    COLORREF childTextBackLight;
    BOOL childDark;
    // The child's background, text and text background colours as the grid last
    // gave them (or found them): a different one is the application's own.
    COLORREF childGiven[3];
};

const int kGridChildId = 100;
const UINT kEditSubItemMessage = LVXM_EDITSUBITEM;

// Calls and messages that differ by character width, beyond the traits of flavour.h.
template <class C>
struct GridApi;

template <>
struct GridApi<char> : Win<char> {
    typedef LVITEMA Item;
    typedef LVCOLUMNA Column;
    static const UINT kGetItem = LVM_GETITEMA;
    static const UINT kGetColumn = LVM_GETCOLUMNA;
    static const UINT kGetItemText = LVM_GETITEMTEXTA;
    static const LRESULT kNotifyFormat = NFR_ANSI;
    static HWND CreateChild(DWORD style, HWND parent, HINSTANCE instance)
    {
        return ::CreateWindowExA(0, WC_LISTVIEWA, "", style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGridChildId)),
                                 instance, NULL);
    }
    // The extent of text, and in partial[i] that of its first i + 1 characters.
    static BOOL TextExtentEx(HDC dc, const char *text, int length, int *partial, SIZE *size)
    {
        return ::GetTextExtentExPointA(dc, text, length, 0, NULL, partial, size);
    }
    // Length of the last character of text[0..length) (two bytes for a
    // double-byte character of the ANSI code page).
    static int LastCharLength(const char *text, int length)
    {
        return static_cast<int>(text + length - ::CharPrevA(text, text + length));
    }
};

template <>
struct GridApi<WCHAR> : Win<WCHAR> {
    typedef LVITEMW Item;
    typedef LVCOLUMNW Column;
    static const UINT kGetItem = LVM_GETITEMW;
    static const UINT kGetColumn = LVM_GETCOLUMNW;
    static const UINT kGetItemText = LVM_GETITEMTEXTW;
    static const LRESULT kNotifyFormat = NFR_UNICODE;
    static HWND CreateChild(DWORD style, HWND parent, HINSTANCE instance)
    {
        return ::CreateWindowExW(0, WC_LISTVIEWW, L"", style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGridChildId)),
                                 instance, NULL);
    }
    // The extent of text, and in partial[i] that of its first i + 1 characters.
    static BOOL TextExtentEx(HDC dc, const WCHAR *text, int length, int *partial, SIZE *size)
    {
        return ::GetTextExtentExPointW(dc, text, length, 0, NULL, partial, size);
    }
    // A surrogate pair counts as one character.
    static int LastCharLength(const WCHAR *text, int length)
    {
        if (length >= 2 && text[length - 1] >= 0xDC00 && text[length - 1] <= 0xDFFF &&
            text[length - 2] >= 0xD800 && text[length - 2] <= 0xDBFF)
            return 2;
        return 1;
    }
};

// Row state bits as a cell's: focused and selected only in their columns.
inline UINT GridRefineToColumn(const GridState *s, int column, UINT state)
{
    if (column != s->focusedColumn)
        state &= ~static_cast<UINT>(LVIS_FOCUSED);
    if (column != s->selectedColumn)
        state &= ~static_cast<UINT>(LVIS_SELECTED);
    return state;
}

// GCM_GETITEMSTATE: the child's state bits of the row for mask, with the focus
// and selection bits refined to the column.
template <class C>
UINT GridCellState(const GridState *s, int row, int column, UINT mask);

// GCM_SETITEMSTATE: sets the row state; on success the focused and selected
// columns follow item->iSubItem as the state and mask say. FALSE when the child
// refuses.
template <class C>
BOOL GridSetCellState(GridState *s, int row, const LVITEMW *item);

// Number of columns of the child (its header's item count; 0 without a header).
template <class C>
int GridColumnCount(const GridState *s);

// WM_DRAWITEM from the child: paints one row.
template <class C>
void GridPaintRow(GridState *s, const DRAWITEMSTRUCT *item);

// Shortens text in place to fit width with an ellipsis (string IDS_ELLIPSIS): returns
// its new length. text has room for 32 more characters than length.
template <class C>
int GridFitWithEllipsis(HDC dc, C *text, int length, int width, int margin);

// WM_KEYDOWN offered by the child: nonzero when the key is consumed.
template <class C>
LRESULT GridOnKeyDown(HWND hwnd, GridState *s, WPARAM key);

// Accessibility (gridaccess.cpp).
// WM_GETOBJECT: the grid's table object, whose value is the current cell.
LRESULT GridGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam);
// After the child's notification that row gained the focus went to the parent
// (which may have destroyed the grid meanwhile).
void GridAccessRowFocused(HWND hwnd, int row);

// Around a message that may move the cell cursor: when the outermost watch ends,
// screen readers are told where the cursor went.
class GridCursorWatch {
public:
    GridCursorWatch(HWND hwnd, GridState *s);
    ~GridCursorWatch();
    GridCursorWatch(const GridCursorWatch &) = delete;
    GridCursorWatch &operator=(const GridCursorWatch &) = delete;

private:
    HWND hwnd_;
    GridState *s_;
};
