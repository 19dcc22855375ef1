/*
 * orvcc32.h - public interface of orvcc32.dll, a library of custom controls.
 *
 * Usable from C and C++. Include it after <windows.h>; it includes <commctrl.h>,
 * <uxtheme.h> and <shlwapi.h> itself. Link with the import library of orvcc32.dll.
 *
 * A host calls InitORVCC once, then creates the controls by class name (dialog
 * templates or CreateWindowEx) and drives them with the messages below. Every
 * message is documented as: wParam / lParam -> result.
 *
 * Progress bar and pager control: commctrl.h names two pager messages PGM_SETPOS
 * and PGM_GETPOS, the same names as two progress bar messages here. After this
 * header, PGM_SETPOS and PGM_GETPOS are the progress bar's messages; the pager's
 * messages are PGM_PAGER_SETPOS and PGM_PAGER_GETPOS, and commctrl.h's
 * Pager_SetPos and Pager_GetPos macros keep sending the pager's messages. Because
 * this header includes <commctrl.h> first, the order of the two includes in a
 * host does not matter.
 */
#ifndef ORVCC32_H
#define ORVCC32_H

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <shlwapi.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef ORVCCAPI
#define ORVCCAPI DECLSPEC_IMPORT
#endif

/* ---------------------------------------------------------------------------
 * Library
 * ------------------------------------------------------------------------- */

/* Class bits of InitORVCC; registration runs in this bit order. */
#define ORVCC_PROGRESS_CLASS    0x01
#define ORVCC_ANALOGMETER_CLASS 0x02
#define ORVCC_WEBLINK_CLASS     0x04
#define ORVCC_LED_CLASS         0x08
#define ORVCC_GRIDCONTROL_CLASS 0x10
#define ORVCC_SPLITTER_CLASS    0x20
#define ORVCC_HEXEDITOR_CLASS   0x40
/* Common initialisation only (DPI factors, subclassing entry points), no class. */
#define ORVCC_INIT_ONLY         0x80000000

/* Registers the classes named by flags (0 means 0x0F: progress, analog meter,
 * web link, LED). Returns TRUE when every requested class is registered (now or
 * by an earlier call), FALSE when a registration failed (GetLastError tells why). */
ORVCCAPI BOOL WINAPI InitORVCC(DWORD flags);

/* Window class names (the same in both character widths). */
#define ORV_PROGRESSCLASSA    "ORV_ProgressClass"
#define ORV_PROGRESSCLASSW    L"ORV_ProgressClass"
#define ORV_ANALOGMETERCLASSA "ORV_AnalogMeterClass"
#define ORV_ANALOGMETERCLASSW L"ORV_AnalogMeterClass"
#define ORV_WEBLINKCLASSA     "ORV_WebLinkClass"
#define ORV_WEBLINKCLASSW     L"ORV_WebLinkClass"
#define ORV_LEDCLASSA         "ORV_LEDClass"
#define ORV_LEDCLASSW         L"ORV_LEDClass"
#define ORV_GRIDCONTROLCLASSA "ORV_GridControlClass"
#define ORV_GRIDCONTROLCLASSW L"ORV_GridControlClass"
#define ORV_SPLITTERCLASSA    "ORV_SplitterClass"
#define ORV_SPLITTERCLASSW    L"ORV_SplitterClass"
#define ORV_HEXEDITORCLASSA   "ORV_HexEditorClass"
#define ORV_HEXEDITORCLASSW   L"ORV_HexEditorClass"
#ifdef UNICODE
#define ORV_PROGRESSCLASS     ORV_PROGRESSCLASSW
#define ORV_ANALOGMETERCLASS  ORV_ANALOGMETERCLASSW
#define ORV_WEBLINKCLASS      ORV_WEBLINKCLASSW
#define ORV_LEDCLASS          ORV_LEDCLASSW
#define ORV_GRIDCONTROLCLASS  ORV_GRIDCONTROLCLASSW
#define ORV_SPLITTERCLASS     ORV_SPLITTERCLASSW
#define ORV_HEXEDITORCLASS    ORV_HEXEDITORCLASSW
#else
#define ORV_PROGRESSCLASS     ORV_PROGRESSCLASSA
#define ORV_ANALOGMETERCLASS  ORV_ANALOGMETERCLASSA
#define ORV_WEBLINKCLASS      ORV_WEBLINKCLASSA
#define ORV_LEDCLASS          ORV_LEDCLASSA
#define ORV_GRIDCONTROLCLASS  ORV_GRIDCONTROLCLASSA
#define ORV_SPLITTERCLASS     ORV_SPLITTERCLASSA
#define ORV_HEXEDITORCLASS    ORV_HEXEDITORCLASSA
#endif

