// Grid control as a host sees it: messages and cell state, what passes between it
// and the child list view, painted pixels and the cell cursor.
#include "orvcc32.h"

#include <gtest/gtest.h>

#include "input.h"
#include "testing.h"

#include <string>
#include <vector>

using namespace orvtest;

namespace {

const COLORREF kBack = RGB(255, 255, 255);
const COLORREF kSelBack = RGB(0, 128, 0);
const COLORREF kHorz = RGB(255, 0, 0);
const COLORREF kVert = RGB(0, 0, 255);
const int kWidths[4] = {60, 70, 80, 64};

template <class T>
LPARAM P(T *p)
{
    return reinterpret_cast<LPARAM>(p);
}

// A list view item record for a row and column, zero elsewhere.
LVITEMA Item(int row, int column, UINT state = 0, UINT stateMask = 0, UINT mask = 0)
{
    LVITEMA item = {};
    item.mask = mask;
    item.iItem = row;
    item.iSubItem = column;
    item.state = state;
    item.stateMask = stateMask;
    return item;
}

LRESULT g_formatAnswer = 0;  // the host's answer to WM_NOTIFYFORMAT, 0 = default
const UINT kEditMessage = WM_APP + 9;
std::vector<LVEDITNOTIFYW> g_editQueries;  // what arrived under kEditMessage

LRESULT CALLBACK FormatHost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFYFORMAT && g_formatAnswer)
        return g_formatAnswer;
    if (message == kEditMessage)
        g_editQueries.push_back(*reinterpret_cast<const LVEDITNOTIFYW *>(lParam));
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetPropA(hwnd, "prev")), hwnd, message, wParam, lParam);
}

int g_textQueries = 0;
WNDPROC g_childProc = nullptr;

LRESULT CALLBACK CountingChild(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_textQueries += message == LVM_GETITEMTEXTA || message == LVM_GETITEMTEXTW;
    return CallWindowProcW(g_childProc, hwnd, message, wParam, lParam);
}

