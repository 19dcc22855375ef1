// Accessibility seen from a client: the object a screen reader gets for each
// control, the link's default action, the value and state events an
// out-of-context hook receives, and objects outliving their window.
#include <gtest/gtest.h>

#include "access.h"
#include "testing.h"
#include "weblink.h"

#include <oleacc.h>

#include <string>
#include <vector>

using namespace orvtest;

namespace {

std::vector<std::wstring> g_opened;

template <class C>
HINSTANCE WINAPI RecordOpen(HWND, const C *, const C *file, const C *, const C *, INT)
{
    wchar_t wide[512] = L"";
    if (sizeof(C) == 1)
        MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char *>(file), -1, wide, 512);
    else
        lstrcpynW(wide, reinterpret_cast<const wchar_t *>(file), 512);
    g_opened.push_back(wide);
    return reinterpret_cast<HINSTANCE>(42);
}

struct Event {
    DWORD event;
    HWND hwnd;
};
std::vector<Event> g_events;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        g_events.push_back({event, hwnd});
}

VARIANT Self()
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

// A string answer, "<none>" when the call fails or gives none.
std::wstring Text(HRESULT hr, BSTR text)
{
    std::wstring result = SUCCEEDED(hr) && text ? std::wstring(text) : L"<none>";
    SysFreeString(text);
    return result;
}

class AccessTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
        ASSERT_TRUE(InitORVCC(ORVCC_PROGRESS_CLASS | ORVCC_ANALOGMETER_CLASS | ORVCC_WEBLINK_CLASS |
                              ORVCC_LED_CLASS));
        webLinkShellExecuteA = RecordOpen<char>;
        webLinkShellExecuteW = RecordOpen<WCHAR>;
        g_opened.clear();
        g_events.clear();
        live_ = AccessLiveObjects();
    }
    void TearDown() override
    {
        PumpMessages();
        EXPECT_EQ(AccessLiveObjects(), live_) << "objects not freed";
        CoUninitialize();
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
        IAccessible *object = NULL;
        EXPECT_EQ(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, IID_IAccessible,
                                             reinterpret_cast<void **>(&object)),
                  S_OK);
        return object;
    }
    HostWindow host_;
    LONG live_ = 0;
};

// How each control is set up for a row.
enum Case { kProgress37, kProgressThird, kMeter, kMeterNoCaption, kDigit, kDigitPoint,
             kDigitDark, kLampLit, kLampDark, kLink, kLinkFocused };

HWND Make(AccessTest *test, Case setup)
{
    switch (setup) {
    case kProgress37: case kProgressThird: {
        HWND bar = test->Create("ORV_ProgressClass", "Copying");
        SendMessage(bar, PGM_SETRANGE32, 0, setup == kProgress37 ? 100 : 3);
        SendMessage(bar, PGM_SETPOS, setup == kProgress37 ? 37 : 1, 0);
        return bar;
    }
    case kMeter: case kMeterNoCaption: {
        HWND meter = test->Create("ORV_AnalogMeterClass", "Load");
        if (setup == kMeterNoCaption) {
            AMINFO info = {};
            info.dwMask = AMIF_STYLE;
            info.dwStyle = info.dwStyleMask = AMS_NOCAPTION;
            SendMessage(meter, AMM_SETINFO, 0, reinterpret_cast<LPARAM>(&info));
        }
        SendMessage(meter, AMM_SETPOS, 0, 42);
        return meter;
    }
    case kDigit: case kDigitPoint: case kDigitDark: {
        HWND led = test->Create("ORV_LEDClass", "");
        SendMessage(led, LDM_SETTYPE, 0, setup == kDigitPoint ? LDT_DIGITDP : LDT_DIGIT);
        SendMessage(led, LDM_SETDIGIT, 7, 0);
        SendMessage(led, LDM_SETFLAGS, 0, setup == kDigitDark ? LDF_OFF | LDF_POINT : LDF_POINT);
        return led;
    }
    case kLampLit: case kLampDark: {
        HWND led = test->Create("ORV_LEDClass", "");
        SendMessage(led, LDM_SETTYPE, 0, LDT_ROUND);
        SendMessage(led, LDM_SETFLAGS, 0, setup == kLampDark ? LDF_OFF : 0);
        return led;
    }
    case kLink: case kLinkFocused: {
        HWND link = test->Create("ORV_WebLinkClass", "Home page");
        if (setup == kLinkFocused)
            SetFocus(link);
        return link;
    }
    }
    return NULL;
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
        EXPECT_EQ(role.vt, VT_I4);
        EXPECT_EQ(role.lVal, row.role);
        BSTR text = NULL;
        HRESULT hr = object->get_accValue(Self(), &text);
        EXPECT_EQ(Text(hr, text), row.value);
        text = NULL;
        hr = object->get_accName(Self(), &text);
        if (row.name)
            EXPECT_EQ(Text(hr, text), row.name);
        else
            SysFreeString(text);
        ASSERT_EQ(object->get_accState(Self(), &state), S_OK);
        EXPECT_EQ(static_cast<DWORD>(state.lVal) & (row.set | row.clear), row.set);
        // What the standard object knows still comes through.
        LONG x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(object->accLocation(&x, &y, &w, &h, Self()), S_OK);
        EXPECT_EQ(w, 120);
        EXPECT_EQ(h, 60);
        IDispatch *parent = NULL;
        EXPECT_EQ(object->get_accParent(&parent), S_OK);
        if (parent)
            parent->Release();
        object->Release();
        DestroyWindow(hwnd);
    }
}

