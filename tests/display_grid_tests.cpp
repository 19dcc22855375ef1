// Per-monitor DPI and dark mode of the grid and the list view extensions.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "display.h"
#include "displayfixture.h"
#include "orvcc32.h"

using namespace orvtest;

namespace {

// Three columns of 70 pixels (the host's choice) and four rows, cell (1, 1) current.
void FillList(HWND list)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 70;
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    for (int c = 0; c < 3; ++c)
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    for (item.pszText = const_cast<char *>("Wxyz"); item.iItem < 4; ++item.iItem)
        for (item.iSubItem = 0; item.iSubItem < 3; ++item.iSubItem)
            SendMessageA(list, item.iSubItem ? LVM_SETITEMTEXTA : LVM_INSERTITEMA, item.iItem,
                         reinterpret_cast<LPARAM>(&item));
    LVITEMA cell = {};
    cell.iSubItem = 1;
    cell.state = cell.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(list, WM_USER + 104 /* GCM_SETITEMSTATE */, 1, reinterpret_cast<LPARAM>(&cell));
}
HWND Child(HWND grid) { return GetDlgItem(grid, 100); }
void RowHeaders(HWND grid) { FillList(grid); SendMessageA(grid, GCM_SETGRIDSTYLE, 0, 0x000E0000); }
void FullRowHeaders(HWND grid) { FillList(grid); SendMessageA(grid, GCM_SETGRIDSTYLE, 0, 0x000F0000); }
void HostFont(HWND grid) { FillList(grid); SendMessageA(Child(grid), WM_SETFONT, (WPARAM)GetStockObject(SYSTEM_FONT), 1); }
void HostListBack(HWND grid) { FillList(grid); SendMessageA(Child(grid), LVM_SETBKCOLOR, 0, RGB(200, 255, 255)); }
void HostColours(HWND grid)
{
    SendMessageA(grid, LVM_SETBKCOLOR, 0, RGB(200, 255, 255));  // the rows' too, then:
    GRIDCOLORS colours = {sizeof colours, GCC_BACK, RGB(255, 255, 200), 0, 0, 0, 0, 0};
    SendMessageA(grid, GCM_SETCOLORS, 0, reinterpret_cast<LPARAM>(&colours));
    FillList(grid);
}
void Sorted(HWND list)
{
    FillList(list);
    LVSORTOPTION option = {LVSO_SORTHEADER, 0, WM_APP + 7, 1, FALSE, NULL};
    ListViewSetSpecialOption(list, &option);
}

const DWORD kSel = LVS_SHOWSELALWAYS | LVS_EDITLABELS;
const DisplayCase kGrid = {"grid", "ORV_GridControlClass", 240, 160, kSel, FillList, NULL};
const DisplayCase kRowHeaders = {"row headers", "ORV_GridControlClass", 240, 160, kSel, RowHeaders, NULL};
const DisplayCase kFullRowHeaders = {"full rows", "ORV_GridControlClass", 240, 160, kSel, FullRowHeaders, NULL};
const DisplayCase kHostFont = {"host's font", "ORV_GridControlClass", 240, 160, kSel, HostFont, NULL};
const DisplayCase kHostColours = {"host's colours", "ORV_GridControlClass", 240, 160, kSel, HostColours, NULL};
const DisplayCase kHostListBack = {"host's list colour", "ORV_GridControlClass", 240, 160, kSel, HostListBack, NULL};
const DisplayCase kSorted = {"sorted list", "SysListView32", 240, 160, LVS_REPORT | LVS_EDITLABELS, Sorted, NULL};

HBITMAP Arrow(HWND list)
{
    HDITEMW item = {};
    item.mask = HDI_BITMAP;
    SendMessageW(ListView_GetHeader(list), HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    return item.hbm;
}
COLORREF Corner(HBITMAP bitmap)
{
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF pixel = GetPixel(dc, 0, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    return pixel;
}
int FontHeight(HWND window)
{
    LOGFONTA face = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof face, &face);
    return face.lfHeight;
}

std::set<std::pair<HWND, bool>> g_themed;  // window, given the dark classes
HRESULT WINAPI RecordTheme(HWND hwnd, LPCWSTR app, LPCWSTR)
{
    g_themed.insert({hwnd, app != NULL});
    return S_OK;
}

class DisplayGridTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitORVCC(0x7F)); }
    void TearDown() override { OrvccSetDarkMode(ORVCC_DARK_OFF); setWindowThemeHook = NULL; }
    HostWindow host_{500, 400};
};

}  // namespace

