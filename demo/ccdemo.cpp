// ccdemo: shows the controls of orvcc32.dll at work in three dialogs.
// Entry point, main dialog (progress bar, analog meter, web link, LED counter)
// and the version box.
#include "ccdemo.h"
#include "orvcc32.h"

HINSTANCE g_instance;

namespace {

const char kHomePage[] = "https://orvcc32.example.org/";

// Labels under the meter's major ticks, one after another with their terminators.
const char kMeterLabels[] = "0\0 10\0 20\0 30\0 40\0 50";
const int kMeterLabelCount = 6;

struct MainState {
    DWORD seconds;  // shown on the two LED digits, 0..99
    int meterUp;    // 1: the needle moves up, 0: down
};
MainState g_main;

LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

void SetUpLeds(HWND dialog)
{
    SendItem(dialog, IDC_LED_TENS, LDM_SETFLAGS, 0, LDF_OFF);
    SendItem(dialog, IDC_LED_TENS, LDM_SETTYPE, 0, LDT_DIGIT | LDT_BKBORDER);
    SendItem(dialog, IDC_LED_UNITS, LDM_SETTYPE, 0, LDT_DIGIT | LDT_BKBORDER);
}

void SetUpProgress(HWND dialog)
{
    HWND progress = GetDlgItem(dialog, IDC_PROGRESS);
    SendMessageA(progress, WM_SETFONT, (WPARAM)GetStockObject(OEM_FIXED_FONT), FALSE);
    SendMessageA(progress, PGM_SETSTEP, 1, 0);
}

// The demo sets the meter's colours itself, so they stay when the library
// switches its defaults; in dark mode it picks a dark set of its own.
void SetMeterColors(HWND dialog)
{
    AMCOLORS colors;
    if (DarkModeOn()) {
        colors.clrBackground = RGB(45, 45, 38);
        colors.clrScale = RGB(110, 180, 255);
        colors.clrNeedle = RGB(0, 200, 200);
        colors.clrPeak = RGB(255, 140, 140);
        colors.clrText = RGB(255, 120, 120);
    } else {
        colors.clrBackground = GetSysColor(COLOR_INFOBK);
        colors.clrScale = RGB(0, 0, 255);
        colors.clrNeedle = 0xAFAF00;
        colors.clrPeak = 0x7F7FFF;
        colors.clrText = RGB(255, 0, 0);
    }
    SendItem(dialog, IDC_METER, AMM_SETCOLORS, 0, (LPARAM)&colors);
}

void SetUpMeter(HWND dialog)
{
    AMINFO info = {};
    info.dwMask =
        AMIF_STYLE | AMIF_INTERVALS | AMIF_LABELSTEP | AMIF_MAX | AMIF_HOLDTIME | AMIF_PARAM;
    info.dwStyle = AMS_PEAKHOLD;
    info.dwStyleMask = AMS_NOCAPTION | AMS_CAPTIONTOP | AMS_PEAKHOLD;
    info.nIntervals = 25;
    info.nLabelStep = 5;
    info.nMax = 180;
    info.uHoldTime = 12500;
    info.lParam = 0;
    SendItem(dialog, IDC_METER, AMM_SETINFO, 0, (LPARAM)&info);

    SetMeterColors(dialog);
    SendItem(dialog, IDC_METER, AMM_SETLABELSA, kMeterLabelCount, (LPARAM)kMeterLabels);
}

void SetUpWebLink(HWND dialog)
{
    SendItem(dialog, IDC_WEBLINK, WLM_SETURLA, 0, (LPARAM)kHomePage);
    SendItem(dialog, IDC_WEBLINK, WM_SETFONT, (WPARAM)GetStockObject(SYSTEM_FONT), TRUE);
}

// The dark-mode switch joins the menu after "&HexEditor".
void AddDarkModeItem(HWND dialog)
{
    HMENU popup = GetSubMenu(GetMenu(dialog), 0);
    if (popup)
        InsertMenuA(popup, 4, MF_BYPOSITION | MF_STRING | (DarkModeOn() ? MF_CHECKED : 0),
                    IDM_DARKMODE, "&Dunkler Modus");
}

void OnDarkModeCommand(HWND dialog)
{
    const bool dark = ToggleDarkMode(dialog);
    CheckMenuItem(GetMenu(dialog), IDM_DARKMODE, MF_BYCOMMAND | (dark ? MF_CHECKED : MF_UNCHECKED));
    SetMeterColors(dialog);
}

BOOL OnMainInitDialog(HWND dialog)
{
    AddDarkModeItem(dialog);
    SetUpLeds(dialog);
    SetUpProgress(dialog);
    SetUpMeter(dialog);
    SetUpWebLink(dialog);
    SetTimer(dialog, IDT_FAST, 100, NULL);
    SetTimer(dialog, IDT_SECONDS, 1000, NULL);
    g_main.meterUp = 0;
    return TRUE;
}

// Every second: count on, 99 goes back to 0; the tens digit is dark below 10.
void OnSecondsTimer(HWND dialog)
{
    if (++g_main.seconds > 99)
        g_main.seconds = 0;
    SendItem(dialog, IDC_LED_TENS, LDM_SETFLAGS, 0, g_main.seconds < 10 ? LDF_OFF : 0);
    SendItem(dialog, IDC_LED_TENS, LDM_SETDIGIT, g_main.seconds / 10, 0);
    SendItem(dialog, IDC_LED_UNITS, LDM_SETDIGIT, g_main.seconds % 10, 0);
}

// Every 100 ms: the bar steps on, the needle moves one unit and turns at either end.
void OnFastTimer(HWND dialog)
{
    SendItem(dialog, IDC_PROGRESS, PGM_STEPIT, 0, 0);
    const LRESULT before = SendItem(dialog, IDC_METER, AMM_GETPOS, 0, 0);
    const LRESULT after = SendItem(dialog, IDC_METER, AMM_DELTAPOS, g_main.meterUp, 1);
    if (before == after)
        g_main.meterUp = !g_main.meterUp;
}

typedef HRESULT(CALLBACK *GetVersionProc)(DLLVERSIONINFO *);

// Asks the library for its version through a second load by name; a library that
// cannot be loaded or has no version query leaves the record zeroed.
void ShowVersionBox(HWND dialog)
{
    DLLVERSIONINFO2 info;
    ZeroMemory(&info, sizeof info);
    info.info1.cbSize = sizeof info;
    HMODULE library = LoadLibraryA("ORVCC32.DLL");
    if (library) {
        GetVersionProc query =
            (GetVersionProc)(void (*)(void))GetProcAddress(library, "DllGetVersion");
        if (query)
            query(&info.info1);
        FreeLibrary(library);
    }
    char text[64];
    wsprintfA(text, "Version:\n%u.%.02u.%u", (unsigned)info.info1.dwMajorVersion,
              (unsigned)info.info1.dwMinorVersion, (unsigned)info.info1.dwBuildNumber);
    MessageBoxA(dialog, text, "DllVersion:", MB_ICONINFORMATION | MB_OK);
}

void OnMainCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
    case IDM_EXIT:
        EndDialog(dialog, 0);
        break;
    case IDM_VERSION:
        ShowVersionBox(dialog);
        break;
    case IDM_DARKMODE:
        OnDarkModeCommand(dialog);
        break;
    case IDM_SPLITTER:
        DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_SPLITTER), dialog, SplitterDialogProc, 0);
        break;
    case IDM_HEXEDITOR:
        DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_HEXEDITOR), dialog, HexEditorDialogProc,
                        0);
        break;
    }
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case DEMO_WM_DPICHANGED:
        OnDialogDpiChanged(dialog, lParam);
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return OnDialogCtlColor((HDC)wParam);
    case WM_INITDIALOG:
        return OnMainInitDialog(dialog);
    case WM_TIMER:
        if (wParam == IDT_SECONDS)
            OnSecondsTimer(dialog);
        else
            OnFastTimer(dialog);
        return TRUE;
    case WM_COMMAND:
        OnMainCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        // The progress font is a stock object: nothing to delete.
        KillTimer(dialog, IDT_FAST);
        KillTimer(dialog, IDT_SECONDS);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_instance = instance;
    InitORVCC(0x7F);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDialogProc, 0);
    ReleaseDisplayResources();
    return 0;
}
