# Reads the manifest, plain text among Vexlow.exe's resources, and checks what
# Windows takes from it: the application's processor architecture, the
# supported systems (Windows 7, 8, 8.1, and 10 and 11) and system DPI awareness.
# Usage: cmake -DEXE=<Vexlow.exe> -DARCHITECTURE=<amd64|x86> -P check_manifest.cmake
cmake_minimum_required(VERSION 3.25)
file(STRINGS ${EXE} lines LENGTH_MINIMUM 4)
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
    message(FATAL_ERROR "the manifest of ${EXE} lacks: ${pattern}\n${manifest}")
  endif()
endforeach()
message(STATUS "${EXE}: ${ARCHITECTURE}, Windows 7 to 11, system DPI aware")
