// Splitter window: layout and its limits, messages, forwarding, dragging with
// real input in both modes, nested splitters and the bar's pixels.
#include "orvcc32.h"

#include <gtest/gtest.h>

#include <math.h>
#include <uxtheme.h>

#include <vector>

#include "input.h"
#include "testing.h"

using namespace orvtest;

extern "C" int OrvHeaderCDriveSplitter(HWND splitter, HWND pane);

namespace {

// What the splitter passes on to its parent.
struct ParentLog {
    std::vector<UINT> codes;
    std::vector<WPARAM> commands;
    HWND watchedPane = NULL;
    RECT paneAtRelease = {0, 0, 0, 0};
} parentLog;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
        parentLog.codes.push_back(header->code);
        if (header->code == static_cast<UINT>(NM_RELEASEDCAPTURE) && parentLog.watchedPane)
            GetWindowRect(parentLog.watchedPane, &parentLog.paneAtRelease);
        return 0x1234;
    }
    if (message == WM_COMMAND) {
        parentLog.commands.push_back(wParam);
        return 0x77;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InitORVCC(ORVCC_SPLITTER_CLASS));
        parentLog = ParentLog();
        parent_ = CreateParentWindow(L"OrvSplitterParent", ParentProc, 460, 360);
    }
    void TearDown() override
    {
        DestroyWindow(parent_);
        PumpMessages();
    }
    // A splitter with two white panes; reparent makes them its children.
    HWND Create(HWND parent, int x, int y, int w, int h, DWORD flags, bool reparent = true)
    {
        HWND splitter = CreateWindowInFlavour("ORV_SplitterClass", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, 5);
        EXPECT_NE(splitter, nullptr);
        (void)Splitter_SetFlags(splitter, SPF_HORIZONTAL | SPF_FULLDRAG | SPF_LOCKED, flags);
        for (int i = 0; i < 2; ++i) {
            panes_[i] = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_WHITERECT, 0, 0, 1, 1,
                                        parent_, NULL, GetModuleHandleW(NULL), NULL);
            SendMessage(splitter, i ? SPM_SETPANE2 : SPM_SETPANE1, reparent, reinterpret_cast<LPARAM>(panes_[i]));
        }
        PumpMessages();
        return splitter;
    }
    // A window's rectangle in the splitter's client coordinates.
    static RECT In(HWND splitter, HWND window)
    {
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(NULL, splitter, reinterpret_cast<POINT *>(&rect), 2);
        return rect;
    }
    static int Extent(HWND window, bool horizontal)
    {
        RECT rect;
        GetClientRect(window, &rect);
        return horizontal ? rect.bottom : rect.right;
    }
    HWND parent_ = NULL;
    HWND panes_[2] = {NULL, NULL};
};

