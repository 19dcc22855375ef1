// Message sequences: what a control and its parent receive, in order, for focus
// changes and private messages; and the recorder's own checks.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "orvcc32.h"

#include <functional>
#include <vector>

#include "msgseq.h"
#include "testing.h"

using namespace orvtest;

namespace {

const int kId = 12;
typedef std::vector<ExpectedMsg> Sequence;
typedef std::function<void(HWND control, HWND host)> Action;

// Each row: a control in a fresh host, its messages of the list logged together
// with what the host gets (WM_NOTIFY and WM_COMMAND), during the action.
TEST(MsgSequences, Controls)
{
    ASSERT_TRUE(InitORVCC(ORVCC_PROGRESS_CLASS | ORVCC_LED_CLASS | ORVCC_SPLITTER_CLASS |
                          ORVCC_HEXEDITOR_CLASS));
    // The parent hears of each focus change while the control handles it.
    const Sequence focus = {
        {WM_SETFOCUS, kSent},
        {WM_NOTIFY, kNotify | kWParam, kId, 0, static_cast<UINT>(NM_SETFOCUS)},
        {WM_KILLFOCUS, kSent},
        {WM_NOTIFY, kNotify | kWParam, kId, 0, static_cast<UINT>(NM_KILLFOCUS)},
    };
    const std::vector<UINT> focusMessages = {WM_SETFOCUS, WM_KILLFOCUS};
    const Action inAndOut = [](HWND control, HWND host) {
        SetFocus(control);
        SetFocus(host);
    };
    const std::vector<UINT> layout = {SPM_SETBARWIDTH, SPM_SETPOS, SPM_RECALC, WM_SIZE, WM_COMMAND};
    const struct {
        const char *name;
        const char *className;
        std::vector<UINT> watched;
        Action action;
        Sequence expected;
    } rows[] = {
        {"progress bar focus", "ORV_ProgressClass", focusMessages, inAndOut, focus},
        {"LED focus", "ORV_LEDClass", focusMessages, inAndOut, focus},
        {"splitter focus", "ORV_SplitterClass", focusMessages, inAndOut, focus},
        {"hex editor focus", "ORV_HexEditorClass", focusMessages, inAndOut, focus},
        {"splitter bar width: the layout comes posted", "ORV_SplitterClass", layout,
         [](HWND s, HWND) {
             SendMessage(s, SPM_SETBARWIDTH, 0, 9);
             PumpMessages();
         },
         {{SPM_SETBARWIDTH, kSent | kLParam, 0, 9}, {SPM_RECALC, kPosted},
          {WM_SIZE, kSent | kWParam, SIZE_RESTORED}}},
        {"splitter position refused: no layout", "ORV_SplitterClass", layout,
         [](HWND s, HWND) {
             SendMessage(s, SPM_SETPOS, 0, 0);
             PumpMessages();
         },
         {{SPM_SETPOS, kSent}}},
        {"splitter passes a pane's command on", "ORV_SplitterClass", layout,
         [](HWND s, HWND) {
             HWND edit = CreateWindowInFlavour("Edit", WS_CHILD, 0, 0, 50, 20, s, 7);
             SetWindowTextA(edit, "x");
         },
         {{WM_COMMAND, kSent | kCode | kOptional, 0, 0, EN_UPDATE},
          {WM_COMMAND, kNotify | kOptional, 0, 0, EN_UPDATE},
          {WM_COMMAND, kSent | kCode, 0, 0, EN_CHANGE},
          {WM_COMMAND, kNotify | kWParam, MAKEWPARAM(7, EN_CHANGE), 0, EN_CHANGE}}},
    };
    for (const auto &row : rows) {
        HostWindow host;
        HWND control = CreateWindowInFlavour(row.className, WS_CHILD | WS_VISIBLE, 10, 10, 200, 100,
                                             host.hwnd(), kId);
        ASSERT_NE(control, nullptr) << row.name;
        PumpMessages();
        host.messages.Flush();
        host.messages.Watch(control, row.watched);
        row.action(control, host.hwnd());
        EXPECT_TRUE(host.messages.Check(row.expected, row.name));
        DestroyWindow(control);
    }
}

// Sent, posted and parent messages land in one log in the order they arrive;
// optional rows may be missing; a difference fails, listing both sequences and
// marking where they part.
TEST(MsgSequences, RecorderChecks)
{
    HostWindow host;
    HWND child = CreateWindowInFlavour("Static", WS_CHILD, 0, 0, 10, 10, host.hwnd(), 3);
    host.messages.Watch(child, {WM_APP, WM_APP + 1});
    const auto act = [&] {
        SendMessage(child, WM_APP, 1, 2);
        PostMessage(child, WM_APP + 1, 3, 4);
        NMHDR header = {child, 3, static_cast<UINT>(NM_CLICK)};
        SendMessage(host.hwnd(), WM_NOTIFY, 3, reinterpret_cast<LPARAM>(&header));
        PumpMessages();
    };
    const ExpectedMsg sent = {WM_APP, kSent | kWParam | kLParam, 1, 2};
    const ExpectedMsg note = {WM_NOTIFY, kNotify | kWParam, 3, 0, static_cast<UINT>(NM_CLICK)};
    const ExpectedMsg posted = {WM_APP + 1, kPosted | kWParam | kLParam, 3, 4};
    act();
    EXPECT_TRUE(host.messages.Check({sent, {WM_APP + 5, kSent | kOptional}, note, posted,
                                     {WM_APP + 6, kPosted | kOptional}},
                                    "optional rows missing"));
    EXPECT_TRUE(host.messages.log().empty()) << "a check flushes";

    const struct {
        const char *name;
        Sequence expected;
        const char *fragment;  // of the failure message
    } rows[] = {
        {"posted taken for sent", {sent, note, {WM_APP + 1, kSent}},
         "\"posted taken for sent\" differs at expected 2, recorded 2"},
        {"other code", {sent, {WM_NOTIFY, kNotify, 0, 0, static_cast<UINT>(NM_DBLCLK)}, posted},
         "\n  > 1 WM_NOTIFY sent parent code=NM_DBLCLK\n"},
        {"other wParam", {{WM_APP, kSent | kWParam, 9}, note, posted},
         "recorded:\n  > 0 WM_APP sent wParam=0x1 lParam=0x2\n"},
        {"one row short", {sent, note}, "\n  > 2 WM_APP+1 posted wParam=0x3 lParam=0x4"},
        {"one row more", {sent, note, posted, {WM_APP + 2, kPosted}},
         "differs at expected 3, recorded 3"},
    };
    for (const auto &row : rows) {
        act();
        EXPECT_NONFATAL_FAILURE(EXPECT_TRUE(host.messages.Check(row.expected, row.name)), row.fragment);
    }
    DestroyWindow(child);
}

}  // namespace
