// ccdemo on modern displays: per-monitor DPI changes of its dialogs, and the
// library's dark mode switched from the menu.
#include "ccdemo.h"
#include "orvcc32.h"

namespace {

bool g_dark;
HBRUSH g_darkBrush;
const COLORREF kDarkBack = RGB(32, 32, 32), kDarkText = RGB(240, 240, 240);

BOOL CALLBACK PassDpiChange(HWND child, LPARAM)
{
    SendMessageA(child, DEMO_WM_DPICHANGED_AFTERPARENT, 0, 0);
    return TRUE;
}

// The library's mode switch, looked up by name: the demo imports only InitORVCC.
typedef int(WINAPI *SetDarkModeProc)(int);
SetDarkModeProc DarkModeSwitch(void)
{
    HMODULE library = GetModuleHandleA("orvcc32.dll");
    return library ? (SetDarkModeProc)(void (*)(void))GetProcAddress(library, "OrvccSetDarkMode")
                   : NULL;
}

}  // namespace

UINT DemoWindowDpi(HWND hwnd)
{
    typedef UINT(WINAPI * GetDpiProc)(HWND);
    GetDpiProc getDpi = (GetDpiProc)(void (*)(void))GetProcAddress(GetModuleHandleA("user32.dll"),
                                                                   "GetDpiForWindow");
    const UINT dpi = getDpi ? getDpi(hwnd) : 0;
    return dpi ? dpi : 96;
}

void OnDialogDpiChanged(HWND dialog, LPARAM suggested)
{
    const RECT *rect = (const RECT *)suggested;
    if (rect)
        SetWindowPos(dialog, NULL, rect->left, rect->top, rect->right - rect->left,
                     rect->bottom - rect->top, SWP_NOZORDER | SWP_NOACTIVATE);
    EnumChildWindows(dialog, PassDpiChange, 0);
    InvalidateRect(dialog, NULL, TRUE);
}

bool DarkModeOn(void)
{
    return g_dark;
}

bool ToggleDarkMode(HWND dialog)
{
    SetDarkModeProc setMode = DarkModeSwitch();
    if (!setMode)
        return g_dark;
    g_dark = !g_dark;
    setMode(g_dark ? ORVCC_DARK_ON : ORVCC_DARK_OFF);
    if (g_dark && !g_darkBrush)
        g_darkBrush = CreateSolidBrush(kDarkBack);
    RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return g_dark;
}

void ReleaseDisplayResources(void)
{
    if (g_darkBrush)
        DeleteObject(g_darkBrush);
    g_darkBrush = NULL;
}

INT_PTR OnDialogCtlColor(HDC dc)
{
    if (!g_dark || !g_darkBrush)
        return 0;
    SetTextColor(dc, kDarkText);
    SetBkColor(dc, kDarkBack);
    return (INT_PTR)g_darkBrush;
}
