// Per-window resolution and dark mode.
#include "display.h"

// ---------------------------------------------------------------------------
// Resolution

WindowDpiSource windowDpiSource = NULL;

namespace {

typedef UINT(WINAPI *GetDpiForWindowFn)(HWND);

// GetDpiForWindow, bound on first use (null where user32 has none).
GetDpiForWindowFn BoundGetDpiForWindow(void)
{
    static GetDpiForWindowFn bound;
    static bool looked;
    if (!looked) {
        HMODULE user =
            platformIsNT ? GetModuleHandleW(L"user32.dll") : GetModuleHandleA("user32.dll");
        if (user)
            bound = ProcAs<GetDpiForWindowFn>(GetProcAddress(user, "GetDpiForWindow"));
        looked = true;
    }
    return bound;
}

const double kPerDot = 0.010416666666666666;  // 1/96

}  // namespace

UINT SystemDpi(void)
{
    return dpiScaleX > 0.0 ? static_cast<UINT>(dpiScaleX * 96.0 + 0.5) : 96;
}

UINT WindowDpi(HWND hwnd)
{
    UINT dpi = 0;
    if (windowDpiSource)
        dpi = windowDpiSource(hwnd);
    else if (GetDpiForWindowFn getDpi = BoundGetDpiForWindow())
        dpi = getDpi(hwnd);
    return dpi ? dpi : SystemDpi();
}

DpiScale WindowDpiScale(HWND hwnd)
{
    if (dpiScaleX == 0.0 || dpiScaleY == 0.0)
        InitORVCC(ORVCC_INIT_ONLY);
    const UINT dpi = WindowDpi(hwnd);
    if (dpi == SystemDpi())
        return {dpi, dpiScaleX, dpiScaleY};
    return {dpi, dpi * kPerDot, dpi * kPerDot};
}

HFONT CreateFontForDpi(HFONT font, UINT dpi)
{
    // Fonts are sized for the DPI the thread's screen reports (96 in a thread
    // that is not DPI aware, whatever the system's).
    int reference = 0;
    if (HDC screen = GetDC(NULL)) {
        reference = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(NULL, screen);
    }
    if (!font || reference <= 0 || dpi == static_cast<UINT>(reference))
        return NULL;
    if (platformIsNT) {
        LOGFONTW face;
        if (GetObjectW(font, sizeof face, &face) != sizeof face)
            return NULL;
        face.lfHeight = MulDiv(face.lfHeight, dpi, reference);
        face.lfWidth = MulDiv(face.lfWidth, dpi, reference);
        return CreateFontIndirectW(&face);
    }
    LOGFONTA face;
    if (GetObjectA(font, sizeof face, &face) != sizeof face)
        return NULL;
    face.lfHeight = MulDiv(face.lfHeight, dpi, reference);
    face.lfWidth = MulDiv(face.lfWidth, dpi, reference);
    return CreateFontIndirectA(&face);
}

HFONT DefaultFontForDpi(int stockObject, UINT dpi, HFONT *owned)
{
    HFONT stock = static_cast<HFONT>(GetStockObject(stockObject));
    HFONT made = CreateFontForDpi(stock, dpi);
    FreeOwnedFont(owned);
    *owned = made;
    return made ? made : stock;
}

void FreeOwnedFont(HFONT *owned)
{
    if (*owned)
        DeleteObject(*owned);
    *owned = NULL;
}

// ---------------------------------------------------------------------------
// Dark mode

HighContrastSource highContrastSource = NULL;
SetWindowThemeFn setWindowThemeHook = NULL;

namespace {

volatile LONG darkMode = ORVCC_DARK_OFF;
// The user's app mode as last read (system mode only): TRUE when apps are dark.
volatile LONG systemAppsDark = FALSE;
// The colours in effect as last told to the controls: TRUE when dark.
volatile LONG toldDark = FALSE;
// The hidden top-level window that hears the system's broadcasts while dark
// mode is on or follows the system.
HWND watcher;
ATOM watcherClass;
const char kWatcherClass[] = "OrvccDarkModeWatcher";
const int kSysColors = COLOR_MENUBAR + 1;
HBRUSH darkBrushes[kSysColors];

bool SystemHighContrast(void)
{
    if (highContrastSource)
        return highContrastSource();
    HIGHCONTRASTA scheme = {};
    scheme.cbSize = sizeof scheme;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof scheme, &scheme, 0) &&
           (scheme.dwFlags & HCF_HIGHCONTRASTON);
}

