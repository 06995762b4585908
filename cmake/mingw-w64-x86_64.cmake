# 64-bit Windows: the same sources, for Wine on Linux kernels that cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(FLORRIN_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
