// Web link: target and keys, options, the custom-draw protocol towards the
// parent, fonts, real mouse input and the drawn text. The shell's open call is
// replaced by a recorder, so nothing is ever opened.
#include <gtest/gtest.h>

#include "input.h"
#include "testing.h"
#include "weblink.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace orvtest;

namespace {

// What the link asked the shell to open: owner, width, whether the call had no
// verb, parameters or folder and SW_SHOW, and the target.
struct Opened {
    HWND owner;
    bool wide, defaultCall;
    std::wstring file;
};
std::vector<Opened> g_opened;

template <class C>
HINSTANCE WINAPI RecordOpen(HWND owner, const C *verb, const C *file, const C *params, const C *dir,
                            INT show)
{
    std::wstring wide(4 * 4096, L'\0');
    if (sizeof(C) == 1)
        wide.resize(MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char *>(file), -1,
                                        &wide[0], 4 * 4096) - 1);
    else
        wide = reinterpret_cast<const wchar_t *>(file);
    g_opened.push_back({owner, sizeof(C) == 2, !verb && !params && !dir && show == SW_SHOW, wide});
    return reinterpret_cast<HINSTANCE>(42);
}

// The parent: records notifications and custom-draw records, answers the stages.
struct Drawn {
    DWORD stage;
    UINT itemState;
    LPARAM param;
};
struct ParentLog {
    std::vector<UINT> codes;  // every notification code, custom draw included
    std::vector<Drawn> draws;
    LRESULT preErase = 0, prePaint = 0;  // answers
    int shiftAtPrePaint = 0;             // moves the record's rectangle right
    int destroyOn = 0;                   // a code or stage at which the link is destroyed
} g_parent;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
    g_parent.codes.push_back(header->code);
    int event = static_cast<int>(header->code);
    LRESULT answer = 0;
    if (header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        auto *record = reinterpret_cast<NMCUSTOMDRAW *>(lParam);
        g_parent.draws.push_back({record->dwDrawStage, record->uItemState, record->lItemlParam});
        event = static_cast<int>(record->dwDrawStage);
        if (record->dwDrawStage == CDDS_PREERASE)
            answer = g_parent.preErase;
        if (record->dwDrawStage == CDDS_PREPAINT) {
            answer = g_parent.prePaint;
            OffsetRect(&record->rc, g_parent.shiftAtPrePaint, 0);
        }
    }
    if (g_parent.destroyOn && event == g_parent.destroyOn)
        DestroyWindow(header->hwndFrom);
    return answer;
}

class WebLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        webLinkShellExecuteA = RecordOpen<char>;
        webLinkShellExecuteW = RecordOpen<WCHAR>;
        g_opened.clear();
        g_parent = ParentLog();
        SetCursorPos(399, 299);  // away from where the link appears
        ASSERT_TRUE(InitORVCC(ORVCC_WEBLINK_CLASS));
        parent_ = CreateParentWindow(L"OrvLinkParent", ParentProc, 400, 300);
        link_ = CreateWindowInFlavour("ORV_WebLinkClass", WS_CHILD | WS_VISIBLE, 20, 20, 150, 30,
                                      parent_, 9);
        SetWindowTextA(link_, "Web link");
        PumpMessages();
    }
    void TearDown() override
    {
        DestroyWindow(parent_);
        PumpMessages();
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessage(link_, message, wParam, lParam);
    }
    // The item state of a fresh paint.
    UINT ItemState()
    {
        g_parent.draws.clear();
        RedrawWindow(link_, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        return g_parent.draws.empty() ? ~0u : g_parent.draws.back().itemState;
    }
    int Count(UINT code) { return std::count(g_parent.codes.begin(), g_parent.codes.end(), code); }
    HWND parent_ = NULL, link_ = NULL;
};