// The grid's child gets the list view's own font made for the DPI (its rows grow
// with it); a host's list view gets arrows for its DPI.
TEST_F(DisplayGridTest, GeometryFollowsTheDpiAtCreation)
{
    int lastRow = 0;
    for (UINT dpi : {96u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        ScopedWindowDpi source(dpi);
        HWND list = CreateAtDpi(host_.hwnd(), kSorted, source, dpi);
        HWND grid = CreateAtDpi(host_.hwnd(), kGrid, source, dpi);
        EXPECT_EQ(FontHeight(Child(grid)), MulDiv(FontHeight(list), dpi, ScreenDpi()));
        RECT row = {LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(Child(grid), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        EXPECT_GT(row.bottom - row.top, lastRow);
        lastRow = row.bottom - row.top;
        BITMAP arrow = {};
        ASSERT_TRUE(GetObjectA(Arrow(list), sizeof arrow, &arrow));
        EXPECT_EQ(arrow.bmWidth, ScaleBy(14, WindowDpiScale(list).x));
        EXPECT_EQ(arrow.bmHeight, ScaleBy(14, WindowDpiScale(list).y));
        DestroyWindow(list);
        DestroyWindow(grid);
    }
}

TEST_F(DisplayGridTest, DpiChangeLooksLikeCreation)
{
    for (const DisplayCase &c : {kGrid, kRowHeaders, kHostFont, kSorted})
        ExpectDpiChangeLikeCreation(host_.hwnd(), c, 96, 144);
}

TEST_F(DisplayGridTest, DarkSwitchBothWays)
{
    for (const DisplayCase &c : {kGrid, kRowHeaders})
        ExpectDarkSwitch(host_.hwnd(), c, RECT{}, RECT{0, 30, 200, 90} /* the rows */);
}

// In dark mode, made before or after the switch: what the host set stays, the
// grid's own parts are dark with legible text, and its list view and header take
// the dark theme classes.
TEST_F(DisplayGridTest, DarkModeKeepsHostSettings)
{
    setWindowThemeHook = RecordTheme;
    const struct {
        const DisplayCase &c;
        int row;  // probed at x = 60 near its top (-1: below the rows)
        COLORREF expected;
        bool text;  // the row's text in column 0 legible on it
    } cases[] = {
        {kHostColours, 0, RGB(255, 255, 200), true},
        {kHostColours, -1, RGB(200, 255, 255), false},
        {kHostListBack, -1, RGB(200, 255, 255), false},
        {kRowHeaders, 1, DarkSysColor(COLOR_3DFACE), true},
        {kFullRowHeaders, 1, DarkSysColor(COLOR_HIGHLIGHT), true},
        {kGrid, 0, DarkSysColor(COLOR_WINDOW), true},
        {kGrid, 1, DarkSysColor(COLOR_WINDOW), true},  // the selected row, not its cell
    };
    for (const auto &k : cases)
        for (int mode : {ORVCC_DARK_OFF, ORVCC_DARK_ON}) {
            SCOPED_TRACE(k.c.name);
            OrvccSetDarkMode(mode);
            HWND grid = CreateWindowInFlavour(k.c.className, WS_CHILD | WS_VISIBLE | k.c.style, 0,
                                              0, k.c.width, k.c.height, host_.hwnd(), 7);
            k.c.setup(grid);
            OrvccSetDarkMode(ORVCC_DARK_ON);
            PumpMessages();
            const Capture shown(grid);
            RECT row = {LVIR_BOUNDS, 0, 0, 0};
            SendMessageA(Child(grid), LVM_GETITEMRECT, k.row < 0 ? 3 : k.row, reinterpret_cast<LPARAM>(&row));
            const int y = k.row < 0 ? row.bottom + 5 : row.top + 2;
            EXPECT_EQ(shown.At(60, y), k.expected) << "at y " << y;
            const RECT text = {2, row.top + 1, 60, row.bottom - 2};
            if (k.text) {
                EXPECT_GE(ContrastRatio(MostContrasting(shown, text, k.expected), k.expected), 4.5);
            }
            EXPECT_TRUE(g_themed.count({Child(grid), true}));
            EXPECT_TRUE(g_themed.count({ListView_GetHeader(Child(grid)), true}));
            DestroyWindow(grid);
        }
}

// A host's list view: arrows and an editor in the colours in effect, the list
// view itself never given theme classes.
TEST_F(DisplayGridTest, HostListViewExtensionsFollowDarkMode)
{
    setWindowThemeHook = RecordTheme;
    HWND list = CreateWindowInFlavour("SysListView32", WS_CHILD | WS_VISIBLE | kSorted.style, 0, 0,
                                      240, 160, host_.hwnd(), 8);
    Sorted(list);
    LVEDITOPTION option = {LVSO_EDITSUBITEMS, 0, WM_APP + 8};
    ListViewSetSpecialOption(list, &option);
    for (int mode : {ORVCC_DARK_ON, ORVCC_DARK_OFF}) {
        OrvccSetDarkMode(mode);
        if (mode == ORVCC_DARK_ON)
            SendMessageA(list, LVXM_EDITSUBITEM, 2, 1);
        PumpMessages();
        HWND editor = GetDlgItem(list, 0x1234);
        ASSERT_NE(editor, nullptr);
        const bool dark = mode == ORVCC_DARK_ON;
        EXPECT_EQ(Corner(Arrow(list)), dark ? DarkSysColor(COLOR_3DFACE) : GetSysColor(COLOR_3DFACE));
        EXPECT_EQ(Capture(editor).At(1, 1), dark ? DarkSysColor(COLOR_WINDOW) : GetSysColor(COLOR_WINDOW));
        EXPECT_TRUE(g_themed.count({editor, dark}));
    }
    EXPECT_FALSE(g_themed.count({list, true}) || g_themed.count({list, false}));
    DestroyWindow(list);
}
