/* The public header compiles as C, after the system headers, without warnings. */
#include <windows.h>
#include <commctrl.h>
#include <stddef.h>
#include "orvcc32.h"

#define ORV_STATIC_ASSERT(name, cond) typedef char name[(cond) ? 1 : -1]

ORV_STATIC_ASSERT(progress_setpos, PGM_SETPOS == WM_USER + 2);
ORV_STATIC_ASSERT(progress_getpos, PGM_GETPOS == WM_USER + 8);
ORV_STATIC_ASSERT(pager_setpos, PGM_PAGER_SETPOS == PGM_FIRST + 8);
ORV_STATIC_ASSERT(pager_getpos, PGM_PAGER_GETPOS == PGM_FIRST + 9);
ORV_STATIC_ASSERT(backcolor, PGM_SETBACKCOLOR == CCM_SETBKCOLOR);

ORV_STATIC_ASSERT(hex_setdata, HXM_SETDATA == 0x052D);
ORV_STATIC_ASSERT(hex_getmode, HXM_GETMODE == 0x0542);
ORV_STATIC_ASSERT(hex_idealwidth, HXM_GETIDEALWIDTH == WM_USER + 320);
ORV_STATIC_ASSERT(hex_hscroll, HXV_HSCROLL == WS_HSCROLL);
ORV_STATIC_ASSERT(hex_vscroll, HXV_VSCROLL == WS_VSCROLL);
ORV_STATIC_ASSERT(hex_range, sizeof(HexRange) == 8);
ORV_STATIC_ASSERT(hex_mode, HXMODE_MASK == (HXMODE_INSERT | 3));

ORV_STATIC_ASSERT(led_first, LDM_SETFLAGS == 0x09DD);
ORV_STATIC_ASSERT(led_last, LDM_GETUSERDATA == 0x09E7);
ORV_STATIC_ASSERT(led_setcolors, LDM_SETCOLORS == 0x09E4);
ORV_STATIC_ASSERT(led_colors, sizeof(LedColors) == 3 * sizeof(COLORREF));
ORV_STATIC_ASSERT(led_shapes, LDT_DIGITDP == 16 && LDT_VBAR == 4 && LDT_BKBORDER == 0x10000);
ORV_STATIC_ASSERT(led_flags, LDF_OFF == 1 && LDF_POINT == 2);

ORV_STATIC_ASSERT(link_seturla, WLM_SETURLA == 0x05F4);
ORV_STATIC_ASSERT(link_seturlw, WLM_SETURLW == 0x05F5);
ORV_STATIC_ASSERT(link_getparam, WLM_GETPARAM == 0x05F9);
ORV_STATIC_ASSERT(link_underline, WLS_UNDERLINEHOT == WLS_UNDERLINEMASK);
ORV_STATIC_ASSERT(link_options, (WLS_NOFOCUSRECT | WLS_FOCUSONCLICK | WLS_NOHOTCOLOR) == 0x1C);

/* Called from the C++ tests: every LED and web link macro once (lParam 7 at creation). */
int OrvHeaderCDriveLedAndWebLink(HWND led, HWND link)
{
    LedColors colors = {1, 2, 3}, back = {0, 0, 0};
    int ok = Led_SetType(led, LDT_DIGITDP) == LDT_DIGIT && Led_GetType(led) == LDT_DIGITDP;
    ok = ok && Led_SetDigit(led, 12) == 0 && Led_StepDigit(led, FALSE) == 9 && Led_GetDigit(led) == 8;
    ok = ok && Led_SetFlags(led, LDF_POINT) == 0 && Led_GetFlags(led) == LDF_POINT;
    Led_SetColors(led, &colors);
    Led_GetColors(led, &back);
    ok = ok && back.backColor == 3 && Led_SetUserData(led, 42) == 7 && Led_GetUserData(led) == 42;
    ok = ok && WebLink_SetUrlA(link, "x") && WebLink_SetUrlW(link, L"") && !WebLink_SetUrl(link, NULL);
    ok = ok && WebLink_SetStyle(link, WLS_UNDERLINEMASK, WLS_UNDERLINEHOT) == WLS_UNDERLINENOTHOT;
    ok = ok && (WebLink_GetStyle(link) & WLS_UNDERLINEMASK) == WLS_UNDERLINEHOT;
    return ok && WebLink_SetParam(link, 5) == 7 && WebLink_GetParam(link) == 5;
}
ORV_STATIC_ASSERT(lv_editsubitem, LVXM_EDITSUBITEM == 0x0466);
ORV_STATIC_ASSERT(lv_sortheader, LVSO_SORTHEADER == 1 && LVSO_EDITSUBITEMS == 2);
ORV_STATIC_ASSERT(lv_sortflags, LVSOF_DESCENDINGFIRST == 2 && LVSOF_KEEPDIRECTION == 3);
ORV_STATIC_ASSERT(lv_editflags, LVEOF_QUERYEDITOR == 4 && LVEOF_NOFIRSTCOLUMN == 8
                  && LVEOF_COMBOBOX == 0x10000 && LVEOF_COMBOBOXEX == 2
                  && LVEOF_CUSTOMSTYLE == 0x40000);