/* Controls send WM_NOTIFY with a bare NMHDR (wParam = control id) for
 * NM_SETFOCUS, NM_KILLFOCUS, NM_RELEASEDCAPTURE and NM_OUTOFMEMORY. */

/* The shell's version query: fills a DLLVERSIONINFO (cbSize >= 20) or
 * DLLVERSIONINFO2 (cbSize >= 32) -> S_OK, E_INVALIDARG (null, short or
 * unwritable record), E_UNEXPECTED (no version resource), E_OUTOFMEMORY. */
ORVCCAPI HRESULT WINAPI DllGetVersion(DLLVERSIONINFO *pdvi);

/* ---------------------------------------------------------------------------
 * Theme helper: loads the visual-styles library on first use (NT only) and
 * forwards to it; without it each wrapper gives the fallback named.
 * ------------------------------------------------------------------------- */

/* Takes a reference -> TRUE when the visual-styles library is loaded. */
ORVCCAPI BOOL WINAPI OrvccInitThemeHlp(void);
/* Gives a reference back; the last one frees the library -> TRUE. */
ORVCCAPI BOOL WINAPI OrvccReleaseThemeHlp(void);
/* -> FALSE without the library. */
ORVCCAPI BOOL WINAPI OrvccIsThemeActive(void);
/* -> NULL without the library. */
ORVCCAPI HTHEME WINAPI OrvccOpenThemeData(HWND hwnd, LPCWSTR pszClassList);
/* -> E_INVALIDARG for NULL, E_FAIL without the library. */
ORVCCAPI HRESULT WINAPI OrvccCloseThemeData(HTHEME hTheme);
/* Needs a valid theme handle. */
ORVCCAPI HRESULT WINAPI OrvccDrawThemeEdge(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                           LPCRECT pDestRect, UINT uEdge, UINT uFlags,
                                           LPRECT pContentRect);
/* A NULL theme gives GetSysColor(iColorId). */
ORVCCAPI COLORREF WINAPI OrvccGetThemeSysColor(HTHEME hTheme, int iColorId);
/* -> 0 without the library. */
ORVCCAPI DWORD WINAPI OrvccGetThemeAppProperties(void);
/* Needs a valid theme handle. */
ORVCCAPI HRESULT WINAPI OrvccDrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                                 LPCRECT pRect, LPCRECT pClipRect);
/* -> E_FAIL without the library. */
ORVCCAPI HRESULT WINAPI OrvccEnableThemeDialogTexture(HWND hwnd, DWORD dwFlags);
/* Needs a valid theme handle. */
ORVCCAPI HRESULT WINAPI OrvccDrawThemeIcon(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                           LPCRECT pRect, HIMAGELIST himl, int iImageIndex);
/* Needs a valid theme handle. */
ORVCCAPI BOOL WINAPI OrvccIsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId,
                                                               int iStateId);
/* -> E_UNEXPECTED without the library. */
ORVCCAPI HRESULT WINAPI OrvccDrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT *prc);
/* -> FALSE without the library. */
ORVCCAPI BOOL WINAPI OrvccIsThemeDialogTextureEnabled(HWND hwnd);
/* -> FALSE without the library. */
ORVCCAPI BOOL WINAPI OrvccIsAppThemed(void);

/* ---------------------------------------------------------------------------
 * Progress bar (ORV_ProgressClass): fills from the left and shows the completed
 * percentage centred, inverted where the bar covers it. Positions are never
 * clamped; DELTAPOS and STEPIT wrap past the maximum to pos - max + min.
 * ------------------------------------------------------------------------- */

