// White-box tests of the library core: the library's objects are linked into this
// program, whose own module stands in for the library's.
#include <gtest/gtest.h>

#include "library.h"
#include "testing.h"

#include <string>

using namespace orvtest;

namespace {

HINSTANCE Self()
{
    return GetModuleHandleA(NULL);
}

bool Registered(const char *name)
{
    WNDCLASSEXA info;
    info.cbSize = sizeof info;
    return GetClassInfoExA(Self(), name, &info) != 0;
}

// Runs first: the process starts with no class registered.
TEST(Registration, Sequence)
{
    EXPECT_EQ(dpiScaleX, 0.0);
    EXPECT_EQ(rawBinaryFormat, 0u);

    // Common initialisation only.
    EXPECT_TRUE(InitORVCC(ORVCC_INIT_ONLY));
    EXPECT_GT(dpiScaleX, 0.0);
    EXPECT_GT(dpiScaleY, 0.0);
    EXPECT_FALSE(Registered("ORV_ProgressClass"));
    EXPECT_EQ(rawBinaryFormat, 0u);

    // 0 means progress, analog meter, web link and LED; nothing else.
    EXPECT_TRUE(InitORVCC(0));
    EXPECT_TRUE(Registered("ORV_ProgressClass"));
    EXPECT_FALSE(Registered("ORV_GridControlClass"));
    EXPECT_FALSE(Registered("ORV_SplitterClass"));
    EXPECT_FALSE(Registered("ORV_HexEditorClass"));
    EXPECT_EQ(rawBinaryFormat, 0u);

    // The hex editor bit registers the clipboard format, every time, same id.
    EXPECT_TRUE(InitORVCC(0x7F));
    const UINT format = rawBinaryFormat;
    EXPECT_NE(format, 0u);
    EXPECT_EQ(format, RegisterClipboardFormatA("OrvRawBinary"));
    rawBinaryFormat = 0;
    EXPECT_TRUE(InitORVCC(0x7F));
    EXPECT_EQ(rawBinaryFormat, format);
}

TEST(Platform, MatchesTheSystem)
{
    OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(osVersion, (info.dwMajorVersion << 16) | info.dwMinorVersion);
    EXPECT_EQ(platformIsNT != FALSE, info.dwPlatformId == VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(libInstance, Self());

    const std::string version = ExpectedVersionName();
    if (version == "win98") {
        EXPECT_EQ(osVersion, 0x0004000Au);
        EXPECT_FALSE(platformIsNT);
    } else if (version == "win95") {
        EXPECT_EQ(osVersion, 0x00040000u);
        EXPECT_FALSE(platformIsNT);
    } else if (version == "win2k") {
        EXPECT_EQ(osVersion, 0x00050000u);
        EXPECT_TRUE(platformIsNT);
    } else if (version == "winxp") {
        EXPECT_EQ(osVersion, 0x00050001u);
        EXPECT_TRUE(platformIsNT);
    }
}

TEST(Platform, SubclassingEntryPointsFromVersion51)
{
    ASSERT_TRUE(InitORVCC(ORVCC_INIT_ONLY));
    const bool expectBound = platformIsNT && osVersion >= 0x00050001;
    if (!expectBound) {
        EXPECT_EQ(pfnSetWindowSubclass, nullptr);
        EXPECT_EQ(pfnGetWindowSubclass, nullptr);
        EXPECT_EQ(pfnRemoveWindowSubclass, nullptr);
        EXPECT_EQ(pfnDefSubclassProc, nullptr);
        return;
    }
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    EXPECT_EQ(reinterpret_cast<void *>(pfnSetWindowSubclass),
              reinterpret_cast<void *>(GetProcAddress(comctl, "SetWindowSubclass")));
    EXPECT_EQ(reinterpret_cast<void *>(pfnGetWindowSubclass),
              reinterpret_cast<void *>(GetProcAddress(comctl, "GetWindowSubclass")));
    EXPECT_EQ(reinterpret_cast<void *>(pfnRemoveWindowSubclass),
              reinterpret_cast<void *>(GetProcAddress(comctl, "RemoveWindowSubclass")));
    EXPECT_EQ(reinterpret_cast<void *>(pfnDefSubclassProc),
              reinterpret_cast<void *>(GetProcAddress(comctl, "DefSubclassProc")));
}

// Systems before 4.10 have no hand cursor: the web link class gets the library's.
TEST(Platform, WebLinkCursorByVersion)
{
    const ClassEntry entry = ClassTable(2);
    ASSERT_STREQ(entry.name, "ORV_WebLinkClass");
    if (osVersion < 0x00040001) {
        EXPECT_TRUE(entry.cursor.own);
        EXPECT_EQ(entry.cursor.id, 100);
    } else {
        EXPECT_FALSE(entry.cursor.own);
        EXPECT_EQ(entry.cursor.id, 32649);  // IDC_HAND
    }
    if (ExpectedVersionName() == "win95") {
        EXPECT_TRUE(entry.cursor.own);
    }
    if (ExpectedVersionName() == "win98") {
        EXPECT_FALSE(entry.cursor.own);
    }
}

// At the prefix's resolution (ORVCC_EXPECT_DPI, 96 unless a run sets it).
TEST(Dpi, FactorsFollowTheScreen)
{
    ASSERT_TRUE(InitORVCC(ORVCC_INIT_ONLY));
    const int dpi = EnvInt("ORVCC_EXPECT_DPI", 96);
    HDC screen = GetDC(NULL);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), dpi);
    ReleaseDC(NULL, screen);
    EXPECT_EQ(dpiScaleX, dpi * 0.010416666666666666);
    EXPECT_EQ(dpiScaleY, dpi * 0.010416666666666666);
    if (dpi == 120) {
        EXPECT_EQ(dpiScaleX, 1.25);
        EXPECT_EQ(dpiScaleY, 1.25);
    }
    // SSE2 double arithmetic: 96 * (1/96) is exactly 1.
    EXPECT_EQ(static_cast<int>(6 * (96 * 0.010416666666666666)), 6);
}

