// Per-monitor DPI and dark mode, what the library shares: the window's DPI and
// its factors, fonts made for a DPI, the dark-mode export, following the
// system's app mode, high contrast over dark mode, and the common controls the
// library owns. Each control's own pixels are in the display_*_tests files.
#include <gtest/gtest.h>

#include <vector>

#include "display.h"
#include "displayfixture.h"
#include "orvcc32.h"

using namespace orvtest;

namespace {

const char kPersonalize[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Counts the dark-mode messages a window gets, through a subclass.
struct MessageCount {
    HWND hwnd;
    WNDPROC previous;
    std::vector<WPARAM> seen;
};
MessageCount *g_count;
LRESULT CALLBACK Counting(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == DarkModeMessage())
        g_count->seen.push_back(wParam);
    return CallWindowProcW(g_count->previous, hwnd, message, wParam, lParam);
}

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitORVCC(0x7F)); }
    void TearDown() override
    {
        OrvccSetDarkMode(ORVCC_DARK_OFF);
        highContrastSource = NULL;
        setWindowThemeHook = NULL;
        g_count = NULL;
    }
    // A progress bar whose dark-mode messages are counted.
    HWND CountedControl(MessageCount *count)
    {
        HWND bar = CreateWindowInFlavour("ORV_ProgressClass", WS_CHILD | WS_VISIBLE, 0, 0, 50, 10,
                                         host_.hwnd(), 3);
        count->hwnd = bar;
        count->previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Counting)));
        g_count = count;
        return bar;
    }
    HostWindow host_{300, 200};
};

bool g_highContrast;
bool FakeHighContrast(void)
{
    return g_highContrast;
}

// AppsUseLightTheme set for the test, the user's value put back afterwards.
class AppsMode {
public:
    AppsMode()
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, kPersonalize, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key_, NULL);
        had_ = RegQueryValueExA(key_, "AppsUseLightTheme", NULL, NULL,
                                reinterpret_cast<BYTE *>(&saved_), &size_) == ERROR_SUCCESS;
    }
    ~AppsMode()
    {
        if (had_)
            Set(saved_);
        else
            RegDeleteValueA(key_, "AppsUseLightTheme");
        RegCloseKey(key_);
    }
    void Set(DWORD light)
    {
        RegSetValueExA(key_, "AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<BYTE *>(&light),
                       sizeof light);
    }
    // What the system does when the user changes the mode.
    static void Broadcast()
    {
        DWORD_PTR result;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                            reinterpret_cast<LPARAM>(L"ImmersiveColorSet"), SMTO_ABORTIFHUNG, 2000,
                            &result);
        PumpMessages();
    }

private:
    HKEY key_ = NULL;
    DWORD saved_ = 1, size_ = sizeof(DWORD);
    bool had_ = false;
};

}  // namespace

TEST_F(DisplayTest, SetDarkModeReturnsThePreviousModeAndRefusesOthers)
{
    const struct {
        int mode;
        int result;
        bool active;
    } steps[] = {
        {ORVCC_DARK_ON, ORVCC_DARK_OFF, true},  {ORVCC_DARK_ON, ORVCC_DARK_ON, true},
        {3, -1, true},                          {-1, -1, true},
        {ORVCC_DARK_OFF, ORVCC_DARK_ON, false}, {ORVCC_DARK_ON, ORVCC_DARK_OFF, true},
        {ORVCC_DARK_OFF, ORVCC_DARK_ON, false},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.mode);
        SetLastError(0);
        EXPECT_EQ(OrvccSetDarkMode(step.mode), step.result);
        if (step.result == -1) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        }
        EXPECT_EQ(DarkModeActive(), step.active);
    }
}

