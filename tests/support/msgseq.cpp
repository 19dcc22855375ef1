#include "msgseq.h"

#include <commctrl.h>
#include <stdio.h>

#include <algorithm>

namespace orvtest {
namespace {

// A subclassed window. The entry outlives its recorder (recorder NULL then), so
// the subclass procedure can always reach the previous procedure.
struct Watched {
    HWND hwnd;
    WNDPROC previous;
    bool wide;
    MsgRecorder *recorder;
    std::vector<UINT> only;
    unsigned side;
};
std::vector<Watched> watched;

// The message last taken from the queue, until its window procedure sees it:
// that call is the posted one. Set by a WH_GETMESSAGE hook of the thread, there
// only while a recorder watches windows: tests that merely use a host window
// run without it.
HHOOK hook;
int watchers;
HWND pendingHwnd;
UINT pendingMessage;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG *msg = reinterpret_cast<const MSG *>(lParam);
        pendingHwnd = msg->hwnd;
        pendingMessage = msg->message;
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

Watched *FindWatched(HWND hwnd)
{
    for (Watched &w : watched)
        if (w.hwnd == hwnd)
            return &w;
    return nullptr;
}

bool Wanted(const std::vector<UINT> &only, UINT message)
{
    static const UINT noisy[] = {WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE, WM_NCMOUSEMOVE, WM_GETICON, WM_GETOBJECT};
    if (only.empty())
        return std::find(std::begin(noisy), std::end(noisy), message) == std::end(noisy);
    return std::find(only.begin(), only.end(), message) != only.end();
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Watched *w = FindWatched(hwnd);
    if (!w)  // cannot happen while the subclass is in place
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const Watched entry = *w;  // the vector may change during the call
    if (entry.recorder && Wanted(entry.only, message))
        entry.recorder->Record(hwnd, message, wParam, lParam, entry.side);
    const LRESULT result = entry.wide ? CallWindowProcW(entry.previous, hwnd, message, wParam, lParam)
                                      : CallWindowProcA(entry.previous, hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        watched.erase(std::remove_if(watched.begin(), watched.end(),
                                     [hwnd](const Watched &x) { return x.hwnd == hwnd; }),
                      watched.end());
    }
    return result;
}

std::string Hex(unsigned long long value)
{
    char text[24];
    snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

std::string How(unsigned flags)
{
    const char *how = flags & kPosted ? "posted" : flags & kSent ? "sent" : "sent or posted";
    return std::string(how) + (flags & kParent ? " parent" : "");
}

// Without kSent or kPosted an expected row takes either.
bool Matches(const ExpectedMsg &e, const RecordedMsg &r)
{
    const unsigned how = e.flags & (kSent | kPosted);
    return e.message == r.message && (e.flags & kParent) == (r.flags & kParent) &&
           (!how || how == (r.flags & (kSent | kPosted))) &&
           (!(e.flags & kWParam) || e.wParam == r.wParam) && (!(e.flags & kLParam) || e.lParam == r.lParam) &&
           (!(e.flags & kCode) || e.code == r.code) && (!(e.flags & kDetail) || e.detail == r.detail);
}

std::string Describe(const ExpectedMsg &e)
{
    std::string s = MessageName(e.message) + " " + How(e.flags);
    if (e.flags & kWParam)
        s += " wParam=" + Hex(e.wParam);
    if (e.flags & kLParam)
        s += " lParam=" + Hex(static_cast<unsigned long long>(e.lParam));
    if (e.flags & kCode)
        s += " code=" + (e.message == WM_NOTIFY ? NotifyCodeName(e.code) : Hex(e.code));
    if (e.flags & kDetail)
        s += " \"" + e.detail + "\"";
    return s + (e.flags & kOptional ? " (optional)" : "");
}

std::string Describe(const RecordedMsg &r)
{
    std::string s = MessageName(r.message) + " " + How(r.flags) + " wParam=" + Hex(r.wParam) +
                    " lParam=" + Hex(static_cast<unsigned long long>(r.lParam));
    if (r.message == WM_NOTIFY || r.message == WM_COMMAND)
        s += " code=" + (r.message == WM_NOTIFY ? NotifyCodeName(r.code) : Hex(r.code)) + " id=" +
             std::to_string(r.idFrom) + " from=" + Hex(reinterpret_cast<UINT_PTR>(r.hwndFrom));
    else if (r.code)
        s += " code=" + NotifyCodeName(r.code);
    if (!r.detail.empty())
        s += " \"" + r.detail + "\"";
    return s;
}

struct Name {
    UINT value;
    const char *name;
};
template <size_t N>
const char *Lookup(const Name (&names)[N], UINT value)
{
    for (const Name &n : names)
        if (n.value == value)
            return n.name;
    return nullptr;
}
#define NAME(x) {static_cast<UINT>(x), #x}
const Name kMessages[] = {
    NAME(WM_CREATE), NAME(WM_DESTROY), NAME(WM_MOVE), NAME(WM_SIZE), NAME(WM_SETFOCUS),
    NAME(WM_KILLFOCUS), NAME(WM_ENABLE), NAME(WM_SETTEXT), NAME(WM_GETTEXT), NAME(WM_PAINT),
    NAME(WM_ERASEBKGND), NAME(WM_SHOWWINDOW), NAME(WM_SETFONT), NAME(WM_GETFONT),
    NAME(WM_WINDOWPOSCHANGING), NAME(WM_WINDOWPOSCHANGED), NAME(WM_NOTIFY), NAME(WM_STYLECHANGED),
    NAME(WM_NCCREATE), NAME(WM_NCDESTROY), NAME(WM_GETDLGCODE), NAME(WM_KEYDOWN), NAME(WM_KEYUP),
    NAME(WM_CHAR), NAME(WM_COMMAND), NAME(WM_TIMER), NAME(WM_HSCROLL), NAME(WM_VSCROLL),
    NAME(WM_LBUTTONDOWN), NAME(WM_LBUTTONUP), NAME(WM_CAPTURECHANGED), NAME(WM_NOTIFYFORMAT),
};
const Name kCodes[] = {
    NAME(NM_OUTOFMEMORY), NAME(NM_CLICK), NAME(NM_DBLCLK), NAME(NM_RETURN), NAME(NM_RCLICK),
    NAME(NM_RDBLCLK), NAME(NM_SETFOCUS), NAME(NM_KILLFOCUS), NAME(NM_CUSTOMDRAW), NAME(NM_HOVER),
    NAME(NM_RELEASEDCAPTURE), NAME(LVN_ITEMCHANGING), NAME(LVN_ITEMCHANGED), NAME(LVN_INSERTITEM),
    NAME(LVN_DELETEITEM), NAME(LVN_COLUMNCLICK), NAME(LVN_BEGINLABELEDITA), NAME(LVN_BEGINLABELEDITW),
    NAME(LVN_ENDLABELEDITA), NAME(LVN_ENDLABELEDITW),
};
#undef NAME

}  // namespace

std::string MessageName(UINT message)
{
    if (const char *name = Lookup(kMessages, message))
        return name;
    if (message >= WM_APP && message < 0xC000)
        return message == WM_APP ? "WM_APP" : "WM_APP+" + std::to_string(message - WM_APP);
    if (message >= WM_USER && message < WM_APP)
        return message == WM_USER ? "WM_USER" : "WM_USER+" + std::to_string(message - WM_USER);
    return Hex(message);
}

std::string NotifyCodeName(UINT code)
{
    const char *name = Lookup(kCodes, code);
    return name ? name : std::to_string(static_cast<int>(code));
}

MsgRecorder::~MsgRecorder()
{
    for (Watched &w : watched)
        if (w.recorder == this)
            w.recorder = nullptr;
    if (watching_ && --watchers == 0 && hook) {
        UnhookWindowsHookEx(hook);
        hook = NULL;
        pendingHwnd = NULL;
    }
}

void MsgRecorder::Watch(HWND hwnd, std::vector<UINT> only, unsigned side)
{
    if (!watching_) {
        watching_ = true;
        if (watchers++ == 0)
            hook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, NULL, GetCurrentThreadId());
    }
    const bool wide = IsWindowUnicode(hwnd) != FALSE;
    const LONG_PTR previous = wide ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    watched.push_back({hwnd, reinterpret_cast<WNDPROC>(previous), wide, this, std::move(only), side});
    const LONG_PTR proc = reinterpret_cast<LONG_PTR>(SubclassProc);
    if (wide)
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, proc);
    else
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, proc);
}