TEST_F(AccessTest, LinkDefaultActionIsAClick)
{
    const struct { const char *target; DWORD style; bool opens; bool takesFocus; } rows[] = {
        {"http://example.invalid/a", 0, true, false},
        {"C:\\no\\such\\file.txt", WLS_FOCUSONCLICK, true, true},
        {"", 0, false, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.target);
        g_opened.clear();
        host_.notifications.clear();
        SetFocus(host_.hwnd());
        HWND link = Create("ORV_WebLinkClass", "Docs");
        SendMessage(link, WLM_SETURLA, 0, reinterpret_cast<LPARAM>(row.target));
        SendMessage(link, WLM_SETSTYLE, WLS_FOCUSONCLICK, row.style);
        IAccessible *object = Object(link);
        ASSERT_TRUE(object);
        BSTR action = NULL;
        const HRESULT hr = object->get_accDefaultAction(Self(), &action);
        EXPECT_EQ(Text(hr, action), L"Jump");
        EXPECT_EQ(object->accDoDefaultAction(Self()), S_OK);
        ASSERT_EQ(g_opened.size(), row.opens ? 1u : 0u);
        if (row.opens) {
            wchar_t expected[64];
            MultiByteToWideChar(CP_ACP, 0, row.target, -1, expected, 64);
            EXPECT_EQ(g_opened[0], expected);
        }
        EXPECT_EQ(GetFocus() == link, row.takesFocus);
        ASSERT_FALSE(host_.notifications.empty());
        EXPECT_EQ(host_.notifications.back().code, NM_RELEASEDCAPTURE);
        object->Release();
        DestroyWindow(link);
    }
}

TEST_F(AccessTest, HookSeesValueAndStateChangesOnlyWhenTheyHappen)
{
    const struct {
        Case setup;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int values, states;
    } rows[] = {
        {kProgress37, PGM_SETPOS, 38, 0, 1, 0},
        {kProgress37, PGM_SETPOS, 37, 0, 0, 0},
        {kProgress37, PGM_SETRANGE32, 0, 200, 1, 0},       // 37 of 200 shows 18%
        {kProgress37, PGM_SETRANGE32, 0, 100, 0, 0},
        {kMeter, AMM_SETPOS, 0, 43, 1, 0},
        {kMeter, AMM_SETPOS, 0, 42, 0, 0},
        {kMeter, AMM_DELTAPOS, 1, 0, 0, 0},
        {kDigit, LDM_SETDIGIT, 3, 0, 1, 0},
        {kDigit, LDM_SETDIGIT, 7, 0, 0, 0},
        {kDigit, LDM_SETFLAGS, 0, LDF_POINT, 0, 0},        // no point on a plain digit
        {kDigitPoint, LDM_SETFLAGS, 0, 0, 1, 0},           // "7." -> "7"
        {kLampLit, LDM_SETFLAGS, 0, LDF_OFF, 1, 1},
        {kLampDark, LDM_SETFLAGS, 0, LDF_OFF, 0, 0},
        {kLink, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, 1},  // becomes hot
    };
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE, NULL,
                                         OnWinEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook);
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.setup << " message " << row.message);
        HWND hwnd = Make(this, row.setup);
        PumpMessages();
        g_events.clear();
        SendMessage(hwnd, row.message, row.wParam, row.lParam);
        PumpMessages();
        int values = 0, states = 0;
        for (const Event &event : g_events) {
            if (event.hwnd != hwnd)
                continue;
            values += event.event == EVENT_OBJECT_VALUECHANGE;
            states += event.event == EVENT_OBJECT_STATECHANGE;
        }
        EXPECT_EQ(values, row.values);
        EXPECT_EQ(states, row.states);
        DestroyWindow(hwnd);
    }
    UnhookWinEvent(hook);
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
        BSTR text = NULL;
        LONG x, y, w, h, count;
        IDispatch *parent = NULL;
        EXPECT_TRUE(FAILED(object->get_accRole(Self(), &role)));
        EXPECT_TRUE(FAILED(object->get_accState(Self(), &state)));
        EXPECT_TRUE(FAILED(object->get_accName(Self(), &text)));
        EXPECT_TRUE(FAILED(object->get_accValue(Self(), &text)));
        EXPECT_TRUE(FAILED(object->accLocation(&x, &y, &w, &h, Self())));
        EXPECT_TRUE(FAILED(object->accDoDefaultAction(Self())));
        EXPECT_TRUE(FAILED(object->get_accChildCount(&count)));
        EXPECT_TRUE(FAILED(object->get_accParent(&parent)));
        // A new window of another class in the same slot changes nothing.
        HWND other = CreateWindowA("STATIC", "x", WS_CHILD, 0, 0, 5, 5, host_.hwnd(), NULL, NULL, NULL);
        EXPECT_TRUE(FAILED(object->get_accRole(Self(), &role)));
        DestroyWindow(other);
        EXPECT_TRUE(g_opened.empty());
        EXPECT_EQ(object->Release(), 0u);
    }
}

}  // namespace
