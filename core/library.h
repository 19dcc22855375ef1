// Process-wide state and shared routines of orvcc32 (internal).
#pragma once

#ifndef ORVCCAPI
#define ORVCCAPI
#endif
#include "orvcc32.h"
#include "flavour.h"
#include "resource.h"

struct ThemeHelperState {
    CRITICAL_SECTION lock;
    HMODULE hUxTheme;
    LONG refCount;
    BOOL(WINAPI *pfnIsThemeActive)(void);
    HTHEME(WINAPI *pfnOpenThemeData)(HWND, LPCWSTR);
    HRESULT(WINAPI *pfnCloseThemeData)(HTHEME);
    HRESULT(WINAPI *pfnDrawThemeEdge)(HTHEME, HDC, int, int, LPCRECT, UINT, UINT, LPRECT);
    COLORREF(WINAPI *pfnGetThemeSysColor)(HTHEME, int);
    DWORD(WINAPI *pfnGetThemeAppProperties)(void);
    HRESULT(WINAPI *pfnDrawThemeBackground)(HTHEME, HDC, int, int, LPCRECT, LPCRECT);
    HRESULT(WINAPI *pfnEnableThemeDialogTexture)(HWND, DWORD);
    HRESULT(WINAPI *pfnDrawThemeIcon)(HTHEME, HDC, int, int, LPCRECT, HIMAGELIST, int);
    BOOL(WINAPI *pfnIsThemeBackgroundPartiallyTransparent)(HTHEME, int, int);
    HRESULT(WINAPI *pfnDrawThemeParentBackground)(HWND, HDC, LPCRECT);
    BOOL(WINAPI *pfnIsThemeDialogTextureEnabled)(HWND);
    BOOL(WINAPI *pfnIsAppThemed)(void);
};

typedef BOOL(WINAPI *SetWindowSubclassFn)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
typedef BOOL(WINAPI *GetWindowSubclassFn)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR *);
typedef BOOL(WINAPI *RemoveWindowSubclassFn)(HWND, SUBCLASSPROC, UINT_PTR);
typedef LRESULT(WINAPI *DefSubclassProcFn)(HWND, UINT, WPARAM, LPARAM);

extern HINSTANCE libInstance;
extern BOOL platformIsNT;
extern DWORD osVersion;
extern double dpiScaleX;
extern double dpiScaleY;
extern UINT rawBinaryFormat;
extern HANDLE ledHeap;
// Thread-local slot of ControlWatch (control.h).
extern DWORD controlWatchSlot;
extern SetWindowSubclassFn pfnSetWindowSubclass;
extern GetWindowSubclassFn pfnGetWindowSubclass;
extern RemoveWindowSubclassFn pfnRemoveWindowSubclass;
extern DefSubclassProcFn pfnDefSubclassProc;
extern ThemeHelperState themeHelper;

// Library entry: the DLL entry point calls these; tests that link the objects
// directly call them with their own module handle.
void LibraryProcessAttach(HINSTANCE instance);
// freeLibrary: the library is unloaded while the process goes on.
void LibraryProcessDetach(bool freeLibrary = true);

// Parent notification with a bare header (WM_NOTIFY, wParam = control id).
void NotifyParentA(HWND hwnd, int code);
void NotifyParentW(HWND hwnd, int code);
// The flavour the process runs in (Unicode on NT).
void NotifyParent(HWND hwnd, int code);

// Replaces *bitmap by a copy stretched by the DPI factors.
BOOL ScaleBitmapToDpi(HBITMAP *bitmap);
// The same with other factors (a window's, at another DPI than the system's).
BOOL ScaleBitmapBy(HBITMAP *bitmap, double factorX, double factorY);

// Cursor of a class: a system cursor, or a cursor resource of the library.
struct ClassCursor {
    bool own;
    WORD id;
};

struct ClassEntry {
    const char *name;
    UINT style;
    int windowExtra;
    ClassCursor cursor;
    int brush;  // COLOR_xxx + 1, or 0 for none
    WNDPROC procA;
    WNDPROC procW;
};
// Registration table of InitORVCC: the row of class bit (1 << index).
ClassEntry ClassTable(int index);

// Window procedures registered by InitORVCC.
LRESULT CALLBACK ProgressWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK HexEditorWndProcA(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK HexEditorWndProcW(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK SplitterWndProcA(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK SplitterWndProcW(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK LedWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK WebLinkWndProcA(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK WebLinkWndProcW(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK AnalogMeterWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK GridWndProcA(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK GridWndProcW(HWND, UINT, WPARAM, LPARAM);

// Theme data of the given class when themes apply to controls, else null.
inline HTHEME OpenControlTheme(HWND hwnd, LPCWSTR themeClass)
{
    if (OrvccIsThemeActive() && (OrvccGetThemeAppProperties() & STAP_ALLOW_CONTROLS))
        return OrvccOpenThemeData(hwnd, themeClass);
    return NULL;
}

// A run-time bound entry point as its real type (via the generic function type,
// which converts without a warning).
template <class Fn>
Fn ProcAs(FARPROC proc)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)(void)>(proc));
}
