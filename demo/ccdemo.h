// Identifiers shared by the demo's resources and its dialog procedures.
#ifndef CCDEMO_H
#define CCDEMO_H

// Dialogs.
#define IDD_MAIN      100
#define IDD_SPLITTER  103
#define IDD_HEXEDITOR 104

// Commands of the menu "IDM_MENU1".
#define IDM_VERSION   100
#define IDM_EXIT      101
#define IDM_SPLITTER  102
#define IDM_HEXEDITOR 104
// Added to the menu at run time (the menu resource keeps its six items).
#define IDM_DARKMODE  105

// Controls of the main dialog.
#define IDC_PROGRESS  101
#define IDC_METER     102
#define IDC_WEBLINK   103
#define IDC_LED_TENS  104
#define IDC_LED_UNITS 105
#define IDC_LED_FRAME 106

// The one control of the splitter and hex editor dialogs.
#define IDC_PANEHOST 1021

// Panes made at run time inside the splitter dialog.
#define IDC_PANE_LEFT   300
#define IDC_PANE_NESTED 301
#define IDC_PANE_TOP    302
#define IDC_PANE_BOTTOM 303

// Timers of the main dialog.
#define IDT_FAST    345
#define IDT_SECONDS 346

#ifndef RC_INVOKED
#include <windows.h>

extern HINSTANCE g_instance;

INT_PTR CALLBACK SplitterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HexEditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Per-monitor DPI and dark mode, shared by the demo's dialogs (display.cpp).
#define DEMO_WM_DPICHANGED             0x02E0
#define DEMO_WM_DPICHANGED_AFTERPARENT 0x02E3
// WM_DPICHANGED of a dialog: takes the suggested rectangle and passes the change
// on to the dialog's controls.
void OnDialogDpiChanged(HWND dialog, LPARAM suggested);
// Switches the library's dark mode (OrvccSetDarkMode, looked up by name) and
// repaints the dialog; returns whether dark mode is now on.
bool ToggleDarkMode(HWND dialog);
bool DarkModeOn(void);
// WM_CTLCOLORDLG and WM_CTLCOLORSTATIC: the dialog's colours in dark mode (null
// result: the dialog manager's own).
INT_PTR OnDialogCtlColor(HDC dc);
// Frees the dark brush when the program ends.
void ReleaseDisplayResources(void);
// The DPI of a window (96 where the system cannot tell).
UINT DemoWindowDpi(HWND hwnd);
#endif

#endif
