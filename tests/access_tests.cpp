// Accessibility seen from a client: the object a screen reader gets for each
// control, the link's default action, the value and state events an
// out-of-context hook receives, and objects outliving their window.
#include <gtest/gtest.h>

#include "accessfixture.h"
#include "weblink.h"

#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace orvtest;

namespace {

std::vector<std::string> g_opened;  // what the link asked the shell to open

HINSTANCE WINAPI RecordOpenA(HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_opened.push_back(file);
    return reinterpret_cast<HINSTANCE>(42);
}

HINSTANCE WINAPI RecordOpenW(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT)
{
    char narrow[512] = "";
    WideCharToMultiByte(CP_ACP, 0, file, -1, narrow, sizeof narrow, NULL, NULL);
    return RecordOpenA(NULL, NULL, narrow, NULL, NULL, 0);
}

class AccessTest : public AccessFixture {
public:
    AccessTest()
        : AccessFixture(ORVCC_PROGRESS_CLASS | ORVCC_ANALOGMETER_CLASS | ORVCC_WEBLINK_CLASS | ORVCC_LED_CLASS)
    {
        webLinkShellExecuteA = RecordOpenA;
        webLinkShellExecuteW = RecordOpenW;
        g_opened.clear();
    }
    HWND Create(const char *className, const char *text)
    {
        HWND hwnd = CreateWindowInFlavour(className, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 120,
                                          60, host_.hwnd(), 7);
        SetWindowTextA(hwnd, text);
        return hwnd;
    }
    IAccessible *Object(HWND hwnd)
    {
        IAccessible *object = ClientObject(hwnd);
        EXPECT_TRUE(object);
        return object;
    }
};

// How each control is set up for a row: class, text, messages, then the focus.
enum Case { kProgress37, kProgressThird, kMeter, kMeterNoCaption, kDigit, kDigitPoint,
             kDigitDark, kLampLit, kLampDark, kLink, kLinkFocused };
const AMINFO kNoCaption = {AMIF_STYLE, AMS_NOCAPTION, AMS_NOCAPTION, 0, 0, 0, 0, 0};
const struct { UINT message; WPARAM wParam; LPARAM lParam; } kNone = {WM_NULL, 0, 0};
const struct {
    const char *className, *text;
    decltype(kNone) steps[3];
    bool focus;
} kCases[] = {
    {"ORV_ProgressClass", "Copying", {{PGM_SETRANGE32, 0, 100}, {PGM_SETPOS, 37, 0}, kNone}, false},
    {"ORV_ProgressClass", "Copying", {{PGM_SETRANGE32, 0, 3}, {PGM_SETPOS, 1, 0}, kNone}, false},
    {"ORV_AnalogMeterClass", "Load", {{AMM_SETPOS, 0, 42}, kNone, kNone}, false},
    {"ORV_AnalogMeterClass", "Load",
     {{AMM_SETINFO, 0, reinterpret_cast<LPARAM>(&kNoCaption)}, {AMM_SETPOS, 0, 42}, kNone}, false},
    {"ORV_LEDClass", "", {{LDM_SETDIGIT, 7, 0}, {LDM_SETFLAGS, 0, LDF_POINT}, kNone}, false},
    {"ORV_LEDClass", "", {{LDM_SETTYPE, 0, LDT_DIGITDP}, {LDM_SETDIGIT, 7, 0}, {LDM_SETFLAGS, 0, LDF_POINT}}, false},
    {"ORV_LEDClass", "", {{LDM_SETTYPE, 0, LDT_DIGITDP}, {LDM_SETDIGIT, 7, 0}, {LDM_SETFLAGS, 0, LDF_POINT | LDF_OFF}}, false},
    {"ORV_LEDClass", "", {{LDM_SETTYPE, 0, LDT_ROUND}, kNone, kNone}, false},
    {"ORV_LEDClass", "", {{LDM_SETTYPE, 0, LDT_ROUND}, {LDM_SETFLAGS, 0, LDF_OFF}, kNone}, false},
    {"ORV_WebLinkClass", "Home page", {kNone, kNone, kNone}, false},
    {"ORV_WebLinkClass", "Home page", {kNone, kNone, kNone}, true},
};

HWND Make(AccessTest *test, Case setup)
{
    HWND hwnd = test->Create(kCases[setup].className, kCases[setup].text);
    for (const auto &step : kCases[setup].steps)
        SendMessage(hwnd, step.message, step.wParam, step.lParam);
    if (kCases[setup].focus)
        SetFocus(hwnd);
    return hwnd;
}

TEST_F(AccessTest, EachControlTellsRoleNameValueAndState)
{
    const DWORD ro = STATE_SYSTEM_READONLY, checked = STATE_SYSTEM_CHECKED,
                focused = STATE_SYSTEM_FOCUSED, linkBits = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
    const struct {
        Case setup;
        LONG role;
        const wchar_t *name;  // NULL: the standard object's
        const wchar_t *value;
        DWORD set, clear;
    } rows[] = {
        {kProgress37, ROLE_SYSTEM_PROGRESSBAR, NULL, L"37%", ro, 0},
        {kProgressThird, ROLE_SYSTEM_PROGRESSBAR, NULL, L"33%", ro, 0},
        {kMeter, ROLE_SYSTEM_PROGRESSBAR, L"Load", L"42", ro, 0},
        {kMeterNoCaption, ROLE_SYSTEM_PROGRESSBAR, NULL, L"42", ro, 0},
        {kDigit, ROLE_SYSTEM_STATICTEXT, NULL, L"7", ro, checked},
        {kDigitPoint, ROLE_SYSTEM_STATICTEXT, NULL, L"7.", ro, checked},
        {kDigitDark, ROLE_SYSTEM_STATICTEXT, NULL, L"off", ro, checked},
        {kLampLit, ROLE_SYSTEM_INDICATOR, NULL, L"on", ro | checked, 0},
        {kLampDark, ROLE_SYSTEM_INDICATOR, NULL, L"off", ro, checked},
        {kLink, ROLE_SYSTEM_LINK, L"Home page", L"<none>", linkBits, focused | ro},
        {kLinkFocused, ROLE_SYSTEM_LINK, L"Home page", L"<none>", linkBits | focused, ro},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.setup);
        HWND hwnd = Make(this, row.setup);
        IAccessible *object = Object(hwnd);
        ASSERT_TRUE(object);
        VARIANT role, state;
        ASSERT_EQ(object->get_accRole(Self(), &role), S_OK);
        EXPECT_EQ(role.lVal, row.role);
        EXPECT_EQ(Ask(object, &IAccessible::get_accValue), row.value);
        if (row.name) {
            EXPECT_EQ(Ask(object, &IAccessible::get_accName), row.name);
        }
        ASSERT_EQ(object->get_accState(Self(), &state), S_OK);
        EXPECT_EQ(static_cast<DWORD>(state.lVal) & (row.set | row.clear), row.set);
        // What the standard object knows still comes through.
        LONG x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(object->accLocation(&x, &y, &w, &h, Self()), S_OK);
        EXPECT_EQ(w * 1000 + h, 120060);
        object->Release();
        DestroyWindow(hwnd);
    }
}

