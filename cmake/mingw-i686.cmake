# Cross build of the 32-bit Windows program with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-w64-mingw32)
set(klarvik_windows_arch win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
