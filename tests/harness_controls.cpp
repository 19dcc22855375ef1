// The controls the random-message harness drives: one block per control, its
// private messages as a table and its registration (see support/msgharness.h).
#include "orvcc32.h"

#include "msgharness.h"

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

}  // namespace

// Grid control: its own messages, the list-view messages it looks at, and those
// passed to the child that carry no pointers of their own; made with rows and
// columns so that painting and the cell cursor have cells to work on.
#include "testing.h"

namespace {

const LPARAM kGridEditMessages[] = {0, WM_APP + 50};
const LPARAM kGridFormatQueries[] = {NF_QUERY, NF_REQUERY, 0};

const MsgRow kGridRows[] = {
    {GCM_SETEDITMSG, kArgZero, kArgPick, 2, 0, kGridEditMessages},
    {LVXM_EDITSUBITEM, kArgSmall, kArgSmall},
    {GCM_GETITEMSTATE, kArgSmall, kArgInOpt, sizeof(LVITEMA)},
    {GCM_SETITEMSTATE, kArgSmall, kArgInOpt, sizeof(LVITEMA)},
    {GCM_SETGRIDSTYLE, kArgZero, kArgAny},
    {GCM_GETGRIDSTYLE, kArgZero, kArgZero},
    {GCM_SETCOLORS, kArgZero, kArgInOpt, sizeof(GRIDCOLORS)},
    {GCM_GETCOLORS, kArgZero, kArgOutOpt, sizeof(GRIDCOLORS)},
    {GCM_SETUSERDATA, kArgZero, kArgAny},
    {GCM_GETUSERDATA, kArgZero, kArgZero},
    {LVM_SETITEMSTATE, kArgSmall, kArgInOpt, sizeof(LVITEMA)},
    {LVM_GETITEMSTATE, kArgSmall, kArgAny},
    {LVM_SETBKCOLOR, kArgZero, kArgAny},
    {LVM_SETCOLUMNWIDTH, kArgSmall, kArgSmall},
    {LVM_DELETECOLUMN, kArgSmall, kArgZero},
    {LVM_DELETEITEM, kArgSmall, kArgZero},
    {LVM_REDRAWITEMS, kArgSmall, kArgSmall},
    {LVM_ENSUREVISIBLE, kArgSmall, kArgBool},
    {WM_KEYDOWN, kArgKey, kArgZero},
    {WM_DRAWITEM, kArgZero, kArgInOpt, sizeof(DRAWITEMSTRUCT)},
    {WM_NOTIFY, kArgSmall, kArgIn, sizeof(NMHDR)},
    {WM_NOTIFYFORMAT, kArgWindow, kArgPick, 3, 0, kGridFormatQueries},
    {WM_APP, kArgAny, kArgAny},
};

HWND CreateFilledGrid(HWND parent)
{
    HWND grid = CreateWindowInFlavour("ORV_GridControlClass", WS_CHILD | WS_VISIBLE | LVS_EDITLABELS, 0, 0,
                                      240, 160, parent, 5);
    char text[] = "cell text that is longer than its column";
    for (int c = 0; c < 4; ++c) {
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH | LVCF_FMT;
        column.cx = 40 + 10 * c;
        column.fmt = c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        SendMessageA(grid, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    for (int r = 0; r < 6; ++r) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = text + r;
        SendMessageA(grid, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (item.iSubItem = 1; item.iSubItem < 4; ++item.iSubItem)
            SendMessageA(grid, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
    }
    return grid;
}

HarnessSpec GridSpec()
{
    HarnessSpec spec("ORV_GridControlClass", kGridRows);
    spec.create = CreateFilledGrid;
    return spec;
}
ORV_HARNESS_CONTROL(Grid, ORVCC_GRIDCONTROL_CLASS, GridSpec());

}  // namespace