TEST(Dpi, FactorsAreComputedOnce)
{
    ASSERT_TRUE(InitORVCC(ORVCC_INIT_ONLY));
    const double x = dpiScaleX;
    dpiScaleX = 3.0;
    ASSERT_TRUE(InitORVCC(ORVCC_INIT_ONLY));
    EXPECT_EQ(dpiScaleX, 3.0);
    dpiScaleX = x;
}

struct ScaleCase {
    double factor;
    int width, height;
    int newWidth, newHeight;
};

class ScaleBitmap : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleBitmap, StretchesByTheFactors)
{
    const ScaleCase c = GetParam();
    ASSERT_TRUE(InitORVCC(ORVCC_INIT_ONLY));
    const double savedX = dpiScaleX, savedY = dpiScaleY;
    dpiScaleX = dpiScaleY = c.factor;
    HDC screen = GetDC(NULL);
    HBITMAP original = CreateCompatibleBitmap(screen, c.width, c.height);
    ReleaseDC(NULL, screen);
    HBITMAP bitmap = original;
    EXPECT_TRUE(ScaleBitmapToDpi(&bitmap));
    BITMAP info;
    ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, c.newWidth);
    EXPECT_EQ(info.bmHeight, c.newHeight);
    if (c.newWidth == c.width && c.newHeight == c.height) {
        EXPECT_EQ(bitmap, original);
    } else {
        EXPECT_NE(bitmap, original);
        EXPECT_EQ(GetObjectA(original, sizeof info, &info), 0);  // source deleted
    }
    DeleteObject(bitmap);
    dpiScaleX = savedX;
    dpiScaleY = savedY;
}

INSTANTIATE_TEST_SUITE_P(Factors, ScaleBitmap,
                         ::testing::Values(ScaleCase{1.0, 16, 8, 16, 8},
                                           ScaleCase{1.25, 16, 8, 20, 10},
                                           ScaleCase{1.5, 9, 9, 13, 13}));

TEST(ScaleBitmapErrors, NotABitmapLeavesTheHandle)
{
    ASSERT_TRUE(InitORVCC(ORVCC_INIT_ONLY));
    HBITMAP notBitmap = reinterpret_cast<HBITMAP>(GetStockObject(WHITE_BRUSH));
    HBITMAP handle = notBitmap;
    // A brush answers GetObject with a smaller record; a dead handle not at all.
    HBITMAP dead = CreateBitmap(4, 4, 1, 1, NULL);
    DeleteObject(dead);
    handle = dead;
    EXPECT_FALSE(ScaleBitmapToDpi(&handle));
    EXPECT_EQ(handle, dead);
    (void)notBitmap;
}

// Parent notification with a bare header, in both flavours.
TEST(Notify, BareHeaderWithControlId)
{
    HostWindow host;
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, host.hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(321)), Self(), NULL);
    ASSERT_NE(child, nullptr);
    NotifyParentA(child, NM_RELEASEDCAPTURE);
    NotifyParentW(child, NM_OUTOFMEMORY);
    NotifyParent(child, NM_SETFOCUS);
    ASSERT_EQ(host.notifications().size(), 3u);
    const int codes[] = {static_cast<int>(NM_RELEASEDCAPTURE), static_cast<int>(NM_OUTOFMEMORY),
                         static_cast<int>(NM_SETFOCUS)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(host.notifications()[i].code, codes[i]);
        EXPECT_EQ(host.notifications()[i].wParam, 321u);
        EXPECT_EQ(host.notifications()[i].idFrom, 321u);
        EXPECT_EQ(host.notifications()[i].hwndFrom, child);
    }
    DestroyWindow(child);
}

// Detach destroys the LED heap but keeps the classes; attach again for the rest.
TEST(Lifecycle, DetachDestroysTheLedHeapAndKeepsClasses)
{
    ASSERT_TRUE(InitORVCC(ORVCC_PROGRESS_CLASS));
    ledHeap = HeapCreate(0, 0, 0);
    ASSERT_NE(ledHeap, nullptr);
    HANDLE heap = ledHeap;
    LibraryProcessDetach();
    HANDLE heaps[256];
    DWORD count = GetProcessHeaps(256, heaps);
    for (DWORD i = 0; i < count && i < 256; ++i)
        EXPECT_NE(heaps[i], heap);
    EXPECT_TRUE(Registered("ORV_ProgressClass"));
    LibraryProcessAttach(Self());
    EXPECT_EQ(ledHeap, nullptr);
    EXPECT_EQ(dpiScaleX, 0.0);
    EXPECT_TRUE(InitORVCC(ORVCC_PROGRESS_CLASS));
}

}  // namespace
