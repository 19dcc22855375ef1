// The controls the random-message harness drives: one block per control, its
// private messages as a table and its registration (see support/msgharness.h).
#include "orvcc32.h"

#include "msgharness.h"
#include "testing.h"

using namespace orvtest;

namespace {

// Row shorthands: message, wParam, lParam (and buffer size or picks).
constexpr ArgKind Z = kArgZero, Any = kArgAny, B = kArgBool, S = kArgSmall, Win = kArgWindow, P = kArgPick;
constexpr ArgKind In = kArgIn, InOpt = kArgInOpt, Out = kArgOut, OutOpt = kArgOutOpt;

template <size_t N> MsgRow Pick(UINT msg, ArgKind w, ArgKind l, const LPARAM (&picks)[N])
{
    return {msg, w, l, N, 0, picks};
}
template <typename T> LPARAM Ptr(const T *p) { return reinterpret_cast<LPARAM>(p); }

// Progress bar.
const MsgRow kProgressRows[] = {
    {PGM_SETRANGE, Z, Any}, {PGM_SETPOS, Any, Z}, {PGM_DELTAPOS, Any, Z}, {PGM_SETSTEP, Any, Z},
    {PGM_STEPIT, Z, Z}, {PGM_SETRANGE32, Any, Any}, {PGM_GETRANGE, B, OutOpt, sizeof(PBRANGE)},
    {PGM_GETPOS, Z, Z}, {PGM_SETBARCOLOR, Z, InOpt, sizeof(COLORREF)},
    {PGM_SETBACKCOLOR, Z, InOpt, sizeof(COLORREF)},
};
ORV_HARNESS_CONTROL(Progress, ORVCC_PROGRESS_CLASS, HarnessSetup("ORV_ProgressClass", kProgressRows));

// Hex editor.
const LPARAM kHexCommands[] = {IDM_HEX_CUT, IDM_HEX_COPY, IDM_HEX_PASTE, IDM_HEX_DELETE, IDM_HEX_SELECTALL, 0};
const MsgRow kHexEditorRows[] = {
    {HXM_SETDATA, kArgCount, In, 3000}, {HXM_GETDATA, kArgCount, Out, 3000},
    {HXM_SETVIEWFLAGS, Any, Any}, {HXM_GETVIEWFLAGS, Z, Z}, {HXM_SETSEL, Any, Any},
    {HXM_GETSEL, OutOpt, OutOpt, sizeof(DWORD)}, {HXM_EXGETSEL, Z, OutOpt, sizeof(HexRange)},
    {HXM_SETCOLORS, Any, InOpt, 4 * sizeof(COLORREF)}, {HXM_GETCOLORS, Any, Out, 4 * sizeof(COLORREF)},
    {HXM_SETCARETPOS, Z, Any}, {HXM_GETCARETPOS, Z, Z}, {HXM_GETDATASIZE, Z, Z},
    {HXM_SETBASEADDRESS, Z, Any}, {HXM_GETBASEADDRESS, Z, Z}, {HXM_SETADDRESSDIGITS, Z, S},
    {HXM_GETADDRESSDIGITS, Z, Z}, {HXM_SETBYTESPERLINE, Z, Any}, {HXM_GETBYTESPERLINE, Z, Z},
    {HXM_GETDATAPTR, Z, Z}, {HXM_GETIDEALWIDTH, Z, Z}, {HXM_SETMODE, Z, Any}, {HXM_GETMODE, Z, Z},
    Pick(WM_COMMAND, P, Z, kHexCommands), {WM_CONTEXTMENU, Win, Any, 0, kRowModal},
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
    {SPM_SETPANE1, B, Win}, {SPM_SETPANE2, B, Win}, {SPM_GETPANE1, Z, Z}, {SPM_GETPANE2, Z, Z},
    {SPM_RECALC, Z, Z}, {SPM_SETPOS, Z, InOpt, sizeof(double)}, {SPM_GETPOS, Z, OutOpt, sizeof(double)},
    {SPM_SETFLAGS, Any, Any}, {SPM_SETFLAGS, S, S}, {SPM_GETFLAGS, Any, Z}, {SPM_SETBARWIDTH, Z, Any},
    {SPM_SETBARWIDTH, Z, S}, {SPM_GETBARWIDTH, Z, Z}, {WM_NOTIFY, Any, In, sizeof(NMHDR)},
    {WM_COMMAND, Any, Win},
};
ORV_HARNESS_CONTROL(Splitter, ORVCC_SPLITTER_CLASS, HarnessSetup("ORV_SplitterClass", kSplitterRows));

// LED display.
const LPARAM kLedTypes[] = {LDT_ROUND, LDT_RECT, LDT_HBAR, LDT_VBAR, LDT_DIGIT, LDT_DIGITDP,
                            LDT_DIGIT | LDT_BKBORDER, LDT_DIGITDP | LDT_BKBORDER, 3, 0x20};
const MsgRow kLedRows[] = {
    {LDM_SETFLAGS, Z, Any}, {LDM_SETFLAGS, Z, S}, {LDM_GETFLAGS, Z, Z}, Pick(LDM_SETTYPE, Z, P, kLedTypes),
    {LDM_SETTYPE, Z, Any}, {LDM_GETTYPE, Z, Z}, {LDM_STEPDIGIT, Z, Any}, {LDM_SETDIGIT, Any, Z},
    {LDM_SETDIGIT, S, Z}, {LDM_GETDIGIT, Z, Z}, {LDM_SETCOLORS, Z, InOpt, sizeof(LedColors)},
    {LDM_GETCOLORS, Z, OutOpt, sizeof(LedColors)}, {LDM_SETUSERDATA, Z, Any}, {LDM_GETUSERDATA, Z, Z},
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
const LPARAM kLinkTargetsA[] = {0, Ptr(""), Ptr(kMissingA)};
const LPARAM kLinkTargetsW[] = {0, Ptr(L""), Ptr(kMissingW), Ptr(kMissingLongW)};
const LPARAM kLinkKeys[] = {VK_SPACE, VK_RETURN};
const MsgRow kWebLinkRows[] = {
    Pick(WLM_SETURLA, Any, P, kLinkTargetsA), Pick(WLM_SETURLW, Any, P, kLinkTargetsW),
    {WLM_SETSTYLE, Any, Any}, {WLM_SETSTYLE, Any, S}, {WLM_GETSTYLE, Z, Z}, {WLM_SETPARAM, Z, Any},
    {WLM_GETPARAM, Z, Z}, {WM_MOUSELEAVE, Z, Z}, Pick(WM_KEYDOWN, P, Z, kLinkKeys),
};
ORV_HARNESS_CONTROL(WebLink, ORVCC_WEBLINK_CLASS, HarnessSetup("ORV_WebLinkClass", kWebLinkRows));

// Analog meter. Label blocks are long enough for any count: the texts, then
// zeros well past what the 1024-character store can take.
const char kMeterLabelsA[4096] = "0\0 50\0 100\0 150\0Gr\xfc\xdf\xe9";
const WCHAR kMeterLabelsW[4096] = L"0\0 50\0 100\0 150\0\x00fc\x4e2d\xd83d\xde00";
const LPARAM kMeterLabelPicksA[] = {Ptr(kMeterLabelsA), 0};
const LPARAM kMeterLabelPicksW[] = {Ptr(kMeterLabelsW), 0};
// Scales that draw ticks and labels (random records mostly ask for too many ticks).
const AMINFO kMeterScales[] = {
    {AMIF_STYLE | AMIF_INTERVALS | AMIF_LABELSTEP | AMIF_HOLDTIME, AMS_PEAKHOLD, 0xFF, 25, 5, 0, 1, 0},
    {AMIF_STYLE | AMIF_INTERVALS | AMIF_LABELSTEP | AMIF_MAX, AMS_CAPTIONTOP, 0xFF, 10, 1, 90, 0, 0},
    {AMIF_INTERVALS | AMIF_LABELSTEP, 0, 0, 1100, 1, 0, 0, 0},  // walks past the store
};
const LPARAM kMeterScalePicks[] = {Ptr(&kMeterScales[0]), Ptr(&kMeterScales[1]), Ptr(&kMeterScales[2])};
const LPARAM kMeterTimers[] = {111, 1};
const MsgRow kAnalogMeterRows[] = {
    {AMM_SETINFO, Z, InOpt, sizeof(AMINFO)}, Pick(AMM_SETINFO, Z, P, kMeterScalePicks),
    {AMM_GETINFO, Z, OutOpt, sizeof(AMINFO)}, {AMM_SETCOLORS, Z, InOpt, sizeof(AMCOLORS)},
    {AMM_GETCOLORS, Z, OutOpt, sizeof(AMCOLORS)}, Pick(AMM_SETLABELSA, S, P, kMeterLabelPicksA),
    Pick(AMM_SETLABELSW, S, P, kMeterLabelPicksW), {AMM_DELTAPOS, B, Any}, {AMM_GETPOS, Z, Z},
    {AMM_SETPOS, Z, Any}, {AMM_GETMETRICS, Z, OutOpt, sizeof(AMMETRICS)},
    {AMM_SETMETRICS, Z, InOpt, sizeof(AMMETRICS)}, Pick(WM_TIMER, P, Z, kMeterTimers),
};
ORV_HARNESS_CONTROL(AnalogMeter, ORVCC_ANALOGMETER_CLASS, HarnessSetup("ORV_AnalogMeterClass", kAnalogMeterRows));

// List view extensions, on a host's report-view list view with both options.
const LPARAM kNotifyFormats[] = {NF_QUERY, NF_REQUERY};
const MsgRow kListViewExtRows[] = {
    {LVXM_EDITSUBITEM, S, S}, {LVM_EDITLABELA, S, Z}, {LVM_GETEDITCONTROL, Z, Z}, {LVM_DELETEITEM, S, Z},
    {LVM_DELETECOLUMN, S, Z}, {WM_NOTIFY, Any, In, sizeof(NMHEADERW)},
    Pick(WM_NOTIFYFORMAT, Win, P, kNotifyFormats), {WM_SYSCOLORCHANGE, Z, Z},
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
    Pick(GCM_SETEDITMSG, Z, P, kGridEditMessages), {LVXM_EDITSUBITEM, S, S},
    {GCM_GETITEMSTATE, S, InOpt, sizeof(LVITEMA)}, {GCM_SETITEMSTATE, S, InOpt, sizeof(LVITEMA)},
    {GCM_SETGRIDSTYLE, Z, Any}, {GCM_GETGRIDSTYLE, Z, Z}, {GCM_SETCOLORS, Z, InOpt, sizeof(GRIDCOLORS)},
    {GCM_GETCOLORS, Z, OutOpt, sizeof(GRIDCOLORS)}, {GCM_SETUSERDATA, Z, Any}, {GCM_GETUSERDATA, Z, Z},
    {LVM_SETITEMSTATE, S, InOpt, sizeof(LVITEMA)}, {LVM_GETITEMSTATE, S, Any}, {LVM_SETBKCOLOR, Z, Any},
    {LVM_SETCOLUMNWIDTH, S, S}, {LVM_DELETECOLUMN, S, Z}, {LVM_DELETEITEM, S, Z},
    {LVM_REDRAWITEMS, S, S}, {LVM_ENSUREVISIBLE, S, B}, {WM_KEYDOWN, kArgKey, Z},
    {WM_DRAWITEM, Z, InOpt, sizeof(DRAWITEMSTRUCT)}, {WM_NOTIFY, S, In, sizeof(NMHDR)},
    Pick(WM_NOTIFYFORMAT, Win, P, kGridFormatQueries), {WM_APP, Any, Any},
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
ORV_HARNESS_CONTROL(Grid, ORVCC_GRIDCONTROL_CLASS, HarnessSetup("ORV_GridControlClass", kGridRows, CreateFilledGrid));

}  // namespace
