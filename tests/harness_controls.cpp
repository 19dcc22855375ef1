// The controls the random-message harness drives: one block per control, its
// private messages as a table and its registration (see support/msgharness.h).
#include "orvcc32.h"

#include "msgharness.h"
#include "testing.h"

using namespace orvtest;

namespace {

// Progress bar.
const MsgRow kProgressRows[] = {
    {PGM_SETRANGE, kArgZero, kArgAny},
    {PGM_SETPOS, kArgAny, kArgZero},
    {PGM_DELTAPOS, kArgAny, kArgZero},
    {PGM_SETSTEP, kArgAny, kArgZero},
    {PGM_STEPIT, kArgZero, kArgZero},
    {PGM_SETRANGE32, kArgAny, kArgAny},
    {PGM_GETRANGE, kArgBool, kArgOutOpt, sizeof(PBRANGE)},
    {PGM_GETPOS, kArgZero, kArgZero},
    {PGM_SETBARCOLOR, kArgZero, kArgInOpt, sizeof(COLORREF)},
    {PGM_SETBACKCOLOR, kArgZero, kArgInOpt, sizeof(COLORREF)},
};

ORV_HARNESS_CONTROL(Progress, ORVCC_PROGRESS_CLASS, HarnessSpec("ORV_ProgressClass", kProgressRows));

// Hex editor.
const LPARAM kHexCommands[] = {IDM_HEX_CUT, IDM_HEX_COPY, IDM_HEX_PASTE, IDM_HEX_DELETE,
                               IDM_HEX_SELECTALL, 0};

const MsgRow kHexEditorRows[] = {
    {HXM_SETDATA, kArgCount, kArgIn, 3000},
    {HXM_GETDATA, kArgCount, kArgOut, 3000},
    {HXM_SETVIEWFLAGS, kArgAny, kArgAny},
    {HXM_GETVIEWFLAGS, kArgZero, kArgZero},
    {HXM_SETSEL, kArgAny, kArgAny},
    {HXM_GETSEL, kArgOutOpt, kArgOutOpt, sizeof(DWORD)},
    {HXM_EXGETSEL, kArgZero, kArgOutOpt, sizeof(HexRange)},
    {HXM_SETCOLORS, kArgAny, kArgInOpt, 4 * sizeof(COLORREF)},
    {HXM_GETCOLORS, kArgAny, kArgOut, 4 * sizeof(COLORREF)},
    {HXM_SETCARETPOS, kArgZero, kArgAny},
    {HXM_GETCARETPOS, kArgZero, kArgZero},
    {HXM_GETDATASIZE, kArgZero, kArgZero},
    {HXM_SETBASEADDRESS, kArgZero, kArgAny},
    {HXM_GETBASEADDRESS, kArgZero, kArgZero},
    {HXM_SETADDRESSDIGITS, kArgZero, kArgSmall},
    {HXM_GETADDRESSDIGITS, kArgZero, kArgZero},
    {HXM_SETBYTESPERLINE, kArgZero, kArgAny},
    {HXM_GETBYTESPERLINE, kArgZero, kArgZero},
    {HXM_GETDATAPTR, kArgZero, kArgZero},
    {HXM_GETIDEALWIDTH, kArgZero, kArgZero},
    {HXM_SETMODE, kArgZero, kArgAny},
    {HXM_GETMODE, kArgZero, kArgZero},
    {WM_COMMAND, kArgPick, kArgZero, 6, 0, kHexCommands},
    {WM_CONTEXTMENU, kArgWindow, kArgAny, 0, kRowModal},
};

HarnessSpec HexEditorSpec()
{
    HarnessSpec spec("ORV_HexEditorClass", kHexEditorRows);
    spec.style |= WS_HSCROLL | WS_VSCROLL;
    return spec;
}
ORV_HARNESS_CONTROL(HexEditor, ORVCC_HEXEDITOR_CLASS, HexEditorSpec());

// List view extensions, on a host's report-view list view with both options.
const LPARAM kNotifyFormats[] = {NF_QUERY, NF_REQUERY};
const MsgRow kListViewExtRows[] = {
    {LVXM_EDITSUBITEM, kArgSmall, kArgSmall},
    {LVM_EDITLABELA, kArgSmall, kArgZero},
    {LVM_GETEDITCONTROL, kArgZero, kArgZero},
    {LVM_DELETEITEM, kArgSmall, kArgZero},
    {LVM_DELETECOLUMN, kArgSmall, kArgZero},
    {WM_NOTIFY, kArgAny, kArgIn, sizeof(NMHEADERW)},
    {WM_NOTIFYFORMAT, kArgWindow, kArgPick, 2, 0, kNotifyFormats},
    {WM_SYSCOLORCHANGE, kArgZero, kArgZero},
};

// A button press on the list view waits in the list view's own drag-detection loop
// for the release, holding the capture; a queued WM_CANCELMODE ends that wait.
WNDPROC listViewProc;
LRESULT CALLBACK QuickClicks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)
        PostMessageW(hwnd, WM_CANCELMODE, 0, 0);
    return CallWindowProcW(listViewProc, hwnd, message, wParam, lParam);
}

HWND CreateExtendedListView(HWND parent)
{
    HWND list = CreateWindowInFlavour("SysListView32", WS_CHILD | WS_VISIBLE | LVS_REPORT |
                                      LVS_EDITLABELS, 10, 10, 240, 160, parent, 7);
    listViewProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(QuickClicks)));
    char text[] = "cell";
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT;
        column.fmt = i == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = 70;
        column.pszText = text;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
    LVSORTOPTION sort = {LVSO_SORTHEADER, LVSOF_KEEPDIRECTION, WM_APP + 1, 1, TRUE, NULL};
    LVEDITOPTION edit = {LVSO_EDITSUBITEMS, 0, WM_APP + 2};
    ListViewSetSpecialOption(list, &sort);
    ListViewSetSpecialOption(list, &edit);
    (void)ListView_EditSubItem(list, 1, 1);  // each window starts with an open editor
    return list;
}

HarnessSpec ListViewExtSpec()
{
    HarnessSpec spec("ListViewExtensions", kListViewExtRows);
    spec.create = CreateExtendedListView;
    return spec;
}
ORV_HARNESS_CONTROL(ListViewExt, ORVCC_INIT_ONLY, ListViewExtSpec());

}  // namespace
