// Runs ccdemo.exe, drives it through its menu and saves pictures of its windows:
// main.png, splitter.png, hexeditor.png and version.png in the given folder, and
// main-dark.png after switching dark mode on through the menu.
// Usage: ccdemo_capture.exe [folder]   (ccdemo.exe is looked up next to this program)
#include "ccdemo.h"
#include "pngshot.h"

#include <stdio.h>
#include <string.h>

namespace {

DWORD g_demoProcess;

struct Search {
    const char *title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam)
{
    Search *search = reinterpret_cast<Search *>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char title[128], className[32];
    if (process != g_demoProcess || !IsWindowVisible(hwnd) ||
        !GetClassNameA(hwnd, className, sizeof className) || strcmp(className, "#32770") ||
        !GetWindowTextA(hwnd, title, sizeof title) || strcmp(title, search->title))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// The demo's visible dialog with this caption, waited for up to ten seconds.
HWND WaitForDialog(const char *title)
{
    for (int i = 0; i < 200; ++i) {
        Search search = {title, NULL};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(50);
    }
    fprintf(stderr, "no window \"%s\"\n", title);
    return NULL;
}

bool WaitUntilGone(HWND hwnd)
{
    for (int i = 0; i < 200 && IsWindow(hwnd); ++i)
        Sleep(50);
    return !IsWindow(hwnd);
}

// Lets the demo paint, then copies the window from the screen.
bool SaveWindow(HWND hwnd, const char *folder, const char *name)
{
    RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(400);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\%s", folder, name);
    HDC screen = GetDC(NULL);
    const bool saved = SaveAreaAsPng(screen, rect.left, rect.top, rect.right - rect.left,
                                     rect.bottom - rect.top, path);
    ReleaseDC(NULL, screen);
    printf("%s %s\n", saved ? "saved" : "could not save", path);
    return saved;
}

// Opens a window through a menu command, saves it and closes it with closeId.
bool SaveSecondary(HWND main, int command, const char *title, int closeId, const char *folder,
                   const char *name)
{
    PostMessageA(main, WM_COMMAND, command, 0);
    HWND window = WaitForDialog(title);
    if (!window)
        return false;
    const bool saved = SaveWindow(window, folder, name);
    PostMessageA(window, WM_COMMAND, closeId, 0);
    return WaitUntilGone(window) && saved;
}

bool StartDemo(PROCESS_INFORMATION *process)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    while (length && path[length - 1] != '\\' && path[length - 1] != '/')
        --length;
    lstrcpynA(path + length, "ccdemo.exe", MAX_PATH - length);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessA(path, NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, process)) {
        fprintf(stderr, "cannot start %s\n", path);
        return false;
    }
    g_demoProcess = process->dwProcessId;
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    const char *folder = argc > 1 ? argv[1] : ".";
    PROCESS_INFORMATION process;
    if (!StartDemo(&process))
        return 1;
    HWND main = WaitForDialog("Test");
    bool ok = main != NULL;
    if (ok) {
        // A steady picture: twelve seconds counted, the needle and the bar 60 ticks on.
        for (int i = 0; i < 12; ++i)
            SendMessageA(main, WM_TIMER, IDT_SECONDS, 0);
        for (int i = 0; i < 60; ++i)
            SendMessageA(main, WM_TIMER, IDT_FAST, 0);
        ok = SaveWindow(main, folder, "main.png");
        ok = SaveSecondary(main, IDM_SPLITTER, "SplitterWindow - Test", IDCANCEL, folder,
                           "splitter.png") &&
             ok;
        ok = SaveSecondary(main, IDM_HEXEDITOR, "Dialog", IDCANCEL, folder, "hexeditor.png") && ok;
        ok = SaveSecondary(main, IDM_VERSION, "DllVersion:", IDOK, folder, "version.png") && ok;
        SendMessageA(main, WM_COMMAND, IDM_DARKMODE, 0);
        ok = SaveWindow(main, folder, "main-dark.png") && ok;
        PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
    }
    DWORD code = 1;
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok && code == 0 ? 0 : 1;
}
