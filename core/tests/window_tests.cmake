# Tests of the main window: its rules without a window, and the window driven
# on the offscreen platform.
foreach(name window_logic_test hovedskjerm_test hovedskjerm_database_test hovedskjerm_list_settings_test
    hovedskjerm_search_print_test)
  add_executable(core_${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp ${CMAKE_CURRENT_LIST_DIR}/window_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/window_test_support.h)
  target_link_libraries(core_${name} PRIVATE core Qt6::Test)
  set_target_properties(core_${name} PROPERTIES AUTOMOC ON)
  add_test(NAME core_${name} COMMAND core_${name})
  set_tests_properties(core_${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endforeach()

# Not a test: draws the window with a table open, for the documentation.
add_executable(core_window_screenshot ${CMAKE_CURRENT_LIST_DIR}/window_screenshot.cpp)
target_link_libraries(core_window_screenshot PRIVATE core Qt6::Test)
