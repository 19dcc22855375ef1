// Per-monitor DPI and dark mode of the progress bar, LED, web link and splitter.
#include <gtest/gtest.h>

#include "display.h"
#include "displayfixture.h"
#include "orvcc32.h"

using namespace orvtest;

namespace {

class DisplaySimpleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitORVCC(0x7F)); }
    void TearDown() override { OrvccSetDarkMode(ORVCC_DARK_OFF); }
    HostWindow host_{400, 300};
};

HFONT HostFont()
{
    static HFONT font = CreateFontA(-19, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    return font;
}
int FontHeight(HGDIOBJ font)
{
    LOGFONTA face = {};
    GetObjectA(font, sizeof face, &face);
    return face.lfHeight;
}
int HeightOfFont(HWND c) { return FontHeight((HGDIOBJ)SendMessageA(c, WM_GETFONT, 0, 0)); }
int BarWidth(HWND c) { return (int)SendMessageA(c, SPM_GETBARWIDTH, 0, 0); }
int ScaledHeight(int stock, UINT dpi) { return MulDiv(FontHeight(GetStockObject(stock)), dpi, ScreenDpi()); }

void Progress(HWND c) { SendMessageA(c, PGM_SETPOS, 50, 0); }
void ProgressHostFont(HWND c) { Progress(c); SendMessageA(c, WM_SETFONT, (WPARAM)HostFont(), 1); }
void ProgressOwnFontBack(HWND c) { Progress(c); SendMessageA(c, WM_SETFONT, SendMessageA(c, WM_GETFONT, 0, 0), 1); }
void ProgressHostColors(HWND c)
{
    COLORREF back = RGB(255, 255, 200), bar = RGB(0, 128, 0);
    SendMessageA(c, PGM_SETBACKCOLOR, 0, (LPARAM)&back);
    SendMessageA(c, PGM_SETBARCOLOR, 0, (LPARAM)&bar);
    Progress(c);
}
void Led(HWND c) { SendMessageA(c, LDM_SETTYPE, 0, LDT_DIGITDP); SendMessageA(c, LDM_SETDIGIT, 8, 0); }
void LedHostColors(HWND c)
{
    LedColors colors = {RGB(0, 0, 255), RGB(200, 200, 255), RGB(0, 64, 0)};
    SendMessageA(c, LDM_SETTYPE, 0, LDT_ROUND);
    SendMessageA(c, LDM_SETCOLORS, 0, (LPARAM)&colors);
}
void Link(HWND c) { SetWindowTextA(c, "Link text"); InvalidateRect(c, NULL, FALSE); }
void LinkHostFont(HWND c) { Link(c); SendMessageA(c, WM_SETFONT, (WPARAM)HostFont(), 1); }
void Panes(HWND c)
{
    for (UINT pane : {SPM_SETPANE1, SPM_SETPANE2})
        SendMessageA(c, pane, 1, (LPARAM)CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE |
                     (pane == SPM_SETPANE1 ? SS_BLACKRECT : SS_GRAYRECT), 0, 0, 1, 1, c, NULL, NULL, NULL));
}
void PanesHostBar(HWND c) { Panes(c); SendMessageA(c, SPM_SETBARWIDTH, 0, 10); }

const DisplayCase kProgress = {"progress", "ORV_ProgressClass", 200, 20, 0, Progress, NULL};
const DisplayCase kProgressFont = {"progress, host font", "ORV_ProgressClass", 200, 20, 0, ProgressHostFont, NULL};
const DisplayCase kProgressOwnFont = {"progress, own font handed back", "ORV_ProgressClass", 200, 20, 0, ProgressOwnFontBack, NULL};
const DisplayCase kLed = {"LED digit", "ORV_LEDClass", 31, 41, 0, Led, NULL};
const DisplayCase kLink = {"web link", "ORV_WebLinkClass", 120, 24, 0, Link, NULL};
const DisplayCase kLinkFont = {"web link, host font", "ORV_WebLinkClass", 120, 24, 0, LinkHostFont, NULL};
const DisplayCase kSplitter = {"splitter", "ORV_SplitterClass", 200, 100, 0, Panes, NULL};
const DisplayCase kSplitterBar = {"splitter, host bar", "ORV_SplitterClass", 200, 100, 0, PanesHostBar, NULL};

// Side of the cursor the link shows over its client area.
int CursorSize(HWND link)
{
    SendMessageA(link, WM_SETCURSOR, (WPARAM)link, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    ICONINFO info = {};
    if (!GetIconInfo(GetCursor(), &info))
        return 0;
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    return mask.bmWidth;
}

// Rows of the top segment in the digit's middle column.
int TopSegmentRows(HWND led)
{
    const Capture shown(led);
    const COLORREF back = shown.At(0, 0);
    int rows = 0;
    for (int y = 0; y < shown.height() / 4; ++y)
        rows += shown.At(shown.width() / 2, y) != back;
    return rows;
}

}  // namespace

