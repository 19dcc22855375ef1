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

ORV_HARNESS_CONTROL(Progress, ORVCC_PROGRESS_CLASS, HarnessSetup("ORV_ProgressClass", kProgressRows));

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

HarnessSetup HexEditorSetup()
{
    HarnessSetup setup("ORV_HexEditorClass", kHexEditorRows);
    setup.style |= WS_HSCROLL | WS_VSCROLL;
    return setup;
}
ORV_HARNESS_CONTROL(HexEditor, ORVCC_HEXEDITOR_CLASS, HexEditorSetup());

// Splitter window: the panes are the host's child windows, the control itself,
// its parent, NULL or a destroyed window.
const MsgRow kSplitterRows[] = {
    {SPM_SETPANE1, kArgBool, kArgWindow},
    {SPM_SETPANE2, kArgBool, kArgWindow},
    {SPM_GETPANE1, kArgZero, kArgZero},
    {SPM_GETPANE2, kArgZero, kArgZero},
    {SPM_RECALC, kArgZero, kArgZero},
    {SPM_SETPOS, kArgZero, kArgInOpt, sizeof(double)},
    {SPM_GETPOS, kArgZero, kArgOutOpt, sizeof(double)},
    {SPM_SETFLAGS, kArgAny, kArgAny},
    {SPM_SETFLAGS, kArgSmall, kArgSmall},
    {SPM_GETFLAGS, kArgAny, kArgZero},
    {SPM_SETBARWIDTH, kArgZero, kArgAny},
    {SPM_SETBARWIDTH, kArgZero, kArgSmall},
    {SPM_GETBARWIDTH, kArgZero, kArgZero},
    {WM_NOTIFY, kArgAny, kArgIn, sizeof(NMHDR)},
    {WM_COMMAND, kArgAny, kArgWindow},
};
ORV_HARNESS_CONTROL(Splitter, ORVCC_SPLITTER_CLASS, HarnessSetup("ORV_SplitterClass", kSplitterRows));
// LED display.
const LPARAM kLedTypes[] = {LDT_ROUND, LDT_RECT, LDT_HBAR, LDT_VBAR, LDT_DIGIT, LDT_DIGITDP,
                            LDT_DIGIT | LDT_BKBORDER, LDT_DIGITDP | LDT_BKBORDER, 3, 0x20};

const MsgRow kLedRows[] = {
    {LDM_SETFLAGS, kArgZero, kArgAny},
    {LDM_SETFLAGS, kArgZero, kArgSmall},
    {LDM_GETFLAGS, kArgZero, kArgZero},
    {LDM_SETTYPE, kArgZero, kArgPick, 10, 0, kLedTypes},
    {LDM_SETTYPE, kArgZero, kArgAny},
    {LDM_GETTYPE, kArgZero, kArgZero},
    {LDM_STEPDIGIT, kArgZero, kArgAny},
    {LDM_SETDIGIT, kArgAny, kArgZero},
    {LDM_SETDIGIT, kArgSmall, kArgZero},
    {LDM_GETDIGIT, kArgZero, kArgZero},
    {LDM_SETCOLORS, kArgZero, kArgInOpt, sizeof(LedColors)},
    {LDM_GETCOLORS, kArgZero, kArgOutOpt, sizeof(LedColors)},
    {LDM_SETUSERDATA, kArgZero, kArgAny},
    {LDM_GETUSERDATA, kArgZero, kArgZero},
};

ORV_HARNESS_CONTROL(Led, ORVCC_LED_CLASS, HarnessSetup("ORV_LEDClass", kLedRows));

// Web link. Its targets are files that do not exist, so a key or click that opens
// one only makes the shell answer "not found"; the long one needs two bytes a
// character under a double-byte code page.
const wchar_t kMissingW[] = L"C:\\orvcc-harness-none\\none.orvnone";
const char kMissingA[] = "C:\\orvcc-harness-none\\none.orvnone";
const wchar_t kMissingLongW[] =
    L"C:\\orvcc-harness-none\\\u3042\u3044\u3046\u3048\u304a\u3042\u3044\u3046\u3048\u304a"
    L"\u3042\u3044\u3046\u3048\u304a\u3042\u3044\u3046\u3048\u304a\u00e9\u00e8.orvnone";
const LPARAM kLinkTargetsA[] = {0, reinterpret_cast<LPARAM>(""), reinterpret_cast<LPARAM>(kMissingA)};
const LPARAM kLinkTargetsW[] = {0, reinterpret_cast<LPARAM>(L""), reinterpret_cast<LPARAM>(kMissingW),
                                reinterpret_cast<LPARAM>(kMissingLongW)};

const LPARAM kLinkKeys[] = {VK_SPACE, VK_RETURN};