TEST_F(AccessTest, LinkDefaultActionIsAClick)
{
    const struct { const char *target; DWORD style; BOOL enabled; bool opens, takesFocus; } rows[] = {
        {"http://example.invalid/a", 0, TRUE, true, false},
        {"C:\\no\\such\\file.txt", WLS_FOCUSONCLICK, TRUE, true, true},
        {"", 0, TRUE, false, false},
        {"http://example.invalid/b", WLS_FOCUSONCLICK, FALSE, false, false},  // a disabled link
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.target);
        g_opened.clear();
        host_.messages.Flush();
        SetFocus(host_.hwnd());
        HWND link = Create("ORV_WebLinkClass", "Docs");
        SendMessage(link, WLM_SETURLA, 0, reinterpret_cast<LPARAM>(row.target));
        SendMessage(link, WLM_SETSTYLE, WLS_FOCUSONCLICK, row.style);
        EnableWindow(link, row.enabled);
        IAccessible *object = Object(link);
        ASSERT_TRUE(object);
        EXPECT_EQ(Ask(object, &IAccessible::get_accDefaultAction), L"Jump");
        EXPECT_EQ(object->accDoDefaultAction(Self()), row.enabled ? S_OK : DISP_E_MEMBERNOTFOUND);
        EXPECT_EQ(g_opened, row.opens ? std::vector<std::string>{row.target} : std::vector<std::string>{});
        EXPECT_EQ(GetFocus() == link, row.takesFocus);
        EXPECT_EQ(!host_.notifications().empty() &&
                      host_.notifications().back().code == static_cast<int>(NM_RELEASEDCAPTURE),
                  row.enabled != FALSE);
        object->Release();
        DestroyWindow(link);
    }
}

