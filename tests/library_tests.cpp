// The library as a host sees it: exports, resources, class registration, dialogs.
#include <gtest/gtest.h>

#include "orvcc32.h"
#include "testing.h"

#include <string>

using namespace orvtest;

extern "C" int OrvHeaderCDriveProgress(HWND progress);
extern "C" int OrvHeaderCDriveHexEditor(HWND hex);
extern "C" int OrvHeaderCDriveLedAndWebLink(HWND led, HWND link);

namespace {

HMODULE Library()
{
    return GetModuleHandleA("orvcc32.dll");
}

TEST(Exports, EveryNameIsPlainAndResolves)
{
    const char *names[] = {
        "InitORVCC", "DllGetVersion", "OrvccInitThemeHlp", "OrvccReleaseThemeHlp",
        "OrvccIsThemeActive", "OrvccOpenThemeData", "OrvccCloseThemeData", "OrvccDrawThemeEdge",
        "OrvccGetThemeSysColor", "OrvccGetThemeAppProperties", "OrvccDrawThemeBackground",
        "OrvccEnableThemeDialogTexture", "OrvccDrawThemeIcon",
        "OrvccIsThemeBackgroundPartiallyTransparent", "OrvccDrawThemeParentBackground",
        "OrvccIsThemeDialogTextureEnabled", "OrvccIsAppThemed",
    };
    HMODULE module = LoadLibraryA("ORVCC32.DLL");
    ASSERT_NE(module, nullptr);
    for (const char *name : names)
        EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
    EXPECT_EQ(GetProcAddress(module, "InitORVCC@4"), nullptr);
    FreeLibrary(module);
}

TEST(Resources, HandCursorIsGermanWithFingertipHotSpot)
{
    HRSRC group = FindResourceExA(Library(), MAKEINTRESOURCEA(12) /* RT_GROUP_CURSOR */,
                                  MAKEINTRESOURCEA(100), MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    ASSERT_NE(group, nullptr);
    HCURSOR cursor = static_cast<HCURSOR>(
        LoadImageA(Library(), MAKEINTRESOURCEA(100), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 13u);
    EXPECT_EQ(info.yHotspot, 9u);
    BITMAP mask;
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64);  // monochrome: AND and XOR masks stacked
    EXPECT_EQ(info.hbmColor, nullptr);
    DeleteObject(info.hbmMask);
}

TEST(Resources, StringTable)
{
    char text[32];
    ASSERT_EQ(LoadStringA(Library(), 1024, text, sizeof text), 3);
    EXPECT_STREQ(text, "...");
    ASSERT_EQ(LoadStringA(Library(), 1025, text, sizeof text), 7);
    EXPECT_STREQ(text, "MRUList");
}

TEST(Resources, VersionBlock)
{
    char path[MAX_PATH];
    GetModuleFileNameA(Library(), path, MAX_PATH);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, &block[0]));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(&block[0], "\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x0001000Cu);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x0001000Cu);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);

    WORD *translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(&block[0], "\\VarFileInfo\\Translation",
                               reinterpret_cast<void **>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0407);
    EXPECT_EQ(translation[1], 1252);

    const std::pair<const char *, const char *> strings[] = {
        {"FileVersion", "1.12"},          {"ProductVersion", "1.12"},
        {"FileDescription", "Custom Controls"}, {"InternalName", "orvcc32"},
        {"OriginalFilename", "ORVCC32.DLL"},
    };
    for (const auto &entry : strings) {
        std::string query = std::string("\\StringFileInfo\\040704E4\\") + entry.first;
        char *value = nullptr;
        ASSERT_TRUE(VerQueryValueA(&block[0], query.c_str(), reinterpret_cast<void **>(&value),
                                   &length))
            << entry.first;
        EXPECT_STREQ(value, entry.second) << entry.first;
    }
}

bool ClassRegistered(const char *name, WNDCLASSEXA *info = nullptr)
{
    WNDCLASSEXA local;
    WNDCLASSEXA *out = info ? info : &local;
    out->cbSize = sizeof *out;
    return GetClassInfoExA(Library(), name, out) != 0;
}

// Checks the class record as the registration table gives it, then creates a
// window of the class and checks it has the platform's flavour; returns it.
HWND ExpectClassRecord(const char *name, UINT style, WORD cursorId, int brush)
{
    WNDCLASSEXA info;
    EXPECT_TRUE(ClassRegistered(name, &info)) << name;
    EXPECT_EQ(info.style, style);
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
    EXPECT_EQ(info.hIcon, nullptr);
    EXPECT_EQ(info.hInstance, Library());
    EXPECT_EQ(info.hCursor, LoadCursorA(NULL, MAKEINTRESOURCEA(cursorId)));
    EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(brush)));
    EXPECT_EQ(info.lpszMenuName, nullptr);
    HWND hwnd = CreateWindowInFlavour(name, WS_POPUP, 0, 0, 100, 100, NULL, 0);
    EXPECT_NE(hwnd, nullptr);
    EXPECT_EQ(IsWindowUnicode(hwnd) != 0, !IsAnsiFlavour());
    return hwnd;
}

