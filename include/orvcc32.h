/* orvcc32.h - public interface of orvcc32.dll, a library of custom controls.
 * Message comments read: wParam / lParam -> result. See docs/reference/init.md. */
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
 * Library: registration, dark mode, class names, version. See docs/reference/init.md.
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

/* Registers the classes named by flags (0: 0x0F) -> TRUE; FALSE when one failed. */
ORVCCAPI BOOL WINAPI InitORVCC(DWORD flags);

/* Dark mode of every control (ORVCC_DARK_*) -> previous mode; -1 for another value. */
#define ORVCC_DARK_OFF    0
#define ORVCC_DARK_ON     1
#define ORVCC_DARK_SYSTEM 2
ORVCCAPI int WINAPI OrvccSetDarkMode(int mode);

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

/* Bare-NMHDR WM_NOTIFY codes: NM_SETFOCUS, NM_KILLFOCUS, NM_RELEASEDCAPTURE, NM_OUTOFMEMORY. */

/* Fills a DLLVERSIONINFO or DLLVERSIONINFO2 (cbSize) -> S_OK, or an error HRESULT. */
ORVCCAPI HRESULT WINAPI DllGetVersion(DLLVERSIONINFO *pdvi);

/* ---------------------------------------------------------------------------
 * Theme helper: reference-counted loading of the visual-styles library and
 * wrappers with classic fallbacks. See docs/reference/theme.md.
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
 * Progress bar (ORV_ProgressClass): a bar with its percentage centred; positions are
 * not clamped, DELTAPOS and STEPIT wrap. See docs/reference/progress.md.
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

/* 0 / MAKELPARAM(min, max), unsigned 16-bit -> previous MAKELRESULT(min, max) */
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
 * MRU lists: up to 26 most-recently-used strings kept under a registry key; positions
 * count from the most recent item (0). See docs/reference/mru.md.
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
/* Makes text the most recent item (a full list drops its least recent) -> TRUE */
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
/* Copies at most size - 1 characters and a terminator -> characters copied, 0 on failure */
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
 * Hex editor (ORV_HexEditorClass): a block of bytes in address, hex and character panes.
 * See docs/reference/hexeditor.md.
 * ------------------------------------------------------------------------- */

/* byte count / const BYTE* -> TRUE; FALSE with the last error (old data kept) */
#define HXM_SETDATA           (WM_USER + 301)
/* buffer size / BYTE* -> bytes copied; 0 for a null or unwritable buffer */
#define HXM_GETDATA           (WM_USER + 302)
/* mask / new bits (HXV_*) -> previous view flags */
#define HXM_SETVIEWFLAGS      (WM_USER + 303)
/* 0 / 0 -> view flags */
#define HXM_GETVIEWFLAGS      (WM_USER + 304)
/* first byte / last byte (inclusive; (DWORD)-1: none) -> 0; limited to 0..size */
#define HXM_SETSEL            (WM_USER + 305)
/* DWORD* first or NULL / DWORD* last or NULL -> -1 or MAKELONG(first, last + 1) (low words) */
#define HXM_GETSEL            (WM_USER + 306)
/* 0 / HexRange* or NULL -> 0; both fields (DWORD)-1 without a selection */
#define HXM_EXGETSEL          (WM_USER + 307)
/* HXC_* mask / COLORREF[4] (back, text, selection back, selection text) -> 0 */
#define HXM_SETCOLORS         (WM_USER + 308)
/* HXC_* mask / COLORREF[4] -> 0; writes the masked entries only */
#define HXM_GETCOLORS         (WM_USER + 309)
/* 0 / position (limited to the size) -> previous caret position */
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
/* 0 / 0 -> BYTE* of the control's own buffer or NULL; valid until it grows */
#define HXM_GETDATAPTR        (WM_USER + 319)
/* 0 / 0 -> client width in pixels that shows every visible pane */
#define HXM_GETIDEALWIDTH     (WM_USER + 320)
/* 0 / HXMODE_* position, OR'ed with HXMODE_INSERT or not -> previous mode */
#define HXM_SETMODE           (WM_USER + 321)
/* 0 / 0 -> mode (AND HXMODE_MASK) */
#define HXM_GETMODE           (WM_USER + 322)

