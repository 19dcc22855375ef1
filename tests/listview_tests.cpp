// List view extensions: ListViewSetSpecialOption on a host's own list view, the sort
// indicator in both modes, and in-place cell editing driven by real input.
#include <windows.h>
#include <commctrl.h>

#include "orvcc32.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "input.h"
#include "testing.h"

using namespace orvtest;

namespace {

const UINT kSortMsg = WM_APP + 1;
const UINT kEditMsg = WM_APP + 2;
const int kListId = 42;
const UINT kGridGetState = WM_USER + 103;  // sent to a parent of the grid's class
const UINT kGridSetState = WM_USER + 104;

std::string Narrow(const void *text, bool wide)
{
    if (!text)
        return "(null)";
    if (!wide)
        return static_cast<const char *>(text);
    char buffer[4096] = {};
    WideCharToMultiByte(CP_ACP, 0, static_cast<const WCHAR *>(text), -1, buffer, sizeof buffer - 1,
                        NULL, NULL);
    return buffer;
}

// The list view's parent answers as the test says, and logs what the extensions
// tell it into the test's recorder (the cell and text decoded into the detail).
struct Answers {
    LRESULT formatReply = 0;   // WM_NOTIFYFORMAT; 0: the default answer
    LRESULT queryReply = 0;    // editor query
    LRESULT beginReply = 0;    // LVN_BEGINLABELEDIT and combo-box begin
    LRESULT endReply = TRUE;   // LVN_ENDLABELEDIT and combo-box end
    std::function<void(const LVEDITNOTIFYA *)> onBegin, onEnd;
};
Answers *answers;
MsgRecorder *recorder;

bool IsCode(UINT code, int a, int w)
{
    return code == static_cast<UINT>(a) || code == static_cast<UINT>(w);
}
bool IsWideEditCode(UINT code)
{
    return IsCode(code, LVN_BEGINLABELEDITW, LVN_ENDLABELEDITW);
}

std::string Cell(const char *what, const LVEDITNOTIFYA *n, bool withText)
{
    std::string s = std::string(what) + "(" + std::to_string(n->item.iItem) + "," +
                    std::to_string(n->item.iSubItem);
    if (withText)
        s += "," + Narrow(n->item.pszText, IsWideEditCode(n->hdr.code));
    return s + ")";
}

LRESULT Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Answers &a = *answers;
    if (message == kSortMsg) {
        auto *n = reinterpret_cast<const LVSORTNOTIFY *>(lParam);
        recorder->Record(hwnd, message, wParam, lParam, kParent).detail =
            "sort(" + std::to_string(n->iColumn) + "," + std::to_string(n->fDescending) + ")";
        return 0;
    }
    auto *n = reinterpret_cast<const LVEDITNOTIFYA *>(lParam);
    const UINT code = n->hdr.code;
    const bool query = message == kEditMsg && (code == NFR_ANSI || code == NFR_UNICODE);
    const bool begin = IsCode(code, LVN_BEGINLABELEDITA, LVN_BEGINLABELEDITW);
    if (query || begin || IsCode(code, LVN_ENDLABELEDITA, LVN_ENDLABELEDITW)) {
        RecordedMsg &r = recorder->Record(hwnd, message, wParam, lParam, kParent);
        r.code = code;  // also for uEditMsg, whose lParam starts with a header too
        r.detail = Cell(query ? "query" : begin ? "begin" : "end", n, !query);
        if (query)
            return a.queryReply;
        const auto &hook = begin ? a.onBegin : a.onEnd;
        if (hook)
            hook(n);
        return begin ? a.beginReply : a.endReply;
    }
    if (message == WM_NOTIFY && code == static_cast<UINT>(LVN_COLUMNCLICK))
        recorder->Record(hwnd, message, wParam, lParam, kParent);
    return 0;
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (recorder && (message == kGridGetState || message == kGridSetState || message == WM_KEYDOWN)) {
        recorder->Record(hwnd, message, wParam, lParam, kParent);
        return message == WM_KEYDOWN;  // the grid takes every key
    }
    if (recorder && (message == kSortMsg || message == kEditMsg || message == WM_NOTIFY))
        return Answer(hwnd, message, wParam, lParam);
    if (recorder && message == WM_NOTIFYFORMAT && lParam == NF_QUERY && answers->formatReply)
        return answers->formatReply;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// What the parent is told, as rows of an expected sequence.
const unsigned kTold = kParent | kSent | kDetail;
ExpectedMsg Sort(int column, int descending)
{
    return {kSortMsg, kTold, 0, 0, 0, "sort(" + std::to_string(column) + "," + std::to_string(descending) + ")"};
}
ExpectedMsg Note(const std::string &detail) { return {WM_NOTIFY, kTold, 0, 0, 0, detail}; }
ExpectedMsg EditMsg(const std::string &detail) { return {kEditMsg, kTold, 0, 0, 0, detail}; }
const ExpectedMsg kColumnClick = {WM_NOTIFY, kNotify, 0, 0, static_cast<UINT>(LVN_COLUMNCLICK)};
ExpectedMsg ToParent(UINT message, WPARAM wParam) { return {message, kParent | kSent | kWParam, wParam}; }
typedef std::vector<ExpectedMsg> Sequence;

WNDPROC headerPrevious;
LRESULT CALLBACK HeaderAnswering6(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CCM_GETVERSION)
        return 6;
    return CallWindowProcW(headerPrevious, hwnd, message, wParam, lParam);
}

