// Messages of the controls the demo drives. Each family comes from orvcc32.h
// when that header declares it; the values below fill in for a header that
// does not declare a family yet.
#ifndef DEMOCTL_H
#define DEMOCTL_H

#include "orvcc32.h"

#ifndef LDM_SETFLAGS
#define LDM_SETFLAGS   (WM_USER + 1501)
#define LDM_GETFLAGS   (WM_USER + 1502)
#define LDM_SETTYPE    (WM_USER + 1503)
#define LDM_GETTYPE    (WM_USER + 1504)
#define LDM_SETDIGIT   (WM_USER + 1506)
#define LDM_GETDIGIT   (WM_USER + 1507)
#define LDT_DIGIT      0x0008
#define LDT_BKBORDER   0x10000
#define LDF_OFF        0x0001
#endif

#ifndef WLM_SETURLA
#define WLM_SETURLA    (WM_USER + 500)
#endif

#ifndef SPM_SETPANE1
#define SPM_SETPANE1   (WM_USER + 201)
#define SPM_SETPANE2   (WM_USER + 202)
#define SPM_GETPANE1   (WM_USER + 203)
#define SPM_GETPANE2   (WM_USER + 204)
#define SPM_SETFLAGS   (WM_USER + 208)
#define SPM_GETFLAGS   (WM_USER + 209)
#define SPF_HORIZONTAL 0x0001
#endif

#ifndef AMM_SETINFO
#define AMM_SETINFO    (WM_USER + 1001)
#define AMM_GETINFO    (WM_USER + 1002)
#define AMM_SETCOLORS  (WM_USER + 1003)
#define AMM_GETCOLORS  (WM_USER + 1004)
#define AMM_SETLABELSA (WM_USER + 1005)
#define AMM_DELTAPOS   (WM_USER + 1007)
#define AMM_GETPOS     (WM_USER + 1008)
#define AMS_NOCAPTION  0x0001
#define AMS_CAPTIONTOP 0x0002
#define AMS_PEAKHOLD   0x0010
typedef struct AMINFO {
    DWORD dwMask;
    DWORD dwStyle;
    DWORD dwStyleMask;
    int nIntervals;
    int nLabelStep;
    int nMax;
    UINT uHoldTime;
    LPARAM lParam;
} AMINFO;
typedef struct AMCOLORS {
    COLORREF clrBackground;
    COLORREF clrScale;
    COLORREF clrNeedle;
    COLORREF clrPeak;
    COLORREF clrText;
} AMCOLORS;
#endif

#endif
