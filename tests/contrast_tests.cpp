// High contrast: after the system colours change (SetSysColors, as switching to a
// high-contrast scheme does) and the host passes WM_SYSCOLORCHANGE on to its
// child controls, each control shows the new colours wherever it draws in
// default colours, and keeps every colour the host set. The system colours are
// shared by every program of the session, so the suite runs alone and puts
// them back after each test, failed or not.
#include <gtest/gtest.h>

#include <vector>

#include "orvcc32.h"
#include "testing.h"

using namespace orvtest;

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kHostColour = RGB(10, 20, 30);

// A high-contrast-like scheme: light on black, cyan selection, yellow hot links.
const int kElements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                         COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HOTLIGHT, COLOR_3DSHADOW};
const COLORREF kScheme[] = {RGB(0, 0, 0),     kWhite,          RGB(0, 255, 255), RGB(0, 0, 0),
                            RGB(64, 64, 64), kWhite,          RGB(255, 255, 0), RGB(255, 0, 255)};
const int kCount = sizeof kElements / sizeof kElements[0];

// The host's part: a top-level window gets WM_SYSCOLORCHANGE and hands it to
// its children (neither the default window procedure nor the dialog manager does).
WNDPROC g_hostProc;
LRESULT CALLBACK ForwardingHost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOLORCHANGE)
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessage(child, message, wParam, lParam);
    return CallWindowProcW(g_hostProc, hwnd, message, wParam, lParam);
}

// What a probe expects: a system colour after the change, a system colour as
// it was before the change, or a fixed colour.
enum Source { kNow, kBefore, kFixed };
struct Probe {
    RECT area;    // client coordinates of the captured window
    Source source;
    int element;  // kNow, kBefore
    COLORREF fixed;
    bool some;    // at least one pixel (text); else every pixel
};
Probe At(int x, int y, Source source, int element, COLORREF fixed = 0)
{
    return {{x, y, x + 1, y + 1}, source, element, fixed, false};
}
Probe Some(RECT area, Source source, int element)
{
    return {area, source, element, 0, true};
}

// Setups that a case runs on its new control with the case's argument: they
// may add probes that depend on the layout, and give the window to capture
// (null: the control itself).
HWND HalfFull(HWND bar, std::vector<Probe> *, int onWhite)
{
    if (onWhite)
        SendMessage(bar, PGM_SETBACKCOLOR, 0, reinterpret_cast<LPARAM>(&kWhite));
    SendMessage(bar, PGM_SETPOS, 50, 0);
    return NULL;
}

HWND LedColours(HWND led, std::vector<Probe> *, int)
{
    const LedColors colours = {kRed, kWhite, kHostColour};
    SendMessage(led, LDM_SETCOLORS, 0, reinterpret_cast<LPARAM>(&colours));
    return NULL;
}

HWND LinkText(HWND link, std::vector<Probe> *, int)
{
    SetWindowTextA(link, "Link");
    return NULL;
}

HWND TwoPanes(HWND splitter, std::vector<Probe> *, int)
{
    for (UINT message : {SPM_SETPANE1, SPM_SETPANE2}) {
        HWND pane = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, splitter,
                                    NULL, NULL, NULL);
        SendMessage(splitter, message, 0, reinterpret_cast<LPARAM>(pane));
    }
    return NULL;
}

// Two columns of 100 and three rows with cell (1, 1) selected; captured is the
// grid's list view. A background set by the host stays: through the grid's
// colours on the rows only, through the list-view message also below the rows.
enum GridBackground { kDefaultBack, kGridBack, kListBack };
HWND GridRows(HWND grid, std::vector<Probe> *probes, int background)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    LVITEMA item = {};
    for (int c = 0; c < 2; ++c)
        SendMessage(grid, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    for (item.iItem = 0; item.iItem < 3; ++item.iItem)
        SendMessage(grid, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    LVITEMA cell = {};
    cell.iSubItem = 1;
    cell.state = cell.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(grid, GCM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&cell));
    GRIDCOLORS colours = {sizeof colours, GCC_BACK, kHostColour, 0, 0, 0, 0, 0};
    if (background == kGridBack)
        SendMessage(grid, GCM_SETCOLORS, 0, reinterpret_cast<LPARAM>(&colours));
    if (background == kListBack)
        SendMessage(grid, LVM_SETBKCOLOR, 0, kHostColour);
    HWND list = GetDlgItem(grid, 100);
    RECT rows[3];
    for (int i = 0; i < 3; ++i) {
        rows[i] = {LVIR_BOUNDS, 0, 0, 0};
        SendMessage(list, LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rows[i]));
    }
    *probes = {background == kDefaultBack ? At(50, rows[0].top + 2, kNow, COLOR_WINDOW)
                                          : At(50, rows[0].top + 2, kFixed, 0, kHostColour),
               background == kListBack ? At(50, rows[2].bottom + 20, kFixed, 0, kHostColour)
                                       : At(50, rows[2].bottom + 20, kNow, COLOR_WINDOW),
               At(50, rows[0].bottom - 1, kNow, COLOR_3DFACE), At(98, rows[0].top + 2, kNow, COLOR_3DFACE),
               At(120, rows[1].top + 2, kNow, COLOR_HIGHLIGHT)};
    return list;
}

class ContrastTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InitORVCC(0x7F));
        for (int i = 0; i < kCount; ++i)
            saved_[i] = GetSysColor(kElements[i]);
        g_hostProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(host_.hwnd(), GWLP_WNDPROC));
        SetWindowLongPtrW(host_.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForwardingHost));
    }
    void TearDown() override
    {
        SetSysColors(kCount, kElements, saved_);
        PumpMessages();
    }
    COLORREF Expected(const Probe &probe) const
    {
        if (probe.source == kFixed)
            return probe.fixed;
        if (probe.source == kNow)
            return GetSysColor(probe.element);
        for (int i = 0; i < kCount; ++i)
            if (kElements[i] == probe.element)
                return saved_[i];
        return GetSysColor(probe.element);  // not changed by the scheme
    }
    HostWindow host_{400, 300};
    COLORREF saved_[kCount];
};

