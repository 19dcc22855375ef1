// ccdemo.exe as a user meets it: its resources read from the file, then the
// program started as a process of its own, its dialogs found by class and
// caption, driven through its menu commands and timer messages, and closed.
#include <gtest/gtest.h>

#include "testing.h"

#include <stdlib.h>
#include <string.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

// Control messages read back from the demo's windows.
const UINT kGetProgressPos = WM_USER + 8, kGetMeterPos = WM_USER + 1008;
const UINT kGetLedFlags = WM_USER + 1502, kGetLedDigit = WM_USER + 1507;
const UINT kGetPane1 = WM_USER + 203, kGetPane2 = WM_USER + 204, kGetSplitFlags = WM_USER + 209;
const UINT kGetHexSize = WM_USER + 312, kGetHexLine = WM_USER + 318, kGetHexPtr = WM_USER + 319;

std::string ProgramFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    while (length && path[length - 1] != '\\' && path[length - 1] != '/')
        --length;
    return std::string(path, length);
}

// The demo copy of this run's flavour (Wine runs *_win98.exe as Windows 98).
std::string DemoPath()
{
    return ProgramFolder() + (orvtest::IsAnsiFlavour() ? "ccdemo_win98.exe" : "ccdemo.exe");
}

std::string ClassOf(HWND hwnd)
{
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// The text as the window's own WM_GETTEXT gives it: for a window of another
// process GetWindowText reads only the caption the system keeps, which an edit
// control does not keep up to date everywhere (not under 64-bit Wine).
std::wstring TextOf(HWND hwnd)
{
    wchar_t text[128] = L"";
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &result);
    return text;
}

// ---- Resources ----------------------------------------------------------

// One dialog template (plain or extended), read field by field.
struct Item {
    DWORD style, exStyle;
    int x, y, cx, cy, id;
    std::wstring className, text;
};
struct Dialog {
    DWORD style = 0, exStyle = 0;
    int cx = 0, cy = 0, points = 0;
    std::wstring menu, caption, font;
    std::vector<Item> items;
};

struct Reader {
    const BYTE *p;
    WORD Word() { WORD v; memcpy(&v, p, 2); p += 2; return v; }
    DWORD Dword() { DWORD v; memcpy(&v, p, 4); p += 4; return v; }
    void Align() { while (reinterpret_cast<UINT_PTR>(p) & 3) ++p; }
    std::wstring Text()
    {
        std::wstring text;
        for (WORD c; (c = Word()) != 0;)
            text += static_cast<wchar_t>(c);
        return text;
    }
    // A name or an ordinal; the system control ordinals by name.
    std::wstring NameOrOrdinal()
    {
        if (reinterpret_cast<const WORD *>(p)[0] != 0xFFFF)
            return Text();
        Word();
        const WORD ordinal = Word();
        return ordinal == 0x80 ? L"Button" : ordinal == 0x82 ? L"Static" : L"#" + std::to_wstring(ordinal);
    }
};

Dialog ReadDialog(HMODULE module, int id)
{
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(id),
                                  MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    Dialog dialog;
    if (!found)
        return dialog;
    Reader r = {static_cast<const BYTE *>(LockResource(LoadResource(module, found)))};
    const bool extended = reinterpret_cast<const WORD *>(r.p)[1] == 0xFFFF;
    if (extended) {
        r.p += 8;
        dialog.exStyle = r.Dword();
        dialog.style = r.Dword();
    } else {
        dialog.style = r.Dword();
        dialog.exStyle = r.Dword();
    }
    const int count = r.Word();
    r.p += 4;
    dialog.cx = static_cast<short>(r.Word());
    dialog.cy = static_cast<short>(r.Word());
    dialog.menu = r.NameOrOrdinal();
    r.NameOrOrdinal();
    dialog.caption = r.Text();
    if (dialog.style & DS_SETFONT) {
        dialog.points = r.Word();
        if (extended)
            r.p += 4;
        dialog.font = r.Text();
    }
    for (int i = 0; i < count; ++i) {
        r.Align();
        Item item;
        if (extended) {
            r.p += 4;
            item.exStyle = r.Dword();
            item.style = r.Dword();
        } else {
            item.style = r.Dword();
            item.exStyle = r.Dword();
        }
        item.x = static_cast<short>(r.Word());
        item.y = static_cast<short>(r.Word());
        item.cx = static_cast<short>(r.Word());
        item.cy = static_cast<short>(r.Word());
        item.id = extended ? static_cast<int>(r.Dword()) : static_cast<short>(r.Word());
        item.className = r.NameOrOrdinal();
        item.text = r.NameOrOrdinal();
        r.p += r.Word();
        dialog.items.push_back(item);
    }
    return dialog;
}

