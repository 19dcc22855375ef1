// Grid control: keyboard navigation of the cell cursor. The child list view
// offers every key to the grid first; the grid consumes the keys that move the
// cursor between columns and leaves rows to the list view.
//
// Where the column arithmetic finds no valid column:
//  - Left while no column is current moves to the first column (0, or 1 with
//    GCS_FIXEDFIRSTCOLUMN); Left from a column past the last one (columns were
//    deleted under the cursor) moves to the last column.
//  - Enter while the focused column is not a column of the grid is left to the
//    list view (result 0); no editor opens on a column that does not exist.
//  - Home and End in a grid without a usable column change nothing.
#include "grid.h"

namespace {

// Makes (row, column) the current cell and repaints the row.
template <class C>
void MoveCursor(HWND hwnd, GridState *s, int row, int column)
{
    LVITEMW item;
    item.mask = LVIF_STATE;
    item.iItem = row;
    item.iSubItem = column;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    Win<C>::SendMessage(hwnd, GCM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    Win<C>::SendMessage(s->child, LVM_REDRAWITEMS, row, row);
}

// The column a key moves to, or -1 for none.
int TargetColumn(const GridState *s, WPARAM key, int count)
{
    const int first = (s->flags & GCS_FIXEDFIRSTCOLUMN) ? 1 : 0;
    const int last = count - 1;
    const int current = s->selectedColumn;
    if (first > last)
        return -1;
    switch (key) {
    case VK_RIGHT: {
        int next = current + 1;
        if (next >= count)
            return -1;
        return next < first ? first : next;
    }
    case VK_LEFT:
        if (current < first)
            return current < 0 ? first : -1;
        return current > last ? last : current - 1 >= first ? current - 1 : -1;
    case VK_HOME:
        return current == first ? -1 : first;
    case VK_END:
        return current == last ? -1 : last;
    default:
        return -1;
    }
}

}  // namespace

template <class C>
LRESULT GridOnKeyDown(HWND hwnd, GridState *s, WPARAM key)
{
    const int focused = static_cast<int>(
        Win<C>::SendMessage(s->child, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    const int count = GridColumnCount<C>(s);
    if (key == VK_RETURN) {
        if (focused < 0 || s->focusedColumn < 0 || s->focusedColumn >= count)
            return 0;
        return Win<C>::SendMessage(s->child, kEditSubItemMessage, focused, s->focusedColumn);
    }
    if (key != VK_RIGHT && key != VK_LEFT && key != VK_HOME && key != VK_END)
        return 0;
    const int column = TargetColumn(s, key, count);
    if (column >= 0)
        MoveCursor<C>(hwnd, s, focused < 0 ? 0 : focused, column);
    const bool control = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
    return (key == VK_HOME || key == VK_END) && control ? 0 : 1;
}

template LRESULT GridOnKeyDown<char>(HWND, GridState *, WPARAM);
template LRESULT GridOnKeyDown<WCHAR>(HWND, GridState *, WPARAM);
