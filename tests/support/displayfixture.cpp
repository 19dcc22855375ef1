#include "displayfixture.h"

#include <gtest/gtest.h>
#include <math.h>

#include <map>


#include "display.h"  // the library's (core/)

namespace orvtest {

namespace {

UINT g_dpi;
UINT FixedDpi(HWND)
{
    return g_dpi;
}

double Linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF c)
{
    return 0.2126 * Linear(GetRValue(c)) + 0.7152 * Linear(GetGValue(c)) +
           0.0722 * Linear(GetBValue(c));
}

RECT Whole(const Capture &capture, const RECT &area)
{
    if (area.right > area.left && area.bottom > area.top)
        return area;
    return {0, 0, capture.width(), capture.height()};
}

HWND Shown(HWND control, const DisplayCase &c)
{
    HWND inner = c.captured ? c.captured(control) : NULL;
    return inner ? inner : control;
}

}  // namespace

ScopedWindowDpi::ScopedWindowDpi(UINT dpi)
{
    Set(dpi);
}
ScopedWindowDpi::~ScopedWindowDpi()
{
    windowDpiSource = NULL;
}
void ScopedWindowDpi::Set(UINT dpi)
{
    g_dpi = dpi;
    windowDpiSource = dpi ? FixedDpi : NULL;
}

ScopedDarkMode::ScopedDarkMode(int mode)
{
    OrvccSetDarkMode(mode);
    PumpMessages();
}
ScopedDarkMode::~ScopedDarkMode()
{
    OrvccSetDarkMode(ORVCC_DARK_OFF);
    PumpMessages();
}

double ContrastRatio(COLORREF a, COLORREF b)
{
    double la = Luminance(a), lb = Luminance(b);
    if (la < lb) {
        const double t = la;
        la = lb;
        lb = t;
    }
    return (la + 0.05) / (lb + 0.05);
}

COLORREF MostFrequent(const Capture &capture, const RECT &area)
{
    const RECT r = Whole(capture, area);
    std::map<COLORREF, int> counts;
    COLORREF best = 0;
    int most = -1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = capture.At(x, y);
            if (++counts[c] > most) {
                most = counts[c];
                best = c;
            }
        }
    return best;
}

COLORREF MostContrasting(const Capture &capture, const RECT &area, COLORREF against)
{
    const RECT r = Whole(capture, area);
    COLORREF best = against;
    double highest = 0.0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = capture.At(x, y);
            const double ratio = ContrastRatio(c, against);
            if (ratio > highest) {
                highest = ratio;
                best = c;
            }
        }
    return best;
}

int DifferentPixels(const Capture &a, const Capture &b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.At(x, y) != b.At(x, y);
    return count;
}

HWND CreateAtDpi(HWND parent, const DisplayCase &c, ScopedWindowDpi &source, UINT dpi)
{
    source.Set(dpi);
    HWND control = CreateWindowInFlavour(c.className, WS_CHILD | WS_VISIBLE | c.style, 0, 0,
                                         MulDiv(c.width, dpi, 96), MulDiv(c.height, dpi, 96),
                                         parent, 7);
    if (control && c.setup)
        c.setup(control);
    PumpMessages();
    return control;
}

void ChangeDpi(HWND control, const DisplayCase &c, ScopedWindowDpi &source, UINT dpi)
{
    source.Set(dpi);
    SetWindowPos(control, NULL, 0, 0, MulDiv(c.width, dpi, 96), MulDiv(c.height, dpi, 96),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessage(control, 0x02E3 /* WM_DPICHANGED_AFTERPARENT */, 0, 0);
    PumpMessages();
}

void ExpectDpiChangeLikeCreation(HWND parent, const DisplayCase &c, UINT from, UINT to)
{
    SCOPED_TRACE(c.name);
    ScopedWindowDpi source(from);
    HWND moved = CreateAtDpi(parent, c, source, from);
    ASSERT_NE(moved, nullptr);
    ChangeDpi(moved, c, source, to);
    const Capture after(Shown(moved, c));
    ShowWindow(moved, SW_HIDE);
    HWND made = CreateAtDpi(parent, c, source, to);
    ASSERT_NE(made, nullptr);
    const Capture created(Shown(made, c));
    EXPECT_EQ(DifferentPixels(after, created), 0) << "created at " << from << " and moved to " << to;
    DestroyWindow(moved);
    DestroyWindow(made);
}

void ExpectDarkSwitch(HWND parent, const DisplayCase &c, RECT backArea, RECT textArea)
{
    SCOPED_TRACE(c.name);
    OrvccSetDarkMode(ORVCC_DARK_OFF);
    HWND control = CreateWindowInFlavour(c.className, WS_CHILD | WS_VISIBLE | c.style, 0, 0, c.width,
                                         c.height, parent, 7);
    ASSERT_NE(control, nullptr);
    if (c.setup)
        c.setup(control);
    PumpMessages();
    HWND shown = Shown(control, c);
    const Capture light(shown);
    const COLORREF lightBack = MostFrequent(light, backArea);
    const COLORREF lightText = MostContrasting(light, textArea, lightBack);

    OrvccSetDarkMode(ORVCC_DARK_ON);
    PumpMessages();
    const Capture dark(shown);
    const COLORREF darkBack = MostFrequent(dark, backArea);
    const COLORREF darkText = MostContrasting(dark, textArea, darkBack);
    EXPECT_NE(darkBack, lightBack) << "background stays in dark mode";
    EXPECT_NE(darkText, lightText) << "text stays in dark mode";
    EXPECT_GE(ContrastRatio(darkText, darkBack), 4.5)
        << std::hex << "text " << darkText << " on " << darkBack;

    OrvccSetDarkMode(ORVCC_DARK_OFF);
    PumpMessages();
    const Capture again(shown);
    EXPECT_EQ(DifferentPixels(again, light), 0) << "back in light mode";
    DestroyWindow(control);
}

}  // namespace orvtest
