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
#endif

#endif
