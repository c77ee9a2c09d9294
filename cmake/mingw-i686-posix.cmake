# Cross toolchain for the test tree (i686). GoogleTest needs std::mutex, which the
# win32-thread libstdc++ of this compiler generation lacks, so the tests use the
# posix-thread variant. Nothing built with it ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