// Makes a list view an ANSI window (IsWindowUnicode FALSE), as a host's ANSI
// subclass does; the extensions then serve it in the ANSI flavour.
LRESULT CALLBACK AnsiRelay(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}
void MakeAnsiWindow(HWND lv)
{
    SetWindowLongPtrA(lv, GWLP_USERDATA, GetWindowLongPtrA(lv, GWLP_WNDPROC));
    SetWindowLongPtrA(lv, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnsiRelay));
    ASSERT_FALSE(IsWindowUnicode(lv));
}

class ListViewExtTest : public ::testing::Test {
public:
    void SetUp() override
    {
        answers = &answers_;
        recorder = &log_;
        parent_ = CreateParentWindow(L"LvxTestParent", ParentProc, 500, 300);
        ASSERT_NE(parent_, nullptr);
        clock_ = GetTickCount() + 100000;
    }
    void TearDown() override
    {
        DestroyWindow(parent_);
        PumpMessages();
        recorder = nullptr;
        answers = nullptr;
    }
    // A report view with three columns of 100 pixels and rows "a0 b0 c0", ...
    HWND CreateList(DWORD style = LVS_EDITLABELS, int rows = 3, HWND parent = NULL)
    {
        HWND lv = CreateWindowInFlavour("SysListView32", WS_CHILD | WS_VISIBLE | LVS_REPORT | style,
                                        10, 10, 460, 200, parent ? parent : parent_, kListId);
        for (int c = 0; c < 3; ++c) {
            char name[] = {static_cast<char>('A' + c), 0};
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.fmt = c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
            column.cx = 100;
            column.pszText = name;
            SendMessageA(lv, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
        }
        for (int r = 0; r < rows; ++r) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = r;
            std::string text = "a" + std::to_string(r);
            item.pszText = &text[0];
            SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            for (int c = 1; c < 3; ++c)
                SetText(lv, r, c, std::string(1, static_cast<char>('a' + c)) + std::to_string(r));
        }
        PumpMessages();
        return lv;
    }
    static void SetText(HWND lv, int row, int column, std::string text)
    {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = &text[0];
        SendMessageA(lv, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
    static std::string Text(HWND lv, int row, int column)
    {
        char buffer[2048] = {};
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(lv, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    static BOOL AttachEdit(HWND lv, DWORD flags = 0)
    {
        LVEDITOPTION option = {LVSO_EDITSUBITEMS, flags, kEditMsg};
        return ListViewSetSpecialOption(lv, &option);
    }
    static BOOL AttachSort(HWND lv, int column, BOOL descending, DWORD flags = 0)
    {
        LVSORTOPTION option = {LVSO_SORTHEADER, flags, kSortMsg, column, descending, NULL};
        return ListViewSetSpecialOption(lv, &option);
    }
    static HWND Header(HWND lv) { return reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETHEADER, 0, 0)); }
    static HDITEMW HeaderItem(HWND lv, int column)
    {
        HDITEMW item = {};
        item.mask = HDI_FORMAT | HDI_BITMAP;
        SendMessageW(Header(lv), HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
        return item;
    }
    // Middle of a cell, in the list view's client coordinates.
    static POINT CellPoint(HWND lv, int row, int column)
    {
        RECT r = {};
        r.top = column;
        r.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;  // bounds of 0: the whole row
        SendMessageW(lv, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // A click later than a double-click would be.
    void ClickCell(HWND lv, int row, int column)
    {
        POINT p = CellPoint(lv, row, column);
        ClickAtTime(lv, p.x, p.y, clock_ += 5000);
    }
    void ClickHeader(HWND lv, int column)
    {
        RECT r = {};
        SendMessageW(Header(lv), HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
        ClickAtTime(Header(lv), (r.left + r.right) / 2, (r.top + r.bottom) / 2, clock_ += 5000);
    }
    // Focuses the row, then opens the editor on the cell with a second click.
    HWND ClickToEdit(HWND lv, int row, int column)
    {
        FocusForInput(lv);
        ClickCell(lv, row, column);
        ClickCell(lv, row, column);
        return GetFocus();
    }
    static HWND Editor(HWND lv) { return GetDlgItem(lv, LVX_EDITORID); }
    // 1 when every begin and end notification came with a W code, 0 when each
    // with an A code, -1 for none or a mixture.
    int EditCodesWide() const
    {
        int wide = 0, narrow = 0;
        for (const RecordedMsg &r : log_.log()) {
            wide += IsCode(r.code, LVN_BEGINLABELEDITW, LVN_ENDLABELEDITW);
            narrow += IsCode(r.code, LVN_BEGINLABELEDITA, LVN_ENDLABELEDITA);
        }
        return wide && !narrow ? 1 : narrow && !wide ? 0 : -1;
    }
    static bool HeaderFormatPossible() { return !IsAnsiFlavour() && OsVersionWord() >= 0x00050001; }

    Answers answers_;
    MsgRecorder log_;
    HWND parent_ = NULL;
    DWORD clock_ = 0;
};

TEST_F(ListViewExtTest, ArgumentChecks)
{
    HWND lv = CreateList();
    HWND button = CreateWindowInFlavour("Button", WS_CHILD, 0, 0, 10, 10, parent_, 1);
    HWND tree = CreateWindowInFlavour("SysTreeView32", WS_CHILD, 0, 0, 10, 10, parent_, 2);
    HWND gone = CreateWindowInFlavour("Button", WS_CHILD, 0, 0, 10, 10, parent_, 3);
    DestroyWindow(gone);
    LVEDITOPTION edit = {LVSO_EDITSUBITEMS, 0, kEditMsg};
    LVEDITOPTION zero = {0, 0, 0}, three = {3, 0, 0};
    const struct {
        HWND hwnd;
        const void *option;
        DWORD error;  // 0: success
    } cases[] = {
        {gone, &edit, ERROR_INVALID_HANDLE},   {NULL, &edit, ERROR_INVALID_HANDLE},
        {button, &edit, ERROR_INVALID_PARAMETER}, {tree, &edit, ERROR_INVALID_PARAMETER},
        {lv, NULL, ERROR_INVALID_PARAMETER},   {lv, &zero, ERROR_INVALID_PARAMETER},
        {lv, &three, ERROR_INVALID_PARAMETER}, {lv, &edit, 0},
    };
    for (const auto &c : cases) {
        SetLastError(0xDEAD);
        const BOOL ok = ListViewSetSpecialOption(c.hwnd, c.option);
        EXPECT_EQ(ok, c.error == 0) << c.error;
        if (c.error) {
            EXPECT_EQ(GetLastError(), c.error);
        }
        if (c.option != &edit && c.hwnd == lv) {
            EXPECT_EQ(GetPropA(lv, "LV_EditSIProp"), nullptr) << "nothing attached";
        }
    }
    EXPECT_NE(GetPropA(lv, "LV_EditSIProp"), nullptr);
}

TEST_F(ListViewExtTest, BitmapModeSettingCallsMoveTheArrowAndReport)
{
  for (bool ansi : {false, true}) {
    log_.Flush();
    HWND lv = CreateList();
    if (ansi)
        MakeAnsiWindow(lv);
    ASSERT_TRUE(AttachSort(lv, 1, 5));
    ASSERT_TRUE(AttachSort(lv, 2, FALSE));
    EXPECT_TRUE(log_.Check({Sort(1, 5), Sort(2, 0)}, ansi ? "setting calls (ANSI window)" : "setting calls"));
    EXPECT_EQ(HeaderItem(lv, 1).fmt & (HDF_BITMAP | HDF_BITMAP_ON_RIGHT), 0);
    const HDITEMW item = HeaderItem(lv, 2);
    EXPECT_EQ(item.fmt & (HDF_BITMAP | HDF_BITMAP_ON_RIGHT | HDF_SORTUP | HDF_SORTDOWN),
              HDF_BITMAP | HDF_BITMAP_ON_RIGHT);
    BITMAP arrow = {};
    ASSERT_TRUE(GetObjectW(item.hbm, sizeof arrow, &arrow));
    EXPECT_EQ(arrow.bmWidth, 14);
    EXPECT_NE(GetPropA(lv, "LV_SortProp"), nullptr);
    // Fresh arrows after a change of system colours.
    SendMessageW(lv, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_NE(HeaderItem(lv, 2).hbm, item.hbm);
    EXPECT_TRUE(GetObjectW(HeaderItem(lv, 2).hbm, sizeof arrow, &arrow));
    DestroyWindow(lv);
  }
}

// Header clicks through real input: direction rules by flags.
TEST_F(ListViewExtTest, HeaderClicksMoveAndToggle)
{
    const struct {
        DWORD flags;
        BOOL start;
        std::vector<int> clicks;
        Sequence expected;
    } cases[] = {
        {0, FALSE, {1, 1, 1}, {Sort(1, 1), Sort(1, 0), Sort(1, 1)}},
        {0, 5, {0}, {Sort(0, 0)}},  // 5 counts as descending, then toggles
        {LVSOF_KEEPDIRECTION, 5, {2}, {Sort(2, 1)}},  // and is kept as 1
        {0, TRUE, {2}, {Sort(2, 0)}},
        {LVSOF_DESCENDINGFIRST, FALSE, {2}, {Sort(2, 1)}},
        {LVSOF_KEEPDIRECTION, TRUE, {2, 1}, {Sort(2, 1), Sort(1, 1)}},
    };
    for (const auto &c : cases) {
        HWND lv = CreateList();
        ASSERT_TRUE(AttachSort(lv, c.start ? 0 : 1, c.start, c.flags));
        log_.Flush();
        for (int column : c.clicks)
            ClickHeader(lv, column);
        Sequence expected;
        for (const auto &e : c.expected) {
            expected.push_back(e);
            expected.push_back(kColumnClick);  // the list view's own, after ours
        }
        const std::string name = "flags " + std::to_string(c.flags);
        EXPECT_TRUE(log_.Check(expected, name));
        // A right click changes nothing.
        RECT r = {};
        SendMessageW(Header(lv), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        RightClick(Header(lv), r.left + 5, r.top + 5);
        EXPECT_TRUE(log_.Check({}, name + ", right click"));
        DestroyWindow(lv);
    }
}

TEST_F(ListViewExtTest, HeaderFormatModeWhenTheHeaderIsVersion6)
{
    if (!HeaderFormatPossible())
        GTEST_SKIP() << "needs NT 5.1 or later";
    HWND lv = CreateList(LVS_EDITLABELS, 0);
    headerPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        Header(lv), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HeaderAnswering6)));
    ASSERT_TRUE(AttachSort(lv, 1, TRUE));
    EXPECT_EQ(HeaderItem(lv, 1).fmt & (HDF_SORTUP | HDF_SORTDOWN | HDF_BITMAP), HDF_SORTDOWN);
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOLUMN, 0, 0), 1);
    ClickHeader(lv, 2);
    EXPECT_EQ(HeaderItem(lv, 1).fmt & (HDF_SORTUP | HDF_SORTDOWN), 0);
    EXPECT_EQ(HeaderItem(lv, 2).fmt & (HDF_SORTUP | HDF_SORTDOWN | HDF_BITMAP), HDF_SORTUP);
    EXPECT_EQ(SendMessageW(lv, LVM_GETSELECTEDCOLUMN, 0, 0), 2);
    EXPECT_TRUE(log_.Check({Sort(1, 1), Sort(2, 0), kColumnClick}, "header version 6"));
    // Held by comctl32's subclassing, not by a property.
    EXPECT_EQ(GetPropA(lv, "LV_SortProp"), nullptr);
    DestroyWindow(lv);
}

// Editing sequences. Editors opened by clicks (then "xy" typed, on a Unicode and on
// an ANSI window) or by message; editor choice, notification format, and a parent
// that refuses, or changes or destroys things from inside the notifications.
TEST_F(ListViewExtTest, EditSequences)
{
    typedef std::function<void(ListViewExtTest *, HWND)> Step;
    const std::string longText = std::string(100, 'x') + "end";  // grows the buffer 3 times
    const Step enter = [](ListViewExtTest *, HWND) { Tap(VK_RETURN); };
    const Sequence begun = {Note("begin(1,1,b1)")}, ended = {Note("begin(1,1,b1)"), Note("end(1,1,b1)")},
                   typed = {Note("begin(1,1,b1)"), Note("end(1,1,xy)")};
    const struct {
        const char *name;
        bool click;  // opened by clicks; else by message
        DWORD flags;
        std::function<void(Answers &, HWND)> setup;
        Step finish;  // null: no editor opens
        Sequence expected;
        const char *cell = nullptr;  // the cell's text afterwards, where checked
        int wide = -1;  // notification codes: 0 ANSI, 1 Unicode, -1 either
        int column = 1;
    } cases[] = {
        {"enter", true, 0, nullptr, enter, typed, "xy"},
        {"escape", true, 0, nullptr, [](ListViewExtTest *, HWND) { Tap(VK_ESCAPE); }, begun, "b1"},
        {"click elsewhere", true, 0, nullptr, [](ListViewExtTest *t, HWND lv) { t->ClickCell(lv, 2, 2); },
         typed, "xy"},
        {"query, header click, enter", true, LVEOF_QUERYEDITOR, nullptr,
         [](ListViewExtTest *t, HWND lv) { t->ClickHeader(lv, 2); Tap(VK_RETURN); },
         {EditMsg("query(1,1)"), Note("begin(1,1,b1)"), Sort(2, 0), kColumnClick, Note("end(1,1,xy)")}, "xy"},
        {"ansi parent", false, 0, [](Answers &r, HWND) { r.formatReply = NFR_ANSI; }, enter, ended, nullptr, 0},
        {"unicode parent", false, 0, [](Answers &r, HWND) { r.formatReply = NFR_UNICODE; }, enter, ended, nullptr, 1},
        {"long text", false, 0, [&](Answers &, HWND lv) { SetText(lv, 1, 1, longText); }, enter,
         {Note("begin(1,1," + longText + ")"), Note("end(1,1," + longText + ")")}},
        {"refused", false, 0, [](Answers &r, HWND) { r.beginReply = 1; }, nullptr, begun},
        {"closed by message", false, 0, nullptr,
         [](ListViewExtTest *, HWND lv) { EXPECT_EQ(ListView_EditSubItem(lv, -1, 0), nullptr); }, ended},
        {"rows deleted at end", false, 0,
         [](Answers &r, HWND lv) { r.onEnd = [lv](const LVEDITNOTIFYA *) { SendMessageW(lv, LVM_DELETEALLITEMS, 0, 0); }; },
         enter, ended},
        {"columns deleted at end", false, 0,
         [](Answers &r, HWND lv) {
             r.onEnd = [lv](const LVEDITNOTIFYA *) {
                 SendMessageW(lv, LVM_DELETECOLUMN, 2, 0);
                 SendMessageW(lv, LVM_DELETECOLUMN, 1, 0);
             };
         },
         enter, ended},
        {"list view destroyed at begin", false, 0,
         [](Answers &r, HWND lv) { r.onBegin = [lv](const LVEDITNOTIFYA *) { DestroyWindow(lv); }; }, nullptr, begun},
        {"list view destroyed at end", false, 0,
         [](Answers &r, HWND lv) { r.onEnd = [lv](const LVEDITNOTIFYA *) { DestroyWindow(lv); }; }, enter, ended},
        {"list view destroyed while editing", false, 0, nullptr,
         [](ListViewExtTest *, HWND lv) { DestroyWindow(lv); }, begun},
        {"combo box", false, LVEOF_QUERYEDITOR,
         [](Answers &r, HWND) {
             r.queryReply = LVEOF_COMBOBOX;
             r.onBegin = [](const LVEDITNOTIFYA *n) {
                 for (const char *entry : {"b1", "zz"})
                     SendMessageA(n->hwndEditor, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
                 SendMessageA(n->hwndEditor, CB_SETCURSEL, 1, 0);
             };
         },
         enter, {EditMsg("query(1,1)"), EditMsg("begin(1,1,b1)"), EditMsg("end(1,1,zz)")}, "zz"},
        // Combo boxes that hand the focus on to an edit field of their own stay open
        // until the focus leaves them.
        {"extended combo box", false, LVEOF_QUERYEDITOR,
         [](Answers &r, HWND) { r.queryReply = LVEOF_COMBOBOX | LVEOF_COMBOBOXEX; },
         [](ListViewExtTest *t, HWND lv) {
             PumpMessages();
             ASSERT_TRUE(IsWindow(Editor(lv)));
             t->ClickCell(lv, 2, 2);
         },
         {EditMsg("query(1,1)"), EditMsg("begin(1,1,b1)"), EditMsg("end(1,1,)")}},
        {"combo box with an edit field", false, LVEOF_QUERYEDITOR,
         [](Answers &r, HWND) { r.queryReply = LVEOF_COMBOBOX | LVEOF_CUSTOMSTYLE | CBS_SIMPLE; },
         [](ListViewExtTest *t, HWND lv) {
             PumpMessages();
             ASSERT_TRUE(IsWindow(Editor(lv)));
             TypeKeys("xy");
             t->ClickCell(lv, 2, 2);
         },
         {EditMsg("query(1,1)"), EditMsg("begin(1,1,b1)"), EditMsg("end(1,1,xy)")}, "xy"},
        {"combo box escape", false, LVEOF_COMBOBOX, nullptr,
         [](ListViewExtTest *, HWND lv) {
             HWND combo = Editor(lv);
             Tap(VK_F4);
             EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
             Tap(VK_ESCAPE);  // closes the list only
             EXPECT_TRUE(IsWindow(combo));
             EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
             Tap(VK_ESCAPE);
         },
         {EditMsg("begin(1,1,b1)")}},
        {"right-aligned column widens leftwards", true, 0, nullptr,
         [](ListViewExtTest *, HWND lv) {
             EXPECT_TRUE(GetWindowLongW(Editor(lv), GWL_STYLE) & ES_RIGHT);
             RECT before, after;
             GetWindowRect(Editor(lv), &before);
             TypeKeys("wwwwwwwwwwww");
             GetWindowRect(Editor(lv), &after);
             EXPECT_EQ(after.right, before.right);
             EXPECT_LT(after.left, before.left);
             Tap(VK_ESCAPE);
         },
         {Note("begin(1,2,c1)")}, "c1", -1, 2},
    };
    for (const auto &c : cases)
      for (bool ansi : {false, true}) {
        if (ansi && !c.click)
            continue;
        const std::string name = std::string(c.name) + (ansi ? " (ANSI window)" : "");
        answers_ = Answers();
        log_.Flush();
        HWND lv = CreateList();
        if (ansi)
            MakeAnsiWindow(lv);
        if (c.setup)
            c.setup(answers_, lv);
        ASSERT_TRUE(AttachEdit(lv, c.flags));
        HWND editor;
        if (c.click) {
            ASSERT_TRUE(AttachSort(lv, 0, FALSE));
            log_.Flush();
            editor = ClickToEdit(lv, 1, c.column);
            ASSERT_EQ(editor, Editor(lv)) << name;
            EXPECT_EQ(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0), reinterpret_cast<LRESULT>(editor));
            TypeKeys("xy");
        } else {
            FocusForInput(lv);
            editor = ListView_EditSubItem(lv, 1, c.column);
            if (c.finish) {
                ASSERT_NE(editor, nullptr) << name;
            } else {
                EXPECT_EQ(editor, nullptr) << name;
            }
        }
        if (c.finish)
            c.finish(this, lv);
        PumpMessages();
        if (c.wide >= 0) {
            EXPECT_EQ(EditCodesWide(), c.wide) << name;
        }
        EXPECT_TRUE(log_.Check(c.expected, name));
        EXPECT_FALSE(IsWindow(editor)) << name;
        if (IsWindow(lv)) {
            EXPECT_EQ(Editor(lv), nullptr) << name;
            if (c.cell) {
                EXPECT_EQ(Text(lv, 1, c.column), c.cell) << name;
            }
            DestroyWindow(lv);
        }
    }
}

// Which clicks on the focused row open an editor.
TEST_F(ListViewExtTest, ClickRules)
{
    const struct {
        DWORD style;
        DWORD flags;
        int column;
        bool doubleClick;
        bool opens;
    } cases[] = {
        {LVS_EDITLABELS, 0, 1, false, true},
        {LVS_EDITLABELS, 0, 1, true, false},  // a double-click never edits
        {0, 0, 1, false, false},              // without LVS_EDITLABELS
        {LVS_EDITLABELS | LVS_OWNERDRAWFIXED, 0, 0, false, true},
        {LVS_EDITLABELS | LVS_OWNERDRAWFIXED, LVEOF_NOFIRSTCOLUMN, 0, false, false},
    };
    for (const auto &c : cases) {
        log_.Flush();
        HWND lv = CreateList(c.style);
        ASSERT_TRUE(AttachEdit(lv, c.flags));
        FocusForInput(lv);
        ClickCell(lv, 1, c.column);  // focuses the row
        EXPECT_EQ(Editor(lv), nullptr);
        POINT p = CellPoint(lv, 1, c.column);
        if (c.doubleClick)
            DoubleClick(lv, p.x, p.y);
        else
            ClickCell(lv, 1, c.column);
        EXPECT_EQ(Editor(lv) != nullptr, c.opens) << c.style << " " << c.column;
        EXPECT_EQ(log_.log().size(), c.opens ? 1u : 0u) << c.style << " " << c.column;
        DestroyWindow(lv);
    }
}

// A parent of the grid's class (by name, in any letter case) reads and sets row
// states and sees every key first; moved to another parent, the list view forgets it.
TEST_F(ListViewExtTest, GridParent)
{
    HWND grid = CreateParentWindow(L"orv_gridcontrolclass", ParentProc, 500, 300);
    HWND lv = CreateList(LVS_EDITLABELS, 3, grid);
    ASSERT_TRUE(AttachEdit(lv));
    FocusForInput(lv);
    ClickCell(lv, 1, 1);
    Tap(VK_DOWN);
    EXPECT_TRUE(log_.Check({ToParent(kGridGetState, 1), ToParent(kGridSetState, 1), ToParent(WM_KEYDOWN, VK_DOWN)},
                           "grid parent"));
    SetParent(lv, parent_);
    DestroyWindow(grid);
    ASSERT_TRUE(AttachEdit(lv));
    log_.Flush();
    FocusForInput(lv);
    ClickCell(lv, 0, 1);
    Tap(VK_DOWN);  // now the list view's own
    EXPECT_TRUE(log_.Check({}, "other parent"));
    EXPECT_EQ(SendMessageW(lv, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 1);
}

}  // namespace
