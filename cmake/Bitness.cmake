# The build's bitness, in the spelling each tool and file wants.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(VEXLOW_PLATFORM win32)               # release names
  set(VEXLOW_OTHER_PLATFORM win64)
  set(VEXLOW_BITNESS 32)
  set(VEXLOW_ARCHITECTURE_NAMES "x86, i686")
  set(VEXLOW_WINEARCH win32)               # the Wine prefix's architecture
  set(VEXLOW_MANIFEST_ARCHITECTURE x86)    # processorArchitecture of a manifest
  set(VEXLOW_COFF_MACHINE i386)            # llvm-dlltool -m
  set(VEXLOW_LINK_MACHINE x86)             # /machine: of Microsoft's linker
else()
  set(VEXLOW_PLATFORM win64)
  set(VEXLOW_OTHER_PLATFORM win32)
  set(VEXLOW_BITNESS 64)
  set(VEXLOW_ARCHITECTURE_NAMES "x64, x86-64")
  set(VEXLOW_WINEARCH win64)
  set(VEXLOW_MANIFEST_ARCHITECTURE amd64)
  set(VEXLOW_COFF_MACHINE i386:x86-64)
  set(VEXLOW_LINK_MACHINE x64)
endif()
