// Theme helper: loads the visual-styles library on demand behind a reference count
// and forwards to it, with fixed answers while it is not loaded.
#include "library.h"

#include <stddef.h>
#include <string.h>

namespace {

// Entry-point names in the order of the pointers in ThemeHelperState.
const char *const kThemeFunctions[] = {
    "IsThemeActive",
    "OpenThemeData",
    "CloseThemeData",
    "DrawThemeEdge",
    "GetThemeSysColor",
    "GetThemeAppProperties",
    "DrawThemeBackground",
    "EnableThemeDialogTexture",
    "DrawThemeIcon",
    "IsThemeBackgroundPartiallyTransparent",
    "DrawThemeParentBackground",
    "IsThemeDialogTextureEnabled",
    "IsAppThemed",
};
const int kThemeFunctionCount = sizeof kThemeFunctions / sizeof kThemeFunctions[0];

// The thirteen pointers lie one after another behind refCount.
FARPROC *ThemeEntryPoints(void)
{
    return reinterpret_cast<FARPROC *>(&themeHelper.pfnIsThemeActive);
}

static_assert(sizeof(ThemeHelperState) - offsetof(ThemeHelperState, pfnIsThemeActive) ==
                  kThemeFunctionCount * sizeof(FARPROC),
              "one pointer per visual-styles function");

void ClearEntryPoints(void)
{
    memset(ThemeEntryPoints(), 0, kThemeFunctionCount * sizeof(FARPROC));
}

// Loads the library and all entry points; leaves nothing loaded on failure.
BOOL LoadThemeLibrary(void)
{
    HMODULE module = LoadLibraryW(L"UxTheme.dll");
    if (!module)
        return FALSE;
    FARPROC *entries = ThemeEntryPoints();
    for (int i = 0; i < kThemeFunctionCount; ++i) {
        entries[i] = GetProcAddress(module, kThemeFunctions[i]);
        if (!entries[i]) {
            FreeLibrary(module);
            ClearEntryPoints();
            themeHelper.hUxTheme = NULL;
            return FALSE;
        }
    }
    themeHelper.hUxTheme = module;
    themeHelper.refCount = 1;
    return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI OrvccInitThemeHlp(void)
{
    if (!platformIsNT)
        return FALSE;
    EnterCriticalSection(&themeHelper.lock);
    BOOL result;
    if (themeHelper.hUxTheme) {
        ++themeHelper.refCount;
        result = TRUE;
    } else {
        result = LoadThemeLibrary();
    }
    LeaveCriticalSection(&themeHelper.lock);
    return result;
}

extern "C" BOOL WINAPI OrvccReleaseThemeHlp(void)
{
    EnterCriticalSection(&themeHelper.lock);
    if (themeHelper.hUxTheme && --themeHelper.refCount == 0) {
        FreeLibrary(themeHelper.hUxTheme);
        themeHelper.hUxTheme = NULL;
        themeHelper.refCount = 0;
        ClearEntryPoints();
    }
    LeaveCriticalSection(&themeHelper.lock);
    return TRUE;
}

extern "C" BOOL WINAPI OrvccIsThemeActive(void)
{
    return themeHelper.hUxTheme ? themeHelper.pfnIsThemeActive() : FALSE;
}

extern "C" HTHEME WINAPI OrvccOpenThemeData(HWND hwnd, LPCWSTR classList)
{
    return themeHelper.hUxTheme ? themeHelper.pfnOpenThemeData(hwnd, classList) : NULL;
}

extern "C" HRESULT WINAPI OrvccCloseThemeData(HTHEME theme)
{
    if (!theme)
        return E_INVALIDARG;
    return themeHelper.hUxTheme ? themeHelper.pfnCloseThemeData(theme) : E_FAIL;
}

extern "C" HRESULT WINAPI OrvccDrawThemeEdge(HTHEME theme, HDC dc, int part, int state,
                                             LPCRECT dest, UINT edge, UINT flags, LPRECT content)
{
    // Only reachable with a theme handle, which needs the library loaded.
    if (!themeHelper.hUxTheme)
        return E_FAIL;
    return themeHelper.pfnDrawThemeEdge(theme, dc, part, state, dest, edge, flags, content);
}

extern "C" COLORREF WINAPI OrvccGetThemeSysColor(HTHEME theme, int colorId)
{
    // A stray handle without the library loaded gets the classic colour too.
    if (!theme || !themeHelper.hUxTheme)
        return GetSysColor(colorId);
    return themeHelper.pfnGetThemeSysColor(theme, colorId);
}

extern "C" DWORD WINAPI OrvccGetThemeAppProperties(void)
{
    return themeHelper.hUxTheme ? themeHelper.pfnGetThemeAppProperties() : 0;
}

extern "C" HRESULT WINAPI OrvccDrawThemeBackground(HTHEME theme, HDC dc, int part, int state,
                                                   LPCRECT rect, LPCRECT clip)
{
    if (!themeHelper.hUxTheme)
        return E_FAIL;
    return themeHelper.pfnDrawThemeBackground(theme, dc, part, state, rect, clip);
}

extern "C" HRESULT WINAPI OrvccEnableThemeDialogTexture(HWND hwnd, DWORD flags)
{
    return themeHelper.hUxTheme ? themeHelper.pfnEnableThemeDialogTexture(hwnd, flags) : E_FAIL;
}

extern "C" HRESULT WINAPI OrvccDrawThemeIcon(HTHEME theme, HDC dc, int part, int state,
                                             LPCRECT rect, HIMAGELIST images, int image)
{
    if (!themeHelper.hUxTheme)
        return E_FAIL;
    return themeHelper.pfnDrawThemeIcon(theme, dc, part, state, rect, images, image);
}

extern "C" BOOL WINAPI OrvccIsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state)
{
    if (!themeHelper.hUxTheme)
        return FALSE;
    return themeHelper.pfnIsThemeBackgroundPartiallyTransparent(theme, part, state);
}

extern "C" HRESULT WINAPI OrvccDrawThemeParentBackground(HWND hwnd, HDC dc, const RECT *rect)
{
    return themeHelper.hUxTheme ? themeHelper.pfnDrawThemeParentBackground(hwnd, dc, rect)
                                : E_UNEXPECTED;
}

extern "C" BOOL WINAPI OrvccIsThemeDialogTextureEnabled(HWND hwnd)
{
    return themeHelper.hUxTheme ? themeHelper.pfnIsThemeDialogTextureEnabled(hwnd) : FALSE;
}

extern "C" BOOL WINAPI OrvccIsAppThemed(void)
{
    return themeHelper.hUxTheme ? themeHelper.pfnIsAppThemed() : FALSE;
}
