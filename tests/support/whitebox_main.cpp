// Entry of the white-box test programs: the library's objects are linked into the
// program, so it attaches the library with its own module handle, as the loader
// would attach the DLL.
#include <gtest/gtest.h>

#include "library.h"

int main(int argc, char **argv)
{
    LibraryProcessAttach(GetModuleHandleA(NULL));
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    LibraryProcessDetach();
    return result;
}