ORV_STATIC_ASSERT(lv_editoption, sizeof(LVEDITOPTION) == 12);
#ifndef _WIN64
ORV_STATIC_ASSERT(lv_sortoption, sizeof(LVSORTOPTION) == 24);
ORV_STATIC_ASSERT(lv_sortnotify, sizeof(LVSORTNOTIFY) == 12);
ORV_STATIC_ASSERT(lv_editnotify, sizeof(LVEDITNOTIFYA) == 68 && sizeof(LVEDITNOTIFYW) == 68);
ORV_STATIC_ASSERT(lv_editor, offsetof(LVEDITNOTIFYW, hwndEditor) == 64);
#endif
ORV_STATIC_ASSERT(lv_dispinfo, offsetof(LVEDITNOTIFYW, item.iIndent) == offsetof(NMLVDISPINFOW, item.iIndent));
ORV_STATIC_ASSERT(grid_first, GCM_SETEDITMSG == 0x0465);
ORV_STATIC_ASSERT(grid_state, GCM_GETITEMSTATE == 0x0467 && GCM_SETITEMSTATE == 0x0468);
ORV_STATIC_ASSERT(grid_last, GCM_GETUSERDATA == 0x046E);
ORV_STATIC_ASSERT(grid_colors, sizeof(GRIDCOLORS) == 32 && GCC_VERTLINE == 0x20);
ORV_STATIC_ASSERT(grid_flags, GCS_FRAMESELECTION == 0x00200000 && GCS_VERTPENSTYLE(PS_DOT) == 0x0200);

/* Called from the C++ tests: drives a hex editor through the C macros. */
int OrvHeaderCDriveHexEditor(HWND hex)
{
    static const BYTE data[4] = {1, 2, 3, 4};
    BYTE back[4] = {0, 0, 0, 0};
    COLORREF colors[4];
    HexRange range;
    DWORD first = 0, last = 0;
    int ok = HexEdit_SetData(hex, data, 4);
    ok = ok && HexEdit_GetData(hex, back, 4) == 4 && back[3] == 4;
    ok = ok && HexEdit_GetDataSize(hex) == 4 && HexEdit_GetDataPtr(hex) != NULL;
    HexEdit_SetSel(hex, 1, 2);
    ok = ok && HexEdit_GetSel(hex, &first, &last) == 0x00030001 && first == 1 && last == 2;
    HexEdit_ExGetSel(hex, &range);
    ok = ok && range.first == 1 && range.last == 2;
    ok = ok && HexEdit_SetCaretPos(hex, 9) == 0 && HexEdit_GetCaretPos(hex) == 4;
    ok = ok && HexEdit_SetBaseAddress(hex, 0x100) == 0 && HexEdit_GetBaseAddress(hex) == 0x100;
    ok = ok && HexEdit_SetAddressDigits(hex, 6) == 4 && HexEdit_GetAddressDigits(hex) == 6;
    ok = ok && HexEdit_SetBytesPerLine(hex, 16) == 8 && HexEdit_GetBytesPerLine(hex) == 16;
    ok = ok && HexEdit_SetViewFlags(hex, HXV_CHARS, 0) == 7 && HexEdit_GetViewFlags(hex) == 3;
    ok = ok && HexEdit_GetIdealWidth(hex) > 2;
    ok = ok && HexEdit_SetMode(hex, HXMODE_CHAR) == HXMODE_INSERT && HexEdit_GetMode(hex) == 2;
    HexEdit_GetColors(hex, HXC_BACKGROUND | HXC_TEXT | HXC_SELBACKGROUND | HXC_SELTEXT, colors);
    HexEdit_SetColors(hex, HXC_TEXT, colors);
    return ok;
}

/* Called from the C++ tests: drives a progress bar through the C macros. */
int OrvHeaderCDriveProgress(HWND progress)
{
    PBRANGE range;
    COLORREF color = CLR_DEFAULT;
    int low;
    Progress_SetRange32(progress, -5, 5);
    low = Progress_GetRange(progress, TRUE, &range);
    /* (void): in a 64-bit build the result cast of a discarded call is a
       computed value that -Wall reports. */
    (void)Progress_SetPos(progress, 3);
    (void)Progress_SetBarColor(progress, &color);
    (void)Progress_SetBkColor(progress, &color);
    return low == -5 && range.iHigh == 5 && Progress_GetPos(progress) == 3;
}

