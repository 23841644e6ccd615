# The posix thread model's runtime is what GoogleTest needs; the shipped saver uses the
# win32 thread model's, which leaves out the pthread emulation (see mingw-i686-ship.cmake).
if(NOT VELKORIN_THREADS)
  set(VELKORIN_THREADS posix)
endif()
set(CMAKE_C_COMPILER ${VELKORIN_TRIPLE}-gcc-${VELKORIN_THREADS})
set(CMAKE_CXX_COMPILER ${VELKORIN_TRIPLE}-g++-${VELKORIN_THREADS})
set(CMAKE_RC_COMPILER ${VELKORIN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELKORIN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static: the saver and the tests need no DLL beyond the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# CTest runs Windows programs through Wine, with the build tree's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