#ifdef PGM_SETPOS
#undef PGM_SETPOS
#undef Pager_SetPos
#define Pager_SetPos(hwnd, iPos) (int)SNDMSG((hwnd), PGM_PAGER_SETPOS, 0, (LPARAM)(iPos))
#endif
#ifdef PGM_GETPOS
#undef PGM_GETPOS
#undef Pager_GetPos
#define Pager_GetPos(hwnd) (int)SNDMSG((hwnd), PGM_PAGER_GETPOS, 0, 0)
#endif
#define PGM_PAGER_SETPOS (0x1400 + 8)
#define PGM_PAGER_GETPOS (0x1400 + 9)

/* 0 / MAKELPARAM(min, max) (unsigned 16-bit each) -> previous MAKELRESULT(min, max) */
#define PGM_SETRANGE      (WM_USER + 1)
/* new position / 0 -> previous position (no clamping) */
#define PGM_SETPOS        (WM_USER + 2)
/* signed increment / 0 -> previous position (wraps past the maximum) */
#define PGM_DELTAPOS      (WM_USER + 3)
/* new step / 0 -> previous step (no repaint) */
#define PGM_SETSTEP       (WM_USER + 4)
/* 0 / 0 -> previous position; adds the step (wraps past the maximum) */
#define PGM_STEPIT        (WM_USER + 5)
/* signed minimum / signed maximum -> 0 */
#define PGM_SETRANGE32    (WM_USER + 6)
/* TRUE for the minimum, FALSE for the maximum / PBRANGE* or NULL -> that end */
#define PGM_GETRANGE      (WM_USER + 7)
/* 0 / 0 -> position */
#define PGM_GETPOS        (WM_USER + 8)
/* 0 / COLORREF* (CLR_DEFAULT: highlight colour) -> previous bar colour */
#define PGM_SETBARCOLOR   (WM_USER + 9)
/* 0 / COLORREF* (CLR_DEFAULT: window colour) -> previous background colour */
#define PGM_SETBACKCOLOR  0x2001

#define Progress_SetRange(hwnd, lo, hi) \
    (DWORD)SNDMSG((hwnd), PGM_SETRANGE, 0, MAKELPARAM((lo), (hi)))
#define Progress_SetPos(hwnd, pos) (int)SNDMSG((hwnd), PGM_SETPOS, (WPARAM)(pos), 0)
#define Progress_DeltaPos(hwnd, delta) (int)SNDMSG((hwnd), PGM_DELTAPOS, (WPARAM)(delta), 0)
#define Progress_SetStep(hwnd, step) (int)SNDMSG((hwnd), PGM_SETSTEP, (WPARAM)(step), 0)
#define Progress_StepIt(hwnd) (int)SNDMSG((hwnd), PGM_STEPIT, 0, 0)
#define Progress_SetRange32(hwnd, lo, hi) \
    (void)SNDMSG((hwnd), PGM_SETRANGE32, (WPARAM)(lo), (LPARAM)(hi))
#define Progress_GetRange(hwnd, fLow, pRange) \
    (int)SNDMSG((hwnd), PGM_GETRANGE, (WPARAM)(fLow), (LPARAM)(PBRANGE *)(pRange))
#define Progress_GetPos(hwnd) (int)SNDMSG((hwnd), PGM_GETPOS, 0, 0)
#define Progress_SetBarColor(hwnd, pclr) \
    (COLORREF)SNDMSG((hwnd), PGM_SETBARCOLOR, 0, (LPARAM)(const COLORREF *)(pclr))
#define Progress_SetBkColor(hwnd, pclr) \
    (COLORREF)SNDMSG((hwnd), PGM_SETBACKCOLOR, 0, (LPARAM)(const COLORREF *)(pclr))

/* ---------------------------------------------------------------------------
 * MRU lists: up to 26 most-recently-used strings kept under a registry key, one
 * REG_SZ value per item named "A" to "Z" and the value "MRUList" with the items'
 * letters, most recent first. Positions count from the most recent item (0). A
 * handle from MRU_OpenListA takes the A functions, one from MRU_OpenListW the W
 * functions; MRU_GetNumItems takes either. Failures set the last error.
 * ------------------------------------------------------------------------- */

/* Flags of MruOpenParams. */
#define MRUF_WRITETHROUGH  0x0001 /* write every change at once, else at close */
#define MRUF_CASESENSITIVE 0x0002 /* compare items case-sensitively */