const MsgRow kWebLinkRows[] = {
    {WLM_SETURLA, kArgAny, kArgPick, 3, 0, kLinkTargetsA},
    {WLM_SETURLW, kArgAny, kArgPick, 4, 0, kLinkTargetsW},
    {WLM_SETSTYLE, kArgAny, kArgAny},
    {WLM_SETSTYLE, kArgAny, kArgSmall},
    {WLM_GETSTYLE, kArgZero, kArgZero},
    {WLM_SETPARAM, kArgZero, kArgAny},
    {WLM_GETPARAM, kArgZero, kArgZero},
    {WM_MOUSELEAVE, kArgZero, kArgZero},
    {WM_KEYDOWN, kArgPick, kArgZero, 2, 0, kLinkKeys},
};

ORV_HARNESS_CONTROL(WebLink, ORVCC_WEBLINK_CLASS, HarnessSetup("ORV_WebLinkClass", kWebLinkRows));
// Analog meter. Label blocks are long enough for any count: the texts, then
// zeros well past what the 1024-character store can take.
const char kMeterLabelsA[4096] = "0\0 50\0 100\0 150\0Gr\xfc\xdf\xe9";
const WCHAR kMeterLabelsW[4096] = L"0\0 50\0 100\0 150\0\x00fc\x4e2d\xd83d\xde00";
const LPARAM kMeterLabelPicksA[] = {reinterpret_cast<LPARAM>(kMeterLabelsA), 0};
const LPARAM kMeterLabelPicksW[] = {reinterpret_cast<LPARAM>(kMeterLabelsW), 0};
// Scales that draw ticks and labels (random records mostly ask for too many ticks).
const AMINFO kMeterScales[] = {
    {AMIF_STYLE | AMIF_INTERVALS | AMIF_LABELSTEP | AMIF_HOLDTIME, AMS_PEAKHOLD, 0xFF, 25, 5, 0, 1, 0},
    {AMIF_STYLE | AMIF_INTERVALS | AMIF_LABELSTEP | AMIF_MAX, AMS_CAPTIONTOP, 0xFF, 10, 1, 90, 0, 0},
    {AMIF_INTERVALS | AMIF_LABELSTEP, 0, 0, 1100, 1, 0, 0, 0},  // walks past the store
};
const LPARAM kMeterScalePicks[] = {reinterpret_cast<LPARAM>(&kMeterScales[0]),
                                   reinterpret_cast<LPARAM>(&kMeterScales[1]),
                                   reinterpret_cast<LPARAM>(&kMeterScales[2])};
const LPARAM kMeterTimers[] = {111, 1};

const MsgRow kAnalogMeterRows[] = {
    {AMM_SETINFO, kArgZero, kArgInOpt, sizeof(AMINFO)},
    {AMM_SETINFO, kArgZero, kArgPick, 3, 0, kMeterScalePicks},
    {AMM_GETINFO, kArgZero, kArgOutOpt, sizeof(AMINFO)},
    {AMM_SETCOLORS, kArgZero, kArgInOpt, sizeof(AMCOLORS)},
    {AMM_GETCOLORS, kArgZero, kArgOutOpt, sizeof(AMCOLORS)},
    {AMM_SETLABELSA, kArgSmall, kArgPick, 2, 0, kMeterLabelPicksA},
    {AMM_SETLABELSW, kArgSmall, kArgPick, 2, 0, kMeterLabelPicksW},
    {AMM_DELTAPOS, kArgBool, kArgAny},
    {AMM_GETPOS, kArgZero, kArgZero},
    {AMM_SETPOS, kArgZero, kArgAny},
    {AMM_GETMETRICS, kArgZero, kArgOutOpt, sizeof(AMMETRICS)},
    {AMM_SETMETRICS, kArgZero, kArgInOpt, sizeof(AMMETRICS)},
    {WM_TIMER, kArgPick, kArgZero, 2, 0, kMeterTimers},
};

ORV_HARNESS_CONTROL(AnalogMeter, ORVCC_ANALOGMETER_CLASS,
                    HarnessSetup("ORV_AnalogMeterClass", kAnalogMeterRows));
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

ORV_HARNESS_CONTROL(ListViewExt, ORVCC_INIT_ONLY,
                    HarnessSetup("ListViewExtensions", kListViewExtRows, CreateExtendedListView));

// Grid control: its own messages, the list-view messages it looks at, and those
// passed to the child that carry no pointers of their own; made with rows and
// columns so that painting and the cell cursor have cells to work on.

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

ORV_HARNESS_CONTROL(Grid, ORVCC_GRIDCONTROL_CLASS,
                    HarnessSetup("ORV_GridControlClass", kGridRows, CreateFilledGrid));

}  // namespace
