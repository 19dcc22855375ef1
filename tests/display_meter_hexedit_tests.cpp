// Per-monitor DPI and dark mode of the analog meter and hex editor.
#include <gtest/gtest.h>

#include "display.h"
#include "displayfixture.h"
#include "orvcc32.h"

using namespace orvtest;

namespace {

const COLORREF kHostBack = RGB(0, 128, 0);

// A meter with labelled major ticks and a needle off the rest position.
void Labelled(HWND meter)
{
    AMINFO info = {AMIF_LABELSTEP, 0, 0, 0, 5, 0, 0, 0};
    SendMessageA(meter, AMM_SETINFO, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageA(meter, AMM_SETLABELSA, 3, reinterpret_cast<LPARAM>("0\0 50\0 100\0"));
    SendMessageA(meter, AMM_SETPOS, 0, 60);
}
// The host changes two sizes; the others keep following the DPI.
void HostMetrics(HWND meter)
{
    Labelled(meter);
    AMMETRICS m;
    SendMessageA(meter, AMM_GETMETRICS, 0, reinterpret_cast<LPARAM>(&m));
    m.nHubRadius = 5;
    m.nLabelReserve = 30;
    SendMessageA(meter, AMM_SETMETRICS, 0, reinterpret_cast<LPARAM>(&m));
}
HFONT HostFont()
{
    static HFONT font = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    return font;
}
void MeterHostFont(HWND meter)
{
    Labelled(meter);
    SendMessageA(meter, WM_SETFONT, reinterpret_cast<WPARAM>(HostFont()), 0);
}
void MeterHostColours(HWND meter)
{
    Labelled(meter);
    AMCOLORS c = {kHostBack, RGB(255, 255, 255), RGB(255, 255, 0), RGB(255, 0, 0), RGB(255, 255, 255)};
    SendMessageA(meter, AMM_SETCOLORS, 0, reinterpret_cast<LPARAM>(&c));
}

// Three lines of bytes, the second partly selected, the caret past the view.
void HexData(HWND hex)
{
    BYTE bytes[100];
    for (int i = 0; i < 100; ++i)
        bytes[i] = static_cast<BYTE>(0x30 + i);
    SendMessageA(hex, HXM_SETDATA, sizeof bytes, reinterpret_cast<LPARAM>(bytes));
    SendMessageA(hex, HXM_SETSEL, 10, 13);
}
void HexHostFont(HWND hex)
{
    HexData(hex);
    SendMessageA(hex, WM_SETFONT, reinterpret_cast<WPARAM>(HostFont()), 0);
}
// Only the background is the host's.
void HexHostBack(HWND hex)
{
    HexData(hex);
    const COLORREF c[4] = {kHostBack, 0, 0, 0};
    SendMessageA(hex, HXM_SETCOLORS, HXC_BACKGROUND, reinterpret_cast<LPARAM>(c));
}

const DisplayCase kMeter = {"meter", "ORV_AnalogMeterClass", 200, 150, 0, Labelled, NULL};
const DisplayCase kHex = {"hex editor", "ORV_HexEditorClass", 300, 100, WS_VSCROLL | WS_HSCROLL, HexData, NULL};

class MeterHexDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitORVCC(0x7F)); }
    HostWindow host_{600, 400};
};