/* View flags (HXM_SETVIEWFLAGS). */
#define HXV_ADDRESS           0x0001
#define HXV_HEX               0x0002
#define HXV_CHARS             0x0004
/* The control manages its scroll bars (= WS_HSCROLL, WS_VSCROLL; from the style) */
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
 * Splitter window (ORV_SplitterClass): two pane windows of the host with a movable bar
 * between them. See docs/reference/splitter.md.
 * ------------------------------------------------------------------------- */

/* Flags (SPM_SETFLAGS / SPM_GETFLAGS). */
#define SPF_HORIZONTAL 0x0001 /* horizontal bar, panes stacked; else side by side */
#define SPF_FULLDRAG   0x0002 /* live relayout while dragging; else a tracking line */
#define SPF_LOCKED     0x0004 /* the mouse is ignored */

/* make the splitter the pane's parent (BOOL) / left or top pane -> previous pane */
#define SPM_SETPANE1    (WM_USER + 201)
/* as SPM_SETPANE1 / right or bottom pane -> previous pane */
#define SPM_SETPANE2    (WM_USER + 202)
/* 0 / 0 -> left or top pane, NULL when it is no longer a window */
#define SPM_GETPANE1    (WM_USER + 203)
/* 0 / 0 -> right or bottom pane, NULL when it is no longer a window */
#define SPM_GETPANE2    (WM_USER + 204)
/* 0 / 0 -> 0; lays the panes out now */
#define SPM_RECALC      (WM_USER + 205)
/* 0 / const double* (clamped to 0.0..1.0) -> TRUE; FALSE for NULL or NaN */
#define SPM_SETPOS      (WM_USER + 206)
/* 0 / double* -> TRUE; FALSE for NULL */
#define SPM_GETPOS      (WM_USER + 207)
/* mask / new values of the masked SPF_ bits -> previous flags AND mask */
#define SPM_SETFLAGS    (WM_USER + 208)
/* mask / 0 -> flags AND mask */
#define SPM_GETFLAGS    (WM_USER + 209)
/* 0 / bar thickness in pixels -> previous thickness */
#define SPM_SETBARWIDTH (WM_USER + 210)
/* 0 / 0 -> bar thickness in pixels */
#define SPM_GETBARWIDTH (WM_USER + 211)

#define Splitter_SetPane1(hwnd, hwndPane, fReparent) \
    (HWND)SNDMSG((hwnd), SPM_SETPANE1, (WPARAM)(fReparent), (LPARAM)(HWND)(hwndPane))
#define Splitter_SetPane2(hwnd, hwndPane, fReparent) \
    (HWND)SNDMSG((hwnd), SPM_SETPANE2, (WPARAM)(fReparent), (LPARAM)(HWND)(hwndPane))
#define Splitter_GetPane1(hwnd) (HWND)SNDMSG((hwnd), SPM_GETPANE1, 0, 0)
#define Splitter_GetPane2(hwnd) (HWND)SNDMSG((hwnd), SPM_GETPANE2, 0, 0)
#define Splitter_Recalc(hwnd) (void)SNDMSG((hwnd), SPM_RECALC, 0, 0)
#define Splitter_SetPos(hwnd, pPos) \
    (BOOL)SNDMSG((hwnd), SPM_SETPOS, 0, (LPARAM)(const double *)(pPos))
#define Splitter_GetPos(hwnd, pPos) (BOOL)SNDMSG((hwnd), SPM_GETPOS, 0, (LPARAM)(double *)(pPos))
#define Splitter_SetFlags(hwnd, mask, flags) \
    (DWORD)SNDMSG((hwnd), SPM_SETFLAGS, (WPARAM)(mask), (LPARAM)(flags))