TEST_F(AccessTest, HookSeesValueStateAndNameChangesOnlyWhenTheyHappen)
{
    const LPARAM home = reinterpret_cast<LPARAM>("Home page"), other = reinterpret_cast<LPARAM>("Other"),
                 load = reinterpret_cast<LPARAM>("Load");
    const AMINFO caption = {AMIF_STYLE, 0, AMS_NOCAPTION, 0, 0, 0, 0, 0};
    const struct {
        Case setup;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int values, states, names;
    } rows[] = {
        {kProgress37, PGM_SETPOS, 38, 0, 1, 0, 0},
        {kProgress37, PGM_SETPOS, 37, 0, 0, 0, 0},
        {kProgress37, PGM_SETRANGE32, 0, 200, 1, 0, 0},       // 37 of 200 shows 18%
        {kProgress37, PGM_SETRANGE32, 0, 100, 0, 0, 0},
        {kMeter, AMM_SETPOS, 0, 43, 1, 0, 0},
        {kMeter, AMM_SETPOS, 0, 42, 0, 0, 0},
        {kMeter, AMM_DELTAPOS, 1, 0, 0, 0, 0},
        {kDigit, LDM_SETDIGIT, 3, 0, 1, 0, 0},
        {kDigit, LDM_SETDIGIT, 7, 0, 0, 0, 0},
        {kDigit, LDM_SETFLAGS, 0, LDF_POINT, 0, 0, 0},        // no point on a plain digit
        {kDigitPoint, LDM_SETFLAGS, 0, 0, 1, 0, 0},           // "7." -> "7"
        {kLampLit, LDM_SETFLAGS, 0, LDF_OFF, 1, 1, 0},
        {kLampDark, LDM_SETFLAGS, 0, LDF_OFF, 0, 0, 0},
        {kLink, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, 1, 0},  // turns hot
        {kLink, WM_MOUSELEAVE, 0, 0, 0, 0, 0},                // was not hot
        {kLinkFocused, WM_KILLFOCUS, 0, 0, 0, 1, 0},
        {kLink, WM_SETTEXT, 0, other, 0, 0, 1},
        {kLink, WM_SETTEXT, 0, home, 0, 0, 0},
        {kMeter, WM_SETTEXT, 0, other, 0, 0, 1},
        {kMeter, WM_SETTEXT, 0, load, 0, 0, 0},
        {kMeterNoCaption, WM_SETTEXT, 0, other, 0, 0, 0},  // named by its label
        {kMeterNoCaption, AMM_SETINFO, 0, reinterpret_cast<LPARAM>(&caption), 0, 0, 1},
        {kProgress37, WM_SETTEXT, 0, other, 0, 0, 0},
    };
    WinEventLog log(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE);  // names too
    ASSERT_TRUE(log.installed());
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.setup << " message " << row.message);
        HWND hwnd = Make(this, row.setup);
        PumpMessages();
        log.events.clear();
        SendMessageA(hwnd, row.message, row.wParam, row.lParam);
        PumpMessages();
        EXPECT_EQ(log.Count(EVENT_OBJECT_VALUECHANGE, hwnd), row.values);
        EXPECT_EQ(log.Count(EVENT_OBJECT_STATECHANGE, hwnd), row.states);
        EXPECT_EQ(log.Count(EVENT_OBJECT_NAMECHANGE, hwnd), row.names);
        DestroyWindow(hwnd);
    }
}

TEST_F(AccessTest, ObjectOutlivingItsControlFailsCleanly)
{
    for (Case setup : {kProgress37, kMeter, kDigit, kLink}) {
        SCOPED_TRACE(testing::Message() << "row " << setup);
        HWND hwnd = Make(this, setup);
        IAccessible *object = Object(hwnd);
        ASSERT_TRUE(object);
        DestroyWindow(hwnd);
        VARIANT role, state;
        LONG x, y, w, h, count;
        IDispatch *parent = NULL;
        EXPECT_TRUE(FAILED(object->get_accRole(Self(), &role)) && FAILED(object->get_accState(Self(), &state)) &&
                    FAILED(object->accLocation(&x, &y, &w, &h, Self())) &&
                    FAILED(object->accDoDefaultAction(Self())) && FAILED(object->get_accChildCount(&count)) &&
                    FAILED(object->get_accParent(&parent)));
        EXPECT_EQ(Ask(object, &IAccessible::get_accName) + Ask(object, &IAccessible::get_accValue),
                  L"<none><none>");
        EXPECT_TRUE(g_opened.empty());
        EXPECT_EQ(object->Release(), 0u);
    }
}

}  // namespace

