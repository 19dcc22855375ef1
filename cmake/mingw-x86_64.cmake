# Cross toolchain: Debian's MinGW-w64, posix thread variant, 64-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORVCC_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
