// Web link: state, messages, fonts, target, hot tracking, clicks and keys.
// One source for the ANSI and the Unicode window procedure.
#include "weblink.h"

#include "backbuffer.h"

#include <windowsx.h>

WebLinkShellExecuteA webLinkShellExecuteA = ShellExecuteA;
WebLinkShellExecuteW webLinkShellExecuteW = ShellExecuteW;

namespace {

void Repaint(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, FALSE);
}

// A plain and an underlined copy of font. A null handle or one that is not a font
// gives the default, SYSTEM_FONT, made for the window's DPI. The new fonts are made
// before the old ones go, so a host may pass the control's own font back to it.
template <class C>
void MakeFonts(HWND hwnd, WebLinkState<C> *state, HFONT font)
{
    state->hostFont = font && GetObjectType(font) == OBJ_FONT;
    HFONT forDpi = NULL;
    if (!state->hostFont) {
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        forDpi = CreateFontForDpi(font, WindowDpi(hwnd));
        if (forDpi)
            font = forDpi;
    }
    typename Win<C>::LogFont logFont;
    ZeroMemory(&logFont, sizeof logFont);
    Win<C>::GetObject(font, sizeof logFont, &logFont);
    if (forDpi)
        DeleteObject(forDpi);
    logFont.lfUnderline = 0;
    HFONT normal = Win<C>::CreateFontIndirect(&logFont);
    logFont.lfUnderline = 1;
    HFONT underline = Win<C>::CreateFontIndirect(&logFont);
    if (state->hFontNormal)
        DeleteObject(state->hFontNormal);
    if (state->hFontUnderline)
        DeleteObject(state->hFontUnderline);
    state->hFontNormal = normal;
    state->hFontUnderline = underline;
}

// The class's hand (the system's, or the library's own where the system has
// none) at another size.
HCURSOR LoadHandCursor(bool wide, int size)
{
    const ClassCursor hand = ClassTable(2).cursor;
    HINSTANCE module = hand.own ? libInstance : NULL;
    const WORD id = hand.id;
    HANDLE image = wide ? LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_CURSOR, size, size, 0)
                        : LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_CURSOR, size, size, 0);
    return static_cast<HCURSOR>(image);
}

// A cursor in use cannot go: the class cursor takes its place first.
template <class C>
void FreeCursor(HWND hwnd, WebLinkState<C> *state)
{
    if (!state->hCursor)
        return;
    if (GetCursor() == state->hCursor)
        SetCursor(reinterpret_cast<HCURSOR>(
            GetClassLongPtrAW(sizeof(C) != sizeof(char), hwnd, GCLP_HCURSOR)));
    DestroyCursor(state->hCursor);
    state->hCursor = NULL;
}

// The class cursor is the hand of the system's DPI; at another DPI the link shows
// a hand of its own, scaled like the system's.
template <class C>
void UpdateCursor(HWND hwnd, WebLinkState<C> *state)
{
    FreeCursor(hwnd, state);
    const UINT dpi = WindowDpi(hwnd), system = SystemDpi();
    if (dpi != system)
        state->hCursor = LoadHandCursor(sizeof(C) != sizeof(char),
                                        MulDiv(GetSystemMetrics(SM_CXCURSOR), dpi, system));
}

template <class C>
LRESULT OnCreate(HWND hwnd, const CREATESTRUCTW *create)
{
    OrvccInitThemeHlp();
    auto *state = static_cast<WebLinkState<C> *>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(WebLinkState<C>)));
    ControlSetState(hwnd, state);
    if (!state) {
        SetLastError(ERROR_OUTOFMEMORY);
        return -1;
    }
    state->dwFlags = WLS_UNDERLINENOTHOT | WLS_NOHOTCOLOR;
    state->hTheme = OpenControlTheme(hwnd, L"WINDOW");
    MakeFonts(hwnd, state, NULL);
    UpdateCursor(hwnd, state);
    state->lParam = create ? reinterpret_cast<LPARAM>(create->lpCreateParams) : 0;
    BOOL hotTracking = FALSE;
    if (SystemParametersInfoA(SPI_GETHOTTRACKING, 0, &hotTracking, 0) && hotTracking)
        state->dwFlags &= ~WLS_NOHOTCOLOR;
    return 0;
}

template <class C>
void OnDestroy(HWND hwnd)
{
    auto *state = ControlState<WebLinkState<C>>(hwnd);
    ControlSetState(hwnd, NULL);
    if (state) {
        if (state->hFontNormal)
            DeleteObject(state->hFontNormal);
        if (state->hFontUnderline)
            DeleteObject(state->hFontUnderline);
        if (state->pszUrl)
            HeapFree(GetProcessHeap(), 0, state->pszUrl);
        if (state->hTheme)
            OrvccCloseThemeData(state->hTheme);
        FreeCursor(hwnd, state);
        HeapFree(GetProcessHeap(), 0, state);
    }
    OrvccReleaseThemeHlp();
}

