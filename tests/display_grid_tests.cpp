// Per-monitor DPI and dark mode of the grid and the list view extensions.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "display.h"
#include "displayfixture.h"
#include "orvcc32.h"

using namespace orvtest;

namespace {

const UINT kSortMessage = WM_APP + 7;

// Three columns of a width the host chose and four rows, cell (1, 1) current.
void FillList(HWND list)
{
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 70;
        column.pszText = const_cast<char *>(c == 0 ? "Name" : c == 1 ? "Size" : "Kind");
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    for (int r = 0; r < 4; ++r) {
        char text[] = "Wxyz0";
        text[4] = static_cast<char>('0' + r);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = text;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (item.iSubItem = 1; item.iSubItem < 3; ++item.iSubItem)
            SendMessageA(list, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
    }
    LVITEMA cell = {};
    cell.iSubItem = 1;
    cell.state = cell.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(list, WM_USER + 104 /* GCM_SETITEMSTATE */, 1, reinterpret_cast<LPARAM>(&cell));
}

HWND Child(HWND grid)
{
    return GetDlgItem(grid, 100);
}
void RowHeaders(HWND grid)
{
    FillList(grid);
    SendMessageA(grid, GCM_SETGRIDSTYLE, 0, GCS_HORZLINES | GCS_VERTLINES | GCS_ROWHEADERS);
}
void HostFont(HWND grid)
{
    FillList(grid);
    SendMessageA(Child(grid), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FONT)), TRUE);
}
void HostColours(HWND grid)
{
    FillList(grid);
    SendMessageA(grid, LVM_SETBKCOLOR, 0, RGB(200, 255, 255));  // the rows' too, then:
    GRIDCOLORS colours = {sizeof colours, GCC_BACK, RGB(255, 255, 200), 0, 0, 0, 0, 0};
    SendMessageA(grid, GCM_SETCOLORS, 0, reinterpret_cast<LPARAM>(&colours));
}
void HostChildBack(HWND grid)
{
    FillList(grid);
    SendMessageA(Child(grid), LVM_SETBKCOLOR, 0, RGB(200, 255, 255));
}
void Sorted(HWND list)
{
    FillList(list);
    LVSORTOPTION option = {LVSO_SORTHEADER, 0, kSortMessage, 1, FALSE, NULL};
    ListViewSetSpecialOption(list, &option);
}
void Edited(HWND list)
{
    LVEDITOPTION option = {LVSO_EDITSUBITEMS, 0, WM_APP + 8};
    ListViewSetSpecialOption(list, &option);
    SendMessageA(list, LVXM_EDITSUBITEM, 2, 1);
}
HWND Editor(HWND list)
{
    return GetDlgItem(list, 0x1234);
}

const DWORD kSel = LVS_SHOWSELALWAYS | LVS_EDITLABELS;
const DisplayCase kGrid = {"grid", "ORV_GridControlClass", 240, 160, kSel, FillList, NULL};
const DisplayCase kRowHeaders = {"row headers", "ORV_GridControlClass", 240, 160, kSel, RowHeaders, NULL};
const DisplayCase kHostFont = {"host's font", "ORV_GridControlClass", 240, 160, kSel, HostFont, NULL};
const DisplayCase kHostColours = {"host's colours", "ORV_GridControlClass", 240, 160, kSel, HostColours, NULL};
const DisplayCase kHostChildBack = {"host's list colour", "ORV_GridControlClass", 240, 160, kSel, HostChildBack, NULL};
const DisplayCase kSorted = {"sorted list", "SysListView32", 240, 160, LVS_REPORT, Sorted, NULL};

HBITMAP Arrow(HWND list, int column)
{
    HDITEMW item = {};
    item.mask = HDI_BITMAP;
    SendMessageW(ListView_GetHeader(list), HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
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
int RowHeight(HWND list)
{
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds));
    return bounds.bottom - bounds.top;
}

std::vector<std::pair<HWND, bool>> g_themed;  // window, dark classes
HRESULT WINAPI RecordTheme(HWND hwnd, LPCWSTR app, LPCWSTR)
{
    g_themed.push_back({hwnd, app != NULL});
    return S_OK;
}
bool Themed(HWND hwnd, bool dark)
{
    for (const auto &t : g_themed)
        if (t.first == hwnd && t.second == dark)
            return true;
    return false;
}

class DisplayGridTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitORVCC(0x7F)); }
    void TearDown() override
    {
        OrvccSetDarkMode(ORVCC_DARK_OFF);
        setWindowThemeHook = NULL;
    }
    HostWindow host_{500, 400};
};

}  // namespace

