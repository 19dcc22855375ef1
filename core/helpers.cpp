// Parent notification and bitmap scaling shared by the controls.
#include "library.h"

namespace {

template <class C>
void SendBareNotification(HWND hwnd, int code)
{
    NMHDR header;
    header.hwndFrom = hwnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    header.code = static_cast<UINT>(code);
    Win<C>::SendMessage(GetParent(hwnd), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
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

BOOL ScaleBitmapToDpi(HBITMAP *bitmap)
{
    BITMAP info;
    int got = platformIsNT ? GetObjectW(*bitmap, sizeof info, &info)
                           : GetObjectA(*bitmap, sizeof info, &info);
    if (got == 0)
        return FALSE;
    const int width = static_cast<int>(info.bmWidth * dpiScaleX);
    const int height = static_cast<int>(info.bmHeight * dpiScaleY);
    if (width == info.bmWidth && height == info.bmHeight)
        return TRUE;
    HANDLE copy = CopyImage(*bitmap, IMAGE_BITMAP, width, height, LR_COPYDELETEORG);
    if (!copy)
        return FALSE;
    *bitmap = static_cast<HBITMAP>(copy);
    return TRUE;
}