#define Splitter_GetFlags(hwnd, mask) (DWORD)SNDMSG((hwnd), SPM_GETFLAGS, (WPARAM)(mask), 0)
#define Splitter_SetBarWidth(hwnd, width) (int)SNDMSG((hwnd), SPM_SETBARWIDTH, 0, (LPARAM)(width))
#define Splitter_GetBarWidth(hwnd) (int)SNDMSG((hwnd), SPM_GETBARWIDTH, 0, 0)

/* ---------------------------------------------------------------------------
 * LED display (ORV_LEDClass): one lamp (round, square, bar) or seven-segment digit,
 * lit or dark. See docs/reference/led.md.
 * ------------------------------------------------------------------------- */

/* 0 / new flags (LDF_*) -> previous flags */
#define LDM_SETFLAGS     (WM_USER + 1501)
/* 0 / 0 -> flags */
#define LDM_GETFLAGS     (WM_USER + 1502)
/* 0 / LDT_* shape | LDT_BKBORDER -> previous type, 0 for an unknown shape; no repaint */
#define LDM_SETTYPE      (WM_USER + 1503)
/* 0 / 0 -> type */
#define LDM_GETTYPE      (WM_USER + 1504)
/* 0 / nonzero: up, 0: down -> previous digit; stops at 0 and 9 */
#define LDM_STEPDIGIT    (WM_USER + 1505)
/* digit (signed, limited to 0..9) / 0 -> previous digit */
#define LDM_SETDIGIT     (WM_USER + 1506)
/* 0 / 0 -> digit */
#define LDM_GETDIGIT     (WM_USER + 1507)
/* 0 / const LedColors* (NULL changes nothing) -> 0; the colours stay as set from then on */
#define LDM_SETCOLORS    (WM_USER + 1508)
/* 0 / LedColors* (filled; NULL is ignored) -> 0 */
#define LDM_GETCOLORS    (WM_USER + 1509)
/* 0 / new user data -> previous user data */
#define LDM_SETUSERDATA  (WM_USER + 1510)
/* 0 / 0 -> user data */
#define LDM_GETUSERDATA  (WM_USER + 1511)

/* Shapes: the low 16 bits of the type. */
#define LDT_ROUND        0x0000 /* ellipse */
#define LDT_RECT         0x0001 /* filled rectangle, no outline */
#define LDT_HBAR         0x0002 /* horizontal hexagon, pointed left and right */
#define LDT_VBAR         0x0004 /* vertical hexagon, pointed top and bottom */
#define LDT_DIGIT        0x0008 /* seven-segment digit (the default) */
#define LDT_DIGITDP      0x0010 /* seven-segment digit with a decimal point */
#define LDT_SHAPEMASK    0xFFFF
/* Outline in the background colour instead of black. */
#define LDT_BKBORDER     0x00010000

/* Flags. */
#define LDF_OFF          0x0001 /* lamp dark, digit blank (all in the off colour) */
#define LDF_POINT        0x0002 /* decimal point lit (LDT_DIGITDP) */

/* Colours of LDM_SETCOLORS and LDM_GETCOLORS. */
typedef struct LedColors {
    COLORREF onColor;   /* lit lamp or segment; default red */
    COLORREF offColor;  /* dark lamp or segment; default light red RGB(255, 192, 192) */
    COLORREF backColor; /* around the lamp; default COLOR_BTNFACE */
} LedColors;

#define Led_SetFlags(hwnd, flags) (DWORD)SNDMSG((hwnd), LDM_SETFLAGS, 0, (LPARAM)(DWORD)(flags))
#define Led_GetFlags(hwnd) (DWORD)SNDMSG((hwnd), LDM_GETFLAGS, 0, 0)
#define Led_SetType(hwnd, type) (DWORD)SNDMSG((hwnd), LDM_SETTYPE, 0, (LPARAM)(DWORD)(type))
#define Led_GetType(hwnd) (DWORD)SNDMSG((hwnd), LDM_GETTYPE, 0, 0)
#define Led_StepDigit(hwnd, fUp) (int)SNDMSG((hwnd), LDM_STEPDIGIT, 0, (LPARAM)(BOOL)(fUp))
#define Led_SetDigit(hwnd, digit) (int)SNDMSG((hwnd), LDM_SETDIGIT, (WPARAM)(INT_PTR)(digit), 0)
#define Led_GetDigit(hwnd) (int)SNDMSG((hwnd), LDM_GETDIGIT, 0, 0)
#define Led_SetColors(hwnd, pColors) \
    (void)SNDMSG((hwnd), LDM_SETCOLORS, 0, (LPARAM)(const LedColors *)(pColors))
