# Cross-compiles the Windows deliverables for 64-bit Windows with MinGW-w64
# (posix threads) and runs their tests under Wine's 64-bit loader.
set(VEXLOW_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