TEST_F(DisplaySimpleTest, SizesFollowTheWindowsDpi)
{
    const struct {
        const DisplayCase &c;
        int (*measure)(HWND control);
        int (*expected)(UINT dpi);
    } cases[] = {
        {kProgress, HeightOfFont, [](UINT dpi) { return ScaledHeight(DEFAULT_GUI_FONT, dpi); }},
        {kProgressOwnFont, HeightOfFont, [](UINT dpi) { return ScaledHeight(DEFAULT_GUI_FONT, dpi); }},
        {kProgressFont, [](HWND c) { return (int)(SendMessageA(c, WM_GETFONT, 0, 0) == (LRESULT)HostFont()); },
         [](UINT) { return 1; }},
        {kLink, HeightOfFont, [](UINT dpi) { return ScaledHeight(SYSTEM_FONT, dpi); }},
        {kLink, CursorSize, [](UINT dpi) { return MulDiv(GetSystemMetrics(SM_CXCURSOR), dpi, SystemDpi()); }},
        {kLed, TopSegmentRows, [](UINT dpi) { return (MulDiv(31, dpi, 96) - 1) / 4 + 1; }},
        {kSplitter, BarWidth, [](UINT dpi) { return ScaleBy(6, dpi == SystemDpi() ? dpiScaleX : dpi / 96.0); }},
        {kSplitterBar, BarWidth, [](UINT) { return 10; }},
    };
    ScopedWindowDpi source(96);
    for (const auto &row : cases)
        for (UINT dpi : {96u, 144u, 192u}) {
            SCOPED_TRACE(testing::Message() << row.c.name << " at " << dpi);
            HWND control = CreateAtDpi(host_.hwnd(), row.c, source, dpi);
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(row.measure(control), row.expected(dpi));
            HWND moved = CreateAtDpi(host_.hwnd(), row.c, source, 192);
            ChangeDpi(moved, row.c, source, dpi);
            EXPECT_EQ(row.measure(moved), row.expected(dpi)) << "moved from 192";
            DestroyWindow(control);
            DestroyWindow(moved);
        }
}

TEST_F(DisplaySimpleTest, MovedToAnotherDpiLooksLikeCreatedThere)
{
    for (const DisplayCase *c : {&kProgress, &kProgressFont, &kLed, &kLink, &kLinkFont, &kSplitter, &kSplitterBar})
        ExpectDpiChangeLikeCreation(host_.hwnd(), *c, 96, 144);
}

TEST_F(DisplaySimpleTest, DarkModeBothWays)
{
    const struct {
        DisplayCase c;
        RECT back, text;
    } cases[] = {
        {{"progress empty", "ORV_ProgressClass", 200, 20, 0, NULL, NULL}, {}, {}},
        {kProgress, {0, 0, 100, 20}, {70, 0, 100, 20}},  // the text inside the bar
        {kProgress, {150, 0, 200, 20}, {100, 0, 130, 20}},
        {kLed, {}, {}},
        {kLink, {}, {}},
    };
    for (const auto &row : cases)
        ExpectDarkSwitch(host_.hwnd(), row.c, row.back, row.text);
}

// Colours the host set stay in dark mode; the splitter's face and bar edges come
// from the dark set. Back in light mode every pixel is as before.
TEST_F(DisplaySimpleTest, DarkModePixelProbes)
{
    const COLORREF same = CLR_INVALID;
    const struct {
        DisplayCase c;
        struct { int x, y; COLORREF dark; } probes[5];
    } cases[] = {
        {{"progress, host colours", "ORV_ProgressClass", 200, 20, 0, ProgressHostColors, NULL},
         {{5, 2, same}, {195, 2, same}}},
        {{"LED, host colours", "ORV_LEDClass", 30, 30, 0, LedHostColors, NULL}, {{15, 15, same}, {0, 0, same}}},
        {{"splitter, no panes", "ORV_SplitterClass", 200, 100, 0, NULL, NULL},
         {{5, 5, DarkSysColor(COLOR_BTNFACE)}, {195, 95, DarkSysColor(COLOR_BTNFACE)}}},
        {kSplitter,
         {{100, 50, DarkSysColor(COLOR_3DLIGHT)}, {101, 50, DarkSysColor(COLOR_3DHILIGHT)},
          {102, 50, DarkSysColor(COLOR_BTNFACE)}, {104, 50, DarkSysColor(COLOR_3DSHADOW)},
          {105, 50, DarkSysColor(COLOR_3DDKSHADOW)}}},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.c.name);
        HWND control = CreateWindowInFlavour(row.c.className, WS_CHILD | WS_VISIBLE, 0, 0, row.c.width,
                                             row.c.height, host_.hwnd(), 7);
        if (row.c.setup)
            row.c.setup(control);
        PumpMessages();
        const Capture light(control);
        OrvccSetDarkMode(ORVCC_DARK_ON);
        PumpMessages();
        const Capture dark(control);
        for (const auto &p : row.probes)
            if (p.x || p.y || p.dark) {
                EXPECT_EQ(dark.At(p.x, p.y), p.dark == same ? light.At(p.x, p.y) : p.dark) << p.x << "," << p.y;
            }
        OrvccSetDarkMode(ORVCC_DARK_OFF);
        PumpMessages();
        EXPECT_EQ(DifferentPixels(Capture(control), light), 0);
        DestroyWindow(control);
    }
}

// A top-level control moved to another DPI takes the rectangle the system suggests.
TEST_F(DisplaySimpleTest, TopLevelControlsTakeTheSuggestedRectangle)
{
    for (const char *name : {"ORV_ProgressClass", "ORV_LEDClass", "ORV_WebLinkClass", "ORV_SplitterClass"}) {
        HWND control = CreateWindowInFlavour(name, WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, NULL, 0);
        RECT suggested = {10, 20, 85, 50}, now;
        SendMessageA(control, kWmDpiChanged, MAKEWPARAM(144, 144), (LPARAM)&suggested);
        GetWindowRect(control, &now);
        EXPECT_TRUE(EqualRect(&now, &suggested)) << name;
        DestroyWindow(control);
    }
}