// Stores a target of the build's width: "" clears it.
template <class C>
LRESULT OnSetUrl(WebLinkState<C> *state, const C *text)
{
    if (!text)
        return 0;
    if (state->pszUrl) {
        HeapFree(GetProcessHeap(), 0, state->pszUrl);
        state->pszUrl = NULL;
    }
    const int length = Win<C>::lstrlen(text);
    if (length == 0)
        return 1;
    C *copy = static_cast<C *>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(C)));
    if (!copy) {
        SetLastError(ERROR_OUTOFMEMORY);
        return 0;
    }
    CopyMemory(copy, text, (length + 1) * sizeof(C));
    state->pszUrl = copy;
    return 1;
}

// Text of the other width in the build's width, in a heap block sized by the
// conversion itself (a double-byte code page needs up to two bytes per character);
// NULL when there is no memory.
char *ConvertText(const WCHAR *text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, NULL, 0, NULL, NULL);
    char *converted = size > 0 ? static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, size)) : NULL;
    if (converted && WideCharToMultiByte(CP_ACP, 0, text, -1, converted, size, NULL, NULL) <= 0)
        converted[0] = 0;
    return converted;
}

WCHAR *ConvertText(const char *text)
{
    const int size = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, NULL, 0);
    WCHAR *converted =
        size > 0 ? static_cast<WCHAR *>(HeapAlloc(GetProcessHeap(), 0, size * sizeof(WCHAR)))
                 : NULL;
    if (converted && MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, converted, size) <= 0)
        converted[0] = 0;
    return converted;
}

// The target message of the other width: converts and forwards to the build's own.
template <class C, class Other>
LRESULT OnSetUrlOtherWidth(HWND hwnd, UINT ownMessage, WPARAM wParam, const Other *text)
{
    if (!text)
        return 0;
    C *converted = ConvertText(text);
    if (!converted) {
        SetLastError(ERROR_OUTOFMEMORY);
        return 0;
    }
    const LRESULT result =
        Win<C>::SendMessage(hwnd, ownMessage, wParam, reinterpret_cast<LPARAM>(converted));
    HeapFree(GetProcessHeap(), 0, converted);
    return result;
}

template <class C>
LRESULT OnSetUrlA(HWND hwnd, WebLinkState<C> *state, WPARAM wParam, LPARAM lParam);
template <>
LRESULT OnSetUrlA<char>(HWND, WebLinkState<char> *state, WPARAM, LPARAM lParam)
{
    return OnSetUrl(state, reinterpret_cast<const char *>(lParam));
}
template <>
LRESULT OnSetUrlA<WCHAR>(HWND hwnd, WebLinkState<WCHAR> *, WPARAM wParam, LPARAM lParam)
{
    return OnSetUrlOtherWidth<WCHAR>(hwnd, WLM_SETURLW, wParam,
                                     reinterpret_cast<const char *>(lParam));
}

template <class C>
LRESULT OnSetUrlW(HWND hwnd, WebLinkState<C> *state, WPARAM wParam, LPARAM lParam);
template <>
LRESULT OnSetUrlW<char>(HWND hwnd, WebLinkState<char> *, WPARAM wParam, LPARAM lParam)
{
    return OnSetUrlOtherWidth<char>(hwnd, WLM_SETURLA, wParam,
                                    reinterpret_cast<const WCHAR *>(lParam));
}
template <>
LRESULT OnSetUrlW<WCHAR>(HWND, WebLinkState<WCHAR> *state, WPARAM, LPARAM lParam)
{
    return OnSetUrl(state, reinterpret_cast<const WCHAR *>(lParam));
}

void ShellOpen(HWND hwnd, const char *target)
{
    webLinkShellExecuteA(hwnd, NULL, target, NULL, NULL, SW_SHOW);
}

void ShellOpen(HWND hwnd, const WCHAR *target)
{
    webLinkShellExecuteW(hwnd, NULL, target, NULL, NULL, SW_SHOW);
}

template <class C>
void OpenTarget(HWND hwnd, const WebLinkState<C> *state)
{
    if (state->pszUrl)
        ShellOpen(hwnd, state->pszUrl);
}

template <class C>
LRESULT OnSetStyle(HWND hwnd, WebLinkState<C> *state, WPARAM wParam, LPARAM lParam)
{
    const DWORD mask = static_cast<DWORD>(wParam) & kLinkOptionMask;
    const DWORD previous = state->dwFlags & mask;
    state->dwFlags = (state->dwFlags & ~mask) | (static_cast<DWORD>(lParam) & mask);
    Repaint(hwnd);
    return previous;
}