void ExpectItems(const Dialog &dialog, const std::vector<Item> &expected)
{
    ASSERT_EQ(dialog.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Item &a = dialog.items[i], &e = expected[i];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(a.id, e.id);
        // The resource compiler writes class names in capitals; the window
        // manager looks them up without regard to case.
        EXPECT_EQ(lstrcmpiW(a.className.c_str(), e.className.c_str()), 0) << e.id;
        EXPECT_EQ(a.text, e.text);
        EXPECT_EQ(a.style, e.style);
        EXPECT_EQ(a.exStyle, e.exStyle);
        EXPECT_EQ((std::vector<int>{a.x, a.y, a.cx, a.cy}), (std::vector<int>{e.x, e.y, e.cx, e.cy}));
    }
}

TEST(DemoResources, DialogsAndMenuInGerman)
{
    HMODULE module = LoadLibraryExA(DemoPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);

    const Dialog main = ReadDialog(module, 100);
    EXPECT_EQ(main.style, 0x90CA00C4u);
    EXPECT_EQ((std::vector<int>{main.cx, main.cy, main.points}), (std::vector<int>{240, 199, 8}));
    EXPECT_EQ(main.menu, L"IDM_MENU1");
    EXPECT_EQ(main.caption, L"Test");
    EXPECT_EQ(main.font, L"MS Sans Serif");
    const DWORD child = WS_CHILD | WS_VISIBLE;
    ExpectItems(main, {
        {0x50010300, 0, 186, 6, 50, 14, 1, L"Button", L"OK"},
        {0x50010300, 0, 186, 26, 50, 14, 2, L"Button", L"Abbruch"},
        {0x50800000, WS_EX_CLIENTEDGE, 8, 95, 224, 16, 101, L"ORV_ProgressClass", L""},
        {0x50800000, WS_EX_CLIENTEDGE, 8, 8, 172, 80, 102, L"ORV_AnalogMeterClass", L"AnalogMeter"},
        {0x50010300, 0, 8, 120, 224, 16, 103, L"ORV_WebLinkClass", L"Hier geht\u00B4s zur Homepage"},
        {0x50020010, WS_EX_NOPARENTNOTIFY, 0, 0, 240, 1, -1, L"Static", L""},
        {0x50801000, 0, 84, 140, 72, 52, 106, L"Static", L""},
        {child, 0, 88, 144, 32, 46, 104, L"ORV_LEDClass", L""},
        {child, 0, 120, 144, 32, 46, 105, L"ORV_LEDClass", L""},
    });

    const Dialog splitter = ReadDialog(module, 103);
    EXPECT_EQ(splitter.style, 0x86CF0040u);
    EXPECT_EQ(splitter.exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(splitter.caption, L"SplitterWindow - Test");
    ExpectItems(splitter, {{0x56000000, 0, 103, 51, 147, 102, 1021, L"ORV_SplitterClass", L""}});
    const Dialog hex = ReadDialog(module, 104);
    EXPECT_EQ(hex.style, 0x82CF0040u);
    EXPECT_EQ(hex.caption, L"Dialog");
    ExpectItems(hex, {{0x50310000, WS_EX_CLIENTEDGE, 103, 51, 147, 102, 1021,
                       L"ORV_HexEditorClass", L""}});
    for (const Dialog *d : {&splitter, &hex}) {
        EXPECT_EQ(d->points, 8);
        EXPECT_EQ(d->font, L"MS Sans Serif");
    }
    EXPECT_EQ((std::vector<int>{splitter.cx, splitter.cy, hex.cx, hex.cy}),
              (std::vector<int>{335, 212, 279, 201}));

    HMENU menu = LoadMenuA(module, "IDM_MENU1");
    ASSERT_NE(menu, nullptr);
    char text[32];
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Control");
    HMENU popup = GetSubMenu(menu, 0);
    const struct { UINT id; const char *text; } items[] = {
        {100, "&Version"}, {0, ""}, {102, "&Splitter"}, {104, "&HexEditor"}, {0, ""}, {101, "&Beenden"}};
    ASSERT_EQ(GetMenuItemCount(popup), 6);
    for (int i = 0; i < 6; ++i) {
        text[0] = 0;
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(GetMenuItemID(popup, i), items[i].id);
        EXPECT_STREQ(text, items[i].text);
    }
    DestroyMenu(menu);
    FreeLibrary(module);
}

// ---- The running program ------------------------------------------------

// The classes a dialog of the demo needs, registered as the demo registers them.
// A class the library does not provide yet leaves its dialog out of the test.
bool Registered(std::initializer_list<const char *> names, std::string *missing)
{
    HMODULE library = LoadLibraryA("orvcc32.dll");
    typedef BOOL(WINAPI * InitProc)(DWORD);
    InitProc init = library ? (InitProc)(void (*)(void))GetProcAddress(library, "InitORVCC") : NULL;
    if (init)
        init(0x7F);
    WNDCLASSEXA info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    for (const char *name : names)
        if (!init || !GetClassInfoExA(library, name, &info))
            *missing += std::string(" ") + name;
    return missing->empty();
}

class DemoRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string missing;
        if (!Registered({"ORV_ProgressClass", "ORV_AnalogMeterClass", "ORV_WebLinkClass",
                         "ORV_LEDClass"}, &missing))
            GTEST_SKIP() << "main dialog needs" << missing;
        STARTUPINFOA startup;
        memset(&startup, 0, sizeof startup);
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(DemoPath().c_str(), NULL, NULL, NULL, FALSE, 0, NULL, NULL,
                                   &startup, &process_));
        main_ = WaitForDialog("Test");
        ASSERT_NE(main_, nullptr) << "no main dialog";
    }
    void TearDown() override
    {
        if (!process_.hProcess)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    // Waits (up to 10 s, while the demo runs) until done() holds.
    template <typename F> bool WaitFor(F done)
    {
        for (int i = 0; i < 500; ++i) {
            if (done())
                return true;
            if (WaitForSingleObject(process_.hProcess, 20) == WAIT_OBJECT_0)
                return done();
        }
        return false;
    }
    HWND WaitForDialog(const char *caption)
    {
        HWND found = NULL;
        WaitFor([&] {
            for (HWND w = NULL; (w = FindWindowExA(NULL, w, "#32770", caption)) != NULL;) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == process_.dwProcessId && IsWindowVisible(w))
                    return (found = w) != NULL;
            }
            return false;
        });
        return found;
    }
    // Opens a window through a menu command; it belongs to the main dialog.
    HWND Open(int command, const char *caption)
    {
        PostMessageA(main_, WM_COMMAND, command, 0);
        HWND window = WaitForDialog(caption);
        EXPECT_NE(window, nullptr) << caption;
        EXPECT_EQ(GetWindow(window, GW_OWNER), main_);
        return window;
    }
    void Close(HWND window, int id)
    {
        PostMessageA(window, WM_COMMAND, id, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); }));
    }
    DWORD ExitCode(UINT message, WPARAM wParam)
    {
        PostMessageA(main_, message, wParam, 0);
        DWORD code = 1234;
        EXPECT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }
    // "Links" | ("Rechts oben " over "Rechts unten"), filling the dialog.
    void ExpectNestedSplitters()
    {
        HWND splitter = Open(102, "SplitterWindow - Test");
        HWND outer = GetDlgItem(splitter, 1021);
        HWND left = (HWND)SendMessageA(outer, kGetPane1, 0, 0);
        HWND nested = (HWND)SendMessageA(outer, kGetPane2, 0, 0);
        HWND upper = (HWND)SendMessageA(nested, kGetPane1, 0, 0);
        HWND lower = (HWND)SendMessageA(nested, kGetPane2, 0, 0);
        EXPECT_EQ(ClassOf(nested), "ORV_SplitterClass");
        EXPECT_EQ(GetDlgCtrlID(nested), 301);
        EXPECT_EQ(TextOf(left) + L"|" + TextOf(upper) + L"|" + TextOf(lower),
                  L"Links|Rechts oben |Rechts unten");
        EXPECT_EQ(SendMessageA(nested, kGetSplitFlags, 1, 0), 1);
        RECT client, l, u, d;
        GetClientRect(splitter, &client);
        EXPECT_TRUE(WaitFor([&] {
            GetWindowRect(left, &l), GetWindowRect(upper, &u), GetWindowRect(lower, &d);
            return l.right <= u.left && u.bottom <= d.top && u.left == d.left && u.top > 0;
        }));
        GetWindowRect(outer, &l);
        EXPECT_EQ(l.right - l.left, client.right);
        Close(splitter, IDCANCEL);
    }
    LRESULT Item(int id, UINT message, WPARAM wParam = 0) { return SendMessageA(GetDlgItem(main_, id), message, wParam, 0); }
    int Seconds() { return static_cast<int>(Item(104, kGetLedDigit) * 10 + Item(105, kGetLedDigit)); }
    void Tick(int timer) { SendMessageA(main_, WM_TIMER, timer, 0); }

    PROCESS_INFORMATION process_ = {};
    HWND main_ = NULL;
};