std::string Str(const RECT &r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// Panes never get a negative size and the bar never leaves the client area.
TEST_F(SplitterTest, LayoutKeepsTheBarInside)
{
    const struct {
        const char *name;
        DWORD flags;
        int cx, cy, barWidth;
        double position;
        bool reparent;
        RECT pane1, pane2;
    } cases[] = {
        {"half", 0, 200, 100, 6, 0.5, true, {0, 0, 100, 100}, {106, 0, 200, 100}},
        {"end", 0, 200, 100, 6, 1.0, true, {0, 0, 194, 100}, {200, 0, 200, 100}},
        {"odd bar at the start", SPF_HORIZONTAL, 50, 41, 7, 0.0, true, {0, 0, 50, 0}, {0, 7, 50, 41}},
        {"odd bar at the end", 0, 41, 20, 7, 1.0, true, {0, 0, 34, 20}, {41, 0, 41, 20}},
        {"stacked", SPF_HORIZONTAL, 200, 100, 6, 0.25, true, {0, 0, 200, 25}, {0, 31, 200, 100}},
        {"panes of the parent", SPF_HORIZONTAL, 200, 100, 6, 0.25, false, {0, 0, 200, 25}, {0, 31, 200, 100}},
        {"bar wider than the client", 0, 200, 100, 300, 0.5, true, {0, 0, 0, 100}, {200, 0, 200, 100}},
        {"negative bar", 0, 200, 100, -5, 0.5, true, {0, 0, 100, 100}, {100, 0, 200, 100}},
        {"no client area", 0, 0, 0, 6, 0.5, true, {0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        HWND splitter = Create(parent_, 30, 20, c.cx, c.cy, c.flags, c.reparent);
        (void)Splitter_SetBarWidth(splitter, c.barWidth);
        (void)Splitter_SetPos(splitter, &c.position);
        Splitter_Recalc(splitter);
        EXPECT_EQ(Str(In(splitter, panes_[0])), Str(c.pane1)) << c.name;
        EXPECT_EQ(Str(In(splitter, panes_[1])), Str(c.pane2)) << c.name;
        for (HWND window : {splitter, panes_[0], panes_[1]})
            DestroyWindow(window);
    }
}

TEST_F(SplitterTest, MessagesClampAndReport)
{
    HWND s = Create(parent_, 0, 0, 200, 100, 0);
    const struct {
        double in;
        BOOL result;
        double stored;
    } positions[] = {{1.5, TRUE, 1.0}, {-0.2, TRUE, 0.0}, {0.3, TRUE, 0.3}, {NAN, FALSE, 0.3}, {INFINITY, TRUE, 1.0}};
    for (const auto &p : positions) {
        double out = -1;
        EXPECT_EQ(Splitter_SetPos(s, &p.in), p.result) << p.in;
        EXPECT_TRUE(Splitter_GetPos(s, &out));
        EXPECT_EQ(out, p.stored) << p.in;
    }
    EXPECT_FALSE(Splitter_SetPos(s, NULL));
    EXPECT_FALSE(Splitter_GetPos(s, NULL));
    EXPECT_EQ(Splitter_SetFlags(s, SPF_HORIZONTAL, SPF_HORIZONTAL | SPF_LOCKED), 0u);
    EXPECT_EQ(Splitter_GetFlags(s, 0xFF), static_cast<DWORD>(SPF_HORIZONTAL));
    EXPECT_EQ(Splitter_SetBarWidth(s, 9), EnvInt("ORVCC_EXPECT_DPI", 96) * 6 / 96);
    EXPECT_EQ(Splitter_GetBarWidth(s), 9);
    EXPECT_EQ(Splitter_GetPane1(s), panes_[0]);
    HWND bare = CreateWindowInFlavour("ORV_SplitterClass", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent_, 6);
    EXPECT_TRUE(OrvHeaderCDriveSplitter(bare, panes_[0]));
}

// Setting a pane lays out at once; position, flags and bar width from the queue.
TEST_F(SplitterTest, PostedAndSentRelayouts)
{
    HWND s = Create(parent_, 0, 0, 200, 100, 0);
    EXPECT_EQ(Str(In(s, panes_[0])), "0,0,100,100");
    const double quarter = 0.25;
    (void)Splitter_SetPos(s, &quarter);
    (void)Splitter_SetFlags(s, SPF_HORIZONTAL, SPF_HORIZONTAL);
    (void)Splitter_SetBarWidth(s, 10);
    EXPECT_EQ(Str(In(s, panes_[0])), "0,0,100,100");
    PumpMessages();
    EXPECT_EQ(Str(In(s, panes_[0])), "0,0,200,25");
    EXPECT_EQ(Str(In(s, panes_[1])), "0,35,200,100");
    HWND third = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, s, NULL, NULL, NULL);
    EXPECT_EQ(Splitter_SetPane2(s, third, FALSE), panes_[1]);
    EXPECT_EQ(Str(In(s, third)), "0,35,200,100");
}

// A pane hidden, destroyed, or that is the splitter or its parent leaves the
// other pane the whole area; nothing recurses.
TEST_F(SplitterTest, PanesThatAreGone)
{
    HWND s = Create(parent_, 0, 0, 200, 100, 0);
    DestroyWindow(panes_[1]);
    EXPECT_EQ(Splitter_GetPane2(s), nullptr);
    Splitter_Recalc(s);
    EXPECT_EQ(Str(In(s, panes_[0])), "0,0,200,100");
    for (HWND odd : {s, parent_}) {
        (void)Splitter_SetPane2(s, odd, TRUE);
        EXPECT_EQ(Splitter_GetPane2(s), odd);
        EXPECT_EQ(Str(In(s, panes_[0])), "0,0,200,100");
    }
    EXPECT_EQ(GetParent(s), parent_);
    // One window as both panes with a bar of no thickness: the queue runs dry.
    (void)Splitter_SetBarWidth(s, 0);
    (void)Splitter_SetPane2(s, panes_[0], TRUE);
    MSG msg;
    for (int i = 0; i < 500 && PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE); ++i)
        DispatchMessageW(&msg);
    EXPECT_FALSE(PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE));
    (void)Splitter_SetPane2(s, NULL, FALSE);
    ShowWindow(panes_[0], SW_HIDE);
    Splitter_Recalc(s);
    EXPECT_EQ(Capture(s).At(100, 50), GetSysColor(COLOR_BTNFACE));
}