template <class C>
LRESULT OnSetParam(WebLinkState<C> *state, LPARAM lParam)
{
    const LPARAM previous = state->lParam;
    state->lParam = lParam;
    return previous;
}

template <class C>
LRESULT OnFocus(HWND hwnd, WebLinkState<C> *state, bool gained)
{
    if (gained)
        state->dwFlags |= kLinkFocused;
    else
        state->dwFlags &= ~kLinkFocused;
    ControlOnFocus(hwnd, gained ? WM_SETFOCUS : WM_KILLFOCUS);
    Repaint(hwnd);
    return 0;
}

template <class C>
LRESULT OnSetFont(HWND hwnd, WebLinkState<C> *state, WPARAM wParam, LPARAM lParam)
{
    MakeFonts(hwnd, state, reinterpret_cast<HFONT>(wParam));
    if (LOWORD(lParam))
        Repaint(hwnd);
    return 0;
}

// A new DPI: default fonts and the hand are made again for it; copies of a font
// the host set stay.
template <class C>
LRESULT OnDpiChanged(HWND hwnd, WebLinkState<C> *state, UINT message, LPARAM lParam)
{
    MoveToSuggestedDpiRect(hwnd, message, lParam);
    if (!state->hostFont)
        MakeFonts(hwnd, state, NULL);
    UpdateCursor(hwnd, state);
    Repaint(hwnd);
    return 0;
}

template <class C>
LRESULT OnSetCursor(HWND hwnd, const WebLinkState<C> *state, WPARAM wParam, LPARAM lParam)
{
    if (state->hCursor && LOWORD(lParam) == HTCLIENT) {
        SetCursor(state->hCursor);
        return TRUE;
    }
    return Win<C>::DefWindowProc(hwnd, WM_SETCURSOR, wParam, lParam);
}

// The colours are read at each paint.
LRESULT OnDarkModeChanged(HWND hwnd)
{
    Repaint(hwnd);
    return 0;
}

bool PointInClient(HWND hwnd, LPARAM lParam)
{
    RECT client;
    GetClientRect(hwnd, &client);
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, point) != 0;
}

// Hot tracking. While the control holds the capture, the Unicode build moves the
// pressed state with the hot state; the ANSI build keeps it until the capture ends.
template <class C>
LRESULT OnMouseMove(HWND hwnd, WebLinkState<C> *state, LPARAM lParam)
{
    if (GetCapture() != hwnd) {
        if (state->dwFlags & kLinkHot)
            return 0;
        state->dwFlags |= kLinkHot;
        TRACKMOUSEEVENT track;
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = hwnd;
        track.dwHoverTime = HOVER_DEFAULT;
        _TrackMouseEvent(&track);
        Repaint(hwnd);
        return 0;
    }
    const DWORD bits = sizeof(C) == sizeof(WCHAR) ? kLinkHot | kLinkPressed : kLinkHot;
    const bool inside = PointInClient(hwnd, lParam);
    const bool hot = (state->dwFlags & kLinkHot) != 0;
    if (inside == hot)
        return 0;
    if (inside)
        state->dwFlags |= bits;
    else
        state->dwFlags &= ~bits;
    Repaint(hwnd);
    return 0;
}

template <class C>
LRESULT OnLButtonDown(HWND hwnd, WebLinkState<C> *state)
{
    if ((state->dwFlags & kLinkHot) && !GetCapture()) {
        state->dwFlags |= kLinkPressed;
        Repaint(hwnd);
        SetCapture(hwnd);
    }
    if ((state->dwFlags & WLS_FOCUSONCLICK) && GetFocus() != hwnd)
        SetFocus(hwnd);
    return 0;
}

// Ends a click: the target opens only when the button goes up over the control.
template <class C>
LRESULT OnLButtonUp(HWND hwnd, const WebLinkState<C> *state, LPARAM lParam)
{
    if (GetCapture() != hwnd)
        return 0;
    ReleaseCapture();
    Win<C>::NotifyParent(hwnd, NM_RELEASEDCAPTURE);
    if (WebLinkAlive(hwnd, state) && PointInClient(hwnd, lParam))
        OpenTarget(hwnd, state);
    return 0;
}

template <class C>
LRESULT OnKeyDown(HWND hwnd, const WebLinkState<C> *state, WPARAM key)
{
    if (key == VK_SPACE || key == VK_RETURN)
        OpenTarget(hwnd, state);
    return 0;
}

