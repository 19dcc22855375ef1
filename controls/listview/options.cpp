// ListViewSetSpecialOption: argument checks and dispatch to the behaviour that the
// option record names, in the flavour of the list view's own window.
#include "listview.h"

namespace {

template <class C>
BOOL SetSpecialOption(HWND listView, const void *option)
{
    if (!option || !ClassNameIs<C>(listView, "SysListView32")) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    switch (static_cast<const UINT *>(option)[0]) {
    case LVSO_SORTHEADER:
        return AttachSortOption<C>(listView, static_cast<const LVSORTOPTION *>(option));
    case LVSO_EDITSUBITEMS:
        return AttachEditOption<C>(listView, static_cast<const LVEDITOPTION *>(option));
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}

}  // namespace

extern "C" BOOL WINAPI ListViewSetSpecialOption(HWND hwndListView, const void *option)
{
    if (!IsWindow(hwndListView)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (dpiScaleX == 0.0 || dpiScaleY == 0.0)
        InitORVCC(ORVCC_INIT_ONLY);
    if (IsWindowUnicode(hwndListView))
        return SetSpecialOption<WCHAR>(hwndListView, option);
    return SetSpecialOption<char>(hwndListView, option);
}