/* Where and how a list is kept. */
typedef struct MruOpenParamsA {
    DWORD cbSize;   /* sizeof(MruOpenParamsA) */
    DWORD maxItems; /* 1 to 26 */
    DWORD flags;    /* MRUF_* */
    HKEY hKey;      /* open key; must stay open until the list is closed */
    LPCSTR subKey;  /* path of the list's key below hKey, not empty */
} MruOpenParamsA;
typedef struct MruOpenParamsW {
    DWORD cbSize;   /* sizeof(MruOpenParamsW) */
    DWORD maxItems; /* 1 to 26 */
    DWORD flags;    /* MRUF_* */
    HKEY hKey;      /* open key; must stay open until the list is closed */
    LPCWSTR subKey; /* path of the list's key below hKey, not empty */
} MruOpenParamsW;

/* Reads the list (creating its key) -> handle, or NULL. */
ORVCCAPI HANDLE WINAPI MRU_OpenListA(const MruOpenParamsA *params);
ORVCCAPI HANDLE WINAPI MRU_OpenListW(const MruOpenParamsW *params);
/* Writes the list unless written through, frees it -> TRUE. */
ORVCCAPI BOOL WINAPI MRU_CloseListA(HANDLE list);
ORVCCAPI BOOL WINAPI MRU_CloseListW(HANDLE list);
/* Makes text the most recent item (a found item takes the new spelling; a full
 * list drops its least recent item) -> TRUE; FALSE for an empty text. */
ORVCCAPI BOOL WINAPI MRU_AddItemA(HANDLE list, LPCSTR text);
ORVCCAPI BOOL WINAPI MRU_AddItemW(HANDLE list, LPCWSTR text);
/* -> position of the item equal to text, or -1. */
ORVCCAPI int WINAPI MRU_FindItemA(HANDLE list, LPCSTR text);
ORVCCAPI int WINAPI MRU_FindItemW(HANDLE list, LPCWSTR text);
/* Makes the item at index the most recent -> TRUE (always for index 0). */
ORVCCAPI BOOL WINAPI MRU_MoveItemToTopA(HANDLE list, int index);
ORVCCAPI BOOL WINAPI MRU_MoveItemToTopW(HANDLE list, int index);
/* Removes the item at index -> TRUE. */
ORVCCAPI BOOL WINAPI MRU_RemoveItemA(HANDLE list, int index);
ORVCCAPI BOOL WINAPI MRU_RemoveItemW(HANDLE list, int index);
/* Copies at most size - 1 characters and a terminator -> characters copied, 0 on failure. */
ORVCCAPI int WINAPI MRU_GetItemTextA(HANDLE list, int index, LPSTR buffer, int size);
ORVCCAPI int WINAPI MRU_GetItemTextW(HANDLE list, int index, LPWSTR buffer, int size);
/* -> buffer size in characters that holds any item, 0 for an empty list. */
ORVCCAPI int WINAPI MRU_GetMaxItemTextLenA(HANDLE list);
ORVCCAPI int WINAPI MRU_GetMaxItemTextLenW(HANDLE list);
/* -> MAKELONG(item count, maxItems), 0 for an invalid handle. */
ORVCCAPI DWORD WINAPI MRU_GetNumItems(HANDLE list);

#ifdef UNICODE
#define MruOpenParams          MruOpenParamsW
#define MRU_OpenList           MRU_OpenListW
#define MRU_CloseList          MRU_CloseListW
#define MRU_AddItem            MRU_AddItemW
#define MRU_FindItem           MRU_FindItemW
#define MRU_MoveItemToTop      MRU_MoveItemToTopW
#define MRU_RemoveItem         MRU_RemoveItemW
#define MRU_GetItemText        MRU_GetItemTextW
#define MRU_GetMaxItemTextLen  MRU_GetMaxItemTextLenW
#else
#define MruOpenParams          MruOpenParamsA
#define MRU_OpenList           MRU_OpenListA
#define MRU_CloseList          MRU_CloseListA
#define MRU_AddItem            MRU_AddItemA
#define MRU_FindItem           MRU_FindItemA
#define MRU_MoveItemToTop      MRU_MoveItemToTopA
#define MRU_RemoveItem         MRU_RemoveItemA
#define MRU_GetItemText        MRU_GetItemTextA
#define MRU_GetMaxItemTextLen  MRU_GetMaxItemTextLenA
#endif

