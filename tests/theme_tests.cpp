// Theme helper: reference-counted loading and the fallbacks without the library.
#include <gtest/gtest.h>

#include "orvcc32.h"
#include "testing.h"

using namespace orvtest;

namespace {

// The prefix runs with a visual theme, so the forwarded IsAppThemed answers TRUE
// exactly while the helper has the library loaded; the fallback answers FALSE.
bool HelperLoaded()
{
    return OrvccIsAppThemed() != FALSE;
}

void ExpectFallbacks()
{
    EXPECT_FALSE(OrvccIsThemeActive());
    EXPECT_FALSE(OrvccIsAppThemed());
    EXPECT_FALSE(OrvccIsThemeDialogTextureEnabled(NULL));
    EXPECT_EQ(OrvccGetThemeAppProperties(), 0u);
    EXPECT_EQ(OrvccOpenThemeData(NULL, L"WINDOW"), nullptr);
    EXPECT_EQ(OrvccCloseThemeData(reinterpret_cast<HTHEME>(0x1234)), E_FAIL);
    EXPECT_EQ(OrvccEnableThemeDialogTexture(NULL, ETDT_ENABLE), E_FAIL);
    HDC dc = GetDC(NULL);
    RECT rect = {0, 0, 1, 1};
    EXPECT_EQ(OrvccDrawThemeParentBackground(NULL, dc, &rect), E_UNEXPECTED);
    ReleaseDC(NULL, dc);
}

TEST(ThemeHelper, NullThemeHandleAnswers)
{
    EXPECT_EQ(OrvccCloseThemeData(NULL), E_INVALIDARG);
    EXPECT_EQ(OrvccGetThemeSysColor(NULL, COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(OrvccGetThemeSysColor(NULL, COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
    if (OrvccInitThemeHlp()) {
        EXPECT_EQ(OrvccCloseThemeData(NULL), E_INVALIDARG);
        EXPECT_EQ(OrvccGetThemeSysColor(NULL, COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
        OrvccReleaseThemeHlp();
    }
}

TEST(ThemeHelper, NotLoadedGivesFallbacks)
{
    ASSERT_FALSE(HelperLoaded());
    ExpectFallbacks();
}

TEST(ThemeHelper, InitReleaseInitLoadsAgain)
{
    if (IsAnsiFlavour()) {
        EXPECT_FALSE(OrvccInitThemeHlp());
        ExpectFallbacks();
        EXPECT_TRUE(OrvccReleaseThemeHlp());
        return;
    }
    ASSERT_TRUE(OrvccInitThemeHlp());
    EXPECT_TRUE(HelperLoaded());
    EXPECT_EQ(OrvccGetThemeAppProperties(), static_cast<DWORD>(GetThemeAppProperties()));
    EXPECT_TRUE(OrvccReleaseThemeHlp());
    EXPECT_FALSE(HelperLoaded());
    ASSERT_TRUE(OrvccInitThemeHlp());
    EXPECT_TRUE(HelperLoaded());
    HTHEME theme = OrvccOpenThemeData(NULL, L"WINDOW");
    if (theme) {
        EXPECT_EQ(OrvccCloseThemeData(theme), S_OK);
    }
    OrvccReleaseThemeHlp();
    EXPECT_FALSE(HelperLoaded());
}

TEST(ThemeHelper, ExtraReleasesAreHarmless)
{
    EXPECT_TRUE(OrvccReleaseThemeHlp());
    EXPECT_TRUE(OrvccReleaseThemeHlp());
    if (!IsAnsiFlavour()) {
        // The count did not go below zero: one init loads, one release frees.
        ASSERT_TRUE(OrvccInitThemeHlp());
        EXPECT_TRUE(HelperLoaded());
        OrvccReleaseThemeHlp();
    }
    EXPECT_FALSE(HelperLoaded());
}

TEST(ThemeHelper, ControlsHoldOneReferenceEach)
{
    ASSERT_TRUE(InitORVCC(ORVCC_PROGRESS_CLASS));
    HostWindow host;
    HWND first = CreateWindowInFlavour("ORV_ProgressClass", WS_CHILD, 0, 0, 50, 10, host.hwnd(), 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(HelperLoaded(), !IsAnsiFlavour());
    HWND second = CreateWindowInFlavour("ORV_ProgressClass", WS_CHILD, 0, 20, 50, 10, host.hwnd(), 2);
    ASSERT_NE(second, nullptr);
    DestroyWindow(first);
    EXPECT_EQ(HelperLoaded(), !IsAnsiFlavour());
    DestroyWindow(second);
    EXPECT_FALSE(HelperLoaded());
}

}  // namespace
