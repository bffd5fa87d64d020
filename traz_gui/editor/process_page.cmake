# The Process parameters page and its sub-panes in the program; their test
# runs the module on the editor's real panes with the time tables, the shell's
# services defined by the test.
target_sources(traz_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/process_page.cpp)
if(TARGET editor_process_page_test)
  target_sources(editor_process_page_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/process_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/time_tables.cpp)
  target_include_directories(editor_process_page_test PRIVATE ${TRAZ_TIME_TABLES_TEST_INCLUDES})
  target_link_libraries(editor_process_page_test PRIVATE traz_model traz_editor)
  traz_editor_add_resources(editor_process_page_test)
endif()