// AppsUseLightTheme: 0 means dark; a missing value means light.
bool ReadAppsDark(void)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD value = 1, type = 0, size = sizeof value;
    const LONG status = RegQueryValueExA(key, "AppsUseLightTheme", NULL, &type,
                                         reinterpret_cast<BYTE *>(&value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value && value == 0;
}

// The library's own windows: its classes, and list views it extends.
bool IsLibraryWindow(HWND hwnd)
{
    if (GetPropA(hwnd, "LV_SortProp") || GetPropA(hwnd, "LV_EditSIProp"))
        return true;
    char name[64];
    if (!GetClassNameA(hwnd, name, sizeof name))
        return false;
    for (int index = 0; index < 7; ++index)
        if (lstrcmpiA(name, ClassTable(index).name) == 0)
            return true;
    return false;
}

BOOL CALLBACK NotifyChild(HWND hwnd, LPARAM active)
{
    if (IsLibraryWindow(hwnd)) {
        if (platformIsNT)
            SendNotifyMessageW(hwnd, DarkModeMessage(), active, 0);
        else
            SendNotifyMessageA(hwnd, DarkModeMessage(), active, 0);
    }
    return TRUE;
}

BOOL CALLBACK NotifyTopLevel(HWND hwnd, LPARAM active)
{
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId()) {
        NotifyChild(hwnd, active);
        EnumChildWindows(hwnd, NotifyChild, active);
    }
    return TRUE;
}

// Tells every control of the process when the colours in effect changed.
void NotifyWhenChanged(void)
{
    const LONG after = DarkModeActive();
    if (InterlockedExchange(&toldDark, after) != after)
        EnumWindows(NotifyTopLevel, after);
}

bool IsImmersiveColorSet(LPARAM text)
{
    if (!text)
        return false;
    if (platformIsNT)
        return lstrcmpiW(reinterpret_cast<LPCWSTR>(text), L"ImmersiveColorSet") == 0;
    return lstrcmpiA(reinterpret_cast<LPCSTR>(text), "ImmersiveColorSet") == 0;
}

// The app mode changes with "ImmersiveColorSet"; a high-contrast scheme that
// comes or goes (which turns dark mode off or on again) with SPI_SETHIGHCONTRAST
// and new system colours.
LRESULT CALLBACK WatcherProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE && darkMode == ORVCC_DARK_SYSTEM && IsImmersiveColorSet(lParam))
        InterlockedExchange(&systemAppsDark, ReadAppsDark());
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
        NotifyWhenChanged();
    return platformIsNT ? DefWindowProcW(hwnd, message, wParam, lParam)
                        : DefWindowProcA(hwnd, message, wParam, lParam);
}

void StartWatcher(void)
{
    if (watcher && IsWindow(watcher))
        return;
    if (!watcherClass) {
        if (platformIsNT) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = WatcherProc;
            wc.hInstance = libInstance;
            wc.lpszClassName = L"OrvccDarkModeWatcher";
            watcherClass = RegisterClassW(&wc);
        } else {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = WatcherProc;
            wc.hInstance = libInstance;
            wc.lpszClassName = kWatcherClass;
            watcherClass = RegisterClassA(&wc);
        }
    }
    // Top-level, so that broadcasts reach it; never shown.
    watcher = platformIsNT ? CreateWindowExW(WS_EX_TOOLWINDOW, L"OrvccDarkModeWatcher", L"",
                                             WS_POPUP, 0, 0, 0, 0, NULL, NULL, libInstance, NULL)
                           : CreateWindowExA(WS_EX_TOOLWINDOW, kWatcherClass, "", WS_POPUP, 0, 0, 0,
                                             0, NULL, NULL, libInstance, NULL);
}

