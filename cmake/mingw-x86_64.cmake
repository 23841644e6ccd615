# Cross-build for 64-bit Windows: the test twin of the 32-bit saver, for hosts
# whose kernel cannot run 32-bit code (and with it 32-bit Wine).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELKORIN_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