#define Led_GetColors(hwnd, pColors) \
    (void)SNDMSG((hwnd), LDM_GETCOLORS, 0, (LPARAM)(LedColors *)(pColors))
#define Led_SetUserData(hwnd, data) (LPARAM)SNDMSG((hwnd), LDM_SETUSERDATA, 0, (LPARAM)(data))
#define Led_GetUserData(hwnd) (LPARAM)SNDMSG((hwnd), LDM_GETUSERDATA, 0, 0)

/* ---------------------------------------------------------------------------
 * Web link (ORV_WebLinkClass): shows its window text and opens a separate target with
 * the shell when clicked; custom draw. See docs/reference/weblink.md.
 * ------------------------------------------------------------------------- */

/* 0 / LPCSTR target ("" clears it) -> TRUE; FALSE for NULL or no memory */
#define WLM_SETURLA      (WM_USER + 500)
/* 0 / LPCWSTR target -> as WLM_SETURLA */
#define WLM_SETURLW      (WM_USER + 501)
/* mask of options (WLS_*) / new values -> previous options AND mask */
#define WLM_SETSTYLE     (WM_USER + 502)
/* 0 / 0 -> options (WLS_*) */
#define WLM_GETSTYLE     (WM_USER + 503)
/* 0 / new value (handed to the parent in every NMCUSTOMDRAW) -> previous value */
#define WLM_SETPARAM     (WM_USER + 504)
/* 0 / 0 -> value */
#define WLM_GETPARAM     (WM_USER + 505)
#ifdef UNICODE
#define WLM_SETURL       WLM_SETURLW
#else
#define WLM_SETURL       WLM_SETURLA
#endif

/* Options; initially WLS_UNDERLINENOTHOT, plus WLS_NOHOTCOLOR without hot tracking. */
#define WLS_UNDERLINEMASK   0x0003
#define WLS_UNDERLINENONE   0x0000 /* never underlined */
#define WLS_UNDERLINEALWAYS 0x0001 /* always underlined */
#define WLS_UNDERLINENOTHOT 0x0002 /* underlined except while the pointer is over it */
#define WLS_UNDERLINEHOT    0x0003 /* underlined only while the pointer is over it */
#define WLS_NOFOCUSRECT     0x0004 /* no focus rectangle */
#define WLS_FOCUSONCLICK    0x0008 /* a button press takes the keyboard focus */
#define WLS_NOHOTCOLOR      0x0010 /* keep the normal colour while hot */

#define WebLink_SetUrlA(hwnd, psz) (BOOL)SNDMSG((hwnd), WLM_SETURLA, 0, (LPARAM)(LPCSTR)(psz))
#define WebLink_SetUrlW(hwnd, psz) (BOOL)SNDMSG((hwnd), WLM_SETURLW, 0, (LPARAM)(LPCWSTR)(psz))
#ifdef UNICODE
#define WebLink_SetUrl WebLink_SetUrlW
#else
#define WebLink_SetUrl WebLink_SetUrlA
#endif
#define WebLink_SetStyle(hwnd, mask, style) \
    (DWORD)SNDMSG((hwnd), WLM_SETSTYLE, (WPARAM)(DWORD)(mask), (LPARAM)(DWORD)(style))
#define WebLink_GetStyle(hwnd) (DWORD)SNDMSG((hwnd), WLM_GETSTYLE, 0, 0)
#define WebLink_SetParam(hwnd, lParam) (LPARAM)SNDMSG((hwnd), WLM_SETPARAM, 0, (LPARAM)(lParam))
#define WebLink_GetParam(hwnd) (LPARAM)SNDMSG((hwnd), WLM_GETPARAM, 0, 0)