// Each step: an optional target message, then a key; what the key opens.
TEST_F(WebLinkTest, TargetIsOpenedBySpaceAndReturn)
{
    const struct { UINT message; const void *text; LRESULT result; WPARAM key; const wchar_t *opens; }
    steps[] = {
        {0, nullptr, 0, VK_SPACE, nullptr},
        {WLM_SETURLA, "http://a.invalid/", 1, VK_SPACE, L"http://a.invalid/"},
        {WLM_SETURLW, L"http://b.invalid/", 1, VK_RETURN, L"http://b.invalid/"},
        {0, nullptr, 0, 'A', nullptr},
        {0, nullptr, 0, VK_TAB, nullptr},
        {WLM_SETURLW, nullptr, 0, VK_SPACE, L"http://b.invalid/"},
        {WLM_SETURLA, nullptr, 0, VK_RETURN, L"http://b.invalid/"},
        {WLM_SETURLW, L"", 1, VK_SPACE, nullptr},
        {WLM_SETURLA, "x", 1, VK_RETURN, L"x"},
        {WLM_SETURLA, "", 1, VK_RETURN, nullptr},
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        if (steps[i].message) {
            EXPECT_EQ(Send(steps[i].message, 0, reinterpret_cast<LPARAM>(steps[i].text)),
                      steps[i].result) << "step " << i;
        }
        g_opened.clear();
        EXPECT_EQ(Send(WM_KEYDOWN, steps[i].key, 0), 0);
        ASSERT_EQ(g_opened.size(), steps[i].opens ? 1u : 0u) << "step " << i;
        if (steps[i].opens) {
            EXPECT_EQ(g_opened[0].file, steps[i].opens);
            EXPECT_EQ(g_opened[0].owner, link_);
            EXPECT_TRUE(g_opened[0].defaultCall);
            EXPECT_EQ(g_opened[0].wide, !IsAnsiFlavour());
        }
    }
}

// A long target given in the other width keeps every character; under a
// double-byte code page each character takes two bytes in the ANSI build.
TEST_F(WebLinkTest, DoubleByteLongTargetKeepsEveryCharacter)
{
    const bool doubleByte = GetACP() == 932;
    if (EnvInt("ORVCC_EXPECT_ACP", 0) == 932) {
        ASSERT_TRUE(doubleByte);
    }
    std::wstring target(3000, doubleByte ? L'\x3042' : L'\xE9');
    target += L"/end";
    const bool ansi = IsAnsiFlavour();
    std::string narrow(target.size() * 2 + 1, '\0');
    narrow.resize(WideCharToMultiByte(CP_ACP, 0, target.c_str(), -1, &narrow[0],
                                      static_cast<int>(narrow.size()), NULL, NULL) - 1);
    // The width the build does not store in goes through the conversion.
    const LRESULT stored = ansi ? Send(WLM_SETURLW, 0, reinterpret_cast<LPARAM>(target.c_str()))
                                : Send(WLM_SETURLA, 0, reinterpret_cast<LPARAM>(narrow.c_str()));
    EXPECT_EQ(stored, 1);
    Send(WM_KEYDOWN, VK_RETURN);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].file, target);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, NULL));
}

TEST_F(WebLinkTest, OptionsParamAndStateBits)
{
    BOOL hotTracking = FALSE;
    SystemParametersInfoA(SPI_GETHOTTRACKING, 0, &hotTracking, 0);
    const LRESULT initial = hotTracking ? WLS_UNDERLINENOTHOT : WLS_UNDERLINENOTHOT | WLS_NOHOTCOLOR;
    EXPECT_EQ(Send(WLM_GETSTYLE), initial);
    SetFocus(link_);
    EXPECT_EQ(Send(WLM_SETSTYLE, 0xFFFFFFFF, 0), initial);
    EXPECT_EQ(Send(WLM_GETSTYLE), 0);
    EXPECT_EQ(ItemState(), static_cast<UINT>(CDIS_FOCUS));  // the state bits stay
    EXPECT_EQ(Send(WLM_SETSTYLE, 0xFFFFFFFF, 0xFFFFFFFF), 0);
    EXPECT_EQ(Send(WLM_GETSTYLE), 0x1FFFFFFF);
    EXPECT_EQ(Send(WLM_SETSTYLE, WLS_NOFOCUSRECT, 0), WLS_NOFOCUSRECT);
    EXPECT_EQ(Send(WLM_GETSTYLE), 0x1FFFFFFB);
    EXPECT_EQ(Send(WLM_SETPARAM, 0, 77), 0);
    EXPECT_EQ(Send(WLM_SETPARAM, 0, 78), 77);
    ItemState();
    EXPECT_EQ(g_parent.draws.back().param, 78);
    EnableWindow(link_, FALSE);
    EXPECT_EQ(ItemState(), static_cast<UINT>(CDIS_DISABLED));
    EXPECT_EQ(Count(NM_SETFOCUS), 1);
}

