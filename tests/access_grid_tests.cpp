// Accessibility of the grid and of the list view's in-place editors, from a
// screen reader's side: the grid's table object and its current cell, the
// editor's name, and the complete event sequence an out-of-context hook receives
// for cell-cursor moves and for opening and closing an editor with real keys.
#include <gtest/gtest.h>

#include "accessfixture.h"
#include "input.h"

#include <oleacc.h>

#include <string>
#include <vector>

using namespace orvtest;

namespace {

typedef std::vector<WinEventRecord> Events;

WinEventRecord Event(DWORD event, HWND hwnd, LONG object = OBJID_CLIENT, LONG child = CHILDID_SELF)
{
    return {event, hwnd, object, child};
}

class AccessGridTest : public AccessFixture {
public:
    AccessGridTest() : AccessFixture(ORVCC_GRIDCONTROL_CLASS, 360, 220) {}
    void TearDown() override
    {
        Settle();
        AccessFixture::TearDown();
    }
    // A grid, or a host's list view with the editing option, holding columns
    // "Name", "Price" and "" and four rows of "r<row>c<column>", cell (3, 1) empty.
    HWND Make(bool grid, DWORD flags = 0)
    {
        HWND made = CreateWindowInFlavour(grid ? "ORV_GridControlClass" : "SysListView32",
                                          WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 150, host_.hwnd(), 7);
        grid_ = grid ? made : NULL;
        list_ = grid ? GetDlgItem(made, 100) : made;
        const char *titles[3] = {"Name", "Price", ""};
        for (int c = 0; c < 3; ++c) {
            LVCOLUMNA column = {};
            column.mask = LVCF_WIDTH | LVCF_TEXT;
            column.cx = 90;
            column.pszText = const_cast<char *>(titles[c]);
            SendMessageA(made, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
        }
        for (int r = 0; r < 4; ++r) {
            LVITEMA item = {};
            item.iItem = r;
            SendMessageA(made, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            for (int c = 0; c < 3; ++c)
                SetText(made, r, c, r == 3 && c == 1 ? "" : ("r" + std::to_string(r) + "c" + std::to_string(c)).c_str());
        }
        LVEDITOPTION option = {LVSO_EDITSUBITEMS, flags, WM_APP};
        EXPECT_TRUE(grid || ListViewSetSpecialOption(made, &option));
        return made;
    }
    static void SetText(HWND target, int row, int column, const char *text)
    {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = const_cast<char *>(text);
        SendMessageA(target, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
    void SetCell(int row, int column)
    {
        LVITEMA item = {};
        item.iSubItem = column;
        item.state = item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(grid_, GCM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    // The hook's creation, destruction, showing, hiding, focus and value events
    // of the grid, its list view and the editor, in order.
    Events Seen(WinEventLog &log, HWND editor = NULL)
    {
        Settle();
        Events seen;
        for (const WinEventRecord &e : log.events)
            if ((e.hwnd == grid_ || e.hwnd == list_ || (editor && e.hwnd == editor)) &&
                (e.event <= EVENT_OBJECT_HIDE || e.event == EVENT_OBJECT_FOCUS || e.event == EVENT_OBJECT_VALUECHANGE))
                seen.push_back(e);
        log.events.clear();
        return seen;
    }

    HWND grid_ = NULL, list_ = NULL;
};

TEST_F(AccessGridTest, GridIsATableReadingTheCellUnderTheCursor)
{
    const std::string longText(300, 'x');
    const struct {
        int row, column;   // -1: no cell set
        const char *text;  // written into the cell first, when not NULL
        std::wstring value;
    } rows[] = {
        {-1, -1, NULL, L"<none>"},
        {0, 0, NULL, L"Row 1, Name: r0c0"},
        {2, 1, NULL, L"Row 3, Price: r2c1"},
        {1, 2, NULL, L"Row 2, Column 3: r1c2"},
        {3, 1, NULL, L"Row 4, Price"},
        {1, 7, NULL, L"<none>"},  // a cursor column the grid does not have
        {0, 1, longText.c_str(), L"Row 1, Price: " + std::wstring(255 - 14, L'x')},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "cell " << row.row << "," << row.column);
        Make(true);
        SetWindowTextA(grid_, "Prices");
        if (row.text)
            SetText(grid_, row.row, row.column, row.text);
        if (row.row >= 0)
            SetCell(row.row, row.column);
        IAccessible *object = ClientObject(grid_);
        ASSERT_TRUE(object);
        VARIANT role;
        ASSERT_EQ(object->get_accRole(Self(), &role), S_OK);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_TABLE);
        EXPECT_EQ(Ask(object, &IAccessible::get_accName), L"Prices");
        EXPECT_EQ(Ask(object, &IAccessible::get_accValue), row.value);
        object->Release();
        // The list view answers nothing itself: clients get the system's object.
        EXPECT_EQ(SendMessageW(list_, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0);
        DestroyWindow(grid_);
    }
}

TEST_F(AccessGridTest, EditorIsNamedAfterItsColumn)
{
    const struct {
        bool grid;
        DWORD flags;  // editing option of the host's list view
        int column;
        LONG role;
        const wchar_t *name, *value;  // value NULL: not checked
    } rows[] = {
        {true, 0, 1, ROLE_SYSTEM_TEXT, L"Price", L"r2c1"},
        {true, 0, 2, ROLE_SYSTEM_TEXT, L"Column 3", L"r2c2"},
        {false, 0, 1, ROLE_SYSTEM_TEXT, L"Price", L"r2c1"},
        {false, LVEOF_COMBOBOX, 2, ROLE_SYSTEM_COMBOBOX, L"Column 3", NULL},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "grid " << row.grid << " column " << row.column);
        HWND target = Make(row.grid, row.flags);
        HWND editor = reinterpret_cast<HWND>(SendMessageA(target, LVXM_EDITSUBITEM, 2, row.column));
        IAccessible *object = ClientObject(editor);
        ASSERT_TRUE(object);
        VARIANT role;
        ASSERT_EQ(object->get_accRole(Self(), &role), S_OK);
        EXPECT_EQ(role.lVal, row.role);
        EXPECT_EQ(Ask(object, &IAccessible::get_accName), row.name);
        if (row.value) {
            EXPECT_EQ(Ask(object, &IAccessible::get_accValue), row.value);
        }
        SendMessageA(target, LVXM_EDITSUBITEM, static_cast<WPARAM>(-1), 0);
        EXPECT_EQ(Ask(object, &IAccessible::get_accName), L"<none>");  // the editor is gone
        object->Release();
        DestroyWindow(target);
    }
}

TEST_F(AccessGridTest, HookFollowsTheCellCursor)
{
    Make(true);
    SetCell(1, 1);
    FocusForInput(list_);
    WinEventLog log(EVENT_OBJECT_CREATE, EVENT_OBJECT_VALUECHANGE);
    ASSERT_TRUE(log.installed());
    const WinEventRecord value = Event(EVENT_OBJECT_VALUECHANGE, grid_);
    auto item = [this](int row) { return Event(EVENT_OBJECT_FOCUS, list_, OBJID_CLIENT, row + 1); };
    const struct {
        const char *step;
        WORD key;  // 0: the message moves the cursor to (row, column)
        int row, column;
        Events seen;
    } rows[] = {
        {"right", VK_RIGHT, 0, 0, {value}},
        {"right at the last column", VK_RIGHT, 0, 0, {}},
        {"down", VK_DOWN, 0, 0, {item(2), value}},
        {"home", VK_HOME, 0, 0, {value}},
        {"left at the first column", VK_LEFT, 0, 0, {}},
        {"up", VK_UP, 0, 0, {item(1), value}},
        {"message", 0, 3, 1, {item(3), value}},
        {"the same cell again", 0, 3, 1, {}},
        {"same row, other column", 0, 3, 2, {value}},
    };
    Seen(log);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.step);
        if (row.key)
            Tap(row.key);
        else
            SetCell(row.row, row.column);
        EXPECT_EQ(Seen(log), row.seen);
    }
    // Moved while another window has the focus: the value only.
    SetFocus(host_.hwnd());
    Seen(log);
    SetCell(0, 0);
    EXPECT_EQ(Seen(log), Events{value});
}

TEST_F(AccessGridTest, HookSeesEditorsOpenAndCloseInOrder)
{
    const struct {
        bool grid;  // opened by Enter in the grid, by the message in the list view
        WORD close;
    } rows[] = {{true, VK_ESCAPE}, {true, VK_RETURN}, {false, VK_ESCAPE}};
    WinEventLog log(EVENT_OBJECT_CREATE, EVENT_OBJECT_VALUECHANGE);
    ASSERT_TRUE(log.installed());
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "grid " << row.grid << " key " << row.close);
        HWND target = Make(row.grid);
        if (row.grid)
            SetCell(2, 1);
        FocusForInput(list_);
        Seen(log);
        if (row.grid)
            Tap(VK_RETURN);
        else
            SendMessageA(target, LVXM_EDITSUBITEM, 2, 1);
        HWND editor = GetDlgItem(list_, LVX_EDITORID);
        ASSERT_TRUE(editor);
        EXPECT_EQ(Seen(log, editor), (Events{Event(EVENT_OBJECT_CREATE, editor, OBJID_WINDOW),
                                             Event(EVENT_OBJECT_SHOW, editor, OBJID_WINDOW),
                                             Event(EVENT_OBJECT_FOCUS, editor)}));
        Tap(row.close);
        EXPECT_EQ(Seen(log, editor), (Events{Event(EVENT_OBJECT_HIDE, editor, OBJID_WINDOW),
                                             Event(EVENT_OBJECT_DESTROY, editor, OBJID_WINDOW),
                                             Event(EVENT_OBJECT_FOCUS, list_),
                                             Event(EVENT_OBJECT_FOCUS, list_, OBJID_CLIENT, 3)}));
        DestroyWindow(target);
    }
}

}  // namespace
