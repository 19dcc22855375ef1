/* Included before each example of the reference pages: every modal dialog the
   example shows ends by itself. Once the dialog has been created, shown and
   painted (and what it posted to itself has been handled), it gets WM_COMMAND
   IDOK, as if the user pressed OK. A dialog that cannot be made, or that does
   not end on IDOK, ends the program with a failure. */
#include <windows.h>
#include <stdio.h>

static HWND exampleDialog;
static UINT exampleTurns;

static UINT ExampleCloseMessage(void)
{
    return RegisterWindowMessageA("OrvccExampleClose");
}

/* Sees WM_INITDIALOG go by and posts the first turn of the close message. */
static LRESULT CALLBACK ExampleCallHook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT *call = (const CWPRETSTRUCT *)lParam;
    if (code == HC_ACTION && call->message == WM_INITDIALOG && !exampleDialog) {
        exampleDialog = call->hwnd;
        PostMessageA(call->hwnd, ExampleCloseMessage(), 0, 0);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

/* Takes the close message out of the dialog's loop: a few turns let the
   messages the example posted be handled; then the dialog is shown, painted
   with every control, and told IDOK. Coming back after that means the dialog
   did not end. */
static LRESULT CALLBACK ExampleGetHook(int code, WPARAM wParam, LPARAM lParam)
{
    MSG *msg = (MSG *)lParam;
    if (code == HC_ACTION && wParam == PM_REMOVE && exampleDialog && msg->hwnd == exampleDialog &&
        msg->message == ExampleCloseMessage()) {
        msg->message = WM_NULL;
        ++exampleTurns;
        if (exampleTurns == 4) {
            ShowWindow(exampleDialog, SW_SHOW);
            RedrawWindow(exampleDialog, NULL, NULL,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            SendMessageA(exampleDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         (LPARAM)GetDlgItem(exampleDialog, IDOK));
        } else if (exampleTurns > 4) {
            fprintf(stderr, "example: the dialog did not end on IDOK\n");
            ExitProcess(3);
        }
        PostMessageA(exampleDialog, ExampleCloseMessage(), 0, 0);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

static INT_PTR ExampleRunDialog(BOOL wide, HINSTANCE instance, const void *name, HWND owner,
                                DLGPROC proc, LPARAM param)
{
    HHOOK call = SetWindowsHookExA(WH_CALLWNDPROCRET, ExampleCallHook, NULL, GetCurrentThreadId());
    HHOOK get = SetWindowsHookExA(WH_GETMESSAGE, ExampleGetHook, NULL, GetCurrentThreadId());
    INT_PTR result = wide ? DialogBoxParamW(instance, (LPCWSTR)name, owner, proc, param)
                          : DialogBoxParamA(instance, (LPCSTR)name, owner, proc, param);
    UnhookWindowsHookEx(call);
    UnhookWindowsHookEx(get);
    if (result == -1 || !exampleDialog || exampleTurns < 4) {
        fprintf(stderr, "example: the dialog failed (result %ld, error %lu)\n", (long)result,
                GetLastError());
        ExitProcess(2);
    }
    exampleDialog = NULL;
    exampleTurns = 0;
    return result;
}

static inline INT_PTR ExampleDialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner,
                                             DLGPROC proc, LPARAM param)
{
    return ExampleRunDialog(FALSE, instance, name, owner, proc, param);
}

static inline INT_PTR ExampleDialogBoxParamW(HINSTANCE instance, LPCWSTR name, HWND owner,
                                             DLGPROC proc, LPARAM param)
{
    return ExampleRunDialog(TRUE, instance, name, owner, proc, param);
}

#define DialogBoxParamA ExampleDialogBoxParamA
#define DialogBoxParamW ExampleDialogBoxParamW
