// Accessibility of the splitter and the hex editor from a client's side: the
// splitter's panes as its children and its layout as the description; the hex
// editor's caret reading, selection and state; the events an out-of-context
// hook sees; objects outliving their control.
#include <gtest/gtest.h>

#include "access.h"
#include "accessclient.h"
#include "input.h"
#include "testing.h"

#include <oleacc.h>

#include <string>
#include <vector>

using namespace orvtest;

namespace {

class AccessPanesTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
        ASSERT_TRUE(InitORVCC(ORVCC_SPLITTER_CLASS | ORVCC_HEXEDITOR_CLASS));
        live_ = AccessLiveObjects();
    }
    void TearDown() override
    {
        PumpMessages();
        EXPECT_EQ(AccessLiveObjects(), live_) << "objects not freed";
        CoUninitialize();
    }
    HWND Splitter(DWORD flags)
    {
        HWND hwnd = CreateWindowInFlavour("ORV_SplitterClass", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                                          host_.hwnd(), 1);
        SendMessage(hwnd, SPM_SETFLAGS, SPF_HORIZONTAL, flags);
        return hwnd;
    }
    HWND Pane(int id)
    {
        return CreateWindowInFlavour("STATIC", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host_.hwnd(), id);
    }
    HWND HexEditor(const char *data, DWORD caret)
    {
        HWND hwnd = CreateWindowInFlavour("ORV_HexEditorClass", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                                          host_.hwnd(), 2);
        SendMessage(hwnd, HXM_SETDATA, lstrlenA(data), reinterpret_cast<LPARAM>(data));
        SendMessage(hwnd, HXM_SETCARETPOS, 0, caret);
        return hwnd;
    }
    HostWindow host_;
    LONG live_ = 0;
};

LONG Role(IAccessible *object)
{
    VARIANT role;
    role.vt = VT_EMPTY;
    return SUCCEEDED(object->get_accRole(Self(), &role)) && role.vt == VT_I4 ? role.lVal : -1;
}

DWORD State(IAccessible *object)
{
    VARIANT state;
    state.vt = VT_EMPTY;
    return SUCCEEDED(object->get_accState(Self(), &state)) && state.vt == VT_I4 ? state.lVal : 0;
}

// The window behind a child's object (NULL when there is none).
HWND WindowOf(IDispatch *child)
{
    HWND hwnd = NULL;
    IAccessible *object = NULL;
    if (child && SUCCEEDED(child->QueryInterface(IID_IAccessible, reinterpret_cast<void **>(&object)))) {
        WindowFromAccessibleObject(object, &hwnd);
        object->Release();
    }
    if (child)
        child->Release();
    return hwnd;
}

HWND Navigate(IAccessible *object, LONG direction)
{
    VARIANT end;
    end.vt = VT_EMPTY;
    if (object->accNavigate(direction, Self(), &end) != S_OK || end.vt != VT_DISPATCH)
        return NULL;
    return WindowOf(end.pdispVal);
}

TEST_F(AccessPanesTest, SplitterTellsLayoutAndPanes)
{
    enum Panes { kBoth, kBothReparented, kFirstDestroyed, kSecondDestroyed, kSameTwice, kNone };
    const struct {
        DWORD flags;
        Panes panes;
        const wchar_t *description;
        int children;  // 1: the first pane, 2: the second, 0: none
        int first, last;
    } rows[] = {
        {0, kBoth, L"Panes side by side", 2, 1, 2},
        {SPF_HORIZONTAL, kBothReparented, L"Panes one above the other", 2, 1, 2},
        {0, kFirstDestroyed, L"Panes side by side", 1, 2, 2},
        {SPF_HORIZONTAL, kSecondDestroyed, L"Panes one above the other", 1, 1, 1},
        {0, kSameTwice, L"Panes side by side", 1, 1, 1},
        {0, kNone, L"Panes side by side", 0, 0, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "panes " << row.panes << " flags " << row.flags);
        HWND splitter = Splitter(row.flags);
        HWND panes[3] = {NULL, Pane(11), Pane(12)};
        if (row.panes != kNone) {
            const WPARAM reparent = row.panes == kBothReparented;
            SendMessage(splitter, SPM_SETPANE1, reparent, reinterpret_cast<LPARAM>(panes[1]));
            SendMessage(splitter, SPM_SETPANE2, reparent,
                        reinterpret_cast<LPARAM>(panes[row.panes == kSameTwice ? 1 : 2]));
        }
        if (row.panes == kFirstDestroyed || row.panes == kSecondDestroyed)
            DestroyWindow(panes[row.panes == kFirstDestroyed ? 1 : 2]);
        IAccessible *object = ClientObject(splitter);
        ASSERT_TRUE(object);
        EXPECT_EQ(Role(object), ROLE_SYSTEM_PANE);
        EXPECT_EQ(Ask(object, &IAccessible::get_accDescription), row.description);
        LONG count = -1;
        EXPECT_EQ(object->get_accChildCount(&count), S_OK);
        EXPECT_EQ(count, row.children);
        std::vector<HWND> seen, expected;
        for (LONG i = 1; i <= 3; ++i) {
            VARIANT id = Self();
            id.lVal = i;
            IDispatch *child = NULL;
            const HRESULT hr = object->get_accChild(id, &child);
            EXPECT_EQ(SUCCEEDED(hr), i <= count) << "child " << i;
            if (SUCCEEDED(hr))
                seen.push_back(WindowOf(child));
        }
        if (row.children == 2)
            expected = {panes[1], panes[2]};
        else if (row.children == 1)
            expected = {panes[row.first]};
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(Navigate(object, NAVDIR_FIRSTCHILD), panes[row.first]);
        EXPECT_EQ(Navigate(object, NAVDIR_LASTCHILD), panes[row.last]);
        object->Release();
        DestroyWindow(splitter);
        DestroyWindow(panes[1]);
        DestroyWindow(panes[2]);
    }
}