/* ---------------------------------------------------------------------------
 * Hex editor (ORV_HexEditorClass): a block of bytes, owned by the control, shown
 * as an address column, a hex pane (two digits per byte) and a character pane
 * (one character of the ANSI code page per byte, "." when not printable). The
 * caret stands on a byte position 0..size (size = the append position) in the
 * hex pane (high or low digit) or in the character pane. Typing edits in insert
 * or overwrite mode (Insert key); Shift with the navigation keys or the mouse
 * selects; Ctrl+X/C/V/A and the German context menu cut, copy, paste and select
 * all through the private clipboard format "OrvRawBinary" (DWORD count, DWORD 0,
 * then the bytes). Register with InitORVCC(ORVCC_HEXEDITOR_CLASS); window styles
 * WS_HSCROLL and WS_VSCROLL at creation make the control manage those bars.
 * There are no change notifications: poll with the messages below. The parent
 * gets WM_NOTIFY NM_SETFOCUS, NM_KILLFOCUS and NM_OUTOFMEMORY (a typed or pasted
 * insertion found no memory).
 * ------------------------------------------------------------------------- */

/* byte count / const BYTE* -> TRUE; FALSE with ERROR_INVALID_PARAMETER (source
 * unreadable) or ERROR_OUTOFMEMORY (old data kept). Removes the selection and
 * keeps the caret (limited to the new size). */
#define HXM_SETDATA           (WM_USER + 301)
/* buffer size / BYTE* -> bytes copied (min(size, buffer size)); 0 for a zero
 * size, a null or an unwritable buffer. */
#define HXM_GETDATA           (WM_USER + 302)
/* mask / new bits (HXV_*) -> previous view flags */
#define HXM_SETVIEWFLAGS      (WM_USER + 303)
/* 0 / 0 -> view flags */
#define HXM_GETVIEWFLAGS      (WM_USER + 304)
/* first byte / last byte (inclusive) -> 0. (DWORD)-1 in either removes the
 * selection. Otherwise both values are limited to 0..size (size = the append
 * position) and a start after the end is swapped with it, so the stored
 * selection always lies within the data. Caret and anchor are not changed. */
#define HXM_SETSEL            (WM_USER + 305)
/* DWORD* start or NULL / DWORD* end (inclusive) or NULL -> -1 without a
 * selection, else MAKELONG(LOWORD(start), LOWORD(end + 1)) (16-bit only). */
#define HXM_GETSEL            (WM_USER + 306)
/* 0 / HexRange* or NULL -> 0; both fields (DWORD)-1 without a selection. */
#define HXM_EXGETSEL          (WM_USER + 307)
/* HXC_* mask / COLORREF[4] (background, text, selection background, selection
 * text) -> 0. A null pointer is ignored. */
#define HXM_SETCOLORS         (WM_USER + 308)
/* HXC_* mask / COLORREF[4] -> 0; writes the masked entries only. */
#define HXM_GETCOLORS         (WM_USER + 309)
/* 0 / position (limited to the size) -> previous caret position. */
#define HXM_SETCARETPOS       (WM_USER + 310)
/* 0 / 0 -> caret position (0..size) */
#define HXM_GETCARETPOS       (WM_USER + 311)
/* 0 / 0 -> number of data bytes */
#define HXM_GETDATASIZE       (WM_USER + 312)
/* 0 / address shown for byte 0 -> previous base address */
#define HXM_SETBASEADDRESS    (WM_USER + 313)
/* 0 / 0 -> base address */
#define HXM_GETBASEADDRESS    (WM_USER + 314)
/* 0 / digits (limited to 1..8) -> previous digit count */
#define HXM_SETADDRESSDIGITS  (WM_USER + 315)
/* 0 / 0 -> digits of the address column */
#define HXM_GETADDRESSDIGITS  (WM_USER + 316)
/* 0 / bytes per line (limited to 1..256) -> previous value */
#define HXM_SETBYTESPERLINE   (WM_USER + 317)
/* 0 / 0 -> bytes per line */
#define HXM_GETBYTESPERLINE   (WM_USER + 318)
/* 0 / 0 -> BYTE* of the control's own buffer (may be NULL), valid until the
 * next operation that can grow the buffer (typing, pasting, HXM_SETDATA). */
