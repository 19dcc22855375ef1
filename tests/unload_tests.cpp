// A host that loads orvcc32.dll at run time and frees it while a screen reader
// still holds a control's object: the library stays loaded until the object is
// released, the object fails cleanly meanwhile, and the library goes afterwards.
#include <gtest/gtest.h>

#include "accessclient.h"

#include <windows.h>

using namespace orvtest;

namespace {

bool Loaded()
{
    return GetModuleHandleA("orvcc32.dll") != NULL;
}

TEST(Unload, ClientObjectHoldsTheLibraryUntilReleased)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
    ASSERT_FALSE(Loaded());
    HMODULE library = LoadLibraryA("orvcc32.dll");
    ASSERT_TRUE(library);
    typedef BOOL(WINAPI * InitFn)(DWORD);
    InitFn init = reinterpret_cast<InitFn>(reinterpret_cast<void *>(GetProcAddress(library, "InitORVCC")));
    ASSERT_TRUE(init && init(0));
    HWND host = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
    HWND bar = CreateWindowExA(0, "ORV_ProgressClass", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, host, NULL,
                               NULL, NULL);
    ASSERT_TRUE(bar);
    IAccessible *object = ClientObject(bar);
    ASSERT_TRUE(object);
    DestroyWindow(host);
    FreeLibrary(library);
    EXPECT_TRUE(Loaded()) << "the object's code was unloaded under it";
    VARIANT role;
    EXPECT_EQ(object->get_accRole(Self(), &role), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->Release(), 0u);
    // The releasing thread frees the library once it runs.
    for (DWORD start = GetTickCount(); Loaded() && GetTickCount() - start < 10000;)
        SwitchToThread();
    EXPECT_FALSE(Loaded());
    CoUninitialize();
}

}  // namespace
