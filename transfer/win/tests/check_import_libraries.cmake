# Links a C caller of ostrand.h against each import library and checks that
# the result imports exactly the nine plain names from ostrand.dll:
#   - libostrand.dll.a with the MinGW compiler that built the DLL;
#   - ostrand.lib with a Microsoft-style toolchain (clang for *-windows-msvc and
#     lld-link, which read and link import libraries as Microsoft's linker does).
# Usage: cmake -DCC=<mingw gcc> -DCLANG=<clang> -DLLD_LINK=<lld-link> -DOBJDUMP=<objdump>
#   -DMACHINE=<x86|x64> -DINCLUDE=<dir of ostrand.h> -DMINGW_LIB=<libostrand.dll.a>
#   -DMSVC_LIB=<ostrand.lib> -DSOURCE=<consumer.c> -DWORK=<scratch dir> -P <this file>
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(MACHINE STREQUAL "x86")
  set(target i686-pc-windows-msvc)
else()
  set(target x86_64-pc-windows-msvc)
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${command}\n${out}")
  endif()
endfunction()

run(${CC} -shared -I${INCLUDE} -o ${WORK}/mingw_consumer.dll ${SOURCE} ${MINGW_LIB})
run(${CLANG} --target=${target} -ffreestanding -I${INCLUDE} -c ${SOURCE}
    -o ${WORK}/msvc_consumer.obj)
run(${LLD_LINK} /dll /noentry /nodefaultlib /machine:${MACHINE} ${WORK}/msvc_consumer.obj
    ${MSVC_LIB} /out:${WORK}/msvc_consumer.dll)

set(expected TRCheckSupportPrinter TRCheckSupportPrinter2 TRCmdInit TRDeleteFile TRGetFileList
             TRGetStatus TRInitPrinter TRReceiveFile TRSendFile)
foreach(consumer mingw_consumer msvc_consumer)
  execute_process(COMMAND ${OBJDUMP} -p ${WORK}/${consumer}.dll OUTPUT_VARIABLE dump)
  # The import block of ostrand.dll runs to the first empty line; each entry
  # line ends with the imported name.
  string(REGEX MATCH "DLL Name: [Oo][Ss][Tt][Rr][Aa][Nn][Dd]\\.[Dd][Ll][Ll]\n([^\n]+\n)*" block
         "${dump}")
  string(REGEX MATCHALL "[ \t][A-Za-z0-9_@]+\n" imported "${block}")
  list(TRANSFORM imported STRIP)
  list(SORT imported)
  if(NOT imported STREQUAL expected)
    message(FATAL_ERROR "${consumer} imports '${imported}' from ostrand.dll")
  endif()
endforeach()
message(STATUS "both import libraries link the nine exports by their plain names")