#define HXM_GETDATAPTR        (WM_USER + 319)
/* 0 / 0 -> client width in pixels that shows every visible pane */
#define HXM_GETIDEALWIDTH     (WM_USER + 320)
/* 0 / HXMODE_HEXHIGH, HXMODE_HEXLOW or HXMODE_CHAR, OR'ed with HXMODE_INSERT or
 * not -> previous mode (AND HXMODE_MASK). The value 3 is no position: the
 * position is then left as it was (the insert bit is still taken). At the
 * append position HXMODE_HEXLOW becomes HXMODE_HEXHIGH. */
#define HXM_SETMODE           (WM_USER + 321)
/* 0 / 0 -> mode (AND HXMODE_MASK) */
#define HXM_GETMODE           (WM_USER + 322)

/* View flags (HXM_SETVIEWFLAGS). */
#define HXV_ADDRESS           0x0001
#define HXV_HEX               0x0002
#define HXV_CHARS             0x0004
/* The control maintains and honours its scroll bars (= WS_HSCROLL, WS_VSCROLL;
 * copied from the window style at creation). */
#define HXV_HSCROLL           0x00100000
#define HXV_VSCROLL           0x00200000

/* Mode word (HXM_SETMODE, HXM_GETMODE): a position in the low 16 bits. */
#define HXMODE_HEXHIGH        0
#define HXMODE_HEXLOW         1
#define HXMODE_CHAR           2
#define HXMODE_INSERT         0x00010000
#define HXMODE_MASK           0x00010003

/* Colour masks (HXM_SETCOLORS, HXM_GETCOLORS). */
#define HXC_BACKGROUND        0x01
#define HXC_TEXT              0x02
#define HXC_SELBACKGROUND     0x04
#define HXC_SELTEXT           0x08

/* Edit commands: WM_COMMAND identifiers of the context menu (menu resource 100). */
#define IDM_HEX_CUT           40002
#define IDM_HEX_COPY          40003
#define IDM_HEX_PASTE         40004
#define IDM_HEX_DELETE        40005
#define IDM_HEX_SELECTALL     40006

/* A selection: first and last selected byte, both inclusive. */
typedef struct HexRange {
    DWORD first;
    DWORD last;
} HexRange;

#define HexEdit_SetData(hwnd, pData, cb) \
    (BOOL)SNDMSG((hwnd), HXM_SETDATA, (WPARAM)(cb), (LPARAM)(const void *)(pData))
#define HexEdit_GetData(hwnd, pBuffer, cb) \
    (DWORD)SNDMSG((hwnd), HXM_GETDATA, (WPARAM)(cb), (LPARAM)(void *)(pBuffer))
#define HexEdit_SetViewFlags(hwnd, mask, flags) \
    (DWORD)SNDMSG((hwnd), HXM_SETVIEWFLAGS, (WPARAM)(mask), (LPARAM)(flags))
#define HexEdit_GetViewFlags(hwnd) (DWORD)SNDMSG((hwnd), HXM_GETVIEWFLAGS, 0, 0)
#define HexEdit_SetSel(hwnd, first, last) \
    (void)SNDMSG((hwnd), HXM_SETSEL, (WPARAM)(DWORD)(first), (LPARAM)(DWORD)(last))
#define HexEdit_GetSel(hwnd, pFirst, pLast) \
    (DWORD)SNDMSG((hwnd), HXM_GETSEL, (WPARAM)(DWORD *)(pFirst), (LPARAM)(DWORD *)(pLast))
#define HexEdit_ExGetSel(hwnd, pRange) \
    (void)SNDMSG((hwnd), HXM_EXGETSEL, 0, (LPARAM)(HexRange *)(pRange))
#define HexEdit_SetColors(hwnd, mask, pColors) \
    (void)SNDMSG((hwnd), HXM_SETCOLORS, (WPARAM)(mask), (LPARAM)(const COLORREF *)(pColors))
#define HexEdit_GetColors(hwnd, mask, pColors) \
    (void)SNDMSG((hwnd), HXM_GETCOLORS, (WPARAM)(mask), (LPARAM)(COLORREF *)(pColors))
#define HexEdit_SetCaretPos(hwnd, pos) \
    (DWORD)SNDMSG((hwnd), HXM_SETCARETPOS, 0, (LPARAM)(DWORD)(pos))