class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InitORVCC(ORVCC_GRIDCONTROL_CLASS));
        g_formatAnswer = 0;
        g_editQueries.clear();
        SetPropA(host_.hwnd(), "prev", reinterpret_cast<HANDLE>(GetWindowLongPtrW(host_.hwnd(), GWLP_WNDPROC)));
        SetWindowLongPtrW(host_.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormatHost));
    }
    void TearDown() override
    {
        if (GetAsyncKeyState(VK_CONTROL) & 0x8000)
            KeyEvent(VK_CONTROL, false);
        Settle();
    }
    void Create(DWORD style = LVS_SHOWSELALWAYS, void *param = nullptr)
    {
        grid_ = CreateWindowInFlavour("ORV_GridControlClass", style | WS_CHILD | WS_VISIBLE, 0, 0, 460, 300,
                                      host_.hwnd(), 7, 0, param);
        EXPECT_NE(grid_, nullptr);
        list_ = GetDlgItem(grid_, 100);
        EXPECT_NE(list_, nullptr);
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessage(grid_, message, wParam, lParam);
    }
    // Columns of kWidths (column 3 right-aligned) and rows "r<row>c<column>".
    void Fill(int rows, int columns = 4)
    {
        for (int c = 0; c < columns; ++c) {
            LVCOLUMNA column = {};
            column.mask = LVCF_WIDTH | LVCF_FMT;
            column.fmt = c == 3 ? LVCFMT_RIGHT : LVCFMT_LEFT;
            column.cx = kWidths[c];
            Send(LVM_INSERTCOLUMNA, c, P(&column));
        }
        for (int r = 0; r < rows; ++r) {
            LVITEMA item = Item(r, 0);
            Send(LVM_INSERTITEMA, 0, P(&item));
            for (int c = 0; c < columns; ++c)
                SetText(r, c, ("r" + std::to_string(r) + "c" + std::to_string(c)).c_str());
        }
    }
    void SetText(int row, int column, const char *text)
    {
        LVITEMA item = Item(0, column);
        item.pszText = const_cast<char *>(text);
        Send(LVM_SETITEMTEXTA, row, P(&item));
    }
    // Cell (row, column) of the grid becomes focused and selected.
    BOOL SetCell(int row, int column, UINT bits = LVIS_FOCUSED | LVIS_SELECTED)
    {
        LVITEMA item = Item(0, column, bits, bits);
        return static_cast<BOOL>(Send(GCM_SETITEMSTATE, row, P(&item)));
    }
    UINT CellState(int row, int column)
    {
        LVITEMA item = Item(0, column, 0, LVIS_FOCUSED | LVIS_SELECTED);
        return static_cast<UINT>(Send(GCM_GETITEMSTATE, row, P(&item)));
    }
    // The current cell as (focused row, focused column), -1 for none.
    std::pair<int, int> Current()
    {
        const int row = static_cast<int>(SendMessage(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        for (int c = 0; c < 4; ++c)
            if (row >= 0 && CellState(row, c) & LVIS_FOCUSED)
                return {row, c};
        return {row, -1};
    }
    void Colours(DWORD flags)
    {
        GRIDCOLORS colors = {sizeof colors, 0x3F, kBack, RGB(0, 0, 0), kSelBack, RGB(255, 255, 0), kHorz, kVert};
        Send(GCM_SETCOLORS, 0, P(&colors));
        Send(GCM_SETGRIDSTYLE, 0, flags);
        InvalidateRect(list_, NULL, FALSE);
    }
    RECT Row(int row, int part = LVIR_BOUNDS)
    {
        RECT rect = {part, 0, 0, 0};
        SendMessage(list_, LVM_GETITEMRECT, row, P(&rect));
        return rect;
    }
    // Right edge of column c in the child's client coordinates.
    int ColumnRight(int row, int c)
    {
        int x = Row(row).left;
        for (int i = 0; i <= c; ++i)
            x += kWidths[i];
        return x;
    }

    HostWindow host_{520, 360};
    HWND grid_ = NULL;
    HWND list_ = NULL;
};

TEST_F(GridTest, MessagesNotificationsAndFormat)
{
    int marker;
    g_formatAnswer = NFR_ANSI;
    Create(LVS_SHOWSELALWAYS, &marker);
    EXPECT_EQ(SendMessage(list_, CCM_GETUNICODEFORMAT, 0, 0), FALSE);
    g_formatAnswer = NFR_UNICODE;
    Send(WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(host_.hwnd()), NF_REQUERY);
    EXPECT_EQ(SendMessage(list_, CCM_GETUNICODEFORMAT, 0, 0), TRUE);
    EXPECT_EQ(Send(GCM_SETGRIDSTYLE, 0, GCS_FULLROWSELECT), 0x00060000);
    EXPECT_EQ(Send(GCM_GETGRIDSTYLE), GCS_FULLROWSELECT);
    EXPECT_EQ(Send(GCM_SETUSERDATA, 0, 5), reinterpret_cast<LRESULT>(&marker));
    EXPECT_EQ(Send(GCM_GETUSERDATA), 5);
    EXPECT_EQ(Send(GCM_SETEDITMSG, 0, WM_APP + 9), 0);
    EXPECT_EQ(Send(GCM_SETEDITMSG, 0, 0), WM_APP + 9);
    EXPECT_EQ(Send(WM_ERASEBKGND), 1);

    // Colours: defaults, short records, one mask bit.
    GRIDCOLORS colors;
    memset(&colors, 0xAB, sizeof colors);
    colors.cbSize = 28;
    EXPECT_EQ(Send(GCM_GETCOLORS, 0, P(&colors)), 0);
    EXPECT_EQ(colors.fMask, 0xABABABABu);
    EXPECT_EQ(Send(GCM_SETCOLORS, 0, P(&colors)), 0);
    colors.cbSize = 32;
    EXPECT_EQ(Send(GCM_GETCOLORS, 0, P(&colors)), 1);
    EXPECT_EQ(colors.fMask, 0x3Fu);
    const COLORREF defaults[6] = {GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_WINDOWTEXT),
                                  GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT),
                                  GetSysColor(COLOR_3DFACE),    GetSysColor(COLOR_3DFACE)};
    EXPECT_EQ(memcmp(&colors.crBack, defaults, sizeof defaults), 0);
    GRIDCOLORS one = {32, GCC_SELTEXT, 1, 2, 3, 4, 5, 6};
    Send(GCM_SETCOLORS, 0, P(&one));
    Send(GCM_GETCOLORS, 0, P(&colors));
    EXPECT_EQ(colors.crSelText, 4u);
    EXPECT_EQ(colors.crSelBack, defaults[2]);
    // The list view's background message also sets the grid's.
    Send(LVM_SETBKCOLOR, 0, RGB(1, 2, 3));
    Send(GCM_GETCOLORS, 0, P(&colors));
    EXPECT_EQ(colors.crBack, RGB(1, 2, 3));
    EXPECT_EQ(SendMessage(list_, LVM_GETBKCOLOR, 0, 0), RGB(1, 2, 3));

    host_.messages.Flush();
    Fill(1, 1);
    ASSERT_FALSE(host_.notifications().empty());
    EXPECT_EQ(host_.notifications()[0].hwndFrom, list_);
    EXPECT_EQ(host_.notifications()[0].idFrom, 100u);
    EXPECT_EQ(host_.notifications()[0].code, LVN_INSERTITEM);
    // WM_SETFONT is the grid's, not the child's.
    HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font));
    EXPECT_NE(SendMessage(list_, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
    // Editing requests go to the parent only under an edit message.
    EXPECT_EQ(Send(WM_APP, 1, 2), 0);
}

TEST_F(GridTest, CellStateRefinesRowState)
{
    Create();
    Fill(3);
    EXPECT_EQ(CellState(0, 0), 0u);  // no current cell yet
    // LVM_SETITEMSTATE on the grid: column 0 becomes the column.
    LVITEMA item = Item(0, 0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(Send(LVM_SETITEMSTATE, 1, P(&item)), 1);
    EXPECT_EQ(CellState(1, 0), UINT(LVIS_SELECTED));
    EXPECT_EQ(CellState(1, 1), 0u);
    // Cell (1, 2) current: the row as a whole (column 0) is neither.
    EXPECT_TRUE(SetCell(1, 2));
    EXPECT_EQ(CellState(1, 2), UINT(LVIS_FOCUSED | LVIS_SELECTED));
    EXPECT_EQ(Send(LVM_GETITEMSTATE, 1, LVIS_FOCUSED | LVIS_SELECTED), 0);
    EXPECT_EQ(SendMessage(list_, LVM_GETITEMSTATE, 1, LVIS_FOCUSED | LVIS_SELECTED), LVIS_FOCUSED | LVIS_SELECTED);
    // LVM_GETITEM refines to its iSubItem.
    LVITEMA get = Item(1, 2, 0, 0xFF, LVIF_STATE);
    ASSERT_TRUE(Send(LVM_GETITEMA, 0, P(&get)));
    EXPECT_EQ(get.state & 3, UINT(LVIS_FOCUSED | LVIS_SELECTED));
    get.iSubItem = 1;
    Send(LVM_GETITEMA, 0, P(&get));
    EXPECT_EQ(get.state & 3, 0u);
    // LVM_SETITEM with state takes its column before it reaches the child
    // (which keeps the state of rows, not of sub-items).
    SendMessage(list_, LVM_SETITEMSTATE, 2, P(&item));
    LVITEMA set = Item(2, 3, LVIS_SELECTED, LVIS_SELECTED, LVIF_STATE);
    EXPECT_TRUE(Send(LVM_SETITEMA, 0, P(&set)));
    EXPECT_EQ(CellState(2, 3), UINT(LVIS_SELECTED));
    // The child refuses a row it does not have: no column changes.
    EXPECT_FALSE(SetCell(9, 1));
    EXPECT_EQ(CellState(2, 3), UINT(LVIS_SELECTED));
    // Null records are refused, not read.
    EXPECT_EQ(Send(GCM_GETITEMSTATE, 0, 0), 0);
    EXPECT_EQ(Send(GCM_SETITEMSTATE, 0, 0), 0);
    EXPECT_EQ(Send(LVM_SETITEMSTATE, 0, 0), 0);
}

TEST_F(GridTest, WindowStyleReachesTheChild)
{
    // {grid style, what of it the child has}
    const DWORD cases[][2] = {{LVS_SINGLESEL | LVS_EDITLABELS, LVS_SINGLESEL | LVS_EDITLABELS},
                              {LVS_LIST | LVS_NOSORTHEADER, LVS_NOSORTHEADER},
                              {LVS_SMALLICON | LVS_SHOWSELALWAYS, LVS_SHOWSELALWAYS},
                              {LVS_ICON | LVS_OWNERDRAWFIXED, 0}};
    for (const auto &c : cases) {
        Create(c[0]);
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(list_, GWL_STYLE));
        EXPECT_EQ(style & 0xFFFF, c[1] | LVS_REPORT | LVS_OWNERDRAWFIXED) << std::hex << c[0];
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), DWORD(WS_CHILD | WS_VISIBLE));
        RECT grid, list;
        GetClientRect(grid_, &grid);
        GetWindowRect(list_, &list);
        EXPECT_EQ(list.right - list.left, grid.right);
        DestroyWindow(grid_);
    }
}

