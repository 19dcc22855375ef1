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
ORV_HARNESS_CONTROL(Splitter, ORVCC_SPLITTER_CLASS, HarnessSpec("ORV_SplitterClass", kSplitterRows));

}  // namespace