void StopWatcher(void)
{
    if (!watcher)
        return;
    if (GetWindowThreadProcessId(watcher, NULL) == GetCurrentThreadId())
        DestroyWindow(watcher);
    else
        PostMessageA(watcher, WM_CLOSE, 0, 0);
    watcher = NULL;
}

}  // namespace

UINT DarkModeMessage(void)
{
    static UINT message;
    if (!message)
        message = RegisterWindowMessageA("OrvccDarkModeChanged");
    return message;
}

bool DarkModeActive(void)
{
    const LONG mode = darkMode;
    if (mode == ORVCC_DARK_OFF || (mode == ORVCC_DARK_SYSTEM && !systemAppsDark))
        return false;
    return !SystemHighContrast();
}

extern "C" int WINAPI OrvccSetDarkMode(int mode)
{
    if (mode != ORVCC_DARK_OFF && mode != ORVCC_DARK_ON && mode != ORVCC_DARK_SYSTEM) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (mode == ORVCC_DARK_SYSTEM)
        InterlockedExchange(&systemAppsDark, ReadAppsDark());
    if (mode == ORVCC_DARK_OFF)
        StopWatcher();
    else
        StartWatcher();
    const int previous = InterlockedExchange(&darkMode, mode);
    NotifyWhenChanged();
    return previous;
}

COLORREF DarkSysColor(int index)
{
    // Light text on dark grey; a light selection with black text; links and
    // disabled text light enough for 4.5:1 on the window and face colours.
    switch (index) {
    case COLOR_WINDOW:
    case COLOR_APPWORKSPACE:
        return RGB(32, 32, 32);
    case COLOR_BTNFACE:
    case COLOR_MENU:
    case COLOR_MENUBAR:
    case COLOR_INFOBK:
        return RGB(51, 51, 51);
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
    case COLOR_MENUTEXT:
    case COLOR_INFOTEXT:
    case COLOR_CAPTIONTEXT:
        return RGB(240, 240, 240);
    case COLOR_HIGHLIGHT:
    case COLOR_MENUHILIGHT:
        return RGB(110, 180, 255);
    case COLOR_HIGHLIGHTTEXT:
        return RGB(0, 0, 0);
    case COLOR_HOTLIGHT:
        return RGB(153, 204, 255);
    case COLOR_GRAYTEXT:
        return RGB(160, 160, 160);
    case COLOR_3DDKSHADOW:
        return RGB(16, 16, 16);
    case COLOR_3DSHADOW:
        return RGB(28, 28, 28);
    case COLOR_3DLIGHT:
        return RGB(72, 72, 72);
    case COLOR_3DHILIGHT:
        return RGB(96, 96, 96);
    case COLOR_WINDOWFRAME:
    case COLOR_ACTIVEBORDER:
    case COLOR_INACTIVEBORDER:
        return RGB(80, 80, 80);
    case COLOR_SCROLLBAR:
        return RGB(23, 23, 23);
    default:
        return GetSysColor(index);
    }
}

COLORREF ControlSysColor(HTHEME theme, int index)
{
    if (darkMode != ORVCC_DARK_OFF && DarkModeActive())
        return DarkSysColor(index);
    return OrvccGetThemeSysColor(theme, index);
}

HBRUSH ControlSysColorBrush(int index)
{
    if (index < 0 || index >= kSysColors || darkMode == ORVCC_DARK_OFF || !DarkModeActive())
        return GetSysColorBrush(index);
    if (!darkBrushes[index]) {
        HBRUSH brush = CreateSolidBrush(DarkSysColor(index));
        if (InterlockedCompareExchangePointer(
                reinterpret_cast<void *volatile *>(&darkBrushes[index]), brush, NULL) != NULL)
            DeleteObject(brush);
    }
    return darkBrushes[index] ? darkBrushes[index] : GetSysColorBrush(index);
}