TEST_F(ContrastTest, ControlsFollowChangedSystemColours)
{
    const struct {
        const char *name;
        const char *className;
        int width, height;
        DWORD style;
        HWND (*setup)(HWND, std::vector<Probe> *, int);
        int argument;
        std::vector<Probe> probes;
    } cases[] = {
        // The bar mixes its colour with the inverted background: on black, white.
        {"progress bar", "ORV_ProgressClass", 100, 20, 0, HalfFull, 0,
         {At(95, 10, kNow, COLOR_WINDOW), At(3, 2, kFixed, 0, kWhite)}},
        {"progress bar, host background", "ORV_ProgressClass", 100, 20, 0, HalfFull, 1,
         {At(95, 10, kFixed, 0, kWhite), At(3, 2, kNow, COLOR_HIGHLIGHT)}},
        {"LED", "ORV_LEDClass", 31, 41, 0, NULL, 0,
         {At(0, 0, kNow, COLOR_BTNFACE), At(30, 40, kNow, COLOR_BTNFACE), At(12, 5, kFixed, 0, kRed)}},
        {"LED, host colours", "ORV_LEDClass", 31, 41, 0, LedColours, 0,
         {At(0, 0, kFixed, 0, kHostColour), At(30, 40, kFixed, 0, kHostColour)}},
        {"web link", "ORV_WebLinkClass", 200, 20, 0, LinkText, 0,
         {At(190, 10, kNow, COLOR_BTNFACE), Some({0, 0, 60, 20}, kNow, COLOR_HIGHLIGHT)}},
        // The vertical bar of 6 at x 100: two columns of raised edge each side.
        {"splitter", "ORV_SplitterClass", 200, 100, 0, TwoPanes, 0,
         {At(102, 50, kNow, COLOR_BTNFACE), At(103, 10, kNow, COLOR_BTNFACE)}},
        // Keeps the colours read at creation: background, and the needle hub
        // 10 above the caption strip (about 20 high).
        {"analog meter", "ORV_AnalogMeterClass", 200, 150, 0, NULL, 0,
         {At(2, 2, kBefore, COLOR_WINDOW), At(100, 118, kBefore, COLOR_WINDOWTEXT)}},
        {"hex editor", "ORV_HexEditorClass", 300, 100, 0, NULL, 0, {At(290, 90, kBefore, COLOR_WINDOW)}},
        {"grid", "ORV_GridControlClass", 300, 200, LVS_SHOWSELALWAYS, GridRows, kDefaultBack, {}},
        {"grid, host background", "ORV_GridControlClass", 300, 200, LVS_SHOWSELALWAYS, GridRows, kGridBack, {}},
        {"grid, host list-view background", "ORV_GridControlClass", 300, 200, LVS_SHOWSELALWAYS, GridRows, kListBack, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Probe> probes = c.probes;
        HWND shown = CreateWindowInFlavour(c.className, WS_CHILD | WS_VISIBLE | c.style, 10, 10, c.width,
                                           c.height, host_.hwnd(), 5);
        HWND inner = shown && c.setup ? c.setup(shown, &probes, c.argument) : NULL;
        shown = inner ? inner : shown;
        ASSERT_NE(shown, nullptr);
        PumpMessages();
        UpdateWindow(host_.hwnd());
        ASSERT_TRUE(SetSysColors(kCount, kElements, kScheme));
        PumpMessages();
        const Capture shot(shown);
        for (size_t i = 0; i < probes.size(); ++i) {
            const Probe &p = probes[i];
            const COLORREF expected = Expected(p);
            const int found = shot.Count(expected, p.area.left, p.area.top, p.area.right, p.area.bottom);
            const int all = (p.area.right - p.area.left) * (p.area.bottom - p.area.top);
            EXPECT_TRUE(p.some ? found > 0 : found == all)
                << "probe " << i << " at (" << p.area.left << ", " << p.area.top << "): expected 0x" << std::hex
                << expected << ", found 0x" << shot.At(p.area.left, p.area.top);
        }
        SetSysColors(kCount, kElements, saved_);
        PumpMessages();
        for (HWND child; (child = GetWindow(host_.hwnd(), GW_CHILD)) != NULL;)
            DestroyWindow(child);
    }
}

// A sorted list view of the host: the arrow's grey shades are mapped to the
// system colours when loaded, and loaded again at the change.
TEST_F(ContrastTest, SortArrowsFollowChangedSystemColours)
{
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200,
                                host_.hwnd(), NULL, NULL, NULL);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    LVSORTOPTION option = {LVSO_SORTHEADER, 0, WM_APP, 0, FALSE, NULL};
    ASSERT_TRUE(ListViewSetSpecialOption(list, &option));
    ASSERT_TRUE(SetSysColors(kCount, kElements, kScheme));
    HDITEMW item = {};
    item.mask = HDI_BITMAP;
    SendMessageW(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), HDM_GETITEMW, 0,
                 reinterpret_cast<LPARAM>(&item));
    HDC screen = GetDC(NULL), memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, item.hbm);
    EXPECT_EQ(GetPixel(memory, 0, 0), GetSysColor(COLOR_3DFACE));      // background
    EXPECT_EQ(GetPixel(memory, 4, 8), GetSysColor(COLOR_3DSHADOW));    // left side of the arrow
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
}

}  // namespace
