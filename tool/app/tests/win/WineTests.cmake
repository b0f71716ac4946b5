# Tests of the Windows side, run under Wine: what only the dialog manager and
# its fonts answer, and Vexlow.exe itself driven from outside through winauto.
set(APP_WIN_TESTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/win)

# Vexlow.exe must need no MinGW runtime library: only the system's own.
vexlow_add_binary_tables_test(Vexlow)

# The real program with the virtual printer and its driver: whole updates and
# the printer's faults during updates. The 32-bit tree runs one whole update in
# English, the case of a 32-bit tool with a 32-bit port library.
set(gui_tests update fault_matrix)
if(VEXLOW_BITNESS EQUAL 32)
  set(gui_tests update)
  set(languages en)
endif()
foreach(test ${gui_tests})
  vexlow_add_test(NAME vexlow_${test}_gui_test GUI
    COMMAND ${APP_WIN_TESTS}/${test}_gui_test.sh ${CMAKE_BINARY_DIR}/bin ${CMAKE_BINARY_DIR}/artifacts
            ${languages})
  set_tests_properties(vexlow_${test}_gui_test PROPERTIES FIXTURES_REQUIRED wine_display TIMEOUT 600)
endforeach()

# The dialogs of each language: their texts fit at the dialog's font, the
# animation clip plays. The 64-bit tree alone runs them: the same code, the
# same resources.
if(VEXLOW_BITNESS EQUAL 32)
  return()
endif()
add_executable(app_dialog_layout_test ${APP_WIN_TESTS}/dialog_layout_test.cpp)
target_link_libraries(app_dialog_layout_test PRIVATE app_win vexlow_resources GTest::gtest
                      GTest::gtest_main)
foreach(locale en_US ja_JP)
  string(SUBSTRING ${locale} 0 2 language)
  set(test app_dialog_layout_${language}_test)
  vexlow_add_test(NAME ${test} COMMAND app_dialog_layout_test GUI)
  set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine_display)
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT VEXLOW_EXPECTED_LANGUAGE=${language}
               LANG=${locale}.UTF-8 LC_ALL=${locale}.UTF-8)
endforeach()
