// Process-wide state, attach and detach, platform detection and InitORVCC.
#include "library.h"
#include "display.h"

#include <string.h>

HINSTANCE libInstance;
BOOL platformIsNT;
DWORD osVersion;
double dpiScaleX;
double dpiScaleY;
UINT rawBinaryFormat;
HANDLE ledHeap;
DWORD controlWatchSlot = TLS_OUT_OF_INDEXES;
SetWindowSubclassFn pfnSetWindowSubclass;
GetWindowSubclassFn pfnGetWindowSubclass;
RemoveWindowSubclassFn pfnRemoveWindowSubclass;
DefSubclassProcFn pfnDefSubclassProc;
ThemeHelperState themeHelper;

namespace {

void DetectPlatform(void)
{
    OSVERSIONINFOW info;
    memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    BOOL ok = GetVersionExW(&info);
    if (!ok) {
        // Systems without the Unicode call fill the ANSI record in the same memory.
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        ok = GetVersionExA(reinterpret_cast<OSVERSIONINFOA *>(&info));
    }
    if (!ok) {
        osVersion = 0x00040000;
        platformIsNT = FALSE;
        return;
    }
    osVersion = ((info.dwMajorVersion & 0xFFFF) << 16) | (info.dwMinorVersion & 0xFFFF);
    platformIsNT = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void ComputeDpiFactors(void)
{
    if (dpiScaleX != 0.0 && dpiScaleY != 0.0)
        return;
    HDC screen = GetDC(NULL);
    if (screen) {
        dpiScaleX = GetDeviceCaps(screen, LOGPIXELSX) * 0.010416666666666666;
        dpiScaleY = GetDeviceCaps(screen, LOGPIXELSY) * 0.010416666666666666;
        ReleaseDC(NULL, screen);
    }
    if (dpiScaleX == 0.0)
        dpiScaleX = 1.0;
    if (dpiScaleY == 0.0)
        dpiScaleY = 1.0;
}

// Binds the common controls' subclassing functions on NT 5.1 and later: all four or none.
void BindSubclassFunctions(void)
{
    if (!platformIsNT || pfnSetWindowSubclass || osVersion < 0x00050001)
        return;
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    if (!comctl)
        return;
    FARPROC set = GetProcAddress(comctl, "SetWindowSubclass");
    FARPROC get = GetProcAddress(comctl, "GetWindowSubclass");
    FARPROC remove = GetProcAddress(comctl, "RemoveWindowSubclass");
    FARPROC def = GetProcAddress(comctl, "DefSubclassProc");
    if (!set || !get || !remove || !def)
        return;
    pfnSetWindowSubclass = ProcAs<SetWindowSubclassFn>(set);
    pfnGetWindowSubclass = ProcAs<GetWindowSubclassFn>(get);
    pfnRemoveWindowSubclass = ProcAs<RemoveWindowSubclassFn>(remove);
    pfnDefSubclassProc = ProcAs<DefSubclassProcFn>(def);
}

HCURSOR LoadClassCursor(ClassCursor cursor)
{
    HINSTANCE module = cursor.own ? libInstance : NULL;
    const UINT flags = LR_DEFAULTSIZE | LR_SHARED;
    HANDLE image = platformIsNT
                       ? LoadImageW(module, MAKEINTRESOURCEW(cursor.id), IMAGE_CURSOR, 0, 0, flags)
                       : LoadImageA(module, MAKEINTRESOURCEA(cursor.id), IMAGE_CURSOR, 0, 0, flags);
    return static_cast<HCURSOR>(image);
}

// Registers one class unless it exists; FALSE when RegisterClassEx fails.
template <class C>
BOOL RegisterEntry(const ClassEntry &entry)
{
    C name[64];
    int i = 0;
    for (; entry.name[i] && i < 63; ++i)
        name[i] = static_cast<C>(entry.name[i]);  // class names are plain ASCII
    name[i] = 0;
    typename Win<C>::WndClassEx wc;
    memset(&wc, 0, sizeof wc);
    wc.cbSize = sizeof wc;
    if (Win<C>::GetClassInfoEx(libInstance, name, &wc))
        return TRUE;
    memset(&wc, 0, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.style = entry.style;
    wc.lpfnWndProc = sizeof(C) == 1 ? entry.procA : entry.procW;
    wc.cbWndExtra = entry.windowExtra;
    wc.hInstance = libInstance;
    wc.hCursor = LoadClassCursor(entry.cursor);
    wc.hbrBackground =
        entry.brush ? reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(entry.brush)) : NULL;
    wc.lpszClassName = name;
    return Win<C>::RegisterClassEx(&wc) != 0;
}

}  // namespace

static const UINT kClassStyleStatic = CS_GLOBALCLASS | CS_NOCLOSE | CS_HREDRAW | CS_VREDRAW;

// One row per InitORVCC bit, in bit order.
ClassEntry ClassTable(int index)
{
    const ClassCursor arrow = {false, 32512 /* IDC_ARROW */};
    // Systems before 4.10 have no hand cursor; the library brings its own.
    const ClassCursor hand =
        osVersion < 0x00040001 ? ClassCursor{true, 100} : ClassCursor{false, 32649 /* IDC_HAND */};
    switch (index) {
    case 0:
        return {"ORV_ProgressClass", kClassStyleStatic, 0, arrow, COLOR_WINDOW + 1,
                ProgressWndProc,     ProgressWndProc};
    case 1:
        // The extra bytes hold the handle of the meter's state block.
        return {"ORV_AnalogMeterClass", CS_GLOBALCLASS | CS_NOCLOSE, sizeof(HGLOBAL),   arrow,
                COLOR_WINDOW + 1,       AnalogMeterWndProc,          AnalogMeterWndProc};
    case 2:
        return {"ORV_WebLinkClass", kClassStyleStatic, 0, hand, COLOR_BTNFACE + 1,
                WebLinkWndProcA,    WebLinkWndProcW};
    case 3:
        return {"ORV_LEDClass",    kClassStyleStatic, 0,         arrow,
                COLOR_BTNFACE + 1, LedWndProc,        LedWndProc};
    case 4:
        return {"ORV_GridControlClass", CS_GLOBALCLASS, 0, arrow, 0, GridWndProcA, GridWndProcW};
    case 5:
        return {"ORV_SplitterClass", CS_GLOBALCLASS,  0, arrow, COLOR_BTNFACE + 1,
                SplitterWndProcA,    SplitterWndProcW};
    default:
        return {"ORV_HexEditorClass",
                CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                0,
                {false, 32513 /* IDC_IBEAM */},
                COLOR_BTNFACE + 1,
                HexEditorWndProcA,
                HexEditorWndProcW};
    }
}

void LibraryProcessAttach(HINSTANCE instance)
{
    libInstance = instance;
    ledHeap = NULL;
    controlWatchSlot = TlsAlloc();
    dpiScaleX = 0.0;
    dpiScaleY = 0.0;
    rawBinaryFormat = 0;
    DetectPlatform();
    pfnSetWindowSubclass = NULL;
    pfnGetWindowSubclass = NULL;
    pfnRemoveWindowSubclass = NULL;
    pfnDefSubclassProc = NULL;
    DisableThreadLibraryCalls(instance);
    memset(&themeHelper, 0, sizeof themeHelper);
    InitializeCriticalSection(&themeHelper.lock);
    DisplayProcessAttach();
}

void LibraryProcessDetach(bool freeLibrary)
{
    DisplayProcessDetach(freeLibrary);
    if (controlWatchSlot != TLS_OUT_OF_INDEXES) {
        TlsFree(controlWatchSlot);
        controlWatchSlot = TLS_OUT_OF_INDEXES;
    }
    DeleteCriticalSection(&themeHelper.lock);
    if (ledHeap) {
        HeapDestroy(ledHeap);
        ledHeap = NULL;
    }
}

extern "C" BOOL WINAPI InitORVCC(DWORD flags)
{
    if (flags == 0)
        flags =
            ORVCC_PROGRESS_CLASS | ORVCC_ANALOGMETER_CLASS | ORVCC_WEBLINK_CLASS | ORVCC_LED_CLASS;

    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&icc);

    ComputeDpiFactors();
    BindSubclassFunctions();

    BOOL result = TRUE;
    for (int index = 0; index < 7; ++index) {
        if (!(flags & (1u << index)))
            continue;
        if (index == 6) {
            rawBinaryFormat = platformIsNT ? RegisterClipboardFormatW(L"OrvRawBinary")
                                           : RegisterClipboardFormatA("OrvRawBinary");
        }
        const ClassEntry entry = ClassTable(index);
        const BOOL registered =
            platformIsNT ? RegisterEntry<WCHAR>(entry) : RegisterEntry<char>(entry);
        if (!registered)
            result = FALSE;
    }
    return result;
}
