// Entry point of orvcc32.dll.
#include "library.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        LibraryProcessAttach(instance);
        break;
    case DLL_PROCESS_DETACH:
        LibraryProcessDetach(reserved == NULL);
        break;
    default:
        break;
    }
    return TRUE;
}
