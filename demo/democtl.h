// Messages of the controls the demo drives. They come from orvcc32.h; the
// splitter's are filled in here while that header does not declare them yet.
#ifndef DEMOCTL_H
#define DEMOCTL_H

#include "orvcc32.h"

#ifndef SPM_SETPANE1
#define SPM_SETPANE1   (WM_USER + 201)
#define SPM_SETPANE2   (WM_USER + 202)
#define SPM_GETPANE1   (WM_USER + 203)
#define SPM_GETPANE2   (WM_USER + 204)
#define SPM_SETFLAGS   (WM_USER + 208)
#define SPM_GETFLAGS   (WM_USER + 209)
#define SPF_HORIZONTAL 0x0001
#endif

#endif