TEST(Registration, ProgressClassRecord)
{
    ASSERT_TRUE(InitORVCC(ORVCC_PROGRESS_CLASS));
    DestroyWindow(ExpectClassRecord("ORV_ProgressClass", 0x4203u, 32512 /* arrow */,
                                    COLOR_WINDOW + 1));
}

TEST(Registration, LedAndWebLinkClassRecords)
{
    ASSERT_TRUE(InitORVCC(ORVCC_LED_CLASS | ORVCC_WEBLINK_CLASS));
    DestroyWindow(ExpectClassRecord("ORV_LEDClass", 0x4203u, 32512 /* arrow */, COLOR_BTNFACE + 1));
    DestroyWindow(ExpectClassRecord("ORV_WebLinkClass", 0x4203u, 32649 /* hand */,
                                    COLOR_BTNFACE + 1));
    HWND made[2];
    for (int i = 0; i < 2; ++i)
        made[i] = CreateWindowExA(0, i ? "ORV_WebLinkClass" : "ORV_LEDClass", "", WS_POPUP, 0, 0, 31,
                                  41, NULL, NULL, GetModuleHandleA(NULL), reinterpret_cast<void *>(7));
    EXPECT_EQ(OrvHeaderCDriveLedAndWebLink(made[0], made[1]), 1);
    DestroyWindow(made[0]);
    DestroyWindow(made[1]);
}

TEST(Registration, RepeatedCallsSucceedAndKeepTheClipboardFormat)
{
    ASSERT_TRUE(InitORVCC(0x7F));
    ASSERT_TRUE(InitORVCC(0x7F));
    ASSERT_TRUE(InitORVCC(0xFFFFFF00u));  // no class bit: nothing to do
    EXPECT_TRUE(ClassRegistered("ORV_ProgressClass"));
    UINT format = RegisterClipboardFormatA("OrvRawBinary");
    EXPECT_NE(format, 0u);
    EXPECT_EQ(RegisterClipboardFormatA("OrvRawBinary"), format);
}

TEST(Registration, HexEditorClassRecord)
{
    ASSERT_TRUE(InitORVCC(ORVCC_HEXEDITOR_CLASS));
    HWND hex = ExpectClassRecord("ORV_HexEditorClass", 0x400Bu, 32513 /* I-beam */,
                                 COLOR_BTNFACE + 1);
    UINT format = RegisterClipboardFormatA("OrvRawBinary");
    EXPECT_NE(format, 0u);
    ASSERT_NE(hex, nullptr);
    EXPECT_EQ(OrvHeaderCDriveHexEditor(hex), 1);
    DestroyWindow(hex);
}

