// Accessibility (internal): the controls' IAccessible objects and WinEvents.
// Everything is bound at run time (oleacc, oleaut32, NotifyWinEvent), so the
// library loads and every control works where they are missing.
#pragma once

#include "library.h"

#include <oleacc.h>

#ifndef EVENT_OBJECT_TEXTSELECTIONCHANGED
#define EVENT_OBJECT_TEXTSELECTIONCHANGED 0x8014
#endif

// What a control says about itself; everything else comes from the system's
// standard client object of the window.
struct AccessAnswers {
    LONG role;
    DWORD state;      // the control's own state bits...
    DWORD stateMask;  // ...replacing these bits of the standard object's state
    bool hasValue;
    WCHAR value[256];            // long enough for a table cell's position and text
    bool nameFromText;           // the window text names it (when not empty)
    const WCHAR *defaultAction;  // NULL: the standard object's
    WCHAR name[80];              // when not empty, the name (before nameFromText)
    WCHAR description[64];       // empty: the standard object's
    // A text control's selection in its own terms (e.g. first and last byte):
    // AccessWatch sends EVENT_OBJECT_TEXTSELECTIONCHANGED when it changes.
    DWORD textSelection[2];
    // Children: with ownChildren set the object's children are exactly these
    // windows, child i being childWindows[i - 1]; else the standard object's.
    bool ownChildren;
    int childWindowCount;
    HWND childWindows[4];
};

// A control's table: describe fills the answers from the control's present state
// and returns false when the window no longer has one (being destroyed);
// doDefaultAction (may be NULL) does what the default action does.
struct AccessClass {
    bool (*describe)(HWND hwnd, AccessAnswers *answers);
    HRESULT (*doDefaultAction)(HWND hwnd);
};

// WM_GETOBJECT: the control's object for OBJID_CLIENT, the default handling for
// anything else or when the entry points are missing.
LRESULT AccessGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const AccessClass *table);

// NotifyWinEvent for the control's client object, when the system has it.
void AccessNotify(HWND hwnd, DWORD event);

// Watches one message: notes the value and state before it, and on leaving the
// scope sends EVENT_OBJECT_VALUECHANGE / EVENT_OBJECT_STATECHANGE for what changed,
// and EVENT_OBJECT_NAMECHANGE when asked to watch the name (messages that may
// change the window text or whether it names the control).
class AccessWatch {
public:
    AccessWatch(HWND hwnd, const AccessClass *table, bool nameMayChange = false);
    ~AccessWatch();
    AccessWatch(const AccessWatch &) = delete;
    AccessWatch &operator=(const AccessWatch &) = delete;

private:
    HWND hwnd_;
    const AccessClass *table_;
    bool valid_;
    AccessAnswers before_;
    WCHAR *nameBefore_;  // the window text while it names the control, else NULL
    bool nameWatched_;
};

// Objects handed out and not yet released by their clients (for leak checks).
LONG AccessLiveObjects(void);

// Copies an ASCII text into a value buffer.
void AccessSetValue(AccessAnswers *answers, const char *text);

// NotifyWinEvent for any object of a window (OBJID_WINDOW for showing, hiding and
// destruction, OBJID_CLIENT with a child id for a list item), when the system has it.
void AccessNotifyObject(HWND hwnd, DWORD event, LONG object, LONG child);

// Copies a text into a name or value buffer of size characters, shortened to fit.
void AccessCopyText(WCHAR *to, int size, const WCHAR *text);
