// List view extensions (internal): the per-list-view records, the character-width
// calls they need, and the routines shared by attaching, sorting and editing.
#pragma once

#include "library.h"

// Sent to a grid parent; the grid's own header block may define them too.
#ifndef GCM_GETITEMSTATE
#define GCM_GETITEMSTATE (WM_USER + 103)
#endif
#ifndef GCM_SETITEMSTATE
#define GCM_SETITEMSTATE (WM_USER + 104)
#endif

#define SORT_SUBCLASS_ID 0xCCCCCCCC

// Sort state of one list view ("LV_SortProp", or comctl32 subclass reference data).
struct ListViewSortState {
    WNDPROC previous;   // null under comctl32 subclassing
    HBITMAP ascending;  // bitmap mode only
    HBITMAP descending;
    DWORD flags;
    UINT notifyMsg;
    int column;
    BOOL isDescending;
    HWND notify;
    BOOL headerFormat;  // HDF_SORTUP/HDF_SORTDOWN instead of arrow bitmaps
};

// Editing state of one list view ("LV_EditSIProp").
struct ListViewEditState {
    WNDPROC previous;
    BOOL parentIsGrid;
    BOOL unicode;  // the parent wants Unicode notifications
    HWND editor;
    DWORD descriptor;  // editor descriptor of the current edit, or (DWORD)-1
    DWORD timeStamp;
    DWORD flags;
    UINT editMsg;
    BOOL focusFromEditor;  // an editor that is ending hands the focus back to the list view
};

// State of one open in-place editor ("LV_EditSIProp" on the editor window).
struct InPlaceEditorState {
    int row;
    int column;
    BOOL cancelled;
    BOOL unicode;
    WNDPROC previous;
    UINT editMsg;  // combo box only
    BOOL combo;
    BOOL shown;   // screen readers were told that it appeared
    BOOL ending;  // DestroyEditor has begun on it
};

// Calls and records of one character width, beyond core/flavour.h.
template <class C>
struct LvWin;

template <>
struct LvWin<char> : Win<char> {
    typedef LVITEMA LvItem;
    typedef LVCOLUMNA LvColumn;
    typedef LVEDITNOTIFYA EditNotify;
    enum {
        kGetItemText = LVM_GETITEMTEXTA,
        kSetItemText = LVM_SETITEMTEXTA,
        kGetColumn = LVM_GETCOLUMNA,
        kGetItem = HDM_GETITEMA,
        kSetItem = HDM_SETITEMA,
        kBeginEdit = LVN_BEGINLABELEDITA,
        kEndEdit = LVN_ENDLABELEDITA,
        kFormat = NFR_ANSI,
        kEditLabel = LVM_EDITLABELA,
    };
    static const char *SortProp() { return "LV_SortProp"; }
    static const char *EditProp() { return "LV_EditSIProp"; }
    static BOOL SetProp(HWND h, const char *n, void *v) { return ::SetPropA(h, n, v); }
    static void *GetProp(HWND h, const char *n) { return ::GetPropA(h, n); }
    static void *RemoveProp(HWND h, const char *n) { return ::RemovePropA(h, n); }
    static int GetClassName(HWND h, char *to, int n) { return ::GetClassNameA(h, to, n); }
    static HWND CreateWindowEx(const char *cls, const char *text, DWORD style, const RECT &r,
                               HWND parent, HINSTANCE inst)
    {
        return ::CreateWindowExA(0, cls, text, style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, parent, reinterpret_cast<HMENU>(LVX_EDITORID),
                                 inst, NULL);
    }
    static int GetWindowTextLength(HWND h) { return ::GetWindowTextLengthA(h); }
    static int GetWindowText(HWND h, char *to, int n) { return ::GetWindowTextA(h, to, n); }
    static BOOL GetTextExtent(HDC dc, const char *s, int n, SIZE *size)
    {
        return ::GetTextExtentPoint32A(dc, s, n, size);
    }
    static HANDLE LoadImage(HINSTANCE m, int id, UINT type, UINT flags)
    {
        return ::LoadImageA(m, MAKEINTRESOURCEA(id), type, 0, 0, flags);
    }
    static const char *EditClass() { return "Edit"; }
    static const char *ComboClass() { return "ComboBox"; }
    static const char *ComboExClass() { return "ComboBoxEx32"; }
    static const char *Empty() { return ""; }
    // Room an editor keeps beyond its text, as text to measure.
    static const char *SpareText() { return "WW"; }
};

