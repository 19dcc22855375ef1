// LED display: message results, repaints, system-colour following and the drawn
// lamp and digit read back pixel by pixel.
#include <gtest/gtest.h>

#include "library.h"
#include "testing.h"

using namespace orvtest;

namespace {

const COLORREF kOn = RGB(0, 200, 0), kOff = RGB(0, 60, 0), kBack = RGB(10, 20, 30);
const COLORREF kBlack = RGB(0, 0, 0);

class LedTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitORVCC(ORVCC_LED_CLASS)); }
    // An LED (31 x 41 unless given) in its own row of the host, in the test colours.
    HWND Create(DWORD type, DWORD flags = 0, int digit = 0, SIZE size = {31, 41})
    {
        HWND led = CreateWindowInFlavour("ORV_LEDClass", WS_CHILD | WS_VISIBLE, 10, nextY_,
                                         size.cx, size.cy, host_.hwnd(), 5);
        nextY_ += size.cy + 4;
        const LedColors colors = {kOn, kOff, kBack};
        SendMessage(led, LDM_SETCOLORS, 0, reinterpret_cast<LPARAM>(&colors));
        SendMessage(led, LDM_SETTYPE, 0, type);
        SendMessage(led, LDM_SETFLAGS, 0, flags);
        SendMessage(led, LDM_SETDIGIT, digit, 0);
        return led;
    }
    HostWindow host_{200, 700};
    int nextY_ = 5;
};

// Messages in order on one new LED, each with the result it must give and
// whether it repaints (R).
TEST_F(LedTest, MessageResultsAndRepaints)
{
    HWND led = CreateWindowInFlavour("ORV_LEDClass", WS_CHILD | WS_VISIBLE, 0, 0, 31, 41,
                                     host_.hwnd(), 5);
    const LedColors colors = {kOn, kOff, kBack};
    const LPARAM set = reinterpret_cast<LPARAM>(&colors);
    const struct { UINT message; WPARAM wParam; LPARAM lParam; LRESULT result; char repaints; } steps[] = {
        {LDM_GETTYPE, 0, 0, LDT_DIGIT, 0},       {LDM_SETTYPE, 0, 0x10008, LDT_DIGIT, 0},
        {LDM_SETTYPE, 0, 3, 0, 0},               {LDM_SETTYPE, 0, 0x20, 0, 0},
        {LDM_GETTYPE, 0, 0, 0x10008, 0},         {LDM_SETTYPE, 0, LDT_ROUND, 0x10008, 0},
        {LDM_STEPDIGIT, 0, 0, 0, 'R'},           {LDM_GETDIGIT, 0, 0, 0, 0},
        {LDM_SETDIGIT, 12, 0, 0, 'R'},           {LDM_STEPDIGIT, 0, 1, 9, 'R'},
        {LDM_GETDIGIT, 0, 0, 9, 0},              {LDM_SETDIGIT, static_cast<WPARAM>(-3), 0, 9, 'R'},
        {LDM_GETDIGIT, 0, 0, 0, 0},              {LDM_SETDIGIT, 5, 0, 0, 'R'},
        {LDM_STEPDIGIT, 0, 0, 5, 'R'},           {LDM_GETDIGIT, 0, 0, 4, 0},
        {LDM_SETFLAGS, 0, 3, 0, 'R'},            {LDM_GETFLAGS, 0, 0, 3, 0},
        {LDM_GETUSERDATA, 0, 0, 0, 0},           {LDM_SETUSERDATA, 0, -9, 0, 0},
        {LDM_GETUSERDATA, 0, 0, -9, 0},          {LDM_SETCOLORS, 0, 0, 0, 0},
        {LDM_GETCOLORS, 0, 0, 0, 0},             {LDM_SETCOLORS, 0, set, 0, 'R'},
    };
    LedColors defaults;
    SendMessage(led, LDM_GETCOLORS, 0, reinterpret_cast<LPARAM>(&defaults));
    EXPECT_EQ(defaults.onColor, RGB(255, 0, 0));
    EXPECT_EQ(defaults.offColor, RGB(255, 192, 192));
    EXPECT_EQ(defaults.backColor, GetSysColor(COLOR_BTNFACE));
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        ValidateRect(led, NULL);
        EXPECT_EQ(SendMessage(led, steps[i].message, steps[i].wParam, steps[i].lParam),
                  steps[i].result) << "step " << i;
        RECT dirty;
        EXPECT_EQ(GetUpdateRect(led, &dirty, FALSE) != 0, steps[i].repaints == 'R') << "step " << i;
    }
    DestroyWindow(led);
}