// Existing controls hear of a change once, and only of a change in effect.
TEST_F(DisplayTest, ControlsAreToldWhenTheColoursInEffectChange)
{
    MessageCount count;
    CountedControl(&count);
    OrvccSetDarkMode(ORVCC_DARK_ON);
    OrvccSetDarkMode(ORVCC_DARK_ON);
    OrvccSetDarkMode(ORVCC_DARK_OFF);
    EXPECT_EQ(count.seen, (std::vector<WPARAM>{TRUE, FALSE}));
    DestroyWindow(count.hwnd);
}

TEST_F(DisplayTest, SystemModeFollowsTheRegistryWhenTheSystemBroadcasts)
{
    AppsMode apps;
    apps.Set(1);
    MessageCount count;
    HWND bar = CountedControl(&count);
    // The bar's background, past the bar at position 0.
    auto background = [bar] { return Capture(bar).At(45, 5); };
    EXPECT_EQ(OrvccSetDarkMode(ORVCC_DARK_SYSTEM), ORVCC_DARK_OFF);
    EXPECT_FALSE(DarkModeActive());
    apps.Set(0);
    EXPECT_FALSE(DarkModeActive()) << "switches at the broadcast, not before";
    EXPECT_EQ(background(), GetSysColor(COLOR_WINDOW));
    AppsMode::Broadcast();
    EXPECT_TRUE(DarkModeActive());
    EXPECT_EQ(background(), DarkSysColor(COLOR_WINDOW));
    apps.Set(1);
    AppsMode::Broadcast();
    EXPECT_FALSE(DarkModeActive());
    EXPECT_EQ(background(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(count.seen, (std::vector<WPARAM>{TRUE, FALSE}));

    // Dark apps when system mode is chosen: dark at once; other modes ignore the broadcast.
    apps.Set(0);
    OrvccSetDarkMode(ORVCC_DARK_OFF);
    EXPECT_EQ(OrvccSetDarkMode(ORVCC_DARK_SYSTEM), ORVCC_DARK_OFF);
    EXPECT_TRUE(DarkModeActive());
    OrvccSetDarkMode(ORVCC_DARK_OFF);
    AppsMode::Broadcast();
    EXPECT_FALSE(DarkModeActive());
    DestroyWindow(count.hwnd);
}

// One hidden window hears the system's broadcasts while dark mode is on or
// follows the system, and only then.
TEST_F(DisplayTest, TheWatcherWindowLivesWhileDarkModeIsNotOff)
{
    EXPECT_EQ(FindWindowA("OrvccDarkModeWatcher", NULL), nullptr);
    OrvccSetDarkMode(ORVCC_DARK_SYSTEM);
    OrvccSetDarkMode(ORVCC_DARK_SYSTEM);
    HWND watcher = FindWindowA("OrvccDarkModeWatcher", NULL);
    ASSERT_NE(watcher, nullptr);
    EXPECT_FALSE(IsWindowVisible(watcher));
    EXPECT_EQ(GetParent(watcher), nullptr);
    EXPECT_EQ(FindWindowExA(NULL, watcher, "OrvccDarkModeWatcher", NULL), nullptr);
    OrvccSetDarkMode(ORVCC_DARK_ON);
    EXPECT_EQ(FindWindowA("OrvccDarkModeWatcher", NULL), watcher);
    OrvccSetDarkMode(ORVCC_DARK_OFF);
    EXPECT_EQ(FindWindowA("OrvccDarkModeWatcher", NULL), nullptr);
}

// A high-contrast scheme that comes or goes while dark mode is on reaches the
// controls through the system's broadcasts, each change once.
TEST_F(DisplayTest, ControlsAreToldWhenHighContrastComesOrGoes)
{
    highContrastSource = FakeHighContrast;
    g_highContrast = false;
    MessageCount count;
    CountedControl(&count);
    OrvccSetDarkMode(ORVCC_DARK_ON);
    HWND watcher = FindWindowA("OrvccDarkModeWatcher", NULL);
    ASSERT_NE(watcher, nullptr);
    const struct {
        bool highContrast;
        UINT message;
        WPARAM wParam;
    } steps[] = {
        {true, WM_SYSCOLORCHANGE, 0},                     // the scheme comes: light
        {true, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST},    // no change, not told again
        {false, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST},   // the scheme goes: dark again
    };
    for (const auto &step : steps) {
        g_highContrast = step.highContrast;
        SendMessageA(watcher, step.message, step.wParam, 0);
    }
    EXPECT_EQ(count.seen, (std::vector<WPARAM>{TRUE, FALSE, TRUE}));
    OrvccSetDarkMode(ORVCC_DARK_OFF);
    DestroyWindow(count.hwnd);
}

TEST_F(DisplayTest, HighContrastWinsOverDarkMode)
{
    highContrastSource = FakeHighContrast;
    g_highContrast = true;
    OrvccSetDarkMode(ORVCC_DARK_ON);
    EXPECT_FALSE(DarkModeActive());
    EXPECT_EQ(ControlSysColor(NULL, COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ControlSysColorBrush(COLOR_WINDOW), GetSysColorBrush(COLOR_WINDOW));
    g_highContrast = false;
    EXPECT_TRUE(DarkModeActive());
    EXPECT_EQ(ControlSysColor(NULL, COLOR_WINDOW), DarkSysColor(COLOR_WINDOW));
    LOGBRUSH brush;
    ASSERT_EQ(GetObjectA(ControlSysColorBrush(COLOR_BTNFACE), sizeof brush, &brush),
              static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbColor, DarkSysColor(COLOR_BTNFACE));
}

// Text and selection pairs of the dark set meet 4.5:1, and every pair differs
// from the light one.
TEST_F(DisplayTest, DarkSetIsLegible)
{
    const int pairs[][2] = {
        {COLOR_WINDOWTEXT, COLOR_WINDOW},     {COLOR_BTNTEXT, COLOR_BTNFACE},
        {COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT}, {COLOR_HOTLIGHT, COLOR_BTNFACE},
        {COLOR_HOTLIGHT, COLOR_WINDOW},       {COLOR_HIGHLIGHT, COLOR_BTNFACE},
        {COLOR_HIGHLIGHT, COLOR_WINDOW},      {COLOR_GRAYTEXT, COLOR_BTNFACE},
        {COLOR_INFOTEXT, COLOR_INFOBK},
    };
    for (const auto &pair : pairs) {
        SCOPED_TRACE(pair[0]);
        EXPECT_GE(ContrastRatio(DarkSysColor(pair[0]), DarkSysColor(pair[1])), 4.5);
    }
    for (int index : {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_HIGHLIGHT})
        EXPECT_NE(DarkSysColor(index), GetSysColor(index));
}

// The list view, header and editors the controls own take the dark theme
// classes and give them back.
namespace {
std::vector<std::wstring> g_themes;
HRESULT WINAPI RecordTheme(HWND, LPCWSTR app, LPCWSTR)
{
    g_themes.push_back(app ? app : L"(default)");
    return S_OK;
}
}  // namespace

TEST_F(DisplayTest, OwnedCommonControlsSwitchThemeClasses)
{
    setWindowThemeHook = RecordTheme;
    g_themes.clear();
    HWND button = CreateWindowW(L"BUTTON", L"", WS_CHILD, 0, 0, 10, 10, host_.hwnd(), NULL, NULL, NULL);
    ControlApplyDarkTheme(button);
    OrvccSetDarkMode(ORVCC_DARK_ON);
    ControlApplyDarkTheme(button);
    EXPECT_EQ(g_themes, (std::vector<std::wstring>{L"(default)", L"DarkMode_Explorer"}));
    DestroyWindow(button);
}

// Fonts for another DPI are made from the thread's own size; the same DPI
// makes none.
TEST_F(DisplayTest, FontsAreMadeForTheWindowsDpi)
{
    HDC screen = GetDC(NULL);
    const int reference = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(CreateFontForDpi(font, reference), nullptr);
    EXPECT_EQ(CreateFontForDpi(NULL, reference * 2), nullptr);
    HFONT twice = CreateFontForDpi(font, reference * 2);
    ASSERT_NE(twice, nullptr);
    LOGFONTA stock, made;
    GetObjectA(font, sizeof stock, &stock);
    GetObjectA(twice, sizeof made, &made);
    EXPECT_EQ(made.lfHeight, stock.lfHeight * 2);
    EXPECT_STREQ(made.lfFaceName, stock.lfFaceName);
    DeleteObject(twice);
}

// The factors: the process's own at the system DPI (also with no source),
// DPI/96 at another.
TEST_F(DisplayTest, WindowFactorsFollowTheWindowsDpi)
{
    const UINT system = SystemDpi();
    EXPECT_EQ(WindowDpiScale(host_.hwnd()).x, dpiScaleX);
    ScopedWindowDpi source(system);
    EXPECT_EQ(WindowDpiScale(host_.hwnd()).x, dpiScaleX);
    EXPECT_EQ(WindowDpiScale(host_.hwnd()).y, dpiScaleY);
    for (UINT dpi : {96u, 120u, 144u, 192u}) {
        if (dpi == system)
            continue;
        source.Set(dpi);
        const DpiScale scale = WindowDpiScale(host_.hwnd());
        EXPECT_EQ(scale.dpi, dpi);
        EXPECT_EQ(scale.x, dpi * 0.010416666666666666);
        EXPECT_EQ(scale.y, scale.x);
    }
}

// Two DPIs in one process, as the system gives them: on a screen of more than
// 96 dpi a window made in a thread that is not DPI aware reports 96, one made
// aware reports the screen's. Runs where the prefix is set to such a screen.
TEST_F(DisplayTest, RealDpiOfAwareAndUnawareWindows)
{
    const int screen = EnvInt("ORVCC_EXPECT_DPI", 96);
    typedef void *(WINAPI * SetContextFn)(void *);
    SetContextFn setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void (*)(void)>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    // Only the dpi144 run has two DPIs to tell apart.
    if (screen == 96 || !setContext)
        return;
    void *previous = setContext(reinterpret_cast<void *>(-1) /* unaware */);
    HWND unaware = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    // This Wine refuses per-monitor v2; per-monitor (v1) or system aware both
    // give the screen's DPI on one monitor.
    if (!setContext(reinterpret_cast<void *>(-3) /* per-monitor */))
        setContext(reinterpret_cast<void *>(-2) /* system aware */);
    HWND aware = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    setContext(previous);
    EXPECT_EQ(WindowDpi(unaware), 96u);
    EXPECT_EQ(WindowDpi(aware), static_cast<UINT>(screen));
    EXPECT_EQ(WindowDpiScale(unaware).x, 1.0);
    EXPECT_EQ(WindowDpiScale(aware).x, screen * 0.010416666666666666);
    DestroyWindow(unaware);
    DestroyWindow(aware);
}

// The headers the library owns (the meter's caption strip, the grid's column
// header) turn dark and back with the rest of their control.
namespace {
HWND CaptionStrip(HWND meter)
{
    return GetWindow(meter, GW_CHILD);
}
void TwoColumns(HWND grid)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 120;
    column.pszText = const_cast<char *>("Artikel");
    for (int c = 0; c < 2; ++c)
        SendMessageA(grid, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
}
HWND ColumnHeader(HWND grid)
{
    return reinterpret_cast<HWND>(SendMessageA(GetWindow(grid, GW_CHILD), LVM_GETHEADER, 0, 0));
}
}  // namespace

TEST_F(DisplayTest, OwnedHeadersFollowDarkMode)
{
    const DisplayCase cases[] = {
        {"meter caption strip", "ORV_AnalogMeterClass", 200, 150, 0, NULL, CaptionStrip},
        {"grid column header", "ORV_GridControlClass", 300, 120, 0, TwoColumns, ColumnHeader},
    };
    for (const DisplayCase &c : cases)
        ExpectDarkSwitch(host_.hwnd(), c, RECT{}, RECT{});
}
