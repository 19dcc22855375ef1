/* The public header compiles as C, after the system headers, without warnings. */
#include <windows.h>
#include <commctrl.h>
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
