// A screen reader's side of the accessibility tests: the object a client gets
// for a window, string answers about it, and an out-of-context WinEvent hook
// recording what it sees.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orvtest {

inline VARIANT Self()
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

// The client object of a window, NULL (with a failed expectation left to the
// caller) when the client cannot get one.
inline IAccessible *ClientObject(HWND hwnd)
{
    IAccessible *object = NULL;
    // __uuidof, not IID_IAccessible: the 64-bit oleacc import library has a code
    // thunk under that name, which wins over the identifier when linked first.
    if (FAILED(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&object))))
        return NULL;
    return object;
}

// A string answer about a child (CHILDID_SELF: the object itself), "<none>" when
// the call fails or gives none.
inline std::wstring Ask(IAccessible *object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *),
                        LONG child = CHILDID_SELF)
{
    VARIANT id = Self();
    id.lVal = child;
    BSTR text = NULL;
    const HRESULT hr = (object->*get)(id, &text);
    std::wstring result = SUCCEEDED(hr) && text ? std::wstring(text) : L"<none>";
    SysFreeString(text);
    return result;
}

// Every WinEvent of this process between two event numbers, as an out-of-context
// client sees them (delivered while the thread pumps messages).
struct WinEventRecord {
    DWORD event;
    HWND hwnd;
    LONG object, child;
    bool operator==(const WinEventRecord &o) const
    {
        return event == o.event && hwnd == o.hwnd && object == o.object && child == o.child;
    }
};

class WinEventLog {
public:
    WinEventLog(DWORD first, DWORD last)
    {
        log_ = &events;
        hook_ = SetWinEventHook(first, last, NULL, OnEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }
    ~WinEventLog()
    {
        if (hook_)
            UnhookWinEvent(hook_);
        log_ = NULL;
    }
    WinEventLog(const WinEventLog &) = delete;
    WinEventLog &operator=(const WinEventLog &) = delete;

    bool installed() const { return hook_ != NULL; }
    // How often an event came for the client object (or a child) of a window.
    long Count(DWORD event, HWND hwnd, LONG object = OBJID_CLIENT, LONG child = CHILDID_SELF) const
    {
        return static_cast<long>(
            std::count(events.begin(), events.end(), WinEventRecord{event, hwnd, object, child}));
    }
    std::vector<WinEventRecord> events;

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
    {
        if (log_)
            log_->push_back({event, hwnd, object, child});
    }
    static inline std::vector<WinEventRecord> *log_ = NULL;
    HWINEVENTHOOK hook_;
};

}  // namespace orvtest
