// Per-monitor DPI and dark mode of the analog meter and hex editor.
#include <gtest/gtest.h>

#include "display.h"
#include "displayfixture.h"
#include "orvcc32.h"

using namespace orvtest;

namespace {

const COLORREF kHostBack = RGB(0, 128, 0);
HFONT HostFont()
{
    static HFONT font = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    return font;
}
LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, const void *lParam)
{
    return SendMessageA(hwnd, message, wParam, reinterpret_cast<LPARAM>(lParam));
}

// Labelled major ticks, the needle off its rest; then what the host sets.
void Meter(HWND meter)
{
    AMINFO info = {AMIF_LABELSTEP, 0, 0, 0, 5, 0, 0, 0};
    Send(meter, AMM_SETINFO, 0, &info);
    Send(meter, AMM_SETLABELSA, 3, "0\0 50\0 100\0");
    SendMessageA(meter, AMM_SETPOS, 0, 60);
}
void MeterHostSet(HWND meter)  // two sizes (the others follow the DPI) and the font
{
    Meter(meter);
    AMMETRICS m;
    Send(meter, AMM_GETMETRICS, 0, &m);
    m.nHubRadius = 5;
    m.nLabelReserve = 30;
    Send(meter, AMM_SETMETRICS, 0, &m);
    Send(meter, WM_SETFONT, reinterpret_cast<WPARAM>(HostFont()), NULL);
}

// Lines past the view, a selection.
void Hex(HWND hex)
{
    BYTE bytes[100];
    for (int i = 0; i < 100; ++i)
        bytes[i] = static_cast<BYTE>(0x30 + i);
    Send(hex, HXM_SETDATA, sizeof bytes, bytes);
    SendMessageA(hex, HXM_SETSEL, 10, 13);
}
const DisplayCase kMeter = {"meter", "ORV_AnalogMeterClass", 200, 150, 0, Meter, NULL};
const DisplayCase kHex = {"hex editor", "ORV_HexEditorClass", 300, 100, WS_VSCROLL | WS_HSCROLL, Hex, NULL};

class MeterHexDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitORVCC(0x7F)); }
    HostWindow host_{600, 400};
};

// The meter's default sizes and both default fonts are those of the window's DPI.
TEST_F(MeterHexDisplayTest, SizesFollowTheDpiAtCreation)
{
    const struct { UINT dpi; AMMETRICS metrics; } cases[] = {
        {96, {8, 1, 14, 1, 10, 3, 0}}, {144, {12, 1, 21, 1, 15, 4, 0}}, {192, {16, 2, 28, 2, 20, 6, 0}},
    };
    ScopedWindowDpi source(96);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dpi);
        HWND meter = CreateAtDpi(host_.hwnd(), kMeter, source, c.dpi);
        HWND hex = CreateAtDpi(host_.hwnd(), kHex, source, c.dpi);
        AMMETRICS m;
        Send(meter, AMM_GETMETRICS, 0, &m);
        EXPECT_EQ(memcmp(&m, &c.metrics, sizeof m), 0) << m.nHubRadius << " " << m.nPeakPen;
        for (HWND control : {meter, hex}) {
            LOGFONTA made, stock;
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof made, &made);
            GetObjectA(GetStockObject(control == hex ? ANSI_FIXED_FONT : DEFAULT_GUI_FONT), sizeof stock, &stock);
            EXPECT_EQ(made.lfHeight, MulDiv(stock.lfHeight, c.dpi, 96));
        }
        DestroyWindow(meter);
        DestroyWindow(hex);
    }
}

TEST_F(MeterHexDisplayTest, MovedToAnotherDpiPaintsLikeCreatedThere)
{
    const DisplayCase cases[] = {
        kMeter, kHex,
        {"meter, host metrics and font", "ORV_AnalogMeterClass", 200, 150, 0, MeterHostSet, NULL},
        {"hex editor, host font", "ORV_HexEditorClass", 300, 100, WS_VSCROLL,
         [](HWND hex) { Hex(hex), Send(hex, WM_SETFONT, reinterpret_cast<WPARAM>(HostFont()), NULL); }, NULL},
    };
    for (const DisplayCase &c : cases)
        ExpectDpiChangeLikeCreation(host_.hwnd(), c, 96, 144);
    // Top-level, each takes the place the system suggests.
    ScopedWindowDpi source(144);
    for (const char *name : {"ORV_AnalogMeterClass", "ORV_HexEditorClass"}) {
        HWND top = CreateWindowInFlavour(name, WS_POPUP | WS_VISIBLE, 0, 0, 100, 50, NULL, 0);
        RECT suggested = {10, 20, 160, 95}, now;
        Send(top, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144), &suggested);
        GetWindowRect(top, &now);
        EXPECT_TRUE(EqualRect(&now, &suggested)) << name;
        DestroyWindow(top);
    }
}

// Both ways; and colours the host set in light mode stay in dark mode, where
// the others are dark.
TEST_F(MeterHexDisplayTest, DarkModeBothWaysAndHostColoursStay)
{
    ExpectDarkSwitch(host_.hwnd(), kMeter, {0, 0, 200, 120}, {0, 0, 200, 120});
    ExpectDarkSwitch(host_.hwnd(), kHex, {}, {});
    const struct { DisplayCase c; POINT back; UINT get; int text; COLORREF darkText; } cases[] = {
        {{"meter", "ORV_AnalogMeterClass", 200, 150, 0,
          [](HWND meter) {
              const AMCOLORS c = {kHostBack, RGB(255, 255, 255), RGB(255, 255, 0), 255, RGB(255, 255, 255)};
              Meter(meter), Send(meter, AMM_SETCOLORS, 0, &c);
          }, NULL},
         {2, 2}, AMM_GETCOLORS, 4, RGB(255, 255, 255)},
        {{"hex editor", "ORV_HexEditorClass", 300, 100, 0,
          [](HWND hex) { Hex(hex), Send(hex, HXM_SETCOLORS, HXC_BACKGROUND, &kHostBack); }, NULL},
         {290, 90}, HXM_GETCOLORS, 1, RGB(240, 240, 240)},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.c.name);
        ScopedWindowDpi source(96);
        HWND control = CreateAtDpi(host_.hwnd(), k.c, source, 96);
        ScopedDarkMode dark(ORVCC_DARK_ON);
        EXPECT_EQ(Capture(control).At(k.back.x, k.back.y), kHostBack);
        COLORREF colours[5] = {};
        Send(control, k.get, HXC_TEXT, colours);
        EXPECT_EQ(colours[k.text], k.darkText);
        DestroyWindow(control);
    }
}

}  // namespace
