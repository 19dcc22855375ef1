// Column sorting: the sort state of a list view, its indicator in the header and
// the sort-change message. The library never reorders items; the host does.
#include "listview.h"

#include "display.h"

namespace {

const int kAscendingArrow = 100;
const int kDescendingArrow = 101;
const UINT kArrowFormat = HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
const UINT kSortFormat = HDF_SORTUP | HDF_SORTDOWN;

// In dark mode the arrow's shades, loaded as the light 3D colours, become those
// of the dark set: the face (its background), the shadow side and the white side.
void MapArrowToDark(HBITMAP bitmap)
{
    BITMAP info;
    if (!GetObjectW(bitmap, sizeof info, &info) && !GetObjectA(bitmap, sizeof info, &info))
        return;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const SIZE_T count = static_cast<SIZE_T>(info.bmWidth) * info.bmHeight;
    DWORD *pixels = static_cast<DWORD *>(HeapAlloc(GetProcessHeap(), 0, count * sizeof(DWORD)));
    HDC screen = GetDC(NULL);
    if (pixels && screen &&
        GetDIBits(screen, bitmap, 0, info.bmHeight, pixels, &format, DIB_RGB_COLORS)) {
        static const int shades[3] = {COLOR_3DFACE, COLOR_3DSHADOW, COLOR_3DHILIGHT};
        const COLORREF light[3] = {GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_3DSHADOW),
                                   RGB(255, 255, 255)};
        for (SIZE_T i = 0; i < count; ++i) {
            const COLORREF pixel =
                RGB(GetBValue(pixels[i]), GetGValue(pixels[i]), GetRValue(pixels[i]));
            for (int k = 0; k < 3; ++k) {
                if (pixel == light[k]) {
                    const COLORREF dark = DarkSysColor(shades[k]);
                    pixels[i] = RGB(GetBValue(dark), GetGValue(dark), GetRValue(dark));
                    break;
                }
            }
        }
        SetDIBits(screen, bitmap, 0, info.bmHeight, pixels, &format, DIB_RGB_COLORS);
    }
    if (screen)
        ReleaseDC(NULL, screen);
    if (pixels)
        HeapFree(GetProcessHeap(), 0, pixels);
}

// An arrow for the list view's DPI and the colours in effect.
template <class C>
HBITMAP LoadArrow(HWND listView, int id)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LvWin<C>::LoadImage(
        libInstance, id, IMAGE_BITMAP, LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT));
    if (!bitmap)
        return NULL;
    if (DarkModeActive())
        MapArrowToDark(bitmap);
    const DpiScale scale = WindowDpiScale(listView);
    if (scale.dpi == SystemDpi())
        ScaleBitmapToDpi(&bitmap);
    else
        ScaleBitmapBy(&bitmap, scale.x, scale.y);
    return bitmap;
}

template <class C>
void LoadArrows(HWND listView, ListViewSortState *state)
{
    state->ascending = LoadArrow<C>(listView, kAscendingArrow);
    state->descending = LoadArrow<C>(listView, kDescendingArrow);
}

void DeleteArrows(ListViewSortState *state)
{
    if (state->ascending)
        DeleteObject(state->ascending);
    if (state->descending)
        DeleteObject(state->descending);
    state->ascending = NULL;
    state->descending = NULL;
}

HWND HeaderOf(HWND listView)
{
    return reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
}

template <class C>
void SendSortNotification(HWND listView, const ListViewSortState *state)
{
    LVSORTNOTIFY notify = {listView, state->column, state->isDescending};
    LvWin<C>::SendMessage(state->notify, state->notifyMsg, 0, reinterpret_cast<LPARAM>(&notify));
}

// Puts the indicator of the current direction on column (on) or takes it off.
// False when the header item cannot be read or set.
template <class C>
bool ShowIndicator(HWND header, const ListViewSortState *state, int column, bool on)
{
    typename LvWin<C>::HdItem item = {};
    item.mask = HDI_FORMAT;
    if (!LvWin<C>::SendMessage(header, LvWin<C>::kGetItem, column, reinterpret_cast<LPARAM>(&item)))
        return false;
    if (state->headerFormat) {
        item.fmt &= ~kSortFormat;
        if (on)
            item.fmt |= state->isDescending ? HDF_SORTDOWN : HDF_SORTUP;
    } else if (on) {
        item.fmt |= kArrowFormat;
        item.mask |= HDI_BITMAP;
        item.hbm = state->isDescending ? state->descending : state->ascending;
    } else {
        item.fmt &= ~kArrowFormat;
    }
    return LvWin<C>::SendMessage(header, LvWin<C>::kSetItem, column,
                                 reinterpret_cast<LPARAM>(&item)) != 0;
}