// The grid's child takes its own font made for the DPI (rows grow with it); a
// host's list view gets arrows for its DPI, and so does an editor's font.
TEST_F(DisplayGridTest, GeometryFollowsTheDpiAtCreation)
{
    const UINT screen = static_cast<UINT>(ScreenDpi());
    int lastRow = 0;
    for (UINT dpi : {96u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        ScopedWindowDpi source(dpi);
        HWND plain = CreateAtDpi(host_.hwnd(), kSorted, source, dpi);
        HWND grid = CreateAtDpi(host_.hwnd(), kGrid, source, dpi);
        EXPECT_EQ(FontHeight(Child(grid)), MulDiv(FontHeight(plain), dpi, screen));
        EXPECT_GT(RowHeight(Child(grid)), lastRow);
        lastRow = RowHeight(Child(grid));
        BITMAP arrow = {};
        ASSERT_TRUE(GetObjectA(Arrow(plain, 1), sizeof arrow, &arrow));
        EXPECT_EQ(arrow.bmWidth, ScaleBy(14, WindowDpiScale(plain).x));
        EXPECT_EQ(arrow.bmHeight, ScaleBy(14, WindowDpiScale(plain).y));
        DestroyWindow(plain);
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
    const RECT rows = {0, 30, 200, 90};
    for (const DisplayCase &c : {kGrid, kRowHeaders})
        ExpectDarkSwitch(host_.hwnd(), c, RECT{}, rows);
}

// In dark mode: what the host set stays, the library's own parts take the dark
// set; only the library's own windows take the dark theme classes.
TEST_F(DisplayGridTest, DarkModeKeepsHostSettings)
{
    setWindowThemeHook = RecordTheme;
    g_themed.clear();
    const RECT none = {0, 0, 0, 0}, row0 = {2, 18, 60, 29}, row1 = {2, 32, 60, 43};
    const struct {
        const DisplayCase &c;
        POINT probe;  // in the window shown
        COLORREF expected;
        RECT text;  // text legible on the expected colour there
    } cases[] = {
        {kHostColours, {60, 25}, RGB(255, 255, 200), row0},
        {kHostColours, {120, 150}, RGB(200, 255, 255), none},
        {kRowHeaders, {60, 40}, DarkSysColor(COLOR_3DFACE), row1},
        {kGrid, {120, 150}, DarkSysColor(COLOR_WINDOW), row0},
        {kGrid, {120, 150}, DarkSysColor(COLOR_WINDOW), row1},  // the selected row
        {kHostChildBack, {120, 150}, RGB(200, 255, 255), none},
    };
    // Made in light mode and switched, then made in dark mode.
    for (const auto &k : cases)
      for (int mode : {ORVCC_DARK_OFF, ORVCC_DARK_ON}) {
        SCOPED_TRACE(k.c.name);
        OrvccSetDarkMode(mode);
        HWND grid = CreateWindowInFlavour(k.c.className, WS_CHILD | WS_VISIBLE | k.c.style, 0, 0,
                                          k.c.width, k.c.height, host_.hwnd(), 7);
        k.c.setup(grid);
        OrvccSetDarkMode(ORVCC_DARK_ON);
        PumpMessages();
        const Capture shown(grid);
        EXPECT_EQ(shown.At(k.probe.x, k.probe.y), k.expected);
        if (k.text.right) {
            EXPECT_GE(ContrastRatio(MostContrasting(shown, k.text, k.expected), k.expected), 4.5);
        }
        EXPECT_TRUE(Themed(Child(grid), true));
        EXPECT_TRUE(Themed(ListView_GetHeader(Child(grid)), true));
        DestroyWindow(grid);
      }
    // A host's list view: dark arrows and a dark editor, the list view left alone.
    HWND list = CreateWindowInFlavour("SysListView32", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS,
                                      0, 0, 240, 160, host_.hwnd(), 8);
    Sorted(list);
    OrvccSetDarkMode(ORVCC_DARK_ON);
    Edited(list);
    PumpMessages();
    EXPECT_EQ(Corner(Arrow(list, 1)), DarkSysColor(COLOR_3DFACE));
    ASSERT_NE(Editor(list), nullptr);
    EXPECT_TRUE(Themed(Editor(list), true));
    EXPECT_EQ(Capture(Editor(list)).At(1, 1), DarkSysColor(COLOR_WINDOW));
    OrvccSetDarkMode(ORVCC_DARK_OFF);
    PumpMessages();
    EXPECT_TRUE(Themed(Editor(list), false));
    EXPECT_EQ(Corner(Arrow(list, 1)), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(Capture(Editor(list)).At(1, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_FALSE(Themed(list, true) || Themed(list, false));
    DestroyWindow(list);
}
