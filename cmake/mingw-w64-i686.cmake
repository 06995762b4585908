# 32-bit Windows: the program as it ships.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(FLORRIN_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
