// Analog meter: messages, position model, hold timer, labels, caption strip and
// the drawing at the pixel. The library objects are linked in, so a test can
// also look into the state block the window keeps in its extra bytes.
#include <gtest/gtest.h>

#include <string.h>

#include "meter.h"
#include "testing.h"

using namespace orvtest;

namespace {

// Field by field: a 64-bit AMINFO has padding before lParam.
bool SameInfo(const AMINFO &a, const AMINFO &b)
{
    return a.dwMask == b.dwMask && a.dwStyle == b.dwStyle && a.dwStyleMask == b.dwStyleMask &&
           a.nIntervals == b.nIntervals && a.nLabelStep == b.nLabelStep && a.nMax == b.nMax &&
           a.uHoldTime == b.uHoldTime && a.lParam == b.lParam;
}

const COLORREF kBack = RGB(255, 255, 255), kScale = RGB(255, 0, 0), kNeedle = RGB(0, 0, 255),
               kPeak = RGB(0, 160, 0), kText = RGB(0, 0, 0);
const AMCOLORS kColors = {kBack, kScale, kNeedle, kPeak, kText};

class Meter : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InitORVCC(ORVCC_ANALOGMETER_CLASS));
        font_ = LabelFont();
    }
    // A label font of 13 pixels at any resolution, as in the layout example:
    // Tahoma, or DejaVu Sans (scripts/deps.sh installs it) where the face that
    // stands in for a missing Tahoma has a cell of another height.
    static HFONT LabelFont()
    {
        HDC dc = GetDC(NULL);
        HFONT font = NULL;
        for (const char *face : {"Tahoma", "DejaVu Sans"}) {
            if (font)
                DeleteObject(font);
            font = CreateFontA(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, face);
            HGDIOBJ old = SelectObject(dc, font);
            TEXTMETRICA tm;
            GetTextMetricsA(dc, &tm);
            SelectObject(dc, old);
            if (tm.tmHeight == 13)
                break;
        }
        ReleaseDC(NULL, dc);
        return font;
    }
    void TearDown() override { DeleteObject(font_); }
    // A meter with fixed colours and font; style bits as given, hold time long
    // enough that the timer never fires by itself during a test.
    HWND Create(DWORD style = AMS_NOCAPTION, int width = 200, int height = 120)
    {
        HWND hwnd = CreateWindowInFlavour("ORV_AnalogMeterClass", WS_CHILD | WS_VISIBLE, 0, 0,
                                          width, height, host_.hwnd(), 9);
        EXPECT_NE(hwnd, nullptr);
        SendMessageA(hwnd, AMM_SETCOLORS, 0, reinterpret_cast<LPARAM>(&kColors));
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
        SetInfo(hwnd, AMIF_STYLE | AMIF_HOLDTIME, style, 0xFF, 600000);
        return hwnd;
    }
    static void SetInfo(HWND hwnd, DWORD mask, DWORD style, DWORD styleMask, UINT value)
    {
        AMINFO info = {mask, style, styleMask, value, value, static_cast<int>(value), value, 0};
        SendMessageA(hwnd, AMM_SETINFO, 0, reinterpret_cast<LPARAM>(&info));
    }
    // Reads the state record of a meter.
    static MeterState State(HWND hwnd)
    {
        HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(hwnd, 0));
        MeterState copy;
        memset(&copy, 0, sizeof copy);
        if (void *state = GlobalLock(block)) {
            copy = *static_cast<MeterState *>(state);
            GlobalUnlock(block);
        }
        return copy;
    }
    HostWindow host_{400, 300};
    HFONT font_ = NULL;
};

