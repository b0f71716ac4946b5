# Module-definition (.def) files for both bitnesses from one source each.
#
# Ours are written for 32-bit Windows, where the symbol of a WINAPI (stdcall)
# function carries its argument bytes: "TRSendFile@24 == TRSendFile" exports
# the symbol TRSendFile@24 under the plain name TRSendFile, and an import
# library made from that line gives callers the symbol their declaration asks
# for. 64-bit Windows has a single calling convention and no such decoration,
# so for x86-64 the decorations and the then-empty renames are stripped.

# vexlow_module_definition(<def> <out_var> [IMPORT]): the file to give the
# linker (or, with IMPORT, an import-library tool that drops the decoration
# from the names it imports, such as dlltool -k).
function(vexlow_module_definition def out_var)
  cmake_parse_arguments(D "IMPORT" "" "" ${ARGN})
  get_filename_component(def "${def}" ABSOLUTE)
  if(VEXLOW_BITNESS EQUAL 32 AND NOT D_IMPORT)
    set(${out_var} "${def}" PARENT_SCOPE)
    return()
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${def}")
  file(READ "${def}" text)
  string(REGEX REPLACE "[ \t]*==[ \t]*[A-Za-z_][A-Za-z0-9_]*" "" text "${text}")
  if(VEXLOW_BITNESS EQUAL 64)
    string(REGEX REPLACE "([A-Za-z_][A-Za-z0-9_]*)@[0-9]+" "\\1" text "${text}")
  endif()
  get_filename_component(name "${def}" NAME_WE)
  if(D_IMPORT)
    string(APPEND name "_imports")
  endif()
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${name}.def")
  # Rewritten only when it changes, so a new configure does not relink.
  if(EXISTS "${out}")
    file(READ "${out}" old)
  endif()
  if(NOT "${old}" STREQUAL "${text}")
    file(WRITE "${out}" "${text}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

# vexlow_add_binary_tables_test(<target> EXPORTS <name>... [BY_ORDINAL <dll> ORDINALS <n>...]):
# a test that the built DLL exports exactly these names and imports nothing
# but the system's DLLs and BY_ORDINAL, by those ordinals only. It reads the
# file on the build machine, so it needs no Wine (label "host").
function(vexlow_add_binary_tables_test target)
  cmake_parse_arguments(T "" "BY_ORDINAL" "EXPORTS;ORDINALS" ${ARGN})
  list(JOIN T_EXPORTS "," exports)
  list(JOIN T_ORDINALS "," ordinals)
  add_test(NAME ${target}_binary_tables
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DDLL=$<TARGET_FILE:${target}>
            -DEXPORTS=${exports} -DBY_ORDINAL=${T_BY_ORDINAL} -DORDINALS=${ordinals}
            -P ${PROJECT_SOURCE_DIR}/cmake/check_binary_tables.cmake)
  set_tests_properties(${target}_binary_tables PROPERTIES LABELS host)
endfunction()