// The meter's default sizes and both controls' fonts are those of the window's DPI.
TEST_F(MeterHexDisplayTest, SizesFollowTheDpiAtCreation)
{
    const struct {
        UINT dpi;
        AMMETRICS metrics;
    } cases[] = {
        {96, {8, 1, 14, 1, 10, 3, 0}},
        {144, {12, 1, 21, 1, 15, 4, 0}},
        {192, {16, 2, 28, 2, 20, 6, 0}},
    };
    ScopedWindowDpi source(96);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dpi);
        HWND meter = CreateAtDpi(host_.hwnd(), kMeter, source, c.dpi);
        HWND hex = CreateAtDpi(host_.hwnd(), kHex, source, c.dpi);
        AMMETRICS m;
        SendMessageA(meter, AMM_GETMETRICS, 0, reinterpret_cast<LPARAM>(&m));
        EXPECT_EQ(memcmp(&m, &c.metrics, sizeof m), 0) << m.nHubRadius << " " << m.nPeakPen;
        for (HWND control : {meter, hex}) {
            LOGFONTA made, stock;
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof made, &made);
            GetObjectA(GetStockObject(control == hex ? ANSI_FIXED_FONT : DEFAULT_GUI_FONT), sizeof stock, &stock);
            EXPECT_EQ(made.lfHeight, MulDiv(stock.lfHeight, c.dpi, 96));
        }
        // Cells follow the font: the ideal width is 39 cells and a margin.
        HDC dc = GetDC(hex);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hex, WM_GETFONT, 0, 0)));
        SIZE cell;
        GetTextExtentPoint32A(dc, "0", 1, &cell);
        SelectObject(dc, old);
        ReleaseDC(hex, dc);
        EXPECT_EQ(SendMessageA(hex, HXM_GETIDEALWIDTH, 0, 0), 39 * cell.cx + 2);
        DestroyWindow(meter);
        DestroyWindow(hex);
    }
}

TEST_F(MeterHexDisplayTest, MovedToAnotherDpiPaintsLikeCreatedThere)
{
    const DisplayCase cases[] = {
        kMeter,
        {"meter, host metrics", "ORV_AnalogMeterClass", 200, 150, 0, HostMetrics, NULL},
        {"meter, host font", "ORV_AnalogMeterClass", 200, 150, 0, MeterHostFont, NULL},
        kHex,
        {"hex editor, host font", "ORV_HexEditorClass", 300, 100, WS_VSCROLL, HexHostFont, NULL},
    };
    for (const DisplayCase &c : cases)
        ExpectDpiChangeLikeCreation(host_.hwnd(), c, 96, 144);
    ScopedWindowDpi source(96);
    HWND meter = CreateAtDpi(host_.hwnd(), cases[2], source, 96);
    ChangeDpi(meter, cases[2], source, 144);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(meter, WM_GETFONT, 0, 0)), HostFont());
    DestroyWindow(meter);
}

COLORREF MeterText(HWND meter)
{
    AMCOLORS c;
    SendMessageA(meter, AMM_GETCOLORS, 0, reinterpret_cast<LPARAM>(&c));
    return c.clrText;
}
COLORREF HexText(HWND hex)
{
    COLORREF c[4] = {};
    SendMessageA(hex, HXM_GETCOLORS, HXC_TEXT, reinterpret_cast<LPARAM>(c));
    return c[1];
}

TEST_F(MeterHexDisplayTest, DarkModeBothWaysAndHostColoursStay)
{
    ExpectDarkSwitch(host_.hwnd(), kMeter, {0, 0, 200, 120}, {0, 0, 200, 120});
    ExpectDarkSwitch(host_.hwnd(), kHex, {}, {});
    // Set in light mode; in dark mode the host's stay and the others are dark.
    const struct {
        DisplayCase c;
        POINT back;
        COLORREF (*text)(HWND);
        COLORREF darkText;
    } cases[] = {
        {{"meter, host colours", "ORV_AnalogMeterClass", 200, 150, 0, MeterHostColours, NULL}, {2, 2},
         MeterText, RGB(255, 255, 255)},
        {{"hex editor, host background", "ORV_HexEditorClass", 300, 100, 0, HexHostBack, NULL}, {290, 90},
         HexText, RGB(240, 240, 240)},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.c.name);
        ScopedWindowDpi source(96);
        HWND control = CreateAtDpi(host_.hwnd(), k.c, source, 96);
        ScopedDarkMode dark(ORVCC_DARK_ON);
        EXPECT_EQ(Capture(control).At(k.back.x, k.back.y), kHostBack);
        EXPECT_EQ(k.text(control), k.darkText);
        DestroyWindow(control);
    }
}

}  // namespace