// The background follows COLOR_BTNFACE until colours are set.
TEST_F(LedTest, BackgroundFollowsTheSystemUntilColoursAreSet)
{
    HWND led = CreateWindowInFlavour("ORV_LEDClass", WS_CHILD, 0, 0, 31, 41, host_.hwnd(), 5);
    const int element = COLOR_BTNFACE;
    const COLORREF saved = GetSysColor(COLOR_BTNFACE), changed = RGB(1, 2, 3);
    SetSysColors(1, &element, &changed);
    SendMessage(led, WM_SYSCOLORCHANGE, 0, 0);
    LedColors colors;
    SendMessage(led, LDM_GETCOLORS, 0, reinterpret_cast<LPARAM>(&colors));
    EXPECT_EQ(colors.backColor, changed);
    colors.backColor = kBack;
    SendMessage(led, LDM_SETCOLORS, 0, reinterpret_cast<LPARAM>(&colors));
    SetSysColors(1, &element, &saved);
    SendMessage(led, WM_SYSCOLORCHANGE, 0, 0);
    SendMessage(led, LDM_GETCOLORS, 0, reinterpret_cast<LPARAM>(&colors));
    EXPECT_EQ(colors.backColor, kBack);
    DestroyWindow(led);
}

// Segment centres of a 31 x 41 digit with single-pixel system borders, in the
// order top, middle, bottom, upper left, upper right, lower left, lower right,
// then the decimal point.
const POINT kCentres[8] = {{12, 5}, {12, 19}, {12, 34}, {5, 12}, {24, 12}, {5, 27}, {24, 27},
                           {27, 37}};

TEST_F(LedTest, DigitPixels)
{
    if (GetSystemMetrics(SM_CXBORDER) != 1 || GetSystemMetrics(SM_CYBORDER) != 1)
        GTEST_SKIP() << "the centres assume single-pixel borders";
    const struct { DWORD type, flags; int digit; const char *lit; } cases[] = {
        {LDT_DIGIT, 0, 0, "1011111"},       {LDT_DIGIT, 0, 1, "0000101"},
        {LDT_DIGIT, 0, 2, "1110110"},       {LDT_DIGIT, 0, 4, "0101101"},
        {LDT_DIGIT, 0, 7, "1000101"},       {LDT_DIGIT, LDF_POINT, 8, "1111111"},
        {LDT_DIGITDP, 0, 3, "11101010"},    {LDT_DIGITDP, LDF_POINT, 9, "11111011"},
        {LDT_DIGIT, LDF_OFF, 8, "0000000"}, {LDT_DIGITDP | LDT_BKBORDER, LDF_OFF | LDF_POINT, 8,
                                             "00000000"},
    };
    for (const auto &c : cases) {
        HWND led = Create(c.type, c.flags, c.digit);
        Capture shot(led);
        for (int i = 0; c.lit[i]; ++i)
            EXPECT_EQ(shot.At(kCentres[i].x, kCentres[i].y), c.lit[i] == '1' ? kOn : kOff)
                << "digit " << c.digit << " segment " << i;
        if (!c.lit[7]) {
            EXPECT_EQ(shot.At(kCentres[7].x, kCentres[7].y), kBack) << "no point";
        }
        if (c.flags & LDF_OFF) {
            EXPECT_EQ(shot.Count(kOn, 0, 0, 31, 41), 0);
        }
        // Outlines: black by default, in the background colour with LDT_BKBORDER.
        const bool bkBorder = (c.type & LDT_BKBORDER) != 0;
        EXPECT_EQ(shot.At(12, 2), bkBorder ? kBack : kBlack) << "top edge of digit " << c.digit;
        EXPECT_EQ(shot.Count(kBlack, 0, 0, 31, 41) == 0, bkBorder);
        EXPECT_EQ(shot.At(0, 0), kBack);
        DestroyWindow(led);
    }
}

TEST_F(LedTest, LampPixels)
{
    const struct { DWORD type, flags; POINT at; COLORREF expected; } cases[] = {
        {LDT_ROUND, 0, {15, 20}, kOn},        {LDT_ROUND, LDF_OFF, {15, 20}, kOff},
        {LDT_ROUND, 0, {15, 0}, kBlack},      {LDT_ROUND, 0, {1, 1}, kBack},
        {LDT_RECT, 0, {0, 0}, kOn},           {LDT_RECT, 0, {30, 40}, kBack},
        {LDT_HBAR, 0, {30, 10}, kOn},         {LDT_HBAR, 0, {2, 2}, kBack},
        {LDT_HBAR, 0, {0, 10}, kBlack},       {LDT_VBAR, LDF_OFF, {15, 20}, kOff},
        {LDT_VBAR, 0, {2, 2}, kBack},         {LDT_VBAR | LDT_BKBORDER, 0, {15, 0}, kBack},
    };
    for (const auto &c : cases) {
        // A horizontal bar wider than high (61 x 21), the others 31 x 41.
        const bool wide = (c.type & 0xFFFF) == LDT_HBAR;
        HWND led = Create(c.type, c.flags, 0, wide ? SIZE{61, 21} : SIZE{31, 41});
        EXPECT_EQ(Capture(led).At(c.at.x, c.at.y), c.expected)
            << "type " << c.type << " at " << c.at.x << "," << c.at.y;
        DestroyWindow(led);
    }
}

}  // namespace