TEST_F(DemoRun, TimersDriveTheControls)
{
    const struct { int id; const char *className; } controls[] = {
        {1, "Button"}, {2, "Button"}, {101, "ORV_ProgressClass"}, {102, "ORV_AnalogMeterClass"},
        {103, "ORV_WebLinkClass"}, {106, "Static"}, {104, "ORV_LEDClass"}, {105, "ORV_LEDClass"}};
    for (const auto &c : controls)
        EXPECT_EQ(ClassOf(GetDlgItem(main_, c.id)), c.className) << c.id;
    EXPECT_EQ(IsWindowUnicode(GetDlgItem(main_, 101)) != 0, !orvtest::IsAnsiFlavour());
    EXPECT_EQ(TextOf(GetDlgItem(main_, 103)), L"Hier geht\u00B4s zur Homepage");

    // The real timers run: the bar steps, the needle leaves 0, a second is counted.
    EXPECT_TRUE(WaitFor([&] { return Item(101, kGetProgressPos) >= 3 && Item(102, kGetMeterPos) >= 2; }));
    EXPECT_TRUE(WaitFor([&] { return Seconds() >= 1; }));

    // 101 seconds: the tens digit is dark below 10, 99 goes on with 0. A real tick
    // may slip in between two of ours.
    bool sawTen = false, sawWrap = false;
    for (int i = 0, before = Seconds(); i < 101; ++i) {
        Tick(346);
        const int now = Seconds(), step = (now - before + 100) % 100;
        ASSERT_TRUE(step == 1 || step == 2) << before << " -> " << now;
        EXPECT_EQ(Item(104, kGetLedFlags) & 1, now < 10 ? 1 : 0) << now;
        sawTen |= now == 10 || (now == 11 && step == 2);
        sawWrap |= now < before;
        before = now;
    }
    EXPECT_TRUE(sawTen && sawWrap);

    // 400 fast ticks: the bar steps by 1 and wraps within 1..100; the needle
    // sweeps up to 180, turns and comes back down.
    int top = 0, turn = -1;
    for (int i = 0, bar = static_cast<int>(Item(101, kGetProgressPos)),
             needle = static_cast<int>(Item(102, kGetMeterPos)); i < 400; ++i) {
        Tick(345);
        const int nowBar = static_cast<int>(Item(101, kGetProgressPos));
        const int nowNeedle = static_cast<int>(Item(102, kGetMeterPos));
        EXPECT_TRUE(nowBar == bar + 1 || nowBar == bar + 2 || nowBar <= 2) << bar << " -> " << nowBar;
        ASSERT_LE(abs(nowNeedle - needle), 2);
        ASSERT_TRUE(nowNeedle >= 0 && nowNeedle <= 180 && nowBar >= 1 && nowBar <= 100);
        if (nowNeedle == 180 && turn < 0)
            turn = i;
        if (turn >= 0 && i == turn + 100) {  // one tick at 180, then 99 down
            EXPECT_TRUE(nowNeedle <= 81 && nowNeedle >= 60) << nowNeedle;
        }
        top = nowNeedle > top ? nowNeedle : top;
        bar = nowBar;
        needle = nowNeedle;
    }
    EXPECT_EQ(top, 180);
    EXPECT_EQ(ExitCode(WM_COMMAND, IDOK), 0u);
}