void ControlApplyDarkTheme(HWND child)
{
    SetWindowThemeFn setTheme = setWindowThemeHook;
    if (!setTheme && platformIsNT) {
        if (HMODULE uxtheme = GetModuleHandleW(L"uxtheme.dll"))
            setTheme = ProcAs<SetWindowThemeFn>(GetProcAddress(uxtheme, "SetWindowTheme"));
    }
    if (!setTheme || !child)
        return;
    if (DarkModeActive())
        setTheme(child, L"DarkMode_Explorer", NULL);
    else
        setTheme(child, NULL, NULL);
}

void DisplayProcessAttach(void)
{
    darkMode = ORVCC_DARK_OFF;
    systemAppsDark = FALSE;
    toldDark = FALSE;
    watcher = NULL;
    watcherClass = 0;
}

void DisplayProcessDetach(bool freeLibrary)
{
    // When the library is unloaded while the process goes on, nothing of it may
    // stay behind: the watcher's window and class go, with the brushes.
    if (freeLibrary) {
        if (watcher && GetWindowThreadProcessId(watcher, NULL) == GetCurrentThreadId())
            DestroyWindow(watcher);
        watcher = NULL;
        if (watcherClass)
            UnregisterClassA(kWatcherClass, libInstance);
        watcherClass = 0;
    }
    for (HBRUSH &brush : darkBrushes) {
        if (brush)
            DeleteObject(brush);
        brush = NULL;
    }
    darkMode = ORVCC_DARK_OFF;
    toldDark = FALSE;
}

void MoveToSuggestedDpiRect(HWND hwnd, UINT message, LPARAM lParam)
{
    const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
    if (message != kWmDpiChanged || !suggested || (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
        return;
    SetWindowPos(hwnd, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// One item of a header: its text in the header's alignment, a separator line on
// its right, in the dark set's colours.
void PaintDarkHeaderItem(HWND header, HDC dc, int index)
{
    RECT rect;
    if (!SendMessageA(header, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)))
        return;
    const RECT line = {rect.right - 1, rect.top, rect.right, rect.bottom};
    FillRect(dc, &line, ControlSysColorBrush(COLOR_3DHILIGHT));
    int format = 0;
    RECT text = {rect.left + 6, rect.top, rect.right - 6, rect.bottom};
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    if (platformIsNT) {
        WCHAR buffer[256] = L"";
        HDITEMW item = {};
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.pszText = buffer;
        item.cchTextMax = 256;
        SendMessageW(header, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        format = item.fmt;
        const UINT align = (format & HDF_CENTER) ? DT_CENTER : (format & HDF_RIGHT) ? DT_RIGHT : 0;
        DrawTextW(dc, buffer, -1, &text, flags | align);
    } else {
        char buffer[256] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.pszText = buffer;
        item.cchTextMax = 256;
        SendMessageA(header, HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
        format = item.fmt;
        const UINT align = (format & HDF_CENTER) ? DT_CENTER : (format & HDF_RIGHT) ? DT_RIGHT : 0;
        DrawTextA(dc, buffer, -1, &text, flags | align);
    }
}

}  // namespace

bool ControlDarkHeaderDraw(LPARAM lParam, LRESULT *result)
{
    NMCUSTOMDRAW *draw = reinterpret_cast<NMCUSTOMDRAW *>(lParam);
    if (!draw || draw->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW) || !DarkModeActive())
        return false;
    char name[16];
    if (!GetClassNameA(draw->hdr.hwndFrom, name, sizeof name) || lstrcmpiA(name, "SysHeader32"))
        return false;
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYPOSTPAINT;
        return true;
    }
    if (draw->dwDrawStage != CDDS_POSTPAINT)
        return false;
    HWND header = draw->hdr.hwndFrom;
    RECT client;
    GetClientRect(header, &client);
    FillRect(draw->hdc, &client, ControlSysColorBrush(COLOR_BTNFACE));
    const int saved = SaveDC(draw->hdc);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0)))
        SelectObject(draw->hdc, font);
    SetBkMode(draw->hdc, TRANSPARENT);
    SetTextColor(draw->hdc, DarkSysColor(COLOR_BTNTEXT));
    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index)
        PaintDarkHeaderItem(header, draw->hdc, index);
    RestoreDC(draw->hdc, saved);
    *result = CDRF_DODEFAULT;
    return true;
}