/* ---------------------------------------------------------------------------
 * Analog meter (ORV_AnalogMeterClass): a half-circle gauge whose needle shows a position
 * 0..nMax, with ticks, labels, a peak-hold marker and a caption strip.
 * See docs/reference/meter.md.
 * ------------------------------------------------------------------------- */

/* 0 / const AMINFO* (the fields named by dwMask) -> 0; lays the meter out anew. */
#define AMM_SETINFO           (WM_USER + 1001)
/* 0 / AMINFO* (dwMask, and dwStyleMask for AMIF_STYLE, set) -> 0; fills the masked fields */
#define AMM_GETINFO           (WM_USER + 1002)
/* 0 / const AMCOLORS* (all five colours) -> 0; lays the meter out anew. */
#define AMM_SETCOLORS         (WM_USER + 1003)
/* 0 / AMCOLORS* to fill -> 0 */
#define AMM_GETCOLORS         (WM_USER + 1004)
/* number of texts / texts, each NUL-terminated, one after another -> 0 */
#define AMM_SETLABELSA        (WM_USER + 1005)
#define AMM_SETLABELSW        (WM_USER + 1006)
/* TRUE: add, FALSE: subtract / amount -> new position (limited to 0..nMax) */
#define AMM_DELTAPOS          (WM_USER + 1007)
/* 0 / 0 -> position */
#define AMM_GETPOS            (WM_USER + 1008)
/* 0 / new position (limited to 0..nMax; 0 when nMax is not positive) -> 0 */
#define AMM_SETPOS            (WM_USER + 1009)
/* 0 / AMMETRICS* to fill -> 0 */
#define AMM_GETMETRICS        (WM_USER + 1010)
/* 0 / const AMMETRICS* (all seven sizes) -> 0; lays the meter out anew. */
#define AMM_SETMETRICS        (WM_USER + 1011)

/* Option bits (AMINFO.dwStyle); they are the meter's own, not window styles. */
#define AMS_NOCAPTION         0x01 /* no caption strip: the gauge fills the window */
#define AMS_CAPTIONTOP        0x02 /* caption strip at the top (else at the bottom) */
#define AMS_PEAKHOLD          0x10 /* peak marker with hold timer (timer id 111) */

/* Mask bits of AMINFO.dwMask. */
#define AMIF_STYLE            0x01 /* dwStyle, for the bits of dwStyleMask */
#define AMIF_INTERVALS        0x02
#define AMIF_LABELSTEP        0x04
#define AMIF_MAX              0x08
#define AMIF_HOLDTIME         0x10
#define AMIF_PARAM            0x20

/* Scale and behaviour (AMM_SETINFO, AMM_GETINFO). */
typedef struct AMINFO {
    DWORD dwMask;      /* AMIF_* */
    DWORD dwStyle;     /* AMS_* */
    DWORD dwStyleMask; /* the AMS_* bits that take part */
    UINT nIntervals;   /* scale intervals; nIntervals + 1 ticks (default 10) */
    UINT nLabelStep;   /* every n-th tick is major and labelled; 0: none (default) */
    int nMax;          /* maximum position (default 180); not positive: needle at 0 */
    UINT uHoldTime;    /* peak hold time in milliseconds (default 2000) */
    LPARAM lParam;     /* the application's value (default: lpCreateParams) */
} AMINFO, *LPAMINFO;

/* Colours (AMM_SETCOLORS, AMM_GETCOLORS); defaults from the system colours. */
typedef struct AMCOLORS {
    COLORREF clrBackground; /* COLOR_WINDOW */
    COLORREF clrScale;      /* ticks: COLOR_WINDOWTEXT */
    COLORREF clrNeedle;     /* needle and hub: COLOR_WINDOWTEXT */
    COLORREF clrPeak;       /* peak marker: COLOR_HIGHLIGHT */
    COLORREF clrText;       /* labels: COLOR_WINDOWTEXT */
} AMCOLORS, *LPAMCOLORS;

