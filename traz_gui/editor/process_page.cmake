# The Process parameters page and its sub-panes in the program; their test
# runs the module on the editor's real panes with the time tables and the
# general pages (the zoom grid's store), the shell's services defined by the
# test.
target_sources(traz_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/process_page.cpp)
if(TARGET editor_process_page_test)
  target_sources(editor_process_page_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/process_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/time_tables.cpp ${CMAKE_CURRENT_LIST_DIR}/general_pages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/period_change.cpp)
  target_include_directories(editor_process_page_test PRIVATE ${TRAZ_TIME_TABLES_TEST_INCLUDES})
  target_link_libraries(editor_process_page_test PRIVATE traz_model traz_editor traz_visarea)
  traz_editor_add_resources(editor_process_page_test)
endif()
# The oil scenario's oil pane on a virtual display: its fraction list and
# heading must show text; the PNG stays in the build tree.
add_executable(editor_oil_pane_shot_probe ${CMAKE_CURRENT_LIST_DIR}/tests/oil_pane_screenshot/oil_pane_shot_probe.cpp)
target_link_libraries(editor_oil_pane_shot_probe PRIVATE user32)
if(TRAZ_EDITOR_XVFB AND TRAZ_EDITOR_IMPORT)
  add_test(NAME editor_oil_pane_screenshot
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/tests/oil_pane_screenshot/oil_pane_screenshot.sh
            $<TARGET_FILE:editor_oil_pane_shot_probe> $<TARGET_FILE:traz_gui>
            ${CMAKE_CURRENT_LIST_DIR}/tests/fixtures/substances_oil ${CMAKE_BINARY_DIR}
            ${CMAKE_CURRENT_BINARY_DIR}/oil_pane_screenshot/oil_pane.png)
  set_tests_properties(editor_oil_pane_screenshot PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_gui)
endif()