TEST_F(SplitterTest, ForwardsNotificationsAndCommands)
{
    HWND s = Create(parent_, 0, 0, 200, 100, 0);
    NMHDR header = {panes_[0], 9, 4321};
    EXPECT_EQ(SendMessage(s, WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&header)), 0x1234);
    EXPECT_EQ(SendMessage(s, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(panes_[0])), 0x77);
    SetFocus(s);
    SetFocus(parent_);
    const std::vector<UINT> codes = {4321u, static_cast<UINT>(NM_SETFOCUS), static_cast<UINT>(NM_KILLFOCUS)};
    EXPECT_EQ(parentLog.codes, codes);
    ASSERT_EQ(parentLog.commands.size(), 1u);
    EXPECT_EQ(parentLog.commands[0], MAKEWPARAM(7, BN_CLICKED));
}

// Capture lost without a drag in progress does not move the bar.
TEST_F(SplitterTest, CaptureLossWithoutDragKeepsTheBar)
{
    HWND s = Create(parent_, 10, 10, 300, 200, 0);
    MoveMouse(s, 20, 20);
    SetCapture(s);
    ReleaseCapture();
    PumpMessages();
    EXPECT_EQ(Str(In(s, panes_[0])), "0,0,150,200");
}

// Injected input can take a while on a busy machine: settles until cond holds.
template <class Cond>
bool Eventually(Cond cond)
{
    for (int i = 0; i < 50 && !cond(); ++i)
        Settle();
    return cond();
}

// Presses the left button at a client point and moves by delta along the bar's axis.
void DragBar(HWND splitter, int x, int y, bool horizontal, int delta)
{
    FocusForInput(GetAncestor(splitter, GA_ROOT));
    MoveMouse(splitter, x, y);
    LeftButton(true);
    EXPECT_TRUE(Eventually([&] { return GetCapture() == splitter; }));
    MoveMouse(splitter, x + (horizontal ? 0 : delta / 2), y + (horizontal ? delta / 2 : 0));
    MoveMouse(splitter, x + (horizontal ? 0 : delta), y + (horizontal ? delta : 0));
}

TEST_F(SplitterTest, DraggingInBothModes)
{
    for (DWORD flags : {0u, 1u * SPF_HORIZONTAL, 1u * SPF_FULLDRAG, 1u * (SPF_HORIZONTAL | SPF_FULLDRAG)}) {
        const bool horizontal = flags & SPF_HORIZONTAL, live = flags & SPF_FULLDRAG;
        HWND s = Create(parent_, 10, 10, 300, 200, flags);
        parentLog = ParentLog();
        parentLog.watchedPane = panes_[0];
        const int width = Splitter_GetBarWidth(s), extent = Extent(s, horizontal);
        const int start = extent / 2, grab = start + width / 2, to = grab + 40;
        DragBar(s, horizontal ? 100 : grab, horizontal ? grab : 100, horizontal, 40);
        const int moved = static_cast<int>(extent * ((to - width / 2.0) / extent));
        if (live)
            Eventually([&] { return Extent(panes_[0], horizontal) != start; });
        EXPECT_NEAR(Extent(panes_[0], horizontal), live ? moved : start, 1) << flags;
        LeftButton(false);
        EXPECT_TRUE(Eventually([&] { return !parentLog.codes.empty(); }));
        EXPECT_EQ(parentLog.codes, std::vector<UINT>{static_cast<UINT>(NM_RELEASEDCAPTURE)}) << flags;
        // The parent hears of the release before a posted relayout moves the panes.
        const RECT &atRelease = parentLog.paneAtRelease;
        EXPECT_NEAR(horizontal ? atRelease.bottom - atRelease.top : atRelease.right - atRelease.left,
                    live ? moved : start, 1)
            << flags;
        PumpMessages();
        EXPECT_NEAR(Extent(panes_[0], horizontal), moved, 1) << flags;
        DestroyWindow(s);
    }
}