#define HexEdit_GetCaretPos(hwnd) (DWORD)SNDMSG((hwnd), HXM_GETCARETPOS, 0, 0)
#define HexEdit_GetDataSize(hwnd) (DWORD)SNDMSG((hwnd), HXM_GETDATASIZE, 0, 0)
#define HexEdit_SetBaseAddress(hwnd, address) \
    (DWORD)SNDMSG((hwnd), HXM_SETBASEADDRESS, 0, (LPARAM)(DWORD)(address))
#define HexEdit_GetBaseAddress(hwnd) (DWORD)SNDMSG((hwnd), HXM_GETBASEADDRESS, 0, 0)
#define HexEdit_SetAddressDigits(hwnd, digits) \
    (int)SNDMSG((hwnd), HXM_SETADDRESSDIGITS, 0, (LPARAM)(digits))
#define HexEdit_GetAddressDigits(hwnd) (int)SNDMSG((hwnd), HXM_GETADDRESSDIGITS, 0, 0)
#define HexEdit_SetBytesPerLine(hwnd, count) \
    (int)SNDMSG((hwnd), HXM_SETBYTESPERLINE, 0, (LPARAM)(count))
#define HexEdit_GetBytesPerLine(hwnd) (int)SNDMSG((hwnd), HXM_GETBYTESPERLINE, 0, 0)
#define HexEdit_GetDataPtr(hwnd) (BYTE *)SNDMSG((hwnd), HXM_GETDATAPTR, 0, 0)
#define HexEdit_GetIdealWidth(hwnd) (int)SNDMSG((hwnd), HXM_GETIDEALWIDTH, 0, 0)
#define HexEdit_SetMode(hwnd, mode) (DWORD)SNDMSG((hwnd), HXM_SETMODE, 0, (LPARAM)(mode))
#define HexEdit_GetMode(hwnd) (DWORD)SNDMSG((hwnd), HXM_GETMODE, 0, 0)

/* ---------------------------------------------------------------------------
 * Grid control (ORV_GridControlClass): a table with a cell cursor, built on a
 * child report list view (control id 100) that the grid creates, sizes and
 * paints (owner-drawn). Fill and query it with the ordinary list-view messages
 * sent to the grid: they go to the child, except that the item state messages
 * refer to column 0 of a row (the grid keeps one focused and one selected
 * column). The list-view styles of the grid window (LVS_SINGLESEL,
 * LVS_SHOWSELALWAYS, LVS_EDITLABELS, ...) are the child's; it is always in
 * report view. Cells are edited in place (Enter, or a click on the current
 * cell with LVS_EDITLABELS); the child's notifications (hwndFrom the child,
 * idFrom 100, LVN_BEGINLABELEDIT / LVN_ENDLABELEDIT among them) reach the
 * grid's parent unchanged. Left, Right, Home and End move the cursor between
 * columns; the other keys are the list view's. Register with
 * InitORVCC(ORVCC_GRIDCONTROL_CLASS). The grid's messages change no pixels:
 * invalidate the grid to show new colours or styles.
 * ------------------------------------------------------------------------- */

/* 0 / message number for editing requests to the parent (0 = none) -> previous */
#define GCM_SETEDITMSG        (WM_USER + 101)
/* row / LVITEM* (iSubItem = column, stateMask) -> the row's state bits, with
 * LVIS_FOCUSED and LVIS_SELECTED only when the column is the focused or
 * selected column */
#define GCM_GETITEMSTATE      (WM_USER + 103)
/* row / LVITEM* (iSubItem = column, state, stateMask) -> TRUE; sets the row's
 * state, and the column becomes the focused or selected column for the bits
 * it sets. FALSE when the list view refuses. */
#define GCM_SETITEMSTATE      (WM_USER + 104)
/* 0 / GCS_* flags and pen styles -> previous flags */
#define GCM_SETGRIDSTYLE      (WM_USER + 105)
/* 0 / 0 -> GCS_* flags and pen styles */
#define GCM_GETGRIDSTYLE      (WM_USER + 106)
/* 0 / GRIDCOLORS* (cbSize >= 32, fMask) -> TRUE; FALSE for a short record */
#define GCM_SETCOLORS         (WM_USER + 107)
/* 0 / GRIDCOLORS* (cbSize >= 32) -> TRUE, fMask 0x3F and all colours filled */
#define GCM_GETCOLORS         (WM_USER + 108)
/* 0 / value -> previous value (initially the creation parameter) */
#define GCM_SETUSERDATA       (WM_USER + 109)
/* 0 / 0 -> value */
#define GCM_GETUSERDATA       (WM_USER + 110)