// The three secondary windows, each opened through its menu command and closed.
TEST_F(DemoRun, MenuWindowsAndExit)
{
    std::string missing;
    if (Registered({"ORV_SplitterClass"}, &missing))
        ExpectNestedSplitters();

    // Hex editor: 512 random bytes, 16 per line, fresh bytes at each opening.
    std::vector<BYTE> opened[2];
    for (int round = 0; round < 2; ++round) {
        HWND dialog = Open(104, "Dialog");
        HWND editor = GetDlgItem(dialog, 1021);
        EXPECT_EQ(SendMessageA(editor, kGetHexSize, 0, 0), 512);
        EXPECT_EQ(SendMessageA(editor, kGetHexLine, 0, 0), 16);
        opened[round].resize(512);
        const void *data = (const void *)SendMessageA(editor, kGetHexPtr, 0, 0);
        EXPECT_TRUE(ReadProcessMemory(process_.hProcess, data, opened[round].data(), 512, NULL));
        RECT client, e;
        GetClientRect(dialog, &client);
        GetWindowRect(editor, &e);
        MapWindowPoints(NULL, dialog, reinterpret_cast<POINT *>(&e), 2);
        const int fx = GetSystemMetrics(SM_CXDLGFRAME), fy = GetSystemMetrics(SM_CYDLGFRAME);
        EXPECT_EQ((std::vector<LONG>{e.left, e.top, e.right, e.bottom}),
                  (std::vector<LONG>{2 * fx, 2 * fy, client.right - 2 * fx, client.bottom - 2 * fy}));
        Close(dialog, round ? IDCANCEL : IDOK);
    }
    EXPECT_NE(opened[0], opened[1]);
    EXPECT_NE(std::vector<BYTE>(512, opened[0][0]), opened[0]);

    // Version box from the library loaded a second time.
    HWND box = Open(100, "DllVersion:");
    std::string text;
    for (HWND w = NULL; (w = FindWindowExA(box, w, "Static", NULL)) != NULL;) {
        char part[64] = "";
        GetWindowTextA(w, part, sizeof part);
        text += part;
    }
    EXPECT_EQ(text, "Version:\n1.12.0");
    Close(box, IDOK);

    EXPECT_EQ(ExitCode(WM_COMMAND, 101), 0u);  // "&Beenden"
}

// "Abbruch" and the close box end the program like "OK" and "&Beenden".
class DemoExit : public DemoRun, public ::testing::WithParamInterface<std::pair<UINT, WPARAM>> {};

TEST_P(DemoExit, EndsWithZero)
{
    EXPECT_EQ(ExitCode(GetParam().first, GetParam().second), 0u);
}

INSTANTIATE_TEST_SUITE_P(CancelClose, DemoExit,
                         ::testing::Values(std::make_pair(UINT(WM_COMMAND), WPARAM(IDCANCEL)),
                                           std::make_pair(UINT(WM_CLOSE), WPARAM(0))));

}  // namespace
