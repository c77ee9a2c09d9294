# Settings shared by every MinGW-w64 toolchain of this project. The toolchain
# file that includes this one names the target (CMAKE_SYSTEM_PROCESSOR i686 or
# x86_64) and the compilers.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(SELVANE_TRIPLET x86_64-w64-mingw32)
    set(SELVANE_WINE_ARCH win64)
else()
    set(SELVANE_TRIPLET i686-w64-mingw32)
    set(SELVANE_WINE_ARCH win32)
endif()
set(CMAKE_RC_COMPILER ${SELVANE_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SELVANE_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Every program built here runs under Wine, in the prefix of its own
# architecture; CTest and try_run go through it.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec --arch ${SELVANE_WINE_ARCH})
