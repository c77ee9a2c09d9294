# Cross toolchain for the shipped program: MinGW-w64 i686 with the win32 thread
# model, so the runtime pulls in no winpthreads (and with it no post-XP imports).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