/* Sizes in pixels (AMM_SETMETRICS, AMM_GETMETRICS); defaults follow the DPI. */
typedef struct AMMETRICS {
    int nHubRadius;    /* hub radius, half needle width, minor tick length (8) */
    int nScalePen;     /* pen width of the ticks (1) */
    int nMajorTick;    /* length of a major tick (14) */
    int nReserved;     /* not used for drawing (1) */
    int nPeakLength;   /* length of the peak marker (10) */
    int nPeakPen;      /* pen width of the peak marker (3) */
    int nLabelReserve; /* least room beside the scale ends for labels (0) */
} AMMETRICS, *LPAMMETRICS;

#define AnalogMeter_SetInfo(hwnd, pInfo) \
    (void)SNDMSG((hwnd), AMM_SETINFO, 0, (LPARAM)(const AMINFO *)(pInfo))
#define AnalogMeter_GetInfo(hwnd, pInfo) \
    (void)SNDMSG((hwnd), AMM_GETINFO, 0, (LPARAM)(AMINFO *)(pInfo))
#define AnalogMeter_SetColors(hwnd, pColors) \
    (void)SNDMSG((hwnd), AMM_SETCOLORS, 0, (LPARAM)(const AMCOLORS *)(pColors))
#define AnalogMeter_GetColors(hwnd, pColors) \
    (void)SNDMSG((hwnd), AMM_GETCOLORS, 0, (LPARAM)(AMCOLORS *)(pColors))
#define AnalogMeter_SetLabelsA(hwnd, count, pszTexts) \
    (void)SNDMSG((hwnd), AMM_SETLABELSA, (WPARAM)(count), (LPARAM)(LPCSTR)(pszTexts))
#define AnalogMeter_SetLabelsW(hwnd, count, pszTexts) \
    (void)SNDMSG((hwnd), AMM_SETLABELSW, (WPARAM)(count), (LPARAM)(LPCWSTR)(pszTexts))
#define AnalogMeter_DeltaPos(hwnd, fAdd, amount) \
    (int)SNDMSG((hwnd), AMM_DELTAPOS, (WPARAM)(fAdd), (LPARAM)(amount))
#define AnalogMeter_GetPos(hwnd) (int)SNDMSG((hwnd), AMM_GETPOS, 0, 0)
#define AnalogMeter_SetPos(hwnd, pos) (void)SNDMSG((hwnd), AMM_SETPOS, 0, (LPARAM)(pos))
#define AnalogMeter_GetMetrics(hwnd, pMetrics) \
    (void)SNDMSG((hwnd), AMM_GETMETRICS, 0, (LPARAM)(AMMETRICS *)(pMetrics))
#define AnalogMeter_SetMetrics(hwnd, pMetrics) \
    (void)SNDMSG((hwnd), AMM_SETMETRICS, 0, (LPARAM)(const AMMETRICS *)(pMetrics))
#ifdef UNICODE
#define AMM_SETLABELS         AMM_SETLABELSW
#define AnalogMeter_SetLabels AnalogMeter_SetLabelsW
#else
#define AMM_SETLABELS         AMM_SETLABELSA
#define AnalogMeter_SetLabels AnalogMeter_SetLabelsA
#endif

/* ---------------------------------------------------------------------------
 * List view extensions: sort marks and in-place cell editing on a host's own
 * report-view list view. See docs/reference/listview.md.
 * ------------------------------------------------------------------------- */

/* Option codes (uOption). */
#define LVSO_SORTHEADER       1
#define LVSO_EDITSUBITEMS     2

/* LVSORTOPTION dwFlags: the direction a newly clicked column starts with. */
#define LVSOF_ASCENDINGFIRST  0x00000000
#define LVSOF_DESCENDINGFIRST 0x00000002
#define LVSOF_KEEPDIRECTION   0x00000003 /* the previous column's direction */

