// Grid control as a screen reader sees it. The child list view keeps the
// system's object with its items; the grid window itself is a table whose value
// reads the cell under the cell cursor:
//   "Row 3, Price: 12.50"  the row counted from 1, the column's header text (or
//                          "Column n", counted from 1) and the cell text;
//   "Row 3, Price"         for an empty cell;
// and no value while there is no current cell (no focused row, no cursor column,
// or a cursor column that no longer exists).
//
// When the cursor moves, the list view's focused item gets a focus event (only
// while the list view has the keyboard focus; the list view does not report its
// items itself), then the grid's value changes. A focused row that disappears
// while an editor is open is not a move, and nothing is told when nothing moved.
#include "grid.h"

#include "../listview/listview.h"
#include "access.h"

namespace {

int FocusedRow(const GridState *s)
{
    return static_cast<int>(
        SendMessageW(s->child, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

// Appends text to to[0..size), shortened to fit; returns the new length.
int Append(WCHAR *to, int length, int size, const WCHAR *text)
{
    AccessCopyText(to + length, size - length, text);
    return lstrlenW(to);
}

void CellValue(HWND list, int row, int column, WCHAR *to, int size)
{
    WCHAR number[24];
    wsprintfW(number, L"Row %d, ", row + 1);
    int length = Append(to, 0, size, number);
    length += ListViewColumnTitle(list, column, to + length, size - length);
    WCHAR text[256] = L"";
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(sizeof text / sizeof(WCHAR));
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    text[sizeof text / sizeof(WCHAR) - 1] = 0;
    if (text[0]) {
        length = Append(to, length, size, L": ");
        Append(to, length, size, text);
    }
}

bool DescribeGrid(HWND hwnd, AccessAnswers *answers)
{
    const GridState *s = ControlState<GridState>(hwnd);
    if (!s || !s->child)
        return false;
    answers->role = ROLE_SYSTEM_TABLE;
    answers->nameFromText = true;
    const int row = FocusedRow(s);
    const int column = s->selectedColumn;
    if (row < 0 || column < 0 || column >= GridColumnCount<WCHAR>(s))
        return true;
    CellValue(s->child, row, column, answers->value,
              static_cast<int>(sizeof answers->value / sizeof(WCHAR)));
    answers->hasValue = true;
    return true;
}

const AccessClass kGridAccess = {DescribeGrid, NULL};

// Tells screen readers where the cell cursor went, if it moved: row is the
// focused row, or -1 to ask the child. Nothing while a watch runs.
void Follow(HWND hwnd, GridState *s, int row)
{
    if (s->cursorWatches > 0)
        return;
    if (row < 0)
        row = FocusedRow(s);
    const int column = s->selectedColumn;
    if (row < 0 || (row == s->toldRow && column == s->toldColumn))
        return;
    const bool rowMoved = row != s->toldRow;
    s->toldRow = row;
    s->toldColumn = column;
    if (rowMoved && GetFocus() == s->child)
        AccessNotifyObject(s->child, EVENT_OBJECT_FOCUS, OBJID_CLIENT, row + 1);
    if (column >= 0)
        AccessNotify(hwnd, EVENT_OBJECT_VALUECHANGE);
}

}  // namespace

LRESULT GridGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    return AccessGetObject(hwnd, wParam, lParam, &kGridAccess);
}

void GridAccessRowFocused(HWND hwnd, int row)
{
    if (GridState *s = ControlState<GridState>(hwnd))
        Follow(hwnd, s, row);
}

GridCursorWatch::GridCursorWatch(HWND hwnd, GridState *s) : hwnd_(hwnd), s_(s)
{
    ++s->cursorWatches;
}

GridCursorWatch::~GridCursorWatch()
{
    GridState *s = ControlState<GridState>(hwnd_);  // gone when the message destroyed the grid
    if (s == s_ && --s->cursorWatches == 0)
        Follow(hwnd_, s, -1);
}