TEST_F(GridTest, CellModePixels)
{
    Create();
    Fill(3);
    SetCell(1, 1);
    SetText(2, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    Colours(GCS_HORZLINES | GCS_VERTLINES);
    EXPECT_EQ(ScreenDpi(), EnvInt("ORVCC_EXPECT_DPI", 96));
    const Capture shot(list_);
    const RECT bounds = Row(0), label = Row(0, LVIR_LABEL), row1 = Row(1);
    // A line under each row, up to 2 pixels before the right end.
    for (int r = 0; r < 3; ++r) {
        const int y = Row(r).bottom - 1;
        EXPECT_EQ(shot.Count(kHorz, bounds.left, y, bounds.right - 2, y + 1), bounds.right - 2 - bounds.left - 3)
            << "row " << r;  // three vertical lines cross it
        EXPECT_NE(shot.At(bounds.right - 1, y), kHorz);
        EXPECT_NE(shot.At(bounds.left, y - 1), kHorz);
    }
    // A line 2 pixels inside each column's right edge, nothing at the edge.
    for (int c = 0; c < 4; ++c) {
        const int x = ColumnRight(0, c) - 2;
        EXPECT_EQ(shot.Count(kVert, x, label.top, x + 1, label.bottom), label.bottom - label.top) << "column " << c;
        EXPECT_EQ(shot.Count(kVert, x + 1, label.top, x + 3, label.bottom), 0) << "column " << c;
    }
    // The selected cell (1, 1) is filled from the column's left edge to 4 pixels
    // before its right one; other cells of the row are not.
    const int left = ColumnRight(1, 0), right = ColumnRight(1, 1);
    EXPECT_EQ(shot.At(left + 1, row1.top + 1), kSelBack);
    EXPECT_EQ(shot.At(right - 5, row1.bottom - 3), kSelBack);
    EXPECT_EQ(shot.At(right - 3, row1.top + 2), kBack);
    EXPECT_EQ(shot.Count(kSelBack, 0, row1.top, left, row1.bottom), 0);
    EXPECT_EQ(shot.Count(kSelBack, right, row1.top, shot.width(), row1.bottom), 0);
    EXPECT_EQ(shot.Count(kSelBack, 0, bounds.top, shot.width(), bounds.bottom), 0);

    // The right-aligned column 3 ends its text 3 pixels inside the column (the
    // last ink within a pixel or two of that), the left-aligned ones start 3
    // pixels inside.
    auto ink = [&](int x) { return shot.Count(kBack, x, bounds.top, x + 1, bounds.bottom - 1) < bounds.bottom - 1 - bounds.top; };
    const int edge1 = ColumnRight(0, 1), edge3 = ColumnRight(0, 3);
    int lastInk = -1, firstInk = -1;
    for (int x = ColumnRight(0, 2) + 1; x < edge3 - 2; ++x)
        lastInk = ink(x) ? x : lastInk;
    for (int x = edge1 + 1; x < ColumnRight(0, 2) - 2 && firstInk < 0; ++x)
        firstInk = ink(x) ? x : -1;
    EXPECT_GE(lastInk, edge3 - 6);
    EXPECT_LE(lastInk, edge3 - 4);
    EXPECT_GE(firstInk, edge1 + 3);
    EXPECT_LE(firstInk, edge1 + 5);
}

TEST_F(GridTest, LongTextEndsInEllipsis)
{
    Create();
    Fill(2);
    Colours(0);
    SetText(0, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    // The long text is drawn as the first k letters and "...", for the smallest
    // k whose drawing looks the same.
    const int top0 = Row(0).top, top1 = Row(1).top, height = Row(0).bottom - top0;
    const int x0 = ColumnRight(0, 0), x1 = ColumnRight(0, 1);
    const Capture first(list_);
    int match = -1;
    for (int k = 0; k < 26 && match < 0; ++k) {
        SetText(1, 1, (std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ", k) + "...").c_str());
        const Capture shot(list_);
        bool same = true;
        for (int y = 0; y < height && same; ++y)
            for (int x = x0; x < x1 && same; ++x)
                same = first.At(x, top0 + y) == shot.At(x, top1 + y);
        match = same ? k : -1;
    }
    EXPECT_GE(match, 1);
}

TEST_F(GridTest, FrameSelectionAndFullRowPixels)
{
    Create();
    Fill(3);
    SetCell(1, 2);
    Colours(GCS_FRAMESELECTION);
    Capture framed(list_);
    const RECT row1 = Row(1), row2 = Row(2);
    const int left = ColumnRight(1, 1), right = ColumnRight(1, 2) - 3;
    // Two nested dotted frames, no fill: dots on the outer and the inner top row.
    for (int y : {int(row1.top), int(row1.top) + 1})
        EXPECT_GE(right - left - framed.Count(kBack, left, y, right, y + 1), (right - left) / 3) << y;
    EXPECT_EQ(framed.Count(kSelBack, 0, 0, framed.width(), framed.height()), 0);

    Colours(GCS_FULLROWSELECT);
    Capture full(list_);
    EXPECT_EQ(full.At(ColumnRight(1, 3) - 4, row1.top + 2), kSelBack);
    EXPECT_EQ(full.At(row1.left + 2, row1.bottom - 2), kSelBack);
    EXPECT_EQ(full.Count(kSelBack, 0, row2.top, full.width(), row2.bottom), 0);
}

TEST_F(GridTest, IconsRowHeadersAndUnfilledRows)
{
    Create();
    Fill(3);
    // A small image list of one red image; every row shows it.
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    std::vector<DWORD> pixels(16 * 16, 0x00FF0000);
    HBITMAP red = CreateBitmap(16, 16, 1, 32, pixels.data());
    ImageList_Add(images, red, NULL);
    Send(LVM_SETIMAGELIST, LVSIL_SMALL, P(images));
    SetCell(1, 0);
    // {grid style, the selected row's icon unblended}
    const std::pair<DWORD, bool> cases[] = {{0, false}, {GCS_ROWHEADERS, true}, {GCS_FULLROWSELECT, false}};
    for (const auto &c : cases) {
        Colours(c.first);
        const Capture shot(list_);
        for (int row : {0, 1}) {
            const RECT icon = Row(row, LVIR_ICON);
            // The red image, whole or blended (dithered).
            const int square = shot.Count(kHorz, icon.left + 2, icon.top + 2, icon.left + 14, icon.top + 14);
            EXPECT_EQ(square == 144, row == 0 || c.second) << std::hex << c.first << " row " << row << " red " << square;
        }
        if (c.first & GCS_ROWHEADERS) {
            // The header of the row whose column-0 cell is current is drawn
            // pressed, the others alike and not pressed.
            auto header = [&](int row, int y) { return shot.At(ColumnRight(row, 0) - 4, Row(row).top + y); };
            int differ = 0;
            for (int y = 0; y < 3; ++y) {
                EXPECT_EQ(header(0, y), header(2, y));
                differ += header(0, y) != header(1, y);
            }
            EXPECT_GT(differ, 0);
        }
    }
    // A background of CLR_NONE leaves the child's own background in the rows.
    SendMessage(list_, LVM_SETBKCOLOR, 0, RGB(200, 200, 0));
    GRIDCOLORS none = {32, GCC_BACK, CLR_NONE, 0, 0, 0, 0, 0};
    Send(GCM_SETCOLORS, 0, P(&none));
    InvalidateRect(list_, NULL, TRUE);
    EXPECT_EQ(Capture(list_).At(ColumnRight(2, 2) - 6, Row(2).top + 1), RGB(200, 200, 0));
    DestroyWindow(grid_);
    ImageList_Destroy(images);
    DeleteObject(red);
}

TEST_F(GridTest, HostSubclassOfTheChildSeesThePainting)
{
    Create();
    Fill(3);
    g_textQueries = 0;
    g_childProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(list_, GWLP_WNDPROC, P(CountingChild)));
    InvalidateRect(list_, NULL, FALSE);
    UpdateWindow(list_);
    EXPECT_EQ(g_textQueries, 12);  // every cell's text is asked through the host's procedure
    SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_childProc));
}

TEST_F(GridTest, RealKeysAndClicksMoveTheCursor)
{
    Create(LVS_SHOWSELALWAYS | LVS_EDITLABELS);
    Fill(5);
    FocusForInput(list_);
    enum Kind { Key, CtrlKey, ClickCell, Style };
    struct Step {
        Kind kind;
        int a, b;  // key, or cell (row, column) to click, or grid style
        int row, column;  // current cell afterwards
    } steps[] = {
        {Key, VK_LEFT, 0, 0, 0},  // no current cell: row 0 and the first column
        {Style, GCS_FIXEDFIRSTCOLUMN, 0, 0, 0},
        {Key, VK_RIGHT, 0, 0, 1},
        {Key, VK_HOME, 0, 0, 1},  // column 0 is fixed
        {Style, GCS_HORZLINES, 0, 0, 1},
        {ClickCell, 1, 2, 1, 2},  // an unfocused row: the clicked cell becomes current
        {Key, VK_RIGHT, 0, 1, 3},
        {Key, VK_RIGHT, 0, 1, 3},  // the last column stays
        {Key, VK_LEFT, 0, 1, 2},
        {Key, VK_DOWN, 0, 2, 2},  // rows are the list view's, the column stays
        {CtrlKey, VK_END, 0, 4, 3},  // last column and, by the list view, last row
        {Key, VK_HOME, 0, 4, 0},
        {Key, VK_LEFT, 0, 4, 0},
        {CtrlKey, VK_HOME, 0, 0, 0},
        {ClickCell, 2, 1, 2, 1},
        {Style, GCS_HORZLINES | GCS_FIXEDFIRSTCOLUMN, 0, 2, 1},
        {ClickCell, 3, 0, 2, 1},  // column 0 is fixed: nothing changes
        {Key, VK_HOME, 0, 2, 1},
        {Key, VK_LEFT, 0, 2, 1},
    };
    for (const Step &step : steps) {
        if (step.kind == Key)
            Tap(static_cast<WORD>(step.a));
        else if (step.kind == CtrlKey)
            Tap(static_cast<WORD>(step.a), {VK_CONTROL});
        else if (step.kind == Style)
            Send(GCM_SETGRIDSTYLE, 0, step.a);
        else
            Click(list_, ColumnRight(step.a, step.b) - 10, (Row(step.a).top + Row(step.a).bottom) / 2);
        EXPECT_EQ(Current(), std::make_pair(step.row, step.column)) << "step " << &step - steps;
    }
    // Enter edits the current cell in place, after asking the parent under the
    // edit message which editor to use; Escape ends the edit.
    Send(GCM_SETEDITMSG, 0, kEditMessage);
    Tap(VK_RETURN);
    ASSERT_EQ(g_editQueries.size(), 1u);
    EXPECT_EQ(g_editQueries[0].hdr.hwndFrom, list_);
    EXPECT_EQ(g_editQueries[0].item.iItem, 2);
    EXPECT_EQ(g_editQueries[0].item.iSubItem, 1);
    char name[16] = "";
    GetClassNameA(GetFocus(), name, sizeof name);
    EXPECT_STREQ(name, "Edit");
    EXPECT_EQ(GetParent(GetFocus()), list_);
    Tap(VK_ESCAPE);
    EXPECT_EQ(GetFocus(), list_);
}

TEST_F(GridTest, EmptyAndShrunkGridsStaySound)
{
    // No rows, then rows without columns: keys and painting change nothing and read nothing.
    Create();
    auto keys = [&] {
        for (WORD key : {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_RETURN})
            Send(WM_KEYDOWN, key);
    };
    keys();
    Capture empty(list_);
    EXPECT_EQ(Current().first, -1);
    LVITEMA item = {};
    Send(LVM_INSERTITEMA, 0, P(&item));
    keys();
    Capture noColumns(list_);
    EXPECT_EQ(CellState(0, 0), 0u);
    DestroyWindow(grid_);

    // The current column is deleted: Right stays, Left goes to the last column,
    // Enter opens nothing.
    Create(LVS_SHOWSELALWAYS | LVS_EDITLABELS);
    Fill(3);
    SetCell(1, 3);
    Send(LVM_DELETECOLUMN, 3);
    Send(LVM_DELETECOLUMN, 2);
    Capture shrunk(list_);
    EXPECT_EQ(Send(WM_KEYDOWN, VK_RETURN), 0);
    EXPECT_EQ(Send(WM_KEYDOWN, VK_RIGHT), 1);
    EXPECT_EQ(CellState(1, 3), UINT(LVIS_FOCUSED | LVIS_SELECTED));
    EXPECT_EQ(Send(WM_KEYDOWN, VK_LEFT), 1);
    EXPECT_EQ(Current(), std::make_pair(1, 1));
}

}  // namespace
