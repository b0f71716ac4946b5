# Checks ostrand.dll's import and export tables with objdump -p:
#   - hobrel.dll is imported by ordinals 3 to 8 only, with no names;
#   - the export table holds exactly the nine TR... names;
#   - no DLL is imported but hobrel.dll and the system's own (in particular no
#     MinGW runtime: libstdc++, libgcc, libwinpthread).
# Usage: cmake -DOBJDUMP=<objdump> -DDLL=<ostrand.dll> -P check_binary_tables.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT OBJDUMP OR NOT DLL)
  message(FATAL_ERROR "OBJDUMP and DLL must be given")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${DLL}")
endif()
string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")

set(failures "")
set(system_dlls kernel32.dll msvcrt.dll advapi32.dll winspool.drv user32.dll)

# Imports: "DLL Name: x" opens a block; its entries follow as "<hint> <ord> [name]".
set(section "")
set(current_dll "")
set(hobrel_ordinals "")
set(exported "")
set(imported_dlls "")
foreach(line IN LISTS lines)
  if(line MATCHES "^The Import Tables")
    set(section imports)
  elseif(line MATCHES "^The Export Tables")
    set(section exports)
  elseif(line MATCHES "^(The |PE File Base Relocations)")
    set(section "")
  endif()
  if(section STREQUAL "imports")
    if(line MATCHES "^ [0-9a-f]+\t")
      set(current_dll "")  # a directory row between two DLL blocks
    elseif(line MATCHES "DLL Name: (.+)$")
      string(STRIP "${CMAKE_MATCH_1}" current_dll)
      string(TOLOWER "${current_dll}" current_dll)
      list(APPEND imported_dlls ${current_dll})
    elseif(current_dll STREQUAL "hobrel.dll" AND line MATCHES "^[ \t]+[0-9a-f]+[ \t]")
      # By ordinal: the entry has its top bit set and objdump names it <none>.
      if(line MATCHES "^[ \t]+80000000[0-9a-f]+[ \t]+0*([0-9]+)[ \t]+<none>[ \t]*$")
        list(APPEND hobrel_ordinals ${CMAKE_MATCH_1})
      else()
        string(STRIP "${line}" entry)
        list(APPEND failures "hobrel.dll is imported by name: ${entry}")
      endif()
    endif()
  elseif(section STREQUAL "exports")
    if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
      set(section export_names)
    endif()
  elseif(section STREQUAL "export_names")
    if(line MATCHES "^[ \t]+\\[[ 0-9]+\\] (.+)$")
      string(STRIP "${CMAKE_MATCH_1}" name)
      list(APPEND exported ${name})
    endif()
  endif()
endforeach()

list(SORT hobrel_ordinals COMPARE NATURAL)
if(NOT hobrel_ordinals STREQUAL "3;4;5;6;7;8")
  list(APPEND failures "hobrel.dll ordinals are '${hobrel_ordinals}', not 3 to 8")
endif()

foreach(dll IN LISTS imported_dlls)
  if(NOT dll STREQUAL "hobrel.dll" AND NOT dll IN_LIST system_dlls)
    list(APPEND failures "imports ${dll}, which is neither hobrel.dll nor a system DLL")
  endif()
endforeach()

set(expected TRCheckSupportPrinter TRCheckSupportPrinter2 TRCmdInit TRDeleteFile TRGetFileList
             TRGetStatus TRInitPrinter TRReceiveFile TRSendFile)
list(SORT exported)
if(NOT exported STREQUAL expected)
  list(APPEND failures "exports are '${exported}', not the nine TR functions")
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "ostrand.dll tables:\n  ${text}")
endif()
message(STATUS "ostrand.dll imports ${imported_dlls}; hobrel.dll by ordinals ${hobrel_ordinals}; "
               "exports ${exported}")