// Menu 100, German: the texts read back through both character widths, the
// umlauts intact, whichever flavour the process runs in.
TEST(Resources, HexEditorContextMenu)
{
    EXPECT_NE(FindResourceExA(Library(), MAKEINTRESOURCEA(4) /* RT_MENU */, MAKEINTRESOURCEA(100),
                              MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)),
              nullptr);
    const struct {
        UINT id;
        const wchar_t *text;
    } items[] = {
        {40002, L"&Ausschneiden"}, {40003, L"&Kopieren"}, {40004, L"Ein&f\u00FCgen"},
        {40005, L"&L\u00F6schen"}, {0, L""}, {40006, L"Alles &markieren"},
    };
    HMENU wide = LoadMenuW(Library(), MAKEINTRESOURCEW(100));
    HMENU narrow = LoadMenuA(Library(), MAKEINTRESOURCEA(100));
    ASSERT_NE(wide, nullptr);
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(GetMenuItemCount(wide), 1);
    HMENU popupW = GetSubMenu(wide, 0);
    HMENU popupA = GetSubMenu(narrow, 0);
    ASSERT_NE(popupW, nullptr);
    ASSERT_NE(popupA, nullptr);
    ASSERT_EQ(GetMenuItemCount(popupW), 6);
    ASSERT_EQ(GetMenuItemCount(popupA), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(GetMenuItemID(popupW, i), items[i].id) << i;
        EXPECT_EQ(GetMenuItemID(popupA, i), items[i].id) << i;
        if (!items[i].id) {
            EXPECT_TRUE(GetMenuState(popupW, i, MF_BYPOSITION) & MF_SEPARATOR);
            EXPECT_TRUE(GetMenuState(popupA, i, MF_BYPOSITION) & MF_SEPARATOR);
            continue;
        }
        wchar_t textW[64] = {};
        GetMenuStringW(popupW, i, textW, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(textW), std::wstring(items[i].text)) << i;
        GetMenuStringW(popupA, i, textW, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(textW), std::wstring(items[i].text)) << i;
        // The ANSI text is the same text in the ANSI code page (0xFC, 0xF6 in 1252).
        char textA[64] = {};
        GetMenuStringA(popupA, i, textA, 64, MF_BYPOSITION);
        char expected[64] = {};
        WideCharToMultiByte(CP_ACP, 0, items[i].text, -1, expected, 64, NULL, NULL);
        EXPECT_STREQ(textA, expected) << i;
        GetMenuStringA(popupW, i, textA, 64, MF_BYPOSITION);
        EXPECT_STREQ(textA, expected) << i;
    }
    if (GetACP() == 1252) {
        char textA[64] = {};
        GetMenuStringA(popupA, 2, textA, 64, MF_BYPOSITION);
        EXPECT_STREQ(textA, "Ein&f\xFCgen");
        GetMenuStringA(popupA, 3, textA, 64, MF_BYPOSITION);
        EXPECT_STREQ(textA, "&L\xF6schen");
    }
    DestroyMenu(wide);
    DestroyMenu(narrow);
}

// An in-memory dialog template with one progress bar, item id 1234.
std::vector<WORD> ProgressDialogTemplate()
{
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&t](const wchar_t *s) {
        do t.push_back(*s); while (*s++);
    };
    dword(WS_POPUP | WS_VISIBLE | DS_SETFONT);
    dword(0);
    t.push_back(1);  // items
    t.push_back(0); t.push_back(0); t.push_back(200); t.push_back(60);
    t.push_back(0);  // menu
    t.push_back(0);  // class
    text(L"dlg");
    t.push_back(8);
    text(L"MS Shell Dlg");
    if (t.size() % 2) t.push_back(0);
    dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    dword(0);
    t.push_back(10); t.push_back(10); t.push_back(100); t.push_back(14);
    t.push_back(1234);
    text(L"ORV_ProgressClass");
    text(L"");
    t.push_back(0);  // creation data
    return t;
}

std::vector<Notification> g_dialogNotes;

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const NMHDR *h = reinterpret_cast<const NMHDR *>(lParam);
        g_dialogNotes.push_back({wParam, h->hwndFrom, h->idFrom, static_cast<int>(h->code)});
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

TEST(Dialogs, ProgressFromTemplateReportsFocusWithItemId)
{
    ASSERT_TRUE(InitORVCC(ORVCC_PROGRESS_CLASS));
    std::vector<WORD> tmpl = ProgressDialogTemplate();
    g_dialogNotes.clear();
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(NULL),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), NULL,
                                             DialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND progress = GetDlgItem(dialog, 1234);
    ASSERT_NE(progress, nullptr);
    SetFocus(progress);
    SetFocus(NULL);
    PumpMessages();
    int sets = 0, kills = 0;
    for (const Notification &n : g_dialogNotes) {
        sets += n.code == static_cast<int>(NM_SETFOCUS);
        kills += n.code == static_cast<int>(NM_KILLFOCUS);
        EXPECT_EQ(n.wParam, 1234u);
        EXPECT_EQ(n.idFrom, 1234u);
        EXPECT_EQ(n.hwndFrom, progress);
    }
    EXPECT_GE(sets, 1);
    EXPECT_GE(kills, 1);
    EXPECT_EQ(g_dialogNotes.back().code, static_cast<int>(NM_KILLFOCUS));
    EXPECT_EQ(OrvHeaderCDriveProgress(progress), 1);
    DestroyWindow(dialog);
}

}  // namespace

// Analog meter through the DLL, driven by the header's C macros.
extern "C" int OrvHeaderCDriveMeter(HWND meter);

TEST(Registration, AnalogMeterThroughTheHeaderMacros)
{
    ASSERT_TRUE(InitORVCC(ORVCC_ANALOGMETER_CLASS));
    HWND meter = CreateWindowInFlavour("ORV_AnalogMeterClass", WS_POPUP, 0, 0, 100, 80, NULL, 0);
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(OrvHeaderCDriveMeter(meter), 1);
    DestroyWindow(meter);
}