// WM_GETFONT gives the control's plain copy of the font, SYSTEM_FONT for no font.
TEST_F(WebLinkTest, FontsAreTheControlsOwnCopies)
{
    const HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT), system = GetStockObject(SYSTEM_FONT);
    const HGDIOBJ cases[][2] = {{gui, gui}, {GetStockObject(WHITE_BRUSH), system}, {NULL, system}};
    for (const auto &c : cases) {
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(c[0]), 0);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT));
        EXPECT_NE(font, c[0]);
        LOGFONTW got = {}, expected = {};
        ASSERT_EQ(GetObjectW(font, sizeof got, &got), static_cast<int>(sizeof got));
        GetObjectW(c[1], sizeof expected, &expected);
        EXPECT_TRUE(got.lfHeight == expected.lfHeight && !lstrcmpW(got.lfFaceName, expected.lfFaceName) &&
                    !got.lfUnderline);
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);  // its own font handed back
        EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT))), DWORD(OBJ_FONT));
    }
}

// The stages the parent sees for its answers, and what is drawn.
TEST_F(WebLinkTest, CustomDrawStages)
{
    const COLORREF text = GetSysColor(COLOR_HIGHLIGHT), face = GetSysColor(COLOR_BTNFACE);
    const struct { LRESULT preErase, prePaint; int shift; std::vector<DWORD> stages; bool background, drawn; }
    cases[] = {
        {0, 0, 0, {CDDS_PREERASE, CDDS_PREPAINT}, true, true},
        {CDRF_NOTIFYPOSTERASE, CDRF_NOTIFYPOSTPAINT, 0,
         {CDDS_PREERASE, CDDS_POSTERASE, CDDS_PREPAINT, CDDS_POSTPAINT}, true, true},
        {CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTERASE, 0, 0, {CDDS_PREERASE, CDDS_PREPAINT}, false, true},
        {0, CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTPAINT, 0, {CDDS_PREERASE, CDDS_PREPAINT}, true, false},
        {0, 0, 200, {CDDS_PREERASE, CDDS_PREPAINT}, true, false},
    };
    for (const auto &c : cases) {
        g_parent.preErase = c.preErase;
        g_parent.prePaint = c.prePaint;
        g_parent.shiftAtPrePaint = c.shift;
        ItemState();
        std::vector<DWORD> stages;
        for (const Drawn &d : g_parent.draws)
            stages.push_back(d.stage);
        EXPECT_EQ(stages, c.stages);
        Capture shot(link_);
        EXPECT_EQ(shot.At(149, 29) == face, c.background);
        EXPECT_EQ(shot.Count(text, 0, 0, 150, 30) > 0, c.drawn);
    }
}

// The parent destroys the link while it handles a notification: nothing more is
// drawn or opened, and nothing is touched after the state is gone.
TEST_F(WebLinkTest, ParentDestroysTheLinkInANotification)
{
    const int released = static_cast<int>(NM_RELEASEDCAPTURE);
    const int events[] = {static_cast<int>(CDDS_PREERASE), static_cast<int>(CDDS_POSTERASE),
                          static_cast<int>(CDDS_PREPAINT), released};
    for (int event : events) {
        TearDown();
        SetUp();
        Send(WLM_SETURLA, 0, reinterpret_cast<LPARAM>("http://c.invalid/"));
        g_parent.preErase = CDRF_NOTIFYPOSTERASE;
        g_parent.destroyOn = event;
        if (event == released) {
            SetCapture(link_);
            Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        } else {
            RedrawWindow(link_, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        EXPECT_FALSE(IsWindow(link_)) << event;
        EXPECT_TRUE(g_opened.empty()) << event;
        EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, NULL));
    }
}

class WebLinkMouseTest : public WebLinkTest {
protected:
    void SetUp() override
    {
        WebLinkTest::SetUp();
        MoveMouseScreen(390, 290);
        FocusForInput(parent_);
        Send(WLM_SETURLW, 0, reinterpret_cast<LPARAM>(L"http://d.invalid/"));
    }
    // Dispatches until the pointer has left the link (the leave report is timed).
    void AwaitLeave()
    {
        for (int i = 0; i < 200 && (ItemState() & CDIS_HOT); ++i) {
            MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
            PumpMessages();
        }
    }
};