TEST_F(AccessPanesTest, HexEditorReadsCaretAndSelection)
{
    const DWORD none = 0xFFFFFFFFu;
    const struct {
        const char *data;
        DWORD caret, selFirst, selLast, base;
        int digits;
        const wchar_t *value, *description;  // description "<none>": no selection
    } rows[] = {
        {"Hello, world", 0, none, none, 0, 4, L"0x0000: 48 'H'", L"<none>"},
        {"Hello, world", 4, none, none, 0x1000, 4, L"0x1004: 6F 'o'", L"<none>"},
        {"Hello, world", 5, none, none, 0xFFFF0, 6, L"0x0FFFF5: 2C ','", L"<none>"},
        {"Hello, world", 12, none, none, 0, 4, L"0x000C: end of data", L"<none>"},
        {"Hello, world", 30, none, none, 0, 2, L"0x0C: end of data", L"<none>"},
        {"A\tB\x7f", 1, none, none, 0, 4, L"0x0001: 09", L"<none>"},
        {"A\tB\x7f", 3, none, none, 0, 4, L"0x0003: 7F", L"<none>"},
        {"...", 2, none, none, 0, 4, L"0x0002: 2E '.'", L"<none>"},
        {"", 0, none, none, 0x20, 4, L"0x0020: no data", L"<none>"},
        {"Hello, world", 0, 2, 5, 0x10, 4, L"0x0010: 48 'H'", L"4 bytes selected from 0x0012 to 0x0015"},
        {"Hello, world", 7, 7, 7, 0, 4, L"0x0007: 77 'w'", L"1 byte selected at 0x0007"},
        {"Hello, world", 0, 10, 40, 0, 4, L"0x0000: 48 'H'", L"2 bytes selected from 0x000A to 0x000B"},
        {"Hello, world", 0, 12, 12, 0, 4, L"0x0000: 48 'H'", L"<none>"},  // only the append position
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        HWND hex = HexEditor(row.data, row.caret);
        SendMessage(hex, HXM_SETBASEADDRESS, 0, row.base);
        SendMessage(hex, HXM_SETADDRESSDIGITS, 0, row.digits);
        SendMessage(hex, HXM_SETSEL, row.selFirst, row.selLast);
        IAccessible *object = ClientObject(hex);
        ASSERT_TRUE(object);
        EXPECT_EQ(Role(object), ROLE_SYSTEM_TEXT);
        EXPECT_EQ(Ask(object, &IAccessible::get_accValue), row.value);
        EXPECT_EQ(Ask(object, &IAccessible::get_accDescription), row.description);
        EXPECT_EQ(State(object) & (STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE), STATE_SYSTEM_FOCUSABLE);
        object->Release();
        DestroyWindow(hex);
    }
}

TEST_F(AccessPanesTest, HexEditorIsFocusedWithTheFocus)
{
    HWND hex = HexEditor("ab", 0);
    IAccessible *object = ClientObject(hex);
    ASSERT_TRUE(object);
    for (bool focused : {true, false, true}) {
        FocusForInput(focused ? hex : host_.hwnd());
        EXPECT_EQ((State(object) & STATE_SYSTEM_FOCUSED) != 0, focused);
    }
    object->Release();
    DestroyWindow(hex);
}