TEST_F(Meter, ClassStateBlockDefaultsAndInfoMasks)
{
    WNDCLASSEXA cls = {};
    cls.cbSize = sizeof cls;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(NULL), "ORV_AnalogMeterClass", &cls));
    EXPECT_EQ(cls.style, static_cast<UINT>(CS_GLOBALCLASS | CS_NOCLOSE));
    EXPECT_EQ(cls.cbWndExtra, static_cast<int>(sizeof(void *)));
    // The class procedure decides the window's width, whichever call creates it.
    HWND hwnd = CreateWindowExA(0, "ORV_AnalogMeterClass", "", WS_CHILD, 0, 0, 80, 60, host_.hwnd(),
                                reinterpret_cast<HMENU>(9), NULL, reinterpret_cast<void *>(0x1234));
    HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(hwnd, 0));
    ASSERT_GE(GlobalSize(block), sizeof(MeterState));
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 0u);  // unlocked between messages
    AMINFO info = {0x3F, 0, 0xFF, 1, 1, 1, 1, 1};
    SendMessageA(hwnd, AMM_GETINFO, 0, reinterpret_cast<LPARAM>(&info));
    const AMINFO defaults = {0x3F, 0, 0xFF, 10, 0, 180, 2000, 0x1234};
    EXPECT_TRUE(SameInfo(info, defaults));
    AMMETRICS m;
    SendMessageA(hwnd, AMM_GETMETRICS, 0, reinterpret_cast<LPARAM>(&m));
    const double f = EnvInt("ORVCC_EXPECT_DPI", 96) / 96.0;
    const AMMETRICS scaled = {int(8 * f), int(f), int(14 * f), int(f), int(10 * f), int(3 * f), 0};
    EXPECT_EQ(memcmp(&m, &scaled, sizeof m), 0);
    AMCOLORS c;
    SendMessageA(hwnd, AMM_GETCOLORS, 0, reinterpret_cast<LPARAM>(&c));
    EXPECT_EQ(c.clrPeak, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(SendMessageA(hwnd, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font_));
    SendMessageA(hwnd, WM_SETFONT, 0, 0);  // no font: the stock one again
    EXPECT_EQ(SendMessageA(hwnd, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(SendMessageA(hwnd, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    SendMessageA(hwnd, WM_SETFOCUS, 0, 0);
    SendMessageA(hwnd, WM_KILLFOCUS, 0, 0);
    ASSERT_EQ(host_.notifications().size(), 2u);
    EXPECT_EQ(host_.notifications()[0].code * 1000 + host_.notifications()[1].code,
              NM_SETFOCUS * 1000 + NM_KILLFOCUS);
    EXPECT_EQ(host_.notifications()[1].idFrom, 9u);
    // Only the masked fields and style bits are set and read back.
    AMINFO set = {AMIF_STYLE | AMIF_LABELSTEP, 0x13, 0x12, 99, 5, 99, 99, 99};
    SendMessageA(hwnd, AMM_SETINFO, 0, reinterpret_cast<LPARAM>(&set));
    AMINFO get = {AMIF_STYLE | AMIF_LABELSTEP | AMIF_PARAM, 7, 0x11, 7, 7, 7, 7, 7};
    SendMessageA(hwnd, AMM_GETINFO, 0, reinterpret_cast<LPARAM>(&get));
    const AMINFO want = {AMIF_STYLE | AMIF_LABELSTEP | AMIF_PARAM, 0x10, 0x11, 7, 5, 7, 7, 0x1234};
    EXPECT_TRUE(SameInfo(get, want));
    DestroyWindow(hwnd);
}

struct PositionCase {
    int max, start;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int stored, result;
};

TEST_F(Meter, PositionIsClampedToTheRange)
{
    const PositionCase cases[] = {
        {180, 0, AMM_SETPOS, 0, 181, 180, 0},
        {180, 50, AMM_SETPOS, 0, -1, 0, 0},
        {-5, 0, AMM_SETPOS, 0, 3, 0, 0},
        {0, 0, AMM_SETPOS, 0, 7, 0, 0},
        {180, 3, AMM_DELTAPOS, 0, 5, 0, 0},
        {180, 178, AMM_DELTAPOS, 1, 5, 180, 180},
        {180, 100, AMM_DELTAPOS, 1, -30, 70, 70},
        {180, 100, AMM_DELTAPOS, 0, -30, 130, 130},
        // Sums past the int range stop at an end instead of wrapping.
        {0x7FFFFFFF, 0x7FFFFFF0, AMM_DELTAPOS, 1, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
        {180, 10, AMM_DELTAPOS, 0, LPARAM(INT_MIN), 180, 180},
        {50, 90, AMM_GETPOS, 0, 0, 90, 90},  // a lower maximum leaves it until it next moves
    };
    HWND hwnd = Create();
    for (const PositionCase &c : cases) {
        SetInfo(hwnd, AMIF_MAX, 0, 0, 0x7FFFFFFF);
        SendMessageA(hwnd, AMM_SETPOS, 0, c.start);
        SetInfo(hwnd, AMIF_MAX, 0, 0, static_cast<UINT>(c.max));
        EXPECT_EQ(SendMessageA(hwnd, c.message, c.wParam, c.lParam), c.result) << c.lParam;
        EXPECT_EQ(SendMessageA(hwnd, AMM_GETPOS, 0, 0), c.stored) << c.lParam;
    }
    DestroyWindow(hwnd);
}

// KillTimer tells whether the hold timer ran (and stops it).
TEST_F(Meter, OneHoldTimerRunsWhilePeakHoldIsOn)
{
    HWND hwnd = Create(AMS_NOCAPTION);
    EXPECT_FALSE(KillTimer(hwnd, kHoldTimerId));
    SetInfo(hwnd, AMIF_STYLE, AMS_PEAKHOLD, AMS_PEAKHOLD, 0);
    SetInfo(hwnd, AMIF_STYLE, 0, AMS_PEAKHOLD, 0);
    EXPECT_EQ(State(hwnd).uTimerId, 0u);
    SetInfo(hwnd, AMIF_STYLE, AMS_PEAKHOLD, AMS_PEAKHOLD, 0);
    SetInfo(hwnd, AMIF_STYLE, AMS_PEAKHOLD, AMS_PEAKHOLD, 0);
    EXPECT_EQ(State(hwnd).uTimerId, kHoldTimerId);
    EXPECT_TRUE(KillTimer(hwnd, kHoldTimerId));
    EXPECT_FALSE(KillTimer(hwnd, kHoldTimerId));
    // The timer's expiry starts it again.
    SendMessageA(hwnd, WM_TIMER, kHoldTimerId, 0);
    EXPECT_EQ(State(hwnd).uTimerId, kHoldTimerId);
    DestroyWindow(hwnd);
}

// The layout example at 96 dpi and its 120 dpi counterpart: a 200 x 120 drawing
// area with a 13-pixel font; pixels at the ends of the needle and of tick 0.
TEST_F(Meter, DpiGeometryAndNeedleTip)
{
    struct Layout {
        int pivotY, scale, needle, minorTick;
    };
    const Layout layouts[] = {{110, 73, 65, 8} /* 96 dpi */, {108, 70, 60, 10} /* 120 dpi */};
    const Layout &l = layouts[EnvInt("ORVCC_EXPECT_DPI", 96) == 120 ? 1 : 0];
    HWND hwnd = Create();
    TEXTMETRICA tm;
    HDC dc = GetDC(hwnd);
    SelectObject(dc, font_);
    GetTextMetricsA(dc, &tm);
    ReleaseDC(hwnd, dc);
    ASSERT_EQ(tm.tmHeight, 13);
    ASSERT_EQ(tm.tmExternalLeading, 0);
    MeterState s = State(hwnd);
    EXPECT_EQ(s.ptPivot.x, 100);
    EXPECT_EQ(s.ptPivot.y, l.pivotY);
    EXPECT_EQ(s.nNeedleRadius, l.needle);
    const int y = l.pivotY, x0 = 100 - l.scale;
    Capture left(hwnd);
    EXPECT_EQ(left.At(100, y), kNeedle);  // hub
    EXPECT_EQ(left.At(x0 + 1, y), kBack);
    EXPECT_EQ(left.At(x0, y), kScale);  // tick 0, a minor tick
    EXPECT_EQ(left.At(x0 - l.minorTick + 1, y), kScale);
    EXPECT_EQ(left.At(x0 - l.minorTick, y), kBack);
    // Tips at 0, at half the maximum and at the maximum, for two maxima.
    struct Tip {
        int max, pos, x, y, beyondX, beyondY;
    };
    const int r = l.needle;
    const Tip tips[] = {{180, 0, 100 - r, y, 99 - r, y},
                        {180, 90, 100, y - r, 100, y - r - 1},
                        {180, 180, 100 + r, y, 101 + r, y},
                        {7, 7, 100 + r, y, 101 + r, y},
                        {0, 0, 100 - r, y, 99 - r, y}};
    for (const Tip &t : tips) {
        SetInfo(hwnd, AMIF_MAX, 0, 0, static_cast<UINT>(t.max));
        SendMessageA(hwnd, AMM_SETPOS, 0, t.pos);
        Capture c(hwnd);
        EXPECT_EQ(c.At(t.x, t.y), kNeedle) << t.max << " " << t.pos;
        EXPECT_EQ(c.At(t.beyondX, t.beyondY), kBack) << t.max << " " << t.pos;
        // The earlier needle is gone; so is the one at the left end.
        EXPECT_EQ(c.Count(kNeedle, 100 - r, y - 4, 100 - r + 20, y + 4) > 0, t.x == 100 - r);
    }
    DestroyWindow(hwnd);
}

// Peak marker: stays at the highest position, drops to the needle when the
// hold time is over.
TEST_F(Meter, PeakMarkerHoldsAndDrops)
{
    HWND hwnd = Create(AMS_NOCAPTION | AMS_PEAKHOLD);
    const MeterState s = State(hwnd);
    const int r = s.nNeedleRadius, inner = r - s.metrics.nPeakLength;
    const int px = s.ptPivot.x, py = s.ptPivot.y;
    SendMessageA(hwnd, AMM_SETPOS, 0, 90);
    EXPECT_EQ(Capture(hwnd).At(px, py - (r + inner) / 2), kPeak);  // on top of the needle
    SendMessageA(hwnd, AMM_SETPOS, 0, 0);
    Capture held(hwnd);
    EXPECT_EQ(held.At(px, py - (r + inner) / 2), kPeak);
    EXPECT_EQ(held.At(px - 1, py - (r + inner) / 2), kPeak);  // three pixels wide
    EXPECT_EQ(held.At(px, py - inner + 3), kBack);  // the needle has gone
    SendMessageA(hwnd, WM_TIMER, kHoldTimerId, 0);
    Capture dropped(hwnd);
    EXPECT_EQ(dropped.Count(kPeak, 0, 0, dropped.width(), py - 5), 0);
    EXPECT_EQ(dropped.At(px - (r + inner) / 2, py), kPeak);
    EXPECT_EQ(State(hwnd).nPeak, 0u);
    DestroyWindow(hwnd);
}

// Labels stand at the major ticks only, whatever number of texts is stored.
TEST_F(Meter, DpiLabelsAtMajorTicksOnly)
{
    HWND hwnd = Create(AMS_NOCAPTION, 300, 200);
    SetInfo(hwnd, AMIF_LABELSTEP, 0, 0, 5);
    SendMessageA(hwnd, AMM_SETLABELSA, 11, reinterpret_cast<LPARAM>("L\0M\0R\0X\0X\0X\0X\0X\0X\0X\0X\0"));
    const MeterState s = State(hwnd);
    const int px = s.ptPivot.x, py = s.ptPivot.y, q = s.nNeedleRadius + s.metrics.nHubRadius;
    const int r = q + s.metrics.nMajorTick;
    Capture c(hwnd);
    struct Box {
        int x0, y0, x1, y1;
        bool text;
    };
    const Box boxes[] = {
        {px - r - 12, py - 14, px - r, py, true},          // right-aligned on the left
        {px - 6, py - r - 14, px + 6, py - r, true},       // centred on top
        {px + r, py - 14, px + r + 12, py, true},          // left-aligned on the right
        {px - r - 14, py - r - 14, px - 20, py - 20, false},  // beside the minor ticks
        {px + 20, py - r - 14, px + r + 14, py - 20, false},
    };
    for (const Box &b : boxes)
        EXPECT_EQ(c.Count(kText, b.x0, b.y0, b.x1, b.y1) > 0, b.text) << b.x0 << "," << b.y0;
    DestroyWindow(hwnd);
}

// The label store: the new texts from its start, an older tail left in place,
// conversion to the window's width, and nothing written past its end.
TEST_F(Meter, LabelStore)
{
    HWND hwnd = Create();
    const bool wide = IsWindowUnicode(hwnd) != 0;
    auto stored = [&](int at) {
        const MeterState s = State(hwnd);
        std::string text;
        for (int i = at; i < at + 12; ++i)
            text += wide ? char(s.szLabels.wide[i]) : s.szLabels.ansi[i];
        return text;
    };
    SendMessageA(hwnd, AMM_SETLABELSA, 6, reinterpret_cast<LPARAM>("a\0bb\0c\0d\0e\0f\0"));
    SendMessageW(hwnd, AMM_SETLABELSW, 3, reinterpret_cast<LPARAM>(L"x\0y\0zz\0"));
    EXPECT_EQ(stored(0), std::string("x\0y\0zz\0d\0e\0f\0", 12));
    SendMessageA(hwnd, AMM_SETLABELSA, 0, reinterpret_cast<LPARAM>("q\0"));
    EXPECT_EQ(stored(0)[0], 'x');
    // A text that does not fit whole is dropped with all after it.
    std::string big = std::string("n\0", 2) + std::string(1030, 'k') + std::string("\0k\0", 4);
    SendMessageA(hwnd, AMM_SETLABELSA, 3, reinterpret_cast<LPARAM>(big.c_str()));
    EXPECT_EQ(stored(0), std::string("n\0y\0zz\0d\0e\0f\0", 12));
    std::wstring wbig(big.begin(), big.end());
    wbig[0] = L'm';
    SendMessageW(hwnd, AMM_SETLABELSW, 3, reinterpret_cast<LPARAM>(wbig.c_str()));
    EXPECT_EQ(stored(0), std::string("m\0y\0zz\0d\0e\0f\0", 12));
    // Labels on every tick of a long scale walk to the end of the store only.
    SetInfo(hwnd, AMIF_INTERVALS | AMIF_LABELSTEP, 0, 0, 1);
    SetInfo(hwnd, AMIF_INTERVALS, 0, 0, 3000);
    EXPECT_NE(State(hwnd).hbmBack, nullptr);
    DestroyWindow(hwnd);
}

// Caption strip: header 123, ten pixels past each side, at the bottom, at the
// top or hidden; the drawing area is what it leaves.
TEST_F(Meter, CaptionStripPlace)
{
    struct CaptionCase {
        DWORD style;
        bool shown, top;
    };
    const CaptionCase cases[] = {{0, true, false}, {AMS_CAPTIONTOP, true, true},
                                 {AMS_NOCAPTION, false, false}};
    for (const CaptionCase &c : cases) {
        HWND hwnd = Create(c.style, 200, 120);
        SetWindowTextA(hwnd, "Volt");
        HWND strip = GetDlgItem(hwnd, kCaptionId);
        ASSERT_NE(strip, nullptr);
        RECT rc;
        GetWindowRect(strip, &rc);
        MapWindowPoints(NULL, hwnd, reinterpret_cast<POINT *>(&rc), 2);
        const int h = rc.bottom - rc.top;
        EXPECT_EQ(h > 0, c.shown);
        const MeterState s = State(hwnd);
        const RECT draw = {0, c.top ? h : 0, 200, c.top ? 120 : 120 - h};
        EXPECT_TRUE(EqualRect(&s.rcDraw, &draw)) << c.style;
        if (c.shown) {
            EXPECT_EQ(rc.left, -10);
            EXPECT_EQ(rc.right, 210);
            EXPECT_EQ(rc.top, c.top ? 0 : 120 - h);
            char text[16] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(strip, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            EXPECT_STREQ(text, "Volt");
            EXPECT_EQ(item.cxy, 220);
        }
        // The needle's hub lies inside the drawing area.
        EXPECT_EQ(Capture(hwnd).At(100, s.rcDraw.top + s.ptPivot.y), kNeedle) << c.style;
        DestroyWindow(hwnd);
    }
}

// Sizes and values the formulas cannot take: nothing is drawn out of place and
// nothing crashes.
TEST_F(Meter, DegenerateLayouts)
{
    HWND hwnd = Create(AMS_NOCAPTION | AMS_PEAKHOLD, 30, 20);
    EXPECT_EQ(State(hwnd).nNeedleRadius, 0);  // no room for the scale
    Capture tiny(hwnd);
    EXPECT_EQ(tiny.Count(kScale, 0, 0, 30, 20), 0);
    SetWindowPos(hwnd, NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(State(hwnd).hbmBack, nullptr);
    SetWindowPos(hwnd, NULL, 0, 0, 200, 120, SWP_NOZORDER | SWP_NOMOVE);
    // Negative and huge sizes.
    const AMMETRICS sizes[] = {{-3, 0, -50, 0, 500, 0, 100000},
                               {INT_MAX, INT_MAX, INT_MIN, 0, INT_MIN, INT_MAX, INT_MIN},
                               {-40, 900000, 0, 0, -900000, -5, 0}};
    for (const AMMETRICS &m : sizes) {
        SendMessageA(hwnd, AMM_SETMETRICS, 0, reinterpret_cast<LPARAM>(&m));
        SendMessageA(hwnd, AMM_SETPOS, 0, 40);
        UpdateWindow(hwnd);
        SendMessageA(hwnd, AMM_SETPOS, 0, 140);
        UpdateWindow(hwnd);
    }
    // A size beyond the window: the back buffer covers what can be shown.
    SendMessageA(hwnd, WM_SIZE, 0, MAKELPARAM(65535, 65535));
    BITMAP back = {};
    ASSERT_TRUE(GetObject(State(hwnd).hbmBack, sizeof back, &back));
    EXPECT_EQ(back.bmWidth, 200);
    EXPECT_EQ(back.bmHeight, 120);
    UpdateWindow(hwnd);
    SendMessageA(hwnd, WM_SIZE, 0, 0);  // a paint with no back buffer
    InvalidateRect(hwnd, NULL, FALSE);
    UpdateWindow(hwnd);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
    DestroyWindow(hwnd);
}

}  // namespace