// For screen readers: a link named by its text, focusable, hot-tracked while the
// pointer is over it; its default action is a click.
template <class C>
bool DescribeForAccess(HWND hwnd, AccessAnswers *answers)
{
    const WebLinkState<C> *state = ControlState<WebLinkState<C>>(hwnd);
    if (!state)
        return false;
    answers->role = ROLE_SYSTEM_LINK;
    answers->nameFromText = true;
    answers->stateMask = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_LINKED |
                         STATE_SYSTEM_HOTTRACKED;
    answers->state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
    if (state->dwFlags & kLinkFocused)
        answers->state |= STATE_SYSTEM_FOCUSED;
    if (state->dwFlags & kLinkHot)
        answers->state |= STATE_SYSTEM_HOTTRACKED;
    answers->defaultAction = L"Jump";
    return true;
}

// What a click does: the focus (with WLS_FOCUSONCLICK), NM_RELEASEDCAPTURE, then
// the target. The parent may destroy the link on the way.
template <class C>
HRESULT DoDefaultAction(HWND hwnd)
{
    const WebLinkState<C> *state = ControlState<WebLinkState<C>>(hwnd);
    if (!state)
        return E_FAIL;
    if (!IsWindowEnabled(hwnd))
        return DISP_E_MEMBERNOTFOUND;
    if ((state->dwFlags & WLS_FOCUSONCLICK) && GetFocus() != hwnd)
        SetFocus(hwnd);
    if (WebLinkAlive(hwnd, state))
        Win<C>::NotifyParent(hwnd, NM_RELEASEDCAPTURE);
    if (WebLinkAlive(hwnd, state))
        OpenTarget(hwnd, state);
    return S_OK;
}

template <class C>
const AccessClass kWebLinkAccess = {DescribeForAccess<C>, DoDefaultAction<C>};

template <class C>
LRESULT Dispatch(HWND hwnd, WebLinkState<C> *state, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        WebLinkPaint(hwnd, state);
        return 0;
    case WM_ERASEBKGND:
        return ControlOnEraseBkgnd();
    case WM_SETFOCUS:
        return OnFocus(hwnd, state, true);
    case WM_KILLFOCUS:
        return OnFocus(hwnd, state, false);
    case WM_SETFONT:
        return OnSetFont(hwnd, state, wParam, lParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state->hFontNormal);
    case WM_KEYDOWN:
        return OnKeyDown(hwnd, state, wParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(hwnd, state, lParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(hwnd, state);
    case WM_LBUTTONUP:
        return OnLButtonUp(hwnd, state, lParam);
    case WM_CAPTURECHANGED:
        state->dwFlags &= ~kLinkPressed;
        Repaint(hwnd);
        return 0;
    case WM_MOUSELEAVE:
        state->dwFlags &= ~kLinkHot;
        Repaint(hwnd);
        return 0;
    case WM_THEMECHANGED:
        return ControlOnThemeChanged(hwnd, &state->hTheme, L"WINDOW");
    case WM_SETCURSOR:
        return OnSetCursor(hwnd, state, wParam, lParam);
    case kWmDpiChanged:
    case kWmDpiChangedAfterParent:
        return OnDpiChanged(hwnd, state, message, lParam);
    case WLM_SETURLA:
        return OnSetUrlA(hwnd, state, wParam, lParam);
    case WLM_SETURLW:
        return OnSetUrlW(hwnd, state, wParam, lParam);
    case WLM_SETSTYLE:
        return OnSetStyle(hwnd, state, wParam, lParam);
    case WLM_GETSTYLE:
        return state->dwFlags & kLinkOptionMask;
    case WLM_SETPARAM:
        return OnSetParam(state, lParam);
    case WLM_GETPARAM:
        return state->lParam;
    case WM_GETOBJECT:
        return AccessGetObject(hwnd, wParam, lParam, &kWebLinkAccess<C>);
    default:
        return Win<C>::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

template <class C>
LRESULT CALLBACK WebLinkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate<C>(hwnd, reinterpret_cast<const CREATESTRUCTW *>(lParam));
    if (message == WM_DESTROY) {
        OnDestroy<C>(hwnd);
        return 0;
    }
    WebLinkState<C> *state = ControlState<WebLinkState<C>>(hwnd);
    if (!state)
        return Win<C>::DefWindowProc(hwnd, message, wParam, lParam);
    if (message == DarkModeMessage())
        return OnDarkModeChanged(hwnd);
    // Hot tracking and the focus tell screen readers when the state changed, a
    // new text when the name did.
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        ControlWatch watch(hwnd, &kWebLinkAccess<C>);
        return Dispatch(hwnd, state, message, wParam, lParam);
    }
    case WM_SETTEXT: {
        ControlWatch watch(hwnd, &kWebLinkAccess<C>, true);
        return Dispatch(hwnd, state, message, wParam, lParam);
    }
    default:
        return Dispatch(hwnd, state, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK WebLinkWndProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WebLinkWndProc<char>(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK WebLinkWndProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WebLinkWndProc<WCHAR>(hwnd, message, wParam, lParam);
}