// A left click on a header item: toggles or moves the sort column, then reports.
template <class C>
void OnHeaderClick(HWND listView, ListViewSortState *state, HWND header, int clicked)
{
    if (state->isDescending != 0 && state->isDescending != 1)
        state->isDescending = 1;
    if (clicked == state->column) {
        state->isDescending = !state->isDescending;
    } else {
        if (state->headerFormat) {
            LvWin<C>::SendMessage(listView, LVM_SETSELECTEDCOLUMN, clicked, 0);
            if (LvWin<C>::SendMessage(listView, LVM_GETITEMCOUNT, 0, 0) == 0)
                InvalidateRect(listView, NULL, TRUE);
        }
        ShowIndicator<C>(header, state, state->column, false);
        state->column = clicked;
        if ((state->flags & LVSOF_KEEPDIRECTION) != LVSOF_KEEPDIRECTION)
            state->isDescending = (state->flags & LVSOF_DESCENDINGFIRST) ? 1 : 0;
    }
    ShowIndicator<C>(header, state, state->column, true);
    SendSortNotification<C>(listView, state);
}

// New system colours, a new DPI or dark mode coming or going: arrows made anew.
template <class C>
void ReloadArrows(HWND listView, ListViewSortState *state)
{
    DeleteArrows(state);
    LoadArrows<C>(listView, state);
    ShowIndicator<C>(HeaderOf(listView), state, state->column, true);
}

// What the sort behaviour does before a message goes on to the list view. False
// when the list view was destroyed meanwhile (the host may do so when told).
template <class C>
bool BeforePassingOn(HWND listView, ListViewSortState *state, UINT message, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const NMHEADERW *header = reinterpret_cast<const NMHEADERW *>(lParam);
        if (!header || (header->hdr.code != HDN_ITEMCLICKW && header->hdr.code != HDN_ITEMCLICKA))
            return true;
        if (header->iButton != 0 || header->hdr.hwndFrom != HeaderOf(listView))
            return true;
        OnHeaderClick<C>(listView, state, header->hdr.hwndFrom, header->iItem);
        return IsWindow(listView) != FALSE;
    }
    if ((message == WM_SYSCOLORCHANGE || message == kWmDpiChanged ||
         message == kWmDpiChangedAfterParent || message == DarkModeMessage()) &&
        !state->headerFormat)
        ReloadArrows<C>(listView, state);
    return true;
}

void FreeSortState(ListViewSortState *state)
{
    DeleteArrows(state);
    HeapFree(GetProcessHeap(), 0, state);
}

// Window procedure of both modes when the list view's procedure is replaced:
// bitmap mode in the list view's flavour, header-format mode always Unicode.
template <class C>
LRESULT CALLBACK SortWindowProc(HWND listView, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListViewSortState *state =
        static_cast<ListViewSortState *>(LvWin<C>::GetProp(listView, LvWin<C>::SortProp()));
    if (!state)
        return LvWin<C>::DefWindowProc(listView, message, wParam, lParam);
    const WNDPROC previous = state->previous;
    // Detach at WM_DESTROY; when a later subclass sits on top of this procedure,
    // keep serving until WM_NCDESTROY so that its chain stays whole.
    if ((message == WM_DESTROY && ProcIsOnTop<C>(listView, SortWindowProc<C>)) ||
        message == WM_NCDESTROY) {
        LvWin<C>::RemoveProp(listView, LvWin<C>::SortProp());
        if (ProcIsOnTop<C>(listView, SortWindowProc<C>))
            ReplaceProc<C>(listView, previous);
        FreeSortState(state);
        return LvWin<C>::CallWindowProc(previous, listView, message, wParam, lParam);
    }
    if (!BeforePassingOn<C>(listView, state, message, lParam))
        return 0;
    return LvWin<C>::CallWindowProc(previous, listView, message, wParam, lParam);
}

