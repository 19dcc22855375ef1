// The two secondary dialogs of ccdemo: nested splitter windows, and a hex editor
// filled with random bytes.
#include "ccdemo.h"
#include "orvcc32.h"

#include <stdlib.h>
#include <time.h>

namespace {

HWND CreatePane(const char *className, const char *text, DWORD style, int id, HWND parent)
{
    return CreateWindowExA(0, className, text, style, 0, 0, 0, 0, parent, (HMENU)(INT_PTR)id,
                           g_instance, NULL);
}

void SendClientSize(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    SendMessageA(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

// "Links" on the left; on the right a second splitter with "Rechts oben " above
// "Rechts unten".
void BuildSplitterPanes(HWND dialog)
{
    const DWORD edit = WS_CHILD | WS_VISIBLE;
    const DWORD splitter = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    HWND outer = GetDlgItem(dialog, IDC_PANEHOST);
    HWND left = CreatePane("EDIT", "Links", edit, IDC_PANE_LEFT, outer);
    SendMessageA(outer, SPM_SETPANE1, 0, (LPARAM)left);
    HWND nested = CreatePane(ORV_SPLITTERCLASSA, "", splitter, IDC_PANE_NESTED, outer);
    SendMessageA(outer, SPM_SETPANE2, 0, (LPARAM)nested);

    nested = (HWND)SendMessageA(outer, SPM_GETPANE2, 0, 0);
    HWND top = CreatePane("EDIT", "Rechts oben ", edit, IDC_PANE_TOP, nested);
    SendMessageA(nested, SPM_SETPANE1, 0, (LPARAM)top);
    HWND bottom = CreatePane("EDIT", "Rechts unten", edit, IDC_PANE_BOTTOM, nested);
    SendMessageA(nested, SPM_SETPANE2, 0, (LPARAM)bottom);
    SendMessageA(nested, SPM_SETFLAGS, SPF_HORIZONTAL, SPF_HORIZONTAL);
}

bool IsCloseCommand(WPARAM wParam)
{
    return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
}

HFONT g_hexFont;

// Seeded once, so that every opening shows fresh bytes, even two in one second.
void FillRandom(BYTE *bytes, int count)
{
    static bool seeded;
    if (!seeded) {
        srand((unsigned)time(NULL));
        seeded = true;
    }
    for (int i = 0; i < count; ++i)
        bytes[i] = (BYTE)(rand() % 256);
}

// The editor's own font, made fixed-pitch "Courier".
void SetCourierFont(HWND editor)
{
    LOGFONTA font;
    HGDIOBJ current = (HGDIOBJ)SendMessageA(editor, WM_GETFONT, 0, 0);
    if (!current || GetObjectA(current, sizeof font, &font) != sizeof font)
        return;
    lstrcpynA(font.lfFaceName, "Courier", LF_FACESIZE);
    font.lfPitchAndFamily = (BYTE)((font.lfPitchAndFamily & ~3) | FIXED_PITCH);
    g_hexFont = CreateFontIndirectA(&font);
    if (g_hexFont)
        SendMessageA(editor, WM_SETFONT, (WPARAM)g_hexFont, TRUE);
}

// At another DPI the hex font is made again, its height scaled from the old DPI.
void OnHexDpiChanged(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    static UINT fontDpi;
    HWND editor = GetDlgItem(dialog, IDC_PANEHOST);
    const UINT oldDpi = fontDpi ? fontDpi : DemoWindowDpi(dialog);
    const UINT newDpi = HIWORD(wParam);
    LOGFONTA font;
    if (g_hexFont && newDpi && newDpi != oldDpi &&
        GetObjectA(g_hexFont, sizeof font, &font) == sizeof font) {
        font.lfHeight = MulDiv(font.lfHeight, newDpi, oldDpi);
        font.lfWidth = MulDiv(font.lfWidth, newDpi, oldDpi);
        HFONT made = CreateFontIndirectA(&font);
        if (made) {
            SendMessageA(editor, WM_SETFONT, (WPARAM)made, TRUE);
            DeleteObject(g_hexFont);
            g_hexFont = made;
            fontDpi = newDpi;
        }
    }
    OnDialogDpiChanged(dialog, lParam);
}

BOOL OnHexInitDialog(HWND dialog)
{
    SendClientSize(dialog);
    BYTE bytes[512];
    FillRandom(bytes, sizeof bytes);
    HWND editor = GetDlgItem(dialog, IDC_PANEHOST);
    SendMessageA(editor, HXM_SETDATA, sizeof bytes, (LPARAM)bytes);
    SendMessageA(editor, HXM_SETBYTESPERLINE, 0, 16);
    SetCourierFont(editor);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK SplitterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case DEMO_WM_DPICHANGED:
        OnDialogDpiChanged(dialog, lParam);
        return TRUE;
    case WM_CTLCOLORDLG:
        return OnDialogCtlColor((HDC)wParam);
    case WM_INITDIALOG:
        SendClientSize(dialog);
        BuildSplitterPanes(dialog);
        return TRUE;
    case WM_SIZE:
        MoveWindow(GetDlgItem(dialog, IDC_PANEHOST), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return TRUE;
    case WM_COMMAND:
        if (!IsCloseCommand(wParam))
            break;
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK HexEditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case DEMO_WM_DPICHANGED:
        OnHexDpiChanged(dialog, wParam, lParam);
        return TRUE;
    case WM_CTLCOLORDLG:
        return OnDialogCtlColor((HDC)wParam);
    case WM_INITDIALOG:
        return OnHexInitDialog(dialog);
    case WM_SIZE: {
        const int cx = GetSystemMetrics(SM_CXDLGFRAME), cy = GetSystemMetrics(SM_CYDLGFRAME);
        MoveWindow(GetDlgItem(dialog, IDC_PANEHOST), 2 * cx, 2 * cy, LOWORD(lParam) - 4 * cx,
                   HIWORD(lParam) - 4 * cy, TRUE);
        return TRUE;
    }
    case WM_COMMAND:
        if (!IsCloseCommand(wParam))
            break;
        EndDialog(dialog, 0);
        return TRUE;
    case WM_NCDESTROY:
        // The editor is gone by now, so its font can go too.
        if (g_hexFont) {
            DeleteObject(g_hexFont);
            g_hexFont = NULL;
        }
        return FALSE;
    }
    return FALSE;
}
