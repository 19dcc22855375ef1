// What every control of the library shares (internal): where its state record is
// kept, the handlers of the messages every control answers alike, and the calls
// whose ANSI and Unicode entry points differ.
//
// A control's file reads top to bottom: its state record, its handlers (one small
// function per message, named after it), and the window procedure, whose one
// switch hands each message to its handler.
#pragma once

#include "access.h"

// ---------------------------------------------------------------------------
// The state record: held in the window's user-data slot from WM_CREATE on and
// cleared at WM_DESTROY, so a message that still arrives afterwards finds none.

LONG_PTR ControlGetSlot(HWND hwnd);
void ControlSetSlot(HWND hwnd, LONG_PTR value);

template <class State>
State *ControlState(HWND hwnd)
{
    return reinterpret_cast<State *>(ControlGetSlot(hwnd));
}

inline void ControlSetState(HWND hwnd, void *state)
{
    ControlSetSlot(hwnd, reinterpret_cast<LONG_PTR>(state));
}

// ---------------------------------------------------------------------------
// Calls that differ by character width, chosen at the call: wide for a window
// whose procedure is the Unicode one. The ANSI flavour makes only ANSI calls, as
// it must also run where the Unicode entry points do nothing.

LRESULT DefWindowProcAW(bool wide, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageAW(bool wide, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageAW(bool wide, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
ULONG_PTR GetClassLongPtrAW(bool wide, HWND hwnd, int index);
BOOL SystemParametersInfoAW(bool wide, UINT action, UINT param, void *value);
// DefWindowProc in the process's flavour (for a procedure that serves both).
inline LRESULT ControlDefProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcAW(platformIsNT != FALSE, hwnd, message, wParam, lParam);
}
// A shared system cursor (IDC_xxx number).
HCURSOR LoadSystemCursorAW(bool wide, WORD id);
// Parent notification with a bare header (WM_NOTIFY, wParam = control id).
inline void NotifyParentAW(bool wide, HWND hwnd, int code)
{
    if (wide)
        NotifyParentW(hwnd, code);
    else
        NotifyParentA(hwnd, code);
}

// ---------------------------------------------------------------------------
// Standard handlers.

// WM_SETFOCUS, WM_KILLFOCUS: NM_SETFOCUS or NM_KILLFOCUS to the parent.
LRESULT ControlOnFocus(HWND hwnd, UINT message);

// WM_ERASEBKGND: the control paints every pixel of its client area in WM_PAINT.
inline LRESULT ControlOnEraseBkgnd(void)
{
    return 1;
}

// WM_THEMECHANGED: closes the control's theme data and opens its class's again
// (null while themes do not apply to controls).
LRESULT ControlOnThemeChanged(HWND hwnd, HTHEME *theme, LPCWSTR themeClass);

// WM_GETOBJECT is AccessGetObject with the control's table (access.h).

// A message that may change what screen readers are told runs inside one of
// these (AccessWatch). With once set, a watch of the same window that is already
// running on this thread takes the message in: what the control sends itself
// while handling a watched message is part of that message.
class ControlWatch {
public:
    ControlWatch(HWND hwnd, const AccessClass *table, bool nameMayChange = false,
                 bool once = false);
    ~ControlWatch();
    ControlWatch(const ControlWatch &) = delete;
    ControlWatch &operator=(const ControlWatch &) = delete;

private:
    AccessWatch *watch_;
    HWND outer_;
    bool once_;
    alignas(AccessWatch) unsigned char storage_[sizeof(AccessWatch)];
};
