# Installs a build's components as scripts/release does and checks the
# folders: the release (a plain install: Runtime and Development) holds exactly
# what a deployer ships and a developer links against, and the test kit, with
# the virtual printer's hobrel.dll, goes only to a folder of its own.
# Usage: cmake -DBUILD=<build folder> -DWORK=<scratch dir> -P check_release_folders.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})

# install_into(<folder> <out_var> [--component <name>]): the files installed, relative, sorted.
function(install_into folder out_var)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/${folder} ${ARGN}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "install into ${folder} failed:\n${out}")
  endif()
  file(GLOB_RECURSE files RELATIVE ${WORK}/${folder} ${WORK}/${folder}/*)
  list(SORT files)
  set(${out_var} "${files}" PARENT_SCOPE)
endfunction()

install_into(release release)
install_into(testkit testkit --component TestKit)
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
  string(REGEX REPLACE "(..)" " \\1" bytes "${hex}")
  string(REPLACE " 0d 0a" "" bare "${bytes}")
  if(bare MATCHES " 0a")
    message(FATAL_ERROR "${text} has a line end without CR")
  endif()
endforeach()
message(STATUS "release: ${release}; test kit: ${testkit}")
