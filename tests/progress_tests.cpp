// Progress bar: messages, wrap-around, painting with the inverted percentage.
// orvcc32.h comes before commctrl.h here on purpose: the order must not matter.
#include "orvcc32.h"
#include <commctrl.h>
#include <climits>

#include <gtest/gtest.h>

#include "testing.h"

using namespace orvtest;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 255);

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitORVCC(ORVCC_PROGRESS_CLASS)); }
    HWND Create(int width = 101, int height = 20)
    {
        // Each control gets its own row, so captures never see a sibling.
        HWND hwnd = CreateWindowInFlavour("ORV_ProgressClass", WS_CHILD | WS_VISIBLE, 10, nextY_,
                                          width, height, host_.hwnd(), 77);
        nextY_ += height + 5;
        EXPECT_NE(hwnd, nullptr);
        return hwnd;
    }
    // White background and blue bar, independent of the system colours.
    HWND CreateColoured(int width = 101, int height = 20)
    {
        HWND hwnd = Create(width, height);
        SendMessage(hwnd, PGM_SETBACKCOLOR, 0, reinterpret_cast<LPARAM>(&kWhite));
        SendMessage(hwnd, PGM_SETBARCOLOR, 0, reinterpret_cast<LPARAM>(&kBlue));
        return hwnd;
    }
    LRESULT Send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessage(hwnd, message, wParam, lParam);
    }
    HostWindow host_{400, 400};
    int nextY_ = 10;
};

