# Shared part of the MinGW-w64 cross toolchains; set FLORRIN_MINGW_TRIPLET before including.
set(CMAKE_SYSTEM_NAME Windows)
# The -posix variant has std::thread and std::mutex; the -win32 variant of GCC 12 lacks them.
set(CMAKE_C_COMPILER   ${FLORRIN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FLORRIN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${FLORRIN_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${FLORRIN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No libgcc_s, libstdc++ or libwinpthread DLLs beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The resource script is UTF-8; without -c 65001 windres silently writes mojibake.
set(CMAKE_RC_FLAGS_INIT "-c 65001")
