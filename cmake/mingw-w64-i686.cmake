# Cross-compiles the Windows deliverables for 32-bit Windows with MinGW-w64
# (posix threads) and runs their tests under Wine's 32-bit loader (Debian's
# wine32), in a 32-bit prefix of their own.
set(VEXLOW_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
