# Compiler settings and test helpers shared by every folder of the tree.

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_C_STANDARD 11)

# Programs and DLLs of a build lie side by side, as they are deployed.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow)
# On in the test command and CI; off by default, so that another compiler
# version's new warnings are shown without failing a user's build.
option(VEXLOW_WERROR "Treat compiler warnings as errors" OFF)
if(VEXLOW_WERROR)
  add_compile_options(-Werror)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Bitness.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ModuleDefinitions.cmake)

if(WIN32)
  # Our binaries must run on a plain Windows: no MinGW runtime DLL beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

option(VEXLOW_SANITIZE "Build the native tree with AddressSanitizer and UBSan" OFF)
if(VEXLOW_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz targets (fuzz/): clang's libFuzzer over code built with its coverage
# and the sanitizers. Every library is instrumented; only the fuzz targets
# link the fuzzer's own main, so the same tree also builds and runs the tests.
option(VEXLOW_FUZZ "Build the libFuzzer targets too (clang)" OFF)
if(VEXLOW_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR WIN32)
    message(FATAL_ERROR "VEXLOW_FUZZ needs clang on the build machine (CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all -g)
  add_link_options(-fsanitize=address,undefined)
endif()

# One Wine prefix per build tree, shared by all Wine tests of a run, of the
# build's own bitness: the toolchain file names the loader.
set(VEXLOW_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix for the tests")
set(VEXLOW_WINE "${CMAKE_CROSSCOMPILING_EMULATOR}")
set(VEXLOW_WINE_ENVIRONMENT "WINEPREFIX=${VEXLOW_WINEPREFIX}" "WINEARCH=${VEXLOW_WINEARCH}"
    "WINE=${VEXLOW_WINE}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")
if(WIN32)
  # Sourced by the scripts that run this build's programs (scripts/lib/wine-session.sh).
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/wine-session.env @ONLY CONTENT
       "WINE='@VEXLOW_WINE@'\nWINEARCH=@VEXLOW_WINEARCH@\nWINEPREFIX='@VEXLOW_WINEPREFIX@'\n")
endif()

if(BUILD_TESTING)
  if(WIN32)
    # Debian's googletest sources, built with the cross-compiler.
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

# vexlow_add_test(NAME <name> COMMAND <cmd...> [WORKING_DIRECTORY dir] [GUI] [PRINTERS])
# Registers a test; in the Windows build it runs under Wine in the shared prefix,
# with a time limit, so a program that hangs fails instead of holding the run.
# GUI marks a test that needs the X display the test script provides; PRINTERS
# one that adds printers to the prefix's spooler, which no other such test may
# see (a command that picks the driver's only printer would find two).
function(vexlow_add_test)
  cmake_parse_arguments(T "GUI;PRINTERS" "NAME;WORKING_DIRECTORY" "COMMAND" ${ARGN})
  if(NOT T_WORKING_DIRECTORY)
    set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_COMMAND} WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  if(WIN32)
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${VEXLOW_WINE_ENVIRONMENT}" TIMEOUT 180)
  endif()
  if(T_GUI)
    # Windows on one display must not meet windows of another test.
    set_tests_properties(${T_NAME} PROPERTIES LABELS gui RUN_SERIAL TRUE)
  endif()
  if(T_PRINTERS)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK wine_spooler)
  endif()
endfunction()

# vexlow_add_gtest(<name> [PORTABLE] SOURCES ... LIBS ...): a GoogleTest executable
# as one test. A PORTABLE test covers portable code: the native tree runs it, the
# Windows trees leave it out (they run what only Wine shows).
function(vexlow_add_gtest name)
  cmake_parse_arguments(T "PORTABLE" "" "SOURCES;LIBS" ${ARGN})
  if(T_PORTABLE AND WIN32)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  vexlow_add_test(NAME ${name} COMMAND ${name})
endfunction()
