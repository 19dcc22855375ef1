/* A host built in the Microsoft ABI (clang --target=*-windows-msvc, lld-link):
   links orvcc32.lib, loads orvcc32.dll and creates a hex editor. Declares the few
   system calls it needs itself and uses no C runtime; the exit code tells. */
typedef void *HANDLE;
typedef unsigned long DWORD;
typedef int BOOL;
#define WINAPI __stdcall
#define IMPORT __declspec(dllimport)

IMPORT void WINAPI ExitProcess(unsigned int code);
IMPORT HANDLE WINAPI GetModuleHandleA(const char *name);
IMPORT HANDLE WINAPI CreateWindowExA(DWORD exStyle, const char *className, const char *title, DWORD style,
                                     int x, int y, int width, int height, HANDLE parent, HANDLE menu,
                                     HANDLE instance, void *param);
IMPORT BOOL WINAPI DestroyWindow(HANDLE hwnd);

/* One call through the import address table (dllimport), one through the
   import library's thunk. */
IMPORT BOOL WINAPI InitORVCC(DWORD classes);
BOOL WINAPI OrvccIsAppThemed(void);

void __cdecl HostEntry(void)
{
    HANDLE hex;
    if (!InitORVCC(0x40))
        ExitProcess(2);
    hex = CreateWindowExA(0, "ORV_HexEditorClass", "", 0x80000000L /* WS_POPUP */, 0, 0, 200, 100, 0, 0,
                          GetModuleHandleA(0), 0);
    if (!hex)
        ExitProcess(3);
    DestroyWindow(hex);
    OrvccIsAppThemed();
    ExitProcess(0);
}