RecordedMsg &MsgRecorder::Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned side)
{
    const bool posted = hwnd == pendingHwnd && message == pendingMessage;
    if (posted)
        pendingHwnd = NULL;
    RecordedMsg r = {hwnd, message, side | (posted ? kPosted : kSent), wParam, lParam, 0, 0, NULL, ""};
    if (message == WM_NOTIFY && lParam) {
        const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
        r.code = header->code;
        r.idFrom = header->idFrom;
        r.hwndFrom = header->hwndFrom;
    } else if (message == WM_COMMAND) {
        r.code = HIWORD(wParam);
        r.idFrom = LOWORD(wParam);
        r.hwndFrom = reinterpret_cast<HWND>(lParam);
    }
    log_.push_back(r);
    return log_.back();
}

::testing::AssertionResult MsgRecorder::Check(const std::vector<ExpectedMsg> &expected,
                                              const std::string &context)
{
    size_t e = 0, r = 0;
    while (e < expected.size() && r < log_.size()) {
        if (Matches(expected[e], log_[r]))
            ++e, ++r;
        else if (expected[e].flags & kOptional)
            ++e;
        else
            break;
    }
    while (e < expected.size() && (expected[e].flags & kOptional))
        ++e;
    if (e == expected.size() && r == log_.size()) {
        Flush();
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "message sequence \"" << context << "\" differs at expected " << e << ", recorded " << r
            << "\n  expected:";
    for (size_t i = 0; i < expected.size(); ++i)
        failure << "\n  " << (i == e ? "> " : "  ") << i << " " << Describe(expected[i]);
    failure << "\n  recorded:";
    for (size_t i = 0; i < log_.size(); ++i)
        failure << "\n  " << (i == r ? "> " : "  ") << i << " " << Describe(log_[i]);
    Flush();
    return failure;
}

}  // namespace orvtest
