set(CMAKE_C_COMPILER ${VELKORIN_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELKORIN_TRIPLE}-g++-posix)
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