/* Grid style flags (GCM_SETGRIDSTYLE); the default is GCS_HORZLINES |
 * GCS_VERTLINES with solid pens. Bits 0-7 hold the pen style (PS_SOLID,
 * PS_DASH, PS_DOT, ...) of the horizontal lines, bits 8-15 that of the
 * vertical lines. */
#define GCS_FULLROWSELECT     0x00010000 /* whole rows highlighted, no cell cursor */
#define GCS_HORZLINES         0x00020000 /* a line under each row */
#define GCS_VERTLINES         0x00040000 /* a line at the right edge of each column */
#define GCS_ROWHEADERS        0x00080000 /* column 0 painted as a button face */
#define GCS_FIXEDFIRSTCOLUMN  0x00100000 /* column 0 is never current nor edited */
#define GCS_FRAMESELECTION    0x00200000 /* selected cell framed, not filled */
#define GCS_HORZPENSTYLE(ps)  ((DWORD)(ps) & 0xFF)
#define GCS_VERTPENSTYLE(ps)  (((DWORD)(ps) & 0xFF) << 8)

/* Colour masks of GRIDCOLORS. */
#define GCC_BACK              0x01 /* CLR_NONE: rows are not filled */
#define GCC_TEXT              0x02
#define GCC_SELBACK           0x04
#define GCC_SELTEXT           0x08
#define GCC_HORZLINE          0x10
#define GCC_VERTLINE          0x20

typedef struct GRIDCOLORS {
    UINT cbSize;          /* sizeof(GRIDCOLORS) */
    UINT fMask;           /* GCC_* */
    COLORREF crBack;      /* row background */
    COLORREF crText;      /* text of unselected rows (GCS_FULLROWSELECT) */
    COLORREF crSelBack;   /* selected rows or cells */
    COLORREF crSelText;
    COLORREF crHorzLine;
    COLORREF crVertLine;
} GRIDCOLORS, *LPGRIDCOLORS;

#define Grid_SetEditMsg(hwnd, msg) (UINT)SNDMSG((hwnd), GCM_SETEDITMSG, 0, (LPARAM)(UINT)(msg))
#define Grid_GetItemState(hwnd, row, pItem) \
    (UINT)SNDMSG((hwnd), GCM_GETITEMSTATE, (WPARAM)(row), (LPARAM)(LVITEM *)(pItem))
#define Grid_SetItemState(hwnd, row, pItem) \
    (BOOL)SNDMSG((hwnd), GCM_SETITEMSTATE, (WPARAM)(row), (LPARAM)(LVITEM *)(pItem))
#define Grid_SetGridStyle(hwnd, flags) (DWORD)SNDMSG((hwnd), GCM_SETGRIDSTYLE, 0, (LPARAM)(DWORD)(flags))
#define Grid_GetGridStyle(hwnd) (DWORD)SNDMSG((hwnd), GCM_GETGRIDSTYLE, 0, 0)
#define Grid_SetColors(hwnd, pColors) \
    (BOOL)SNDMSG((hwnd), GCM_SETCOLORS, 0, (LPARAM)(const GRIDCOLORS *)(pColors))
#define Grid_GetColors(hwnd, pColors) \
    (BOOL)SNDMSG((hwnd), GCM_GETCOLORS, 0, (LPARAM)(GRIDCOLORS *)(pColors))
#define Grid_SetUserData(hwnd, value) (LPARAM)SNDMSG((hwnd), GCM_SETUSERDATA, 0, (LPARAM)(value))
#define Grid_GetUserData(hwnd) (LPARAM)SNDMSG((hwnd), GCM_GETUSERDATA, 0, 0)
/* Opens the in-place editor on a cell (LVXM_EDITSUBITEM of the list view
 * extensions) -> the editor window or NULL. */
#define Grid_EditCell(hwnd, row, column) \
    (HWND)SNDMSG((hwnd), WM_USER + 102, (WPARAM)(row), (LPARAM)(column))

#ifdef __cplusplus
}
#endif

#endif /* ORVCC32_H */
