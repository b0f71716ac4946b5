# Module-definition (.def) files for both bitnesses from one source each.
#
# Ours are written for 32-bit Windows, where the symbol of a WINAPI (stdcall)
# function carries its argument bytes: "TRSendFile@24". 64-bit Windows has a
# single calling convention and no such decoration, so for x86-64 it is
# stripped.

# vexlow_module_definition(<def> <out_var>): the .def of the build's bitness.
function(vexlow_module_definition def out_var)
  get_filename_component(def "${def}" ABSOLUTE)
  if(VEXLOW_BITNESS EQUAL 32)
    set(${out_var} "${def}" PARENT_SCOPE)
    return()
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${def}")
  file(READ "${def}" text)
  string(REGEX REPLACE "([A-Za-z_][A-Za-z0-9_]*)@[0-9]+" "\\1" text "${text}")
  get_filename_component(name "${def}" NAME_WE)
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

# vexlow_dll_exports(<target> <def>): the DLL exports the .def's functions
# under their plain names. The loader finds a name by binary search, so the
# name table must be sorted by the plain names: on 32-bit, the linker drops the
# decoration (--kill-at) before it sorts. Its own import library would then
# name the plain symbols too, which a caller's WINAPI declaration does not
# ask for; dlltool writes it again from the .def, with the decorated symbols
# importing the plain names.
function(vexlow_dll_exports target def)
  vexlow_module_definition(${def} linker_def)
  target_sources(${target} PRIVATE ${linker_def})
  if(VEXLOW_BITNESS EQUAL 32)
    target_link_options(${target} PRIVATE -Wl,--kill-at)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_DLLTOOL} -d ${linker_def} -D $<TARGET_FILE_NAME:${target}> -k
              -l $<TARGET_LINKER_FILE:${target}>)
  endif()
endfunction()

# vexlow_add_binary_tables_test(<target> [EXPORTS <name>...] [BY_ORDINAL <dll> ORDINALS <n>...]):
# the built program or DLL must export exactly these names and import nothing but the
# system's DLLs and BY_ORDINAL, by those ordinals only. The loader-tables test
# (packaging/tests/loader_tables), which reads every built file on the build
# machine, checks it.
function(vexlow_add_binary_tables_test target)
  cmake_parse_arguments(T "" "BY_ORDINAL" "EXPORTS;ORDINALS" ${ARGN})
  list(JOIN T_EXPORTS "," exports)
  list(JOIN T_ORDINALS "," ordinals)
  set_property(GLOBAL APPEND PROPERTY VEXLOW_EXACT_BINARY_TABLES
    --exactly "$<TARGET_FILE_NAME:${target}>:${exports}:${T_BY_ORDINAL}:${ordinals}")
endfunction()