// Hook rows: a control set up, one action, and how many of each event follow.
TEST_F(AccessPanesTest, HookSeesCaretSelectionAndLayoutChangesOnlyWhenTheyHappen)
{
    enum Action { kMessage, kKey, kShiftKey, kCtrlKey };
    const struct {
        bool splitter;
        DWORD caret;  // hex editor: caret before; splitter: its flags
        Action action;
        UINT message;  // the message, or the key
        WPARAM wParam;
        LPARAM lParam;
        int values, selections, descriptions, reorders;
    } rows[] = {
        {false, 0, kMessage, HXM_SETCARETPOS, 0, 5, 1, 0, 0, 0},
        {false, 5, kMessage, HXM_SETCARETPOS, 0, 5, 0, 0, 0, 0},
        {false, 0, kMessage, HXM_SETSEL, 1, 3, 0, 1, 0, 0},
        {false, 0, kMessage, HXM_SETBASEADDRESS, 0, 0x100, 1, 0, 0, 0},
        {false, 0, kMessage, HXM_SETMODE, 0, HXMODE_CHAR, 0, 0, 0, 0},
        {false, 0, kMessage, HXM_SETBYTESPERLINE, 0, 4, 0, 0, 0, 0},
        {false, 0, kKey, VK_DOWN, 0, 0, 1, 0, 0, 0},
        {false, 0, kKey, VK_RIGHT, 0, 0, 0, 0, 0, 0},  // to the low digit of the same byte
        {false, 0, kKey, VK_HOME, 0, 0, 0, 0, 0, 0},
        {false, 0, kShiftKey, VK_DOWN, 0, 0, 1, 1, 0, 0},
        {false, 3, kCtrlKey, 'A', 0, 0, 1, 1, 0, 0},  // select all: a command sent from the key
        {false, 0, kKey, '4', 0, 0, 1, 0, 0, 0},      // inserts 0x40 under the caret
        {true, 0, kMessage, SPM_SETFLAGS, SPF_HORIZONTAL, SPF_HORIZONTAL, 0, 0, 1, 0},
        {true, SPF_HORIZONTAL, kMessage, SPM_SETFLAGS, SPF_HORIZONTAL, SPF_HORIZONTAL, 0, 0, 0, 0},
        {true, 0, kMessage, SPM_SETFLAGS, SPF_LOCKED, SPF_LOCKED, 0, 0, 0, 0},
        {true, 0, kMessage, SPM_SETPANE2, 0, 0, 0, 0, 0, 1},  // the second pane removed
    };
    WinEventLog log(EVENT_OBJECT_REORDER, EVENT_OBJECT_TEXTSELECTIONCHANGED);
    ASSERT_TRUE(log.installed());
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "message " << row.message << " caret " << row.caret);
        HWND panes[2] = {Pane(11), Pane(12)};
        HWND hwnd;
        if (row.splitter) {
            hwnd = Splitter(row.caret);
            SendMessage(hwnd, SPM_SETPANE1, TRUE, reinterpret_cast<LPARAM>(panes[0]));
            SendMessage(hwnd, SPM_SETPANE2, TRUE, reinterpret_cast<LPARAM>(panes[1]));
        } else {
            hwnd = HexEditor("Hello, world! Sixteen bytes more.", row.caret);
            FocusForInput(hwnd);
        }
        PumpMessages();
        log.events.clear();
        if (row.action == kMessage)
            SendMessage(hwnd, row.message, row.wParam, row.lParam);
        else if (row.action == kKey)
            Tap(static_cast<WORD>(row.message));
        else
            Tap(static_cast<WORD>(row.message), {static_cast<WORD>(row.action == kShiftKey ? VK_SHIFT : VK_CONTROL)});
        Settle();
        PumpMessages();
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

TEST_F(AccessPanesTest, ObjectsOutlivingTheirControlFailCleanly)
{
    for (bool splitter : {true, false}) {
        SCOPED_TRACE(splitter ? "splitter" : "hex editor");
        HWND pane = Pane(11);
        HWND hwnd = splitter ? Splitter(0) : HexEditor("abc", 1);
        if (splitter)
            SendMessage(hwnd, SPM_SETPANE1, TRUE, reinterpret_cast<LPARAM>(pane));
        IAccessible *object = ClientObject(hwnd);
        ASSERT_TRUE(object);
        DestroyWindow(hwnd);
        VARIANT role, end, first = Self();
        first.lVal = 1;
        LONG count = 0;
        IDispatch *child = NULL;
        EXPECT_TRUE(FAILED(object->get_accRole(Self(), &role)) && FAILED(object->get_accChildCount(&count)) &&
                    FAILED(object->get_accChild(first, &child)) &&
                    FAILED(object->accNavigate(NAVDIR_FIRSTCHILD, Self(), &end)));
        EXPECT_EQ(Ask(object, &IAccessible::get_accValue) + Ask(object, &IAccessible::get_accDescription),
                  L"<none><none>");
        EXPECT_EQ(child, nullptr);
        EXPECT_EQ(object->Release(), 0u);
        DestroyWindow(pane);
    }
}

}  // namespace
