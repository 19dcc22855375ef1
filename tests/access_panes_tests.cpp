// Accessibility of the splitter and the hex editor from a client's side: panes
// as children, the caret reading and selection, the events a hook sees.
#include <gtest/gtest.h>

#include "accessfixture.h"
#include "input.h"
#include "testing.h"

#include <vector>

using namespace orvtest;

namespace {

const DWORD kNoSel = 0xFFFFFFFFu;

class AccessPanesTest : public AccessFixture {
public:
    AccessPanesTest() : AccessFixture(ORVCC_SPLITTER_CLASS | ORVCC_HEXEDITOR_CLASS) {}
    HWND Make(const char *className, int id = 1)
    {
        return CreateWindowInFlavour(className, WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, host_.hwnd(), id);
    }
    HWND Splitter(DWORD flags, HWND pane1, HWND pane2, WPARAM reparent = TRUE)
    {
        HWND hwnd = Make("ORV_SplitterClass");
        SendMessage(hwnd, SPM_SETFLAGS, SPF_HORIZONTAL, flags);
        SendMessage(hwnd, SPM_SETPANE1, reparent, reinterpret_cast<LPARAM>(pane1));
        SendMessage(hwnd, SPM_SETPANE2, reparent, reinterpret_cast<LPARAM>(pane2));
        return hwnd;
    }
    HWND HexEditor(const char *data, DWORD caret, DWORD selFirst = kNoSel, DWORD selLast = kNoSel)
    {
        HWND hwnd = Make("ORV_HexEditorClass");
        SendMessage(hwnd, HXM_SETDATA, lstrlenA(data), reinterpret_cast<LPARAM>(data));
        SendMessage(hwnd, HXM_SETCARETPOS, 0, caret);
        SendMessage(hwnd, HXM_SETSEL, selFirst, selLast);
        return hwnd;
    }
};

LONG Answer(IAccessible *object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *))
{
    VARIANT answer;
    answer.vt = VT_EMPTY;
    return SUCCEEDED((object->*get)(Self(), &answer)) && answer.vt == VT_I4 ? answer.lVal : -1;
}

// The window behind a child object (released here), NULL for none.
HWND WindowOf(HRESULT hr, IDispatch *child)
{
    HWND hwnd = NULL;
    IAccessible *object = NULL;
    if (hr == S_OK && child &&
        SUCCEEDED(child->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void **>(&object)))) {
        WindowFromAccessibleObject(object, &hwnd);
        object->Release();
    }
    if (child)
        child->Release();
    return hwnd;
}