// Hot, pressed and capture along a click; the ANSI build keeps the pressed state
// while the pointer is outside during the capture.
TEST_F(WebLinkMouseTest, HotTrackingPressAndRelease)
{
    // A press before the pointer has been over the link takes no capture; with
    // WLS_FOCUSONCLICK it still takes the focus.
    Send(WLM_SETSTYLE, WLS_FOCUSONCLICK, WLS_FOCUSONCLICK);
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_NE(GetCapture(), link_);
    EXPECT_EQ(GetFocus(), link_);
    EXPECT_EQ(Count(NM_SETFOCUS), 1);
    const UINT outsidePressed = IsAnsiFlavour() ? CDIS_SELECTED : 0;
    const struct { int x, y; int button; UINT state; bool captured; size_t opened; int released; }
    steps[] = {
        {10, 10, 0, CDIS_HOT, false, 0, 0},
        {10, 10, 1, CDIS_HOT | CDIS_SELECTED, true, 0, 0},
        {300, 10, 0, outsidePressed, true, 0, 0},
        {12, 12, 0, CDIS_HOT | CDIS_SELECTED, true, 0, 0},
        {12, 12, -1, CDIS_HOT, false, 1, 1},               // released inside: opens
        {12, 12, 1, CDIS_HOT | CDIS_SELECTED, true, 1, 1},
        {300, 10, -1, 0, false, 1, 2},                     // released outside: does not
        {12, 12, 1, CDIS_HOT | CDIS_SELECTED, true, 1, 2},
        {12, 12, -1, CDIS_HOT, false, 2, 3},
        {300, 10, 0, 0, false, 2, 3},                      // and it leaves after a click
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        MoveMouse(link_, steps[i].x, steps[i].y);
        if (steps[i].button)
            LeftButton(steps[i].button > 0);
        if (steps[i].x > 150 && !steps[i].captured)
            AwaitLeave();
        EXPECT_EQ(ItemState() & ~CDIS_FOCUS, steps[i].state) << "step " << i;
        EXPECT_EQ(GetCapture() == link_, steps[i].captured) << "step " << i;
        EXPECT_EQ(g_opened.size(), steps[i].opened) << "step " << i;
        EXPECT_EQ(Count(NM_RELEASEDCAPTURE), steps[i].released) << "step " << i;
    }
    EXPECT_EQ(g_opened[0].file, L"http://d.invalid/");
}

// Text colour and underline by mode, away from the link and over it.
TEST_F(WebLinkMouseTest, TextColourAndUnderlinePixels)
{
    EXPECT_EQ(ScreenDpi(), EnvInt("ORVCC_EXPECT_DPI", ScreenDpi()));
    const COLORREF normal = GetSysColor(COLOR_HIGHLIGHT), hotColour = GetSysColor(COLOR_HOTLIGHT);
    ASSERT_NE(normal, hotColour);
    HDC dc = GetDC(link_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(Send(WM_GETFONT)));
    SIZE extent;
    GetTextExtentPoint32A(dc, "Web link", 8, &extent);
    SelectObject(dc, old);
    ReleaseDC(link_, dc);
    // The longest run of one colour in any row: an underline spans the text.
    auto underlined = [&](const Capture &shot, COLORREF colour) {
        int longest = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0, run = 0; x < shot.width(); ++x)
                longest = std::max(longest, run = shot.At(x, y) == colour ? run + 1 : 0);
        return longest >= extent.cx * 4 / 5;
    };
    const struct { DWORD options; bool hot, underline, hotColoured; } cases[] = {
        {WLS_UNDERLINENONE, false, false, false},   {WLS_UNDERLINEALWAYS, false, true, false},
        {WLS_UNDERLINENOTHOT, false, true, false},  {WLS_UNDERLINEHOT, false, false, false},
        {WLS_UNDERLINENONE, true, false, true},     {WLS_UNDERLINEALWAYS, true, true, true},
        {WLS_UNDERLINENOTHOT, true, false, true},   {WLS_UNDERLINEHOT, true, true, true},
        {WLS_UNDERLINEHOT | WLS_NOHOTCOLOR, true, true, false},
    };
    for (const auto &c : cases) {
        if (c.hot)
            MoveMouse(link_, 140, 25);
        Send(WLM_SETSTYLE, 0xFF, c.options);
        Capture shot(link_);
        const COLORREF colour = c.hotColoured ? hotColour : normal;
        EXPECT_GT(shot.Count(colour, 0, 0, 150, 30), 0) << c.options << (c.hot ? " hot" : "");
        EXPECT_EQ(shot.Count(c.hotColoured ? normal : hotColour, 0, 0, 150, 30), 0);
        EXPECT_EQ(underlined(shot, colour), c.underline) << c.options << (c.hot ? " hot" : "");
    }
}

}  // namespace
