# The shipped 32-bit saver: the win32 thread model's runtime. The program starts its one
# thread through the Windows API and uses no C++ thread library, and this runtime spares
# it the pthread emulation that the posix model's unwinder links in (about 30 KB).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELKORIN_TRIPLE i686-w64-mingw32)
set(VELKORIN_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