/* LVEDITOPTION dwFlags and editor descriptor bits. */
#define LVEOF_COMBOBOXEX      0x00000002 /* descriptor: "ComboBoxEx32" class */
#define LVEOF_QUERYEDITOR     0x00000004 /* ask uEditMsg for each edit's editor */
#define LVEOF_NOFIRSTCOLUMN   0x00000008 /* clicks on column 0 never edit */
#define LVEOF_COMBOBOX        0x00010000 /* a drop-down-list combo box */
#define LVEOF_CUSTOMSTYLE     0x00040000 /* descriptor: low word = editor style */
#define LVEOF_STYLEMASK       0x0000FFFF

/* Sort header option (24 bytes in 32-bit builds). */
typedef struct tagLVSORTOPTION {
    UINT uOption;      /* LVSO_SORTHEADER */
    DWORD dwFlags;     /* LVSOF_* */
    UINT uNotifyMsg;   /* message sent on every change of the sort state */
    int iColumn;       /* column that carries the arrow now */
    BOOL fDescending;  /* 0 ascending, non-zero descending */
    HWND hwndNotify;   /* receiver; not a window: the list view's parent */
} LVSORTOPTION, *LPLVSORTOPTION;

/* In-place editing option (12 bytes). */
typedef struct tagLVEDITOPTION {
    UINT uOption;      /* LVSO_EDITSUBITEMS */
    DWORD dwFlags;     /* LVEOF_QUERYEDITOR, LVEOF_NOFIRSTCOLUMN, LVEOF_COMBOBOX */
    UINT uEditMsg;     /* editor query and combo-box begin and end, to the parent */
} LVEDITOPTION, *LPLVEDITOPTION;

/* lParam of the sort-change message (12 bytes in 32-bit builds). */
typedef struct tagLVSORTNOTIFY {
    HWND hwndListView;
    int iColumn;
    BOOL fDescending;
} LVSORTNOTIFY, *LPLVSORTNOTIFY;

/* The item part of LVEDITNOTIFY, laid out as an LVITEM of common controls 4.70. */
typedef struct tagLVEDITITEMA {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;     /* the library's buffer, valid during the message */
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
} LVEDITITEMA;
typedef struct tagLVEDITITEMW {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
} LVEDITITEMW;

/* Begin and end notifications and the editor query; NMLVDISPINFO up to hwndEditor. */
typedef struct tagLVEDITNOTIFYA {
    NMHDR hdr;         /* code: LVN_BEGINLABELEDITA, LVN_ENDLABELEDITA or NFR_ANSI */
    LVEDITITEMA item;
    int iReserved1;
    UINT uReserved2;
    void *pReserved3;
    HWND hwndEditor;   /* the combo box (combo-box begin and end only) */
} LVEDITNOTIFYA, *LPLVEDITNOTIFYA;
typedef struct tagLVEDITNOTIFYW {
    NMHDR hdr;         /* code: LVN_BEGINLABELEDITW, LVN_ENDLABELEDITW or NFR_UNICODE */
    LVEDITITEMW item;
    int iReserved1;
    UINT uReserved2;
    void *pReserved3;
    HWND hwndEditor;
} LVEDITNOTIFYW, *LPLVEDITNOTIFYW;
#ifdef UNICODE
#define LVEDITITEM     LVEDITITEMW
#define LVEDITNOTIFY   LVEDITNOTIFYW
#define LPLVEDITNOTIFY LPLVEDITNOTIFYW
#else
#define LVEDITITEM     LVEDITITEMA
#define LVEDITNOTIFY   LVEDITNOTIFYA
#define LPLVEDITNOTIFY LPLVEDITNOTIFYA
#endif

/* Control identifier of the in-place editor window (a child of the list view). */
#define LVX_EDITORID          0x1234

/* row, or -1 to close the open editor only / column -> the editor window, or NULL */
#define LVXM_EDITSUBITEM      (WM_USER + 102)

