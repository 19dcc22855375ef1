// ccdemo.exe as a user meets it: its resources read from the file, then the
// program started as a process of its own, its dialogs found by class and
// caption, driven through its menu commands and timer messages, and closed.
#include <gtest/gtest.h>

#include "orvcc32.h"
#include "testing.h"

#include <stdlib.h>
#include <string.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The demo copy of this run's flavour beside this program (Wine runs *_win98.exe
// as Windows 98).
std::string DemoPath()
{
    char path[MAX_PATH];
    std::string folder(path, GetModuleFileNameA(NULL, path, MAX_PATH));
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + (orvtest::IsAnsiFlavour() ? "ccdemo_win98.exe" : "ccdemo.exe");
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

std::string ClassOf(HWND hwnd)
{
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// ---- Resources ----------------------------------------------------------

struct Reader {
    const BYTE *p;
    WORD Word() { WORD v; memcpy(&v, p, 2); p += 2; return v; }
    DWORD Dword() { DWORD v; memcpy(&v, p, 4); p += 4; return v; }
    int Short() { return static_cast<short>(Word()); }
    std::wstring Text()
    {
        std::wstring text;
        for (WORD c; (c = Word()) != 0;)
            text += static_cast<wchar_t>(c);
        return text;
    }
    // A name, or an ordinal: the system control classes by name.
    std::wstring NameOrOrdinal()
    {
        if (reinterpret_cast<const WORD *>(p)[0] != 0xFFFF)
            return Text();
        Word();
        const WORD ordinal = Word();
        return ordinal == 0x80 ? L"BUTTON" : ordinal == 0x82 ? L"STATIC" : L"#" + std::to_wstring(ordinal);
    }
};

template <typename... Args> std::wstring Line(const wchar_t *format, Args... args)
{
    wchar_t text[256] = L"";
    _snwprintf(text, 255, format, args...);
    return text;
}

// A German dialog template (plain or extended), one line for the dialog, one per
// control. The resource compiler writes class names in capitals; the window
// manager looks them up without regard to case.
std::vector<std::wstring> DescribeDialog(HMODULE module, int id)
{
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(id),
                                  MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    if (!found)
        return {L"no dialog"};
    Reader r = {static_cast<const BYTE *>(LockResource(LoadResource(module, found)))};
    const bool extended = reinterpret_cast<const WORD *>(r.p)[1] == 0xFFFF;
    r.p += extended ? 8 : 0;
    DWORD style = r.Dword(), exStyle = r.Dword();
    if (extended)
        std::swap(style, exStyle);
    const int count = r.Word();
    r.p += 4;
    const int cx = r.Short(), cy = r.Short();
    const std::wstring menu = r.NameOrOrdinal();
    r.NameOrOrdinal();
    const std::wstring caption = r.Text();
    const int points = r.Word();
    r.p += extended ? 4 : 0;
    std::vector<std::wstring> lines = {Line(L"%08lX %lX %dx%d \"%ls\" \"%ls\" %d \"%ls\"", style,
        exStyle, cx, cy, menu.c_str(), caption.c_str(), points, r.Text().c_str())};
    for (int i = 0; i < count; ++i) {
        while (reinterpret_cast<UINT_PTR>(r.p) & 3)
            ++r.p;
        r.p += extended ? 4 : 0;
        style = r.Dword(), exStyle = r.Dword();
        if (extended)
            std::swap(style, exStyle);
        const int x = r.Short(), y = r.Short(), w = r.Short(), h = r.Short();
        const int item = extended ? static_cast<int>(r.Dword()) : r.Short();
        const std::wstring className = r.NameOrOrdinal(), text = r.NameOrOrdinal();
        r.p += r.Word();
        lines.push_back(Line(L"%d %ls \"%ls\" %08lX %lX %d,%d,%d,%d", item, className.c_str(),
                             text.c_str(), style, exStyle, x, y, w, h));
    }
    return lines;
}

TEST(DemoResources, DialogsAndMenuInGerman)
{
    HMODULE module = LoadLibraryExA(DemoPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const std::wstring font = L" 8 \"MS Sans Serif\"";
    EXPECT_EQ(DescribeDialog(module, 100), (std::vector<std::wstring>{
        L"90CA00C4 0 240x199 \"IDM_MENU1\" \"Test\"" + font,
        L"1 BUTTON \"OK\" 50010300 0 186,6,50,14",
        L"2 BUTTON \"Abbruch\" 50010300 0 186,26,50,14",
        L"101 ORV_PROGRESSCLASS \"\" 50800000 200 8,95,224,16",
        L"102 ORV_ANALOGMETERCLASS \"AnalogMeter\" 50800000 200 8,8,172,80",
        L"103 ORV_WEBLINKCLASS \"Hier geht\u00B4s zur Homepage\" 50010300 0 8,120,224,16",
        L"-1 STATIC \"\" 50020010 4 0,0,240,1",
        L"106 STATIC \"\" 50801000 0 84,140,72,52",
        L"104 ORV_LEDCLASS \"\" 50000000 0 88,144,32,46",
        L"105 ORV_LEDCLASS \"\" 50000000 0 120,144,32,46"}));
    EXPECT_EQ(DescribeDialog(module, 103), (std::vector<std::wstring>{
        L"86CF0040 200 335x212 \"\" \"SplitterWindow - Test\"" + font,
        L"1021 ORV_SPLITTERCLASS \"\" 56000000 0 103,51,147,102"}));
    EXPECT_EQ(DescribeDialog(module, 104), (std::vector<std::wstring>{
        L"82CF0040 0 279x201 \"\" \"Dialog\"" + font,
        L"1021 ORV_HEXEDITORCLASS \"\" 50310000 200 103,51,147,102"}));

    HMENU menu = LoadMenuA(module, "IDM_MENU1");
    ASSERT_NE(menu, nullptr);
    char text[32];
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Control");
    text[0] = 0;
    HMENU popup = GetSubMenu(menu, 0);
    std::string items;  // id and text of each item
    for (int i = 0; i < GetMenuItemCount(popup); ++i, text[0] = 0) {
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        items += std::to_string(GetMenuItemID(popup, i)) + " " + text + "|";
    }
    EXPECT_EQ(items, "100 &Version|0 |102 &Splitter|104 &HexEditor|0 |101 &Beenden|");
    DestroyMenu(menu);
    FreeLibrary(module);
}

// ---- The running program ------------------------------------------------

class DemoRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        STARTUPINFOA startup = {};
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
    LRESULT Item(int id, UINT message, WPARAM wParam = 0) { return SendMessageA(GetDlgItem(main_, id), message, wParam, 0); }
    int Seconds() { return static_cast<int>(Item(104, LDM_GETDIGIT) * 10 + Item(105, LDM_GETDIGIT)); }
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
    EXPECT_TRUE(WaitFor([&] { return Item(101, PGM_GETPOS) >= 3 && Item(102, AMM_GETPOS) >= 2; }));
    EXPECT_TRUE(WaitFor([&] { return Seconds() >= 1; }));

    // 101 seconds: the tens digit is dark below 10, 99 goes on with 0. A real tick
    // may slip in between two of ours.
    bool sawTen = false, sawWrap = false;
    for (int i = 0, before = Seconds(); i < 101; ++i) {
        Tick(346);
        const int now = Seconds(), step = (now - before + 100) % 100;
        ASSERT_TRUE(step == 1 || step == 2) << before << " -> " << now;
        EXPECT_EQ(Item(104, LDM_GETFLAGS) & 1, now < 10 ? 1 : 0) << now;
        sawTen |= now == 10 || (now == 11 && step == 2);
        sawWrap |= now < before;
        before = now;
    }
    EXPECT_TRUE(sawTen && sawWrap);

    // 400 fast ticks: the bar steps by 1 and wraps within 1..100; the needle
    // sweeps up to 180, turns and comes back down.
    int top = 0, turn = -1;
    for (int i = 0, bar = static_cast<int>(Item(101, PGM_GETPOS)),
             needle = static_cast<int>(Item(102, AMM_GETPOS)); i < 400; ++i) {
        Tick(345);
        const int nowBar = static_cast<int>(Item(101, PGM_GETPOS));
        const int nowNeedle = static_cast<int>(Item(102, AMM_GETPOS));
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
    // Splitters: "Links" | ("Rechts oben " over "Rechts unten"), filling the dialog.
    HWND splitter = Open(102, "SplitterWindow - Test");
    HWND outer = GetDlgItem(splitter, 1021);
    HWND left = (HWND)SendMessageA(outer, SPM_GETPANE1, 0, 0);
    HWND nested = (HWND)SendMessageA(outer, SPM_GETPANE2, 0, 0);
    HWND upper = (HWND)SendMessageA(nested, SPM_GETPANE1, 0, 0);
    HWND lower = (HWND)SendMessageA(nested, SPM_GETPANE2, 0, 0);
    EXPECT_EQ(ClassOf(nested), "ORV_SplitterClass");
    EXPECT_EQ(GetDlgCtrlID(nested), 301);
    EXPECT_EQ(TextOf(left) + L"|" + TextOf(upper) + L"|" + TextOf(lower),
              L"Links|Rechts oben |Rechts unten");
    EXPECT_EQ(SendMessageA(nested, SPM_GETFLAGS, 1, 0), 1);
    RECT client, l, u, d;
    GetClientRect(splitter, &client);
    EXPECT_TRUE(WaitFor([&] {
        GetWindowRect(left, &l), GetWindowRect(upper, &u), GetWindowRect(lower, &d);
        return l.right <= u.left && u.bottom <= d.top && u.left == d.left && u.top > 0;
    }));
    GetWindowRect(outer, &l);
    EXPECT_EQ(l.right - l.left, client.right);
    Close(splitter, IDCANCEL);

    // Hex editor: 512 random bytes, 16 per line, fresh bytes at each opening.
    std::vector<BYTE> opened[2];
    for (int round = 0; round < 2; ++round) {
        HWND dialog = Open(104, "Dialog");
        HWND editor = GetDlgItem(dialog, 1021);
        EXPECT_EQ(SendMessageA(editor, HXM_GETDATASIZE, 0, 0), 512);
        EXPECT_EQ(SendMessageA(editor, HXM_GETBYTESPERLINE, 0, 0), 16);
        opened[round].resize(512);
        const void *data = (const void *)SendMessageA(editor, HXM_GETDATAPTR, 0, 0);
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

TEST_P(DemoExit, EndsWithZero) { EXPECT_EQ(ExitCode(GetParam().first, GetParam().second), 0u); }
INSTANTIATE_TEST_SUITE_P(CancelClose, DemoExit, ::testing::Values(std::make_pair(UINT(WM_COMMAND), WPARAM(IDCANCEL)),
                                                                  std::make_pair(UINT(WM_CLOSE), WPARAM(0))));

}  // namespace

// The dark-mode item the demo adds to its menu (command 105) switches the
// controls of the main dialog: the progress bar's background, a library
// default, turns dark and back. (Menus of another process cannot be read here,
// so the item is driven by its command.)
TEST_F(DemoRun, DarkModeCommandSwitchesTheControlsBothWays)
{
    HWND progress = GetDlgItem(main_, 101);
    RECT client;
    GetClientRect(progress, &client);
    const int x = client.right - 2, y = client.bottom / 2;  // past the bar at position 0
    const COLORREF light = orvtest::Capture(progress).At(x, y);
    for (bool dark : {true, false}) {
        SCOPED_TRACE(dark ? "on" : "off");
        SendMessageA(main_, WM_COMMAND, 105, 0);
        const COLORREF now = orvtest::Capture(progress).At(x, y);
        if (dark)
            EXPECT_LT(GetRValue(now) + GetGValue(now) + GetBValue(now), 3 * 80) << std::hex << now;
        else
            EXPECT_EQ(now, light);
    }
}
