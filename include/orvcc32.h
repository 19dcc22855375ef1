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

#ifdef __cplusplus
}
#endif

#endif /* ORVCC32_H */