TEST_F(ProgressTest, Defaults)
{
    HWND p = Create();
    PBRANGE range = {1, 1};
    EXPECT_EQ(Send(p, PGM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
    EXPECT_EQ(Send(p, PGM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(Send(p, PGM_GETPOS), 0);
    EXPECT_EQ(Send(p, PGM_SETSTEP, 5), 10);
    EXPECT_EQ(Send(p, WM_GETFONT), reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(Send(p, WM_ERASEBKGND, reinterpret_cast<WPARAM>(GetDC(p))), 1);
    DestroyWindow(p);
}

TEST_F(ProgressTest, RangeMessages)
{
    HWND p = Create();
    EXPECT_EQ(Send(p, PGM_SETRANGE, 0, MAKELPARAM(0, 200)), 0x00640000);
    EXPECT_EQ(Send(p, PGM_GETRANGE, FALSE), 200);
    EXPECT_EQ(Send(p, PGM_SETRANGE32, static_cast<WPARAM>(-10), 10), 0);
    EXPECT_EQ(Send(p, PGM_GETRANGE, 1), -10);
    EXPECT_EQ(Send(p, PGM_GETRANGE, 0), 10);
    // The 16-bit answer truncates each end; the 16-bit request is unsigned.
    Send(p, PGM_SETRANGE32, static_cast<WPARAM>(-2), 70000);
    EXPECT_EQ(static_cast<DWORD>(Send(p, PGM_SETRANGE, 0, MAKELPARAM(40000, 65535))),
              static_cast<DWORD>(MAKELONG(static_cast<WORD>(-2), static_cast<WORD>(70000))));
    EXPECT_EQ(Send(p, PGM_GETRANGE, 1), 40000);
    EXPECT_EQ(Send(p, PGM_GETRANGE, 0), 65535);
    DestroyWindow(p);
}

TEST_F(ProgressTest, PositionIsNeverClampedAndStepWraps)
{
    HWND p = Create();
    EXPECT_EQ(Send(p, PGM_SETPOS, 500), 0);
    EXPECT_EQ(Send(p, PGM_GETPOS), 500);
    EXPECT_EQ(Send(p, PGM_SETPOS, static_cast<WPARAM>(-7)), 500);
    EXPECT_EQ(Send(p, PGM_GETPOS), -7);
    Send(p, PGM_SETPOS, 0);
    for (int i = 1; i <= 10; ++i) {
        Send(p, PGM_STEPIT);
        EXPECT_EQ(Send(p, PGM_GETPOS), i * 10);
    }
    EXPECT_EQ(Send(p, PGM_STEPIT), 100);
    EXPECT_EQ(Send(p, PGM_GETPOS), 10);

    Send(p, PGM_SETSTEP, 30);
    Send(p, PGM_SETPOS, 90);
    EXPECT_EQ(Send(p, PGM_STEPIT), 90);
    EXPECT_EQ(Send(p, PGM_GETPOS), 20);

    // Wrap uses the minimum; nothing wraps at the lower end.
    Send(p, PGM_SETRANGE32, 50, 100);
    Send(p, PGM_SETPOS, 95);
    EXPECT_EQ(Send(p, PGM_DELTAPOS, 20), 95);
    EXPECT_EQ(Send(p, PGM_GETPOS), 65);
    EXPECT_EQ(Send(p, PGM_DELTAPOS, static_cast<WPARAM>(-100)), 65);
    EXPECT_EQ(Send(p, PGM_GETPOS), -35);
    // Exactly the maximum does not wrap.
    Send(p, PGM_SETPOS, 90);
    Send(p, PGM_DELTAPOS, 10);
    EXPECT_EQ(Send(p, PGM_GETPOS), 100);
    DestroyWindow(p);
}

TEST_F(ProgressTest, WhichMessagesRepaint)
{
    HWND p = Create();
    UpdateWindow(p);
    RECT dirty;
    Send(p, PGM_SETSTEP, 3);
    EXPECT_FALSE(GetUpdateRect(p, &dirty, FALSE));
    Send(p, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), 0);
    EXPECT_FALSE(GetUpdateRect(p, &dirty, FALSE));
    EXPECT_EQ(Send(p, WM_GETFONT), reinterpret_cast<LRESULT>(GetStockObject(ANSI_VAR_FONT)));
    Send(p, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), 1);
    EXPECT_TRUE(GetUpdateRect(p, &dirty, FALSE));
    UpdateWindow(p);
    Send(p, PGM_SETPOS, 3);
    EXPECT_TRUE(GetUpdateRect(p, &dirty, FALSE));
    UpdateWindow(p);
    Send(p, PGM_STEPIT);
    EXPECT_TRUE(GetUpdateRect(p, &dirty, FALSE));
    DestroyWindow(p);
}

TEST_F(ProgressTest, ColourMessagesTakeTheAddress)
{
    HWND p = CreateColoured();
    COLORREF def = CLR_DEFAULT;
    EXPECT_EQ(static_cast<COLORREF>(Send(p, PGM_SETBARCOLOR, 0, reinterpret_cast<LPARAM>(&def))),
              kBlue);
    EXPECT_EQ(static_cast<COLORREF>(Send(p, PGM_SETBARCOLOR, 0, reinterpret_cast<LPARAM>(&kBlue))),
              CLR_DEFAULT);
    EXPECT_EQ(static_cast<COLORREF>(Send(p, PGM_SETBACKCOLOR, 0, reinterpret_cast<LPARAM>(&def))),
              kWhite);
    // A null address changes nothing.
    EXPECT_EQ(static_cast<COLORREF>(Send(p, PGM_SETBARCOLOR, 0, 0)), kBlue);
    EXPECT_EQ(static_cast<COLORREF>(Send(p, PGM_SETBACKCOLOR, 0, 0)), CLR_DEFAULT);
    DestroyWindow(p);
}

TEST_F(ProgressTest, EmptyBarShowsOnlyBackgroundAndText)
{
    HWND p = CreateColoured();
    Capture shot(p);
    EXPECT_EQ(shot.Count(kBlue, 0, 0, shot.width(), shot.height()), 0);
    // "0%" in dark pixels near the centre, none at the edges.
    EXPECT_LT(shot.Count(kWhite, 35, 0, 66, 20), 31 * 20 - 10);
    EXPECT_EQ(shot.Count(kWhite, 0, 0, 30, 20), 30 * 20);
    DestroyWindow(p);
}

TEST_F(ProgressTest, BarEndsAtTruncatedColumn)
{
    HWND p = CreateColoured(101, 20);
    Send(p, PGM_SETPOS, 50);
    Capture shot(p);
    for (int y : {0, 19}) {
        EXPECT_EQ(shot.Count(kBlue, 0, y, 50, y + 1), 50) << y;
        EXPECT_EQ(shot.Count(kWhite, 50, y, 101, y + 1), 51) << y;
    }
    EXPECT_EQ(shot.At(49, 0), kBlue);
    EXPECT_EQ(shot.At(50, 0), kWhite);
    DestroyWindow(p);
}

TEST_F(ProgressTest, TextUnderTheBarIsInverted)
{
    HWND p = CreateColoured(101, 20);
    Send(p, PGM_SETPOS, 100);
    Capture shot(p);
    // The whole area is bar, except the text, which turns white; no black remains.
    EXPECT_EQ(shot.Count(kBlue, 0, 0, 101, 1), 101);
    EXPECT_GT(shot.Count(kWhite, 35, 0, 66, 20), 10);
    EXPECT_EQ(shot.Count(RGB(0, 0, 0), 0, 0, 101, 20), 0);
    EXPECT_EQ(shot.Count(kWhite, 0, 0, 30, 20), 0);
    DestroyWindow(p);
}

TEST_F(ProgressTest, OddHeightIsCoveredToTheLastRow)
{
    // Bar end at column 40, well left of the centred text.
    HWND p = CreateColoured(200, 15);
    Send(p, PGM_SETPOS, 20);
    Capture shot(p);
    ASSERT_EQ(shot.height(), 15);
    for (int y = 0; y < 15; ++y) {
        EXPECT_EQ(shot.At(0, y), kBlue) << y;
        EXPECT_EQ(shot.At(39, y), kBlue) << y;
        EXPECT_EQ(shot.At(40, y), kWhite) << y;
    }
    DestroyWindow(p);
}

TEST_F(ProgressTest, PastTheMaximumTheBarIsCutAtTheEdge)
{
    HWND p = CreateColoured(80, 20);
    Send(p, PGM_SETPOS, 250);
    Capture shot(p);
    EXPECT_EQ(shot.Count(kBlue, 0, 0, 80, 1), 80);
    Send(p, PGM_SETPOS, static_cast<WPARAM>(-40));
    Capture below(p);
    EXPECT_EQ(below.Count(kBlue, 0, 0, 80, 20), 0);
    Send(p, PGM_SETRANGE32, 0, 1);
    Send(p, PGM_SETPOS, 0x7FFFFFFF);
    Capture huge(p);
    EXPECT_EQ(huge.Count(kBlue, 0, 0, 80, 1), 80);
    DestroyWindow(p);
}

// The percentage truncates toward zero in double arithmetic: identical pictures
// prove identical texts when the bar ends in the same column.
TEST_F(ProgressTest, PercentageTruncates)
{
    HWND a = CreateColoured(40, 20);
    HWND b = CreateColoured(40, 20);
    Send(a, PGM_SETPOS, 57);  // 0.57 * 100.0 = 56.99999999999999: shows 56%
    Send(b, PGM_SETPOS, 56);
    EXPECT_TRUE(Capture(a) == Capture(b));
    Send(a, PGM_SETRANGE32, 0, 1000);
    Send(a, PGM_SETPOS, 999);  // 99.9: shows 99%
    Send(b, PGM_SETPOS, 99);
    EXPECT_TRUE(Capture(a) == Capture(b));
    Send(b, PGM_SETPOS, 98);
    EXPECT_FALSE(Capture(a) == Capture(b));
    DestroyWindow(a);
    DestroyWindow(b);
}

TEST_F(ProgressTest, RangeOfZeroWidthDrawsWithWidthOne)
{
    HWND p = CreateColoured(50, 20);
    Send(p, PGM_SETRANGE32, 10, 10);
    Send(p, PGM_SETPOS, 10);
    Capture empty(p);
    EXPECT_EQ(empty.Count(kBlue, 0, 0, 50, 20), 0);
    Send(p, PGM_SETPOS, 11);
    Capture full(p);
    EXPECT_EQ(full.Count(kBlue, 0, 0, 50, 1), 50);
    DestroyWindow(p);
}

// Ranges wider than an int holds: the bar and the text equal those of a 0..100
// bar at the same share.
TEST_F(ProgressTest, WideRangesShowTheirShare)
{
    const struct {
        int min, max, pos, percent;
    } cases[] = {
        {INT_MIN, INT_MAX, 0, 50},
        {INT_MIN, INT_MAX, INT_MAX, 100},
        {-2000000000, 2000000000, 1000000000, 75},
        {2000000000, -2000000000, 2000000001, 100},  // an empty range counts as 1
    };
    HWND wide = CreateColoured(60, 20);
    HWND plain = CreateColoured(60, 20);
    for (const auto &c : cases) {
        Send(wide, PGM_SETRANGE32, static_cast<WPARAM>(c.min), c.max);
        Send(wide, PGM_SETPOS, static_cast<WPARAM>(c.pos));
        Send(plain, PGM_SETPOS, c.percent);
        EXPECT_TRUE(Capture(wide) == Capture(plain)) << c.min << ".." << c.max << " at " << c.pos;
    }
    DestroyWindow(wide);
    DestroyWindow(plain);
}

TEST_F(ProgressTest, SystemColoursByDefault)
{
    HWND p = Create(60, 20);
    Send(p, PGM_SETPOS, 50);
    Capture shot(p);
    EXPECT_EQ(shot.At(0, 0), (GetSysColor(COLOR_HIGHLIGHT) | (~GetSysColor(COLOR_WINDOW) & 0xFFFFFF)));
    EXPECT_EQ(shot.At(59, 0), GetSysColor(COLOR_WINDOW));
    DestroyWindow(p);
}

}  // namespace
