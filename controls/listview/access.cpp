// In-place editors as a screen reader sees them. An editor's object is the
// system's object of its edit control or combo box, named after the column it
// edits: the editor has no label in front of it, and its window text is the
// cell text being edited, so neither can name it.
#include "listview.h"

#include "access.h"

namespace {

InPlaceEditorState *EditorRecord(HWND editor)
{
    return static_cast<InPlaceEditorState *>(GetPropW(editor, L"LV_EditSIProp"));
}

bool DescribeEditor(HWND editor, AccessAnswers *answers)
{
    const InPlaceEditorState *editorState = EditorRecord(editor);
    if (!editorState)
        return false;
    answers->role = editorState->combo ? ROLE_SYSTEM_COMBOBOX : ROLE_SYSTEM_TEXT;
    ListViewColumnTitle(GetParent(editor), editorState->column, answers->name,
                        static_cast<int>(sizeof answers->name / sizeof(WCHAR)));
    return true;
}

const AccessClass kEditorAccess = {DescribeEditor, NULL};

}  // namespace

int ListViewColumnTitle(HWND listView, int column, WCHAR *to, int size)
{
    LVCOLUMNW format = {};
    format.mask = LVCF_TEXT;
    format.pszText = to;
    format.cchTextMax = size;
    to[0] = 0;
    if (!SendMessageW(listView, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&format)))
        to[0] = 0;
    to[size - 1] = 0;
    if (to[0])
        return lstrlenW(to);
    WCHAR fallback[24];
    wsprintfW(fallback, L"Column %d", column + 1);
    AccessCopyText(to, size, fallback);
    return lstrlenW(to);
}

LRESULT EditorGetObject(HWND editor, WPARAM wParam, LPARAM lParam)
{
    return AccessGetObject(editor, wParam, lParam, &kEditorAccess);
}

void EditorTellShown(HWND editor)
{
    AccessNotifyObject(editor, EVENT_OBJECT_SHOW, OBJID_WINDOW, CHILDID_SELF);
}

// The events come after the destruction: an event of a window that is gone before
// the client takes it never reaches an out-of-context client here. An editor that
// is already being destroyed (this runs again from inside) is left to the outer call.
void DestroyEditor(HWND editor)
{
    InPlaceEditorState *editorState = EditorRecord(editor);
    if (!editorState || editorState->ending) {
        DestroyWindow(editor);
        return;
    }
    editorState->ending = TRUE;
    const bool shown = editorState->shown != FALSE;
    DestroyWindow(editor);
    if (IsWindow(editor))
        return;
    if (shown)
        AccessNotifyObject(editor, EVENT_OBJECT_HIDE, OBJID_WINDOW, CHILDID_SELF);
    AccessNotifyObject(editor, EVENT_OBJECT_DESTROY, OBJID_WINDOW, CHILDID_SELF);
}

void ListViewTellFocusedItem(HWND listView)
{
    const LRESULT row =
        SendMessageW(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
    if (row >= 0)
        AccessNotifyObject(listView, EVENT_OBJECT_FOCUS, OBJID_CLIENT, static_cast<LONG>(row + 1));
}
