# Installs a build's components as scripts/release does and checks the
# folders: the release (a plain install: Runtime and Development) holds exactly
# what a deployer ships and a developer links against, and the test kit, with
# the virtual printer's hobrel.dll, goes only to a folder of its own. Then the
# manifest, plain text among Vexlow.exe's resources, for what Windows takes
# from it: the processor architecture, the supported systems (Windows 7, 8,
# 8.1, and 10 and 11) and system DPI awareness.
# Usage: cmake -DBUILD=<build folder> -DWORK=<scratch dir> -DARCHITECTURE=<amd64|x86>
#   -P check_release.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/release
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/testkit
                        --component TestKit OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE release RELATIVE ${WORK}/release ${WORK}/release/*)
file(GLOB_RECURSE testkit RELATIVE ${WORK}/testkit ${WORK}/testkit/*)
list(SORT release)
set(expected DEPLOYMENT.txt Vexlow.exe ostrand.dll ostrandcli.exe sdk/include/ostrand.h
             sdk/lib/libostrand.dll.a sdk/lib/ostrand.lib vexlow.ini)
if(NOT release STREQUAL expected)
  message(FATAL_ERROR "the release folder holds '${release}', not '${expected}'")
endif()
if(NOT "hobrel.dll" IN_LIST testkit OR NOT "quorbel_info.dll" IN_LIST testkit)
  message(FATAL_ERROR "the test kit lacks the virtual printer: '${testkit}'")
endif()
# Text files a user opens on Windows end their lines with CRLF.
foreach(text vexlow.ini DEPLOYMENT.txt)
  file(READ ${WORK}/release/${text} hex HEX)  # as bytes: a text read drops the CRs
  # A line feed (0a) at the start or after any byte but a CR (0d).
  if(hex MATCHES "^((..)*(0[^d]|[^0].))?0a")
    message(FATAL_ERROR "${text} has a line end without CR")
  endif()
endforeach()

file(STRINGS ${WORK}/release/Vexlow.exe lines LENGTH_MINIMUM 4)
string(REPLACE ";" "\n" text "${lines}")  # the manifest holds no ";"
string(REGEX MATCH "<assembly .*</assembly>" manifest "${text}")
set(required
  "<assemblyIdentity[^>]*name=\"Vexlow.UpdateTool\"[^>]*processorArchitecture=\"${ARCHITECTURE}\""
  "<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">"
  "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">[ \t\r\n]*<windowsSettings>([^<]|<[^/])*<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>")
foreach(guid 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38
             1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a)
  list(APPEND required "<supportedOS Id=\"{${guid}}\"/>")
endforeach()
foreach(pattern IN LISTS required)
  if(NOT manifest MATCHES "${pattern}")
    message(FATAL_ERROR "the manifest of Vexlow.exe lacks: ${pattern}\n${manifest}")
  endif()
endforeach()
