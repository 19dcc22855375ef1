// What the controls share: parent notification, the state record's slot, the
// calls that differ by character width, the standard handlers and bitmap scaling.
#include "control.h"

#include <new>

namespace {

template <class C>
void SendBareNotification(HWND hwnd, int code)
{
    NMHDR header;
    header.hwndFrom = hwnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    header.code = static_cast<UINT>(code);
    Win<C>::SendMessage(GetParent(hwnd), WM_NOTIFY, header.idFrom,
                        reinterpret_cast<LPARAM>(&header));
}

}  // namespace

void NotifyParentA(HWND hwnd, int code)
{
    SendBareNotification<char>(hwnd, code);
}

void NotifyParentW(HWND hwnd, int code)
{
    SendBareNotification<WCHAR>(hwnd, code);
}

void NotifyParent(HWND hwnd, int code)
{
    if (platformIsNT)
        NotifyParentW(hwnd, code);
    else
        NotifyParentA(hwnd, code);
}

BOOL ScaleBitmapBy(HBITMAP *bitmap, double factorX, double factorY)
{
    BITMAP info;
    int got = platformIsNT ? GetObjectW(*bitmap, sizeof info, &info)
                           : GetObjectA(*bitmap, sizeof info, &info);
    if (got == 0)
        return FALSE;
    const int width = static_cast<int>(info.bmWidth * factorX);
    const int height = static_cast<int>(info.bmHeight * factorY);
    if (width == info.bmWidth && height == info.bmHeight)
        return TRUE;
    HANDLE copy = CopyImage(*bitmap, IMAGE_BITMAP, width, height, LR_COPYDELETEORG);
    if (!copy)
        return FALSE;
    *bitmap = static_cast<HBITMAP>(copy);
    return TRUE;
}

BOOL ScaleBitmapToDpi(HBITMAP *bitmap)
{
    return ScaleBitmapBy(bitmap, dpiScaleX, dpiScaleY);
}

// ---------------------------------------------------------------------------
// The state record's slot.

LONG_PTR ControlGetSlot(HWND hwnd)
{
    return platformIsNT ? GetWindowLongPtrW(hwnd, GWLP_USERDATA)
                        : GetWindowLongPtrA(hwnd, GWLP_USERDATA);
}

void ControlSetSlot(HWND hwnd, LONG_PTR value)
{
    if (platformIsNT)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, value);
    else
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, value);
}

// ---------------------------------------------------------------------------
// Calls that differ by character width.

LRESULT DefWindowProcAW(bool wide, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return wide ? DefWindowProcW(hwnd, message, wParam, lParam)
                : DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT SendMessageAW(bool wide, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return wide ? SendMessageW(hwnd, message, wParam, lParam)
                : SendMessageA(hwnd, message, wParam, lParam);
}

BOOL PostMessageAW(bool wide, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return wide ? PostMessageW(hwnd, message, wParam, lParam)
                : PostMessageA(hwnd, message, wParam, lParam);
}

ULONG_PTR GetClassLongPtrAW(bool wide, HWND hwnd, int index)
{
    return wide ? GetClassLongPtrW(hwnd, index) : GetClassLongPtrA(hwnd, index);
}

BOOL SystemParametersInfoAW(bool wide, UINT action, UINT param, void *value)
{
    return wide ? SystemParametersInfoW(action, param, value, 0)
                : SystemParametersInfoA(action, param, value, 0);
}

HCURSOR LoadSystemCursorAW(bool wide, WORD id)
{
    const UINT flags = LR_DEFAULTSIZE | LR_SHARED;
    return static_cast<HCURSOR>(
        wide ? LoadImageW(NULL, MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, flags)
             : LoadImageA(NULL, MAKEINTRESOURCEA(id), IMAGE_CURSOR, 0, 0, flags));
}

// ---------------------------------------------------------------------------
// Standard handlers.

LRESULT ControlOnFocus(HWND hwnd, UINT message)
{
    NotifyParent(hwnd, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
    return 0;
}

LRESULT ControlOnThemeChanged(HWND hwnd, HTHEME *theme, LPCWSTR themeClass)
{
    if (*theme)
        OrvccCloseThemeData(*theme);
    *theme = OpenControlTheme(hwnd, themeClass);
    return 0;
}

// The window whose watch with once set runs on this thread (a thread-local slot,
// allocated at attach; TLS_OUT_OF_INDEXES turns the check off).
ControlWatch::ControlWatch(HWND hwnd, const AccessClass *table, bool nameMayChange, bool once)
    : watch_(NULL), outer_(NULL), once_(once)
{
    if (once) {
        outer_ = controlWatchSlot != TLS_OUT_OF_INDEXES
                     ? static_cast<HWND>(TlsGetValue(controlWatchSlot))
                     : NULL;
        if (outer_ == hwnd)
            return;
        if (controlWatchSlot != TLS_OUT_OF_INDEXES)
            TlsSetValue(controlWatchSlot, hwnd);
    }
    watch_ = new (storage_) AccessWatch(hwnd, table, nameMayChange);
}

ControlWatch::~ControlWatch()
{
    if (!watch_)
        return;
    watch_->~AccessWatch();
    if (once_ && controlWatchSlot != TLS_OUT_OF_INDEXES)
        TlsSetValue(controlWatchSlot, outer_);
}