TEST_F(AccessPanesTest, SplitterTellsLayoutAndPanesWhileItLives)
{
    enum Panes { kChildren, kSiblings, kFirstGone, kSecondGone, kSameTwice, kNone };
    const struct {
        DWORD flags;
        Panes panes;
        std::vector<int> children;  // which panes, in order
    } rows[] = {
        {0, kChildren, {1, 2}}, {SPF_HORIZONTAL, kSiblings, {1, 2}}, {0, kFirstGone, {2}},
        {SPF_HORIZONTAL, kSecondGone, {1}}, {0, kSameTwice, {1}}, {0, kNone, {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "panes " << row.panes << " flags " << row.flags);
        HWND panes[3] = {NULL, Make("STATIC", 11), Make("STATIC", 12)};
        HWND splitter = row.panes == kNone ? Splitter(row.flags, NULL, NULL)
                                           : Splitter(row.flags, panes[1], panes[row.panes == kSameTwice ? 1 : 2],
                                                      row.panes != kSiblings);
        if (row.panes == kFirstGone || row.panes == kSecondGone)
            DestroyWindow(panes[row.panes == kFirstGone ? 1 : 2]);
        IAccessible *object = ClientObject(splitter);
        ASSERT_TRUE(object);
        EXPECT_EQ(Answer(object, &IAccessible::get_accRole), ROLE_SYSTEM_PANE);
        EXPECT_EQ(Ask(object, &IAccessible::get_accDescription),
                  row.flags ? L"Panes one above the other" : L"Panes side by side");
        LONG count = -1;
        EXPECT_EQ(object->get_accChildCount(&count), S_OK);
        std::vector<HWND> expected, seen, ends;
        for (int pane : row.children)
            expected.push_back(panes[pane]);
        for (LONG i = 1; i <= count + 1; ++i) {
            VARIANT id = Self();
            id.lVal = i;
            IDispatch *child = NULL;
            const HRESULT hr = object->get_accChild(id, &child);
            if (i <= count)
                seen.push_back(WindowOf(hr, child));
            else
                EXPECT_TRUE(FAILED(hr) && !child);
        }
        EXPECT_EQ(seen, expected);
        for (LONG direction : {NAVDIR_FIRSTCHILD, NAVDIR_LASTCHILD}) {
            VARIANT end;
            end.vt = VT_EMPTY;
            const HRESULT hr = object->accNavigate(direction, Self(), &end);
            if (end.vt == VT_DISPATCH)
                ends.push_back(WindowOf(hr, end.pdispVal));
        }
        if (!expected.empty())
            expected = {expected.front(), expected.back()};
        EXPECT_EQ(ends, expected);
        DestroyWindow(splitter);  // the object outlives it and fails cleanly
        EXPECT_TRUE(FAILED(object->get_accChildCount(&count)) &&
                    FAILED(object->accNavigate(NAVDIR_FIRSTCHILD, Self(), NULL)) &&
                    Ask(object, &IAccessible::get_accDescription) == L"<none>");
        EXPECT_EQ(object->Release(), 0u);
        DestroyWindow(panes[1]);
        DestroyWindow(panes[2]);
    }
}

TEST_F(AccessPanesTest, HexEditorReadsCaretAndSelectionWhileItLives)
{
    const char *hello = "Hello, world";
    const struct {
        const char *data;
        DWORD caret, selFirst, selLast, base;
        int digits;
        bool focus;
        const wchar_t *value, *description;  // "<none>": the standard object's (no selection)
    } rows[] = {
        {hello, 0, kNoSel, kNoSel, 0, 4, true, L"0x0000: 48 'H'", L"<none>"},
        {hello, 5, kNoSel, kNoSel, 0xFFFF0, 6, false, L"0x0FFFF5: 2C ','", L"<none>"},
        {hello, 30, kNoSel, kNoSel, 0, 2, false, L"0x0C: end of data", L"<none>"},
        {"A\tB\x7f", 1, kNoSel, kNoSel, 0, 4, false, L"0x0001: 09", L"<none>"},
        {"...", 2, kNoSel, kNoSel, 0, 4, false, L"0x0002: 2E '.'", L"<none>"},
        {"", 0, kNoSel, kNoSel, 0x20, 4, false, L"0x0020: no data", L"<none>"},
        {hello, 0, 2, 5, 0x10, 4, true, L"0x0010: 48 'H'", L"4 bytes selected from 0x0012 to 0x0015"},
        {hello, 7, 7, 7, 0, 4, false, L"0x0007: 77 'w'", L"1 byte selected at 0x0007"},
        {hello, 0, 10, 40, 0, 4, false, L"0x0000: 48 'H'", L"2 bytes selected from 0x000A to 0x000B"},
        {hello, 0, 12, 12, 0, 4, false, L"0x0000: 48 'H'", L"<none>"},  // the append position only
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        HWND hex = HexEditor(row.data, row.caret, row.selFirst, row.selLast);
        SendMessage(hex, HXM_SETBASEADDRESS, 0, row.base);
        SendMessage(hex, HXM_SETADDRESSDIGITS, 0, row.digits);
        FocusForInput(row.focus ? hex : host_.hwnd());
        IAccessible *object = ClientObject(hex);
        ASSERT_TRUE(object);
        EXPECT_EQ(Answer(object, &IAccessible::get_accRole), ROLE_SYSTEM_TEXT);
        EXPECT_EQ(Ask(object, &IAccessible::get_accValue), row.value);
        EXPECT_EQ(Ask(object, &IAccessible::get_accDescription), row.description);
        const DWORD bits = STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED;
        EXPECT_EQ(Answer(object, &IAccessible::get_accState) & bits,
                  static_cast<DWORD>(STATE_SYSTEM_FOCUSABLE | (row.focus ? STATE_SYSTEM_FOCUSED : 0)));
        DestroyWindow(hex);
        EXPECT_EQ(Ask(object, &IAccessible::get_accValue) + Ask(object, &IAccessible::get_accDescription),
                  L"<none><none>");
        EXPECT_EQ(object->Release(), 0u);
    }
}

TEST_F(AccessPanesTest, HookSeesCaretSelectionAndLayoutChangesOnlyWhenTheyHappen)
{
    enum Action { kMessage, kKey, kShiftKey, kCtrlKey };
    const struct {
        bool splitter;
        DWORD setup;  // hex editor: the caret; splitter: its flags
        Action action;
        UINT what;  // the message or the key
        WPARAM wParam;
        LPARAM lParam;
        int values, selections, descriptions, reorders;
    } rows[] = {
        {false, 0, kMessage, HXM_SETCARETPOS, 0, 5, 1, 0, 0, 0},
        {false, 5, kMessage, HXM_SETCARETPOS, 0, 5, 0, 0, 0, 0},
        {false, 0, kMessage, HXM_SETSEL, 1, 3, 0, 1, 0, 0},
        {false, 0, kMessage, HXM_SETBASEADDRESS, 0, 0x100, 1, 0, 0, 0},
        {false, 0, kMessage, HXM_SETBYTESPERLINE, 0, 4, 0, 0, 0, 0},
        {false, 0, kKey, VK_DOWN, 0, 0, 1, 0, 0, 0},
        {false, 0, kKey, VK_RIGHT, 0, 0, 0, 0, 0, 0},  // to the low digit of the same byte
        {false, 0, kShiftKey, VK_DOWN, 0, 0, 1, 1, 0, 0},
        {false, 3, kCtrlKey, 'A', 0, 0, 1, 1, 0, 0},  // select all: a command the key sends
        {false, 0, kKey, '4', 0, 0, 1, 0, 0, 0},      // inserts 0x40 under the caret
        {true, 0, kMessage, SPM_SETFLAGS, SPF_HORIZONTAL, SPF_HORIZONTAL, 0, 0, 1, 0},
        {true, SPF_HORIZONTAL, kMessage, SPM_SETFLAGS, SPF_HORIZONTAL, SPF_HORIZONTAL, 0, 0, 0, 0},
        {true, 0, kMessage, SPM_SETPANE2, 0, 0, 0, 0, 0, 1},  // the second pane removed
    };
    WinEventLog log(EVENT_OBJECT_REORDER, EVENT_OBJECT_TEXTSELECTIONCHANGED);
    ASSERT_TRUE(log.installed());
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "message or key " << row.what << " setup " << row.setup);
        HWND panes[2] = {Make("STATIC", 11), Make("STATIC", 12)};
        HWND hwnd = row.splitter ? Splitter(row.setup, panes[0], panes[1])
                                 : HexEditor("Hello, world! Sixteen bytes more.", row.setup);
        FocusForInput(hwnd);
        log.events.clear();
        if (row.action == kMessage)
            SendMessage(hwnd, row.what, row.wParam, row.lParam);
        else if (row.action == kKey)
            Tap(static_cast<WORD>(row.what));
        else
            Tap(static_cast<WORD>(row.what), {static_cast<WORD>(row.action == kShiftKey ? VK_SHIFT : VK_CONTROL)});
        Settle();
        EXPECT_EQ(log.Count(EVENT_OBJECT_VALUECHANGE, hwnd), row.values);
        EXPECT_EQ(log.Count(EVENT_OBJECT_TEXTSELECTIONCHANGED, hwnd), row.selections);
        EXPECT_EQ(log.Count(EVENT_OBJECT_DESCRIPTIONCHANGE, hwnd), row.descriptions);
        EXPECT_EQ(log.Count(EVENT_OBJECT_REORDER, hwnd), row.reorders);
        EXPECT_EQ(log.Count(EVENT_OBJECT_STATECHANGE, hwnd), 0);
        DestroyWindow(hwnd);
        DestroyWindow(panes[0]);
        DestroyWindow(panes[1]);
    }
}

}  // namespace
