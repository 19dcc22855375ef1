# Cross toolchain: Debian's MinGW-w64, posix thread variant. The including file
# sets CMAKE_SYSTEM_PROCESSOR and ORVCC_TRIPLE (i686-w64-mingw32 or x86_64-w64-mingw32).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${ORVCC_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVCC_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${ORVCC_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVCC_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# IEEE double results: SSE2 arithmetic instead of x87 extended precision.
set(CMAKE_C_FLAGS_INIT   "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# Runtime libraries go into each binary, so they import system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Wine with the loader this machine can run for this build (scripts/wine-env.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/winebin/wine)
set(CMAKE_DLLTOOL ${ORVCC_TRIPLE}-dlltool)