/* Attaches an LVSORTOPTION or LVEDITOPTION to the list view -> TRUE, or FALSE (last error). */
ORVCCAPI BOOL WINAPI ListViewSetSpecialOption(HWND hwndListView, const void *option);

#define ListView_SetSortHeader(hwnd, pSortOption) \
    ListViewSetSpecialOption((hwnd), (const LVSORTOPTION *)(pSortOption))
#define ListView_SetEditSubItems(hwnd, pEditOption) \
    ListViewSetSpecialOption((hwnd), (const LVEDITOPTION *)(pEditOption))
#define ListView_EditSubItem(hwnd, iItem, iSubItem) \
    (HWND)SNDMSG((hwnd), LVXM_EDITSUBITEM, (WPARAM)(int)(iItem), (LPARAM)(int)(iSubItem))
#define ListView_CloseSubItemEditor(hwnd) \
    (void)SNDMSG((hwnd), LVXM_EDITSUBITEM, (WPARAM)(int)-1, 0)

/* ---------------------------------------------------------------------------
 * Grid control (ORV_GridControlClass): a table with a cell cursor on a child report
 * list view (id 100); list-view messages sent to the grid go to it. See docs/reference/grid.md.
 * ------------------------------------------------------------------------- */

/* 0 / message for editing requests to the parent (0 = none) -> previous */
#define GCM_SETEDITMSG        (WM_USER + 101)
/* row / LVITEM* (iSubItem = column, stateMask) -> state bits of the cell */
#define GCM_GETITEMSTATE      (WM_USER + 103)
/* row / LVITEM* (iSubItem = column, state, stateMask) -> TRUE, FALSE if refused */
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

/* Grid style flags (GCM_SETGRIDSTYLE), default GCS_HORZLINES | GCS_VERTLINES. */
#define GCS_FULLROWSELECT     0x00010000 /* whole rows highlighted, no cell cursor */
#define GCS_HORZLINES         0x00020000 /* a line under each row */
#define GCS_VERTLINES         0x00040000 /* a line at the right edge of each column */
#define GCS_ROWHEADERS        0x00080000 /* column 0 painted as a button face */
#define GCS_FIXEDFIRSTCOLUMN  0x00100000 /* column 0 is never current nor edited */
#define GCS_FRAMESELECTION    0x00200000 /* selected cell framed, not filled */
#define GCS_HORZPENSTYLE(ps)  ((DWORD)(ps) & 0xFF) /* PS_* of the horizontal lines */
#define GCS_VERTPENSTYLE(ps)  (((DWORD)(ps) & 0xFF) << 8) /* PS_* of the vertical lines */

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
#define Grid_SetGridStyle(hwnd, flags) \
    (DWORD)SNDMSG((hwnd), GCM_SETGRIDSTYLE, 0, (LPARAM)(DWORD)(flags))
#define Grid_GetGridStyle(hwnd) (DWORD)SNDMSG((hwnd), GCM_GETGRIDSTYLE, 0, 0)
#define Grid_SetColors(hwnd, pColors) \
    (BOOL)SNDMSG((hwnd), GCM_SETCOLORS, 0, (LPARAM)(const GRIDCOLORS *)(pColors))
#define Grid_GetColors(hwnd, pColors) \
    (BOOL)SNDMSG((hwnd), GCM_GETCOLORS, 0, (LPARAM)(GRIDCOLORS *)(pColors))
#define Grid_SetUserData(hwnd, value) (LPARAM)SNDMSG((hwnd), GCM_SETUSERDATA, 0, (LPARAM)(value))
#define Grid_GetUserData(hwnd) (LPARAM)SNDMSG((hwnd), GCM_GETUSERDATA, 0, 0)
/* Opens the in-place editor on a cell (LVXM_EDITSUBITEM) -> the editor window or NULL */
#define Grid_EditCell(hwnd, row, column) \
    (HWND)SNDMSG((hwnd), LVXM_EDITSUBITEM, (WPARAM)(int)(row), (LPARAM)(int)(column))

#ifdef __cplusplus
}
#endif

#endif /* ORVCC32_H */