/* The pager's own macros still send the pager's messages. */
UINT OrvHeaderCPagerSetPosMessage(void)
{
    return PGM_PAGER_SETPOS;
}

/* Through void (*)(void), which matches every function type: in a 64-bit build
   FARPROC returns INT_PTR. */
#define ORV_FARPROC(f) (FARPROC)(void (*)(void))(f)
FARPROC OrvHeaderCFunctions[] = {
    ORV_FARPROC(InitORVCC),
    ORV_FARPROC(DllGetVersion),
    ORV_FARPROC(OrvccInitThemeHlp),
    ORV_FARPROC(OrvccIsAppThemed),
    ORV_FARPROC(MRU_GetNumItems),
};

ORV_STATIC_ASSERT(splitter_first, SPM_SETPANE1 == 0x04C9);
ORV_STATIC_ASSERT(splitter_recalc, SPM_RECALC == 0x04CD);
ORV_STATIC_ASSERT(splitter_last, SPM_GETBARWIDTH == 0x04D3);
ORV_STATIC_ASSERT(splitter_flags, (SPF_HORIZONTAL | SPF_FULLDRAG | SPF_LOCKED) == 7);

/* Called from the C++ tests with a splitter without panes: drives it through the C macros. */
int OrvHeaderCDriveSplitter(HWND splitter, HWND pane)
{
    double pos = 0.25;
    HWND previous = Splitter_SetPane1(splitter, pane, TRUE);
    DWORD flags = Splitter_SetFlags(splitter, SPF_HORIZONTAL, SPF_HORIZONTAL);
    int ok = Splitter_SetPos(splitter, &pos) && Splitter_GetPos(splitter, &pos);
    Splitter_Recalc(splitter);
    ok = ok && previous == NULL && Splitter_GetPane1(splitter) == pane && Splitter_GetPane2(splitter) == NULL;
    ok = ok && Splitter_GetFlags(splitter, SPF_HORIZONTAL) == SPF_HORIZONTAL && flags == 0;
    return ok && Splitter_SetBarWidth(splitter, 8) >= 0 && Splitter_GetBarWidth(splitter) == 8;
}

/* Analog meter: message numbers, record layouts and the wrapper macros. */
ORV_STATIC_ASSERT(meter_setinfo, AMM_SETINFO == 0x07E9);
ORV_STATIC_ASSERT(meter_setlabelsw, AMM_SETLABELSW == 0x07EE);
ORV_STATIC_ASSERT(meter_setmetrics, AMM_SETMETRICS == WM_USER + 1011);
ORV_STATIC_ASSERT(meter_info, sizeof(AMINFO) == (sizeof(LPARAM) == 4 ? 32 : 40));
ORV_STATIC_ASSERT(meter_holdtime, offsetof(AMINFO, uHoldTime) == 24);
ORV_STATIC_ASSERT(meter_colors, sizeof(AMCOLORS) == 5 * sizeof(COLORREF));
ORV_STATIC_ASSERT(meter_metrics, sizeof(AMMETRICS) == 7 * sizeof(int));
ORV_STATIC_ASSERT(meter_bits, (AMS_NOCAPTION | AMS_CAPTIONTOP | AMS_PEAKHOLD) == 0x13);
ORV_STATIC_ASSERT(meter_masks, (AMIF_STYLE | AMIF_INTERVALS | AMIF_LABELSTEP | AMIF_MAX |
                                AMIF_HOLDTIME | AMIF_PARAM) == 0x3F);

int OrvHeaderCDriveMeter(HWND meter)
{
    AMINFO info;
    AMCOLORS colors;
    AMMETRICS metrics;
    int ok;
    info.dwMask = AMIF_MAX | AMIF_LABELSTEP;
    info.nMax = 100;
    info.nLabelStep = 2;
    AnalogMeter_SetInfo(meter, &info);
    AnalogMeter_SetLabels(meter, 2, TEXT("0\0") TEXT("50\0"));
    AnalogMeter_SetPos(meter, 150);
    ok = AnalogMeter_GetPos(meter) == 100 && AnalogMeter_DeltaPos(meter, FALSE, 30) == 70;
    info.nMax = 0;
    AnalogMeter_GetInfo(meter, &info);
    AnalogMeter_GetColors(meter, &colors);
    AnalogMeter_SetColors(meter, &colors);
    AnalogMeter_GetMetrics(meter, &metrics);
    AnalogMeter_SetMetrics(meter, &metrics);
    return ok && info.nMax == 100 && info.nLabelStep == 2;
}