template <>
struct LvWin<WCHAR> : Win<WCHAR> {
    typedef LVITEMW LvItem;
    typedef LVCOLUMNW LvColumn;
    typedef LVEDITNOTIFYW EditNotify;
    enum {
        kGetItemText = LVM_GETITEMTEXTW,
        kSetItemText = LVM_SETITEMTEXTW,
        kGetColumn = LVM_GETCOLUMNW,
        kGetItem = HDM_GETITEMW,
        kSetItem = HDM_SETITEMW,
        kBeginEdit = LVN_BEGINLABELEDITW,
        kEndEdit = LVN_ENDLABELEDITW,
        kFormat = NFR_UNICODE,
        kEditLabel = LVM_EDITLABELW,
    };
    static const WCHAR *SortProp() { return L"LV_SortProp"; }
    static const WCHAR *EditProp() { return L"LV_EditSIProp"; }
    static BOOL SetProp(HWND h, const WCHAR *n, void *v) { return ::SetPropW(h, n, v); }
    static void *GetProp(HWND h, const WCHAR *n) { return ::GetPropW(h, n); }
    static void *RemoveProp(HWND h, const WCHAR *n) { return ::RemovePropW(h, n); }
    static int GetClassName(HWND h, WCHAR *to, int n) { return ::GetClassNameW(h, to, n); }
    static HWND CreateWindowEx(const WCHAR *cls, const WCHAR *text, DWORD style, const RECT &r,
                               HWND parent, HINSTANCE inst)
    {
        return ::CreateWindowExW(0, cls, text, style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, parent, reinterpret_cast<HMENU>(LVX_EDITORID),
                                 inst, NULL);
    }
    static int GetWindowTextLength(HWND h) { return ::GetWindowTextLengthW(h); }
    static int GetWindowText(HWND h, WCHAR *to, int n) { return ::GetWindowTextW(h, to, n); }
    static BOOL GetTextExtent(HDC dc, const WCHAR *s, int n, SIZE *size)
    {
        return ::GetTextExtentPoint32W(dc, s, n, size);
    }
    static HANDLE LoadImage(HINSTANCE m, int id, UINT type, UINT flags)
    {
        return ::LoadImageW(m, MAKEINTRESOURCEW(id), type, 0, 0, flags);
    }
    static const WCHAR *EditClass() { return L"Edit"; }
    static const WCHAR *ComboClass() { return L"ComboBox"; }
    static const WCHAR *ComboExClass() { return L"ComboBoxEx32"; }
    static const WCHAR *Empty() { return L""; }
    static const WCHAR *SpareText() { return L"WW"; }
};

// True when the window's class name equals name, without regard to case.
template <class C>
bool ClassNameIs(HWND hwnd, const char *name)
{
    C buffer[65];
    C wanted[65];
    int i = 0;
    for (; name[i] && i < 64; ++i)
        wanted[i] = static_cast<C>(name[i]);
    wanted[i] = 0;
    if (LvWin<C>::GetClassName(hwnd, buffer, 65) <= 0)
        return false;
    buffer[64] = 0;
    return LvWin<C>::lstrcmpi(buffer, wanted) == 0;
}

// Attaching (options.cpp calls these in the flavour of the list view).
template <class C>
BOOL AttachSortOption(HWND listView, const LVSORTOPTION *option);
template <class C>
BOOL AttachEditOption(HWND listView, const LVEDITOPTION *option);

// True while proc is the window's procedure (nobody subclassed on top of it).
template <class C>
bool ProcIsOnTop(HWND hwnd, WNDPROC proc)
{
    return reinterpret_cast<WNDPROC>(LvWin<C>::GetWindowLongPtr(hwnd, GWLP_WNDPROC)) == proc;
}

template <class C>
WNDPROC ReplaceProc(HWND hwnd, WNDPROC proc)
{
    return reinterpret_cast<WNDPROC>(
        LvWin<C>::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

// The editing record of a list view ("LV_EditSIProp"), or null.
template <class C>
ListViewEditState *EditStateOf(HWND listView)
{
    return static_cast<ListViewEditState *>(LvWin<C>::GetProp(listView, LvWin<C>::EditProp()));
}

// The list view takes the focus (which ends an open edit) unless it has it.
inline void TakeFocus(HWND listView)
{
    if (GetFocus() != listView)
        SetFocus(listView);
}

// The Unicode flag from a window's WM_NOTIFYFORMAT answer to NF_QUERY.
template <class C>
BOOL AsksForUnicode(HWND window, HWND from)
{
    LRESULT reply =
        LvWin<C>::SendMessage(window, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(from), NF_QUERY);
    if (reply == 0)
        return IsWindowUnicode(window) ? TRUE : FALSE;
    return reply == NFR_UNICODE ? TRUE : FALSE;
}

// In-place editors (editor.cpp), in the character width of the parent's notifications.
// Opens the editor on the cell; returns it, or null.
HWND OpenCellEditor(HWND listView, int row, int column);
// Marks an open editor as cancelled, so that its end sends nothing.
void CancelCellEditor(HWND editor);
// Ends the edit when the focus is no longer in the editor or a window of it (after
// a combo box's edit field lost it).
void ListViewEditorFocusLeft(HWND editor);
// Posted to the list view when the focus left a combo box editor's edit field
// (lParam the editor); the editor cannot end from inside the field's focus change.
UINT EditorFocusLeftMessage(void);

// Accessibility of the editors (access.cpp).
// The title of a column (its header text, or "Column n" counting from 1), shortened
// to size characters; returns its length.
int ListViewColumnTitle(HWND listView, int column, WCHAR *to, int size);
// WM_GETOBJECT of an editor: its object, named after the edited column.
LRESULT EditorGetObject(HWND editor, WPARAM wParam, LPARAM lParam);
// The system reports an editor's creation and focus but not its showing or its end:
// EditorTellShown follows showing it; DestroyEditor destroys it and then reports it
// hidden (when it had been shown) and destroyed.
void EditorTellShown(HWND editor);
void DestroyEditor(HWND editor);
// The focus event of the list view's focused item (child id row + 1), if it has one.
void ListViewTellFocusedItem(HWND listView);