// A locked splitter, or one pressed while another window holds the capture, starts no drag.
TEST_F(SplitterTest, PressStartsNoDrag)
{
    for (bool locked : {true, false}) {
        HWND s = Create(parent_, 10, 10, 300, 200, locked ? SPF_LOCKED : 0);
        FocusForInput(parent_);
        MoveMouse(s, 152, 100);
        if (!locked)
            SetCapture(parent_);
        const HWND before = GetCapture();
        LeftButton(true);
        EXPECT_EQ(GetCapture(), before) << locked;
        MoveMouse(s, 200, 100);
        LeftButton(false);
        ReleaseCapture();
        PumpMessages();
        EXPECT_EQ(Extent(panes_[0], false), 150) << locked;
        DestroyWindow(s);
    }
}

// A splitter as a pane of another, in both orientations; its own bar drags too.
TEST_F(SplitterTest, NestedSplitters)
{
    for (DWORD outerFlags : {0u, 1u * SPF_HORIZONTAL}) {
        const DWORD innerFlags = (outerFlags ^ SPF_HORIZONTAL) | SPF_FULLDRAG;
        HWND outer = Create(parent_, 10, 10, 400, 300, outerFlags);
        HWND outerPane1 = panes_[0];
        HWND inner = Create(parent_, 0, 0, 10, 10, innerFlags);
        DestroyWindow(Splitter_SetPane2(outer, inner, TRUE));
        EXPECT_EQ(GetParent(inner), outer);
        const RECT innerRect = In(outer, inner);
        EXPECT_EQ(Str(innerRect), outerFlags ? "0,156,400,300" : "206,0,400,300");
        const bool h = innerFlags & SPF_HORIZONTAL;
        const int extent = Extent(inner, h), grab = extent / 2 + 3;
        EXPECT_EQ(Extent(panes_[0], h), extent / 2);
        DragBar(inner, h ? 50 : grab, h ? grab : 50, h, -30);
        LeftButton(false);
        Eventually([&] { return GetCapture() != inner; });
        PumpMessages();
        EXPECT_NEAR(Extent(panes_[0], h), extent / 2 - 30, 1) << outerFlags;
        EXPECT_EQ(Str(In(outer, outerPane1)), outerFlags ? "0,0,400,150" : "0,0,200,300");
        DestroyWindow(outer);
    }
}

// The bar where the layout puts it, drawn as the system draws a raised edge, at
// the screen's resolution.
TEST_F(SplitterTest, DpiBarPixels)
{
    const int dpi = EnvInt("ORVCC_EXPECT_DPI", 96), width = 6 * dpi / 96;
    for (DWORD flags : {0u, 1u * SPF_HORIZONTAL}) {
        const bool h = flags & SPF_HORIZONTAL;
        HWND s = Create(parent_, 10, 10, 201, 101, flags);
        const int p = (h ? 101 : 201) / 2;
        // The reference: the same edge drawn by the system into a bitmap, with the
        // visual style where the Unicode flavour uses one.
        HDC screen = GetDC(NULL), reference = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 201, 101);
        ReleaseDC(NULL, screen);
        SelectObject(reference, bitmap);
        RECT bar = {h ? 0 : p, h ? p : 0, h ? 201 : p + width, h ? p + width : 101};
        const UINT edges = BF_MIDDLE | (h ? BF_TOP | BF_BOTTOM : BF_LEFT | BF_RIGHT);
        const bool themed = !IsAnsiFlavour() && IsThemeActive() && (GetThemeAppProperties() & STAP_ALLOW_CONTROLS);
        HTHEME theme = themed ? OpenThemeData(s, L"GLOBALS") : NULL;
        if (theme) {
            HBRUSH face = CreateSolidBrush(GetThemeSysColor(theme, COLOR_BTNFACE));
            FillRect(reference, &bar, face);
            DeleteObject(face);
            DrawThemeEdge(theme, reference, 0, 0, &bar, EDGE_RAISED, edges, NULL);
            CloseThemeData(theme);
        } else
            DrawEdge(reference, &bar, EDGE_RAISED, edges);
        const Capture shot(s);
        const COLORREF pane = Capture(panes_[0]).At(1, 1);
        for (int offset = -1; offset <= width; ++offset)
            for (int along : {0, 37, (h ? 200 : 100)}) {
                const int x = h ? along : p + offset, y = h ? p + offset : along;
                const bool inBar = offset >= 0 && offset < width;
                EXPECT_EQ(shot.At(x, y), inBar ? GetPixel(reference, x, y) : pane)
                    << "flags " << flags << " offset " << offset << " along " << along;
            }
        DeleteDC(reference);  // then the bitmap is no longer selected
        DeleteObject(bitmap);
        DestroyWindow(s);
    }
}

}  // namespace