// Header-format mode under comctl32's subclassing (record as reference data).
LRESULT CALLBACK SortSubclassProc(HWND listView, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR data)
{
    ListViewSortState *state = reinterpret_cast<ListViewSortState *>(data);
    if (state && message == WM_DESTROY) {
        LRESULT result = pfnDefSubclassProc(listView, message, wParam, lParam);
        pfnRemoveWindowSubclass(listView, SortSubclassProc, id);
        FreeSortState(state);
        return result;
    }
    if (state && !BeforePassingOn<WCHAR>(listView, state, message, lParam))
        return 0;
    return pfnDefSubclassProc(listView, message, wParam, lParam);
}

template <class C>
ListViewSortState *FindSortState(HWND listView)
{
    DWORD_PTR data = 0;
    if (pfnGetWindowSubclass &&
        pfnGetWindowSubclass(listView, SortSubclassProc, SORT_SUBCLASS_ID, &data) && data)
        return reinterpret_cast<ListViewSortState *>(data);
    return static_cast<ListViewSortState *>(LvWin<C>::GetProp(listView, LvWin<C>::SortProp()));
}

// A new record with its mode, hooked into the list view; null when out of memory.
template <class C>
ListViewSortState *CreateSortState(HWND listView, HWND header)
{
    ListViewSortState *state = static_cast<ListViewSortState *>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ListViewSortState)));
    if (!state)
        return NULL;
    const LRESULT version = header ? LvWin<C>::SendMessage(header, CCM_GETVERSION, 0, 0) : 0;
    state->headerFormat = osVersion >= 0x00050001 && version >= 6;
    if (state->headerFormat && pfnSetWindowSubclass) {
        if (!pfnSetWindowSubclass(listView, SortSubclassProc, SORT_SUBCLASS_ID,
                                  reinterpret_cast<DWORD_PTR>(state))) {
            HeapFree(GetProcessHeap(), 0, state);
            return NULL;
        }
    } else if (state->headerFormat) {
        // The property must be there before the first message reaches the procedure.
        SetPropW(listView, L"LV_SortProp", state);
        state->previous = ReplaceProc<WCHAR>(listView, SortWindowProc<WCHAR>);
    } else {
        LvWin<C>::SetProp(listView, LvWin<C>::SortProp(), state);
        state->previous = ReplaceProc<C>(listView, SortWindowProc<C>);
        LoadArrows<C>(listView, state);
    }
    return state;
}

}  // namespace

template <class C>
BOOL AttachSortOption(HWND listView, const LVSORTOPTION *option)
{
    HWND header = HeaderOf(listView);
    if (!IsWindow(header))
        header = NULL;
    ListViewSortState *state = FindSortState<C>(listView);
    if (state && header) {
        typename LvWin<C>::HdItem item = {};
        item.mask = HDI_FORMAT | HDI_BITMAP;
        if (LvWin<C>::SendMessage(header, LvWin<C>::kGetItem, state->column,
                                  reinterpret_cast<LPARAM>(&item))) {
            item.fmt &= ~(kArrowFormat | kSortFormat);
            item.hbm = NULL;
            LvWin<C>::SendMessage(header, LvWin<C>::kSetItem, state->column,
                                  reinterpret_cast<LPARAM>(&item));
        }
    }
    if (!state) {
        state = CreateSortState<C>(listView, header);
        if (!state) {
            SetLastError(ERROR_OUTOFMEMORY);
            return FALSE;
        }
    }
    state->flags = option->dwFlags;
    state->notifyMsg = option->uNotifyMsg;
    state->column = option->iColumn;
    state->isDescending = option->fDescending;
    state->notify = IsWindow(option->hwndNotify) ? option->hwndNotify : GetParent(listView);
    if (!header)
        return TRUE;
    if (state->headerFormat)
        LvWin<C>::SendMessage(listView, LVM_SETSELECTEDCOLUMN, state->column, 0);
    if (ShowIndicator<C>(header, state, state->column, true))
        SendSortNotification<C>(listView, state);
    return TRUE;
}
template BOOL AttachSortOption<char>(HWND, const LVSORTOPTION *);
template BOOL AttachSortOption<WCHAR>(HWND, const LVSORTOPTION *);
