# Tests of the Windows side, run under Wine: what only the real system
# answers (its profile and file functions, the loader's search, the dialog
# manager's fonts), and Vexlow.exe itself driven
# from outside through winauto.
set(APP_WIN_TESTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/win)

vexlow_add_gtest(app_win_test
  SOURCES
    ${APP_WIN_TESTS}/win32_adapters_test.cpp
  LIBS app_win vexlow_resources)
target_include_directories(app_win_test PRIVATE ${APP_WIN_TESTS})

# A library that only the tests load; kept out of bin/ itself, where the
# programs' own folder would always find it.
add_library(app_search_probe SHARED ${APP_WIN_TESTS}/search_probe.c)
set_target_properties(app_search_probe PROPERTIES
  PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/probe)

vexlow_add_gtest(app_library_search_test
  SOURCES ${APP_WIN_TESTS}/library_search_test.cpp
  LIBS app_win)
target_include_directories(app_library_search_test PRIVATE ${APP_WIN_TESTS})
add_dependencies(app_library_search_test app_search_probe)

# Vexlow.exe must need no MinGW runtime library: only the system's own.
vexlow_add_binary_tables_test(Vexlow)

# The real program, driven from outside with winauto: its start-up outcomes,
# whole updates with the virtual printer and its driver, and the printer's
# faults during updates. They need programs and libraries of folders
# configured after this one, so they are added once the whole tree is known,
# and only when those exist. The GUI drives the same code in both bitnesses:
# the 32-bit tree runs one whole update in English, the case of a 32-bit tool
# with a 32-bit port library.
function(vexlow_app_add_gui_test tests_dir work_dir)
  if(NOT (TARGET winauto AND TARGET ostrand AND TARGET hobrel AND TARGET Vexlow))
    message(STATUS "Vexlow GUI tests left out: winauto, ostrand or hobrel missing")
    return()
  endif()
  set(tests startup)
  if(TARGET vp_install_driver AND TARGET quorbel_info)
    list(APPEND tests update fault_matrix)
  else()
    message(STATUS "Vexlow update GUI test left out: the virtual printer's driver is missing")
  endif()
  set(languages "")
  if(VEXLOW_BITNESS EQUAL 32)
    list(FILTER tests INCLUDE REGEX "^update$")
    set(languages en)
  endif()
  foreach(test ${tests})
    vexlow_add_test(NAME vexlow_${test}_gui_test GUI
      COMMAND ${tests_dir}/${test}_gui_test.sh ${CMAKE_BINARY_DIR}/bin
              ${CMAKE_BINARY_DIR}/artifacts ${languages}
      WORKING_DIRECTORY ${work_dir})
    set_tests_properties(vexlow_${test}_gui_test PROPERTIES FIXTURES_REQUIRED wine_display
                         TIMEOUT 600)
  endforeach()
endfunction()
cmake_language(EVAL CODE "
  cmake_language(DEFER DIRECTORY \"${CMAKE_SOURCE_DIR}\"
    CALL vexlow_app_add_gui_test \"${APP_WIN_TESTS}\" \"${CMAKE_CURRENT_BINARY_DIR}\")")

# The dialogs of each language: their texts fit at the dialog's font, the
# animation clip plays. They open windows, so they need the display. The
# 64-bit tree alone runs them: the same code, the same resources.
if(VEXLOW_BITNESS EQUAL 32)
  return()
endif()
add_executable(app_dialog_layout_test ${APP_WIN_TESTS}/dialog_layout_test.cpp)
target_link_libraries(app_dialog_layout_test PRIVATE app_win vexlow_resources GTest::gtest
                      GTest::gtest_main)
vexlow_add_test(NAME app_dialog_layout_en_test COMMAND app_dialog_layout_test GUI)
vexlow_add_test(NAME app_dialog_layout_ja_test COMMAND app_dialog_layout_test GUI)
set_tests_properties(app_dialog_layout_en_test app_dialog_layout_ja_test PROPERTIES
  FIXTURES_REQUIRED wine_display)
set_property(TEST app_dialog_layout_en_test APPEND PROPERTY ENVIRONMENT
  VEXLOW_EXPECTED_LANGUAGE=en LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8)
set_property(TEST app_dialog_layout_ja_test APPEND PROPERTY ENVIRONMENT
  VEXLOW_EXPECTED_LANGUAGE=ja LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)
