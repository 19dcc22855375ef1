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

/* Called from the C++ tests: drives a progress bar through the C macros. */
int OrvHeaderCDriveProgress(HWND progress)
{
    PBRANGE range;
    COLORREF color = CLR_DEFAULT;
    int low;
    Progress_SetRange32(progress, -5, 5);
    low = Progress_GetRange(progress, TRUE, &range);
    Progress_SetPos(progress, 3);
    Progress_SetBarColor(progress, &color);
    Progress_SetBkColor(progress, &color);
    return low == -5 && range.iHigh == 5 && Progress_GetPos(progress) == 3;
}

/* The pager's own macros still send the pager's messages. */
UINT OrvHeaderCPagerSetPosMessage(void)
{
    return PGM_PAGER_SETPOS;
}

FARPROC OrvHeaderCFunctions[] = {
    (FARPROC)InitORVCC,
    (FARPROC)DllGetVersion,
    (FARPROC)OrvccInitThemeHlp,
    (FARPROC)OrvccIsAppThemed,
    (FARPROC)MRU_GetNumItems,
};
