# Reads the manifest back from a built Vexlow.exe (windres decodes the
# executable's resources) and checks what Windows takes from it: the
# application's processor architecture, the supported systems (Windows 7, 8,
# 8.1, and 10 and 11) and system DPI awareness.
# Usage: cmake -DWINDRES=<windres> -DEXE=<Vexlow.exe> -DARCHITECTURE=<amd64|x86>
#              -DWORK=<scratch dir> -P check_manifest.cmake
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${WINDRES} -i ${EXE} -O rc -o ${WORK}/resources.rc
                RESULT_VARIABLE result ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "windres cannot read ${EXE}: ${error}")
endif()

# The manifest is resource 1 of type 24, written as string lines.
file(STRINGS ${WORK}/resources.rc lines)
set(manifest "")
set(state outside)
foreach(line IN LISTS lines)
  if(state STREQUAL "outside" AND line MATCHES "^1 24 ")
    set(state header)
  elseif(state STREQUAL "header" AND line STREQUAL "BEGIN")
    set(state inside)
  elseif(state STREQUAL "inside")
    if(line STREQUAL "END")
      break()
    endif()
    string(REGEX REPLACE "^[ \t]*\"(.*)\"$" "\\1" text "${line}")
    string(REPLACE "\"\"" "\"" text "${text}")
    string(REPLACE "\\n" "\n" text "${text}")
    string(APPEND manifest "${text}")
  endif()
endforeach()
if(manifest STREQUAL "")
  message(FATAL_ERROR "${EXE} holds no manifest (resource 1 of type RT_MANIFEST)")
endif()

set(failures "")
if(NOT manifest MATCHES "<assemblyIdentity([^>]*name=\"Vexlow.UpdateTool\"[^>]*)>")
  list(APPEND failures "no assembly identity of the application")
elseif(NOT CMAKE_MATCH_1 MATCHES "processorArchitecture=\"${ARCHITECTURE}\"")
  list(APPEND failures "the application's processorArchitecture is not ${ARCHITECTURE}")
endif()

if(NOT manifest MATCHES
   "<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">(.*)</compatibility>")
  list(APPEND failures "no compatibility section")
else()
  set(systems "${CMAKE_MATCH_1}")
  foreach(guid 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38
               1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a)
    if(NOT systems MATCHES "<supportedOS Id=\"{${guid}}\"/>")
      list(APPEND failures "supportedOS {${guid}} is not declared")
    endif()
  endforeach()
endif()

set(settings "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">[ \t\n]*<windowsSettings>")
set(dpi "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>")
if(NOT manifest MATCHES "${settings}([^<]|<[^/])*${dpi}")
  list(APPEND failures "no system DPI awareness (dpiAware true in the windowsSettings namespace)")
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "the manifest of ${EXE}:\n  ${text}\n${manifest}")
endif()
message(STATUS "${EXE}: ${ARCHITECTURE}, Windows 7 to 11, system DPI aware")
