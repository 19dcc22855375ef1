// Web link: state record and the pieces shared by its message handling
// (weblink.cpp) and its painting (paint.cpp). Both are templates over
// the character type; the library instantiates them for char and WCHAR.
#pragma once

#include "control.h"
#include "display.h"

// State bits above the options (bits 0 to 28 of dwFlags).
const DWORD kLinkHot = 0x80000000;
const DWORD kLinkFocused = 0x40000000;
const DWORD kLinkPressed = 0x20000000;
const DWORD kLinkOptionMask = 0x1FFFFFFF;

// The shell's open call of each build. Tests point these elsewhere to watch what
// the link would open without opening it.
typedef HINSTANCE(WINAPI *WebLinkShellExecuteA)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
typedef HINSTANCE(WINAPI *WebLinkShellExecuteW)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
extern WebLinkShellExecuteA webLinkShellExecuteA;
extern WebLinkShellExecuteW webLinkShellExecuteW;

template <class C>
struct WebLinkState {
    DWORD dwFlags;
    HTHEME hTheme;
    HFONT hFontNormal;     // owned
    HFONT hFontUnderline;  // owned
    C *pszUrl;             // owned, process heap; NULL when there is no target
    LPARAM lParam;
    bool hostFont;    // the fonts are copies of one the host set (else of the default)
    HCURSOR hCursor;  // owned: a hand sized for the window's DPI; null at the system DPI
};

// True while hwnd is still the window that owns state: a parent may destroy the
// control while handling a notification the control sends it.
template <class C>
bool WebLinkAlive(HWND hwnd, const WebLinkState<C> *state)
{
    return IsWindow(hwnd) && ControlState<WebLinkState<C>>(hwnd) == state;
}

// WM_PAINT: custom draw towards the parent, background, text and focus rectangle.
template <class C>
void WebLinkPaint(HWND hwnd, WebLinkState<C> *state);
