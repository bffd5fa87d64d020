# The time tables in the editor (Windows build): the core joins the
# editor's library, the slots, the Table menu commands and the generating
# window join the program; the tests reach the model tests' scenario
# fixtures and default-table stand-in.
target_sources(traz_editor PRIVATE ${TRAZ_TIME_TABLES_CORE})
target_sources(traz_gui PRIVATE time_tables.cpp)
foreach(n time_tables_core_test time_tables_test)
  if(TARGET editor_${n})
    target_include_directories(editor_${n} PRIVATE ${TRAZ_TIME_TABLES_TEST_INCLUDES})
  endif()
endforeach()
# The core's tests stand on the model alone, with the model's recording
# fakes of the editor's services.
if(TARGET editor_time_tables_core_test)
  target_link_libraries(editor_time_tables_core_test PRIVATE traz_model_fakes traz_model)
endif()
# The tables on the editor's real panes: the module with the window
# descriptions, the shell's services defined by the test.
if(TARGET editor_time_tables_test)
  target_sources(editor_time_tables_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/time_tables.cpp)
  target_link_libraries(editor_time_tables_test PRIVATE traz_model traz_editor)
  traz_editor_add_resources(editor_time_tables_test)
endif()
# The oil scenario's decay table on a virtual display: its two-line headers
# must show text; the PNG stays in the build tree.
add_executable(editor_table_shot_probe tests/table_screenshot/table_shot_probe.cpp)
target_link_libraries(editor_table_shot_probe PRIVATE user32)
if(TRAZ_EDITOR_XVFB AND TRAZ_EDITOR_IMPORT)
  add_test(NAME editor_table_screenshot
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/table_screenshot/table_screenshot.sh
            $<TARGET_FILE:editor_table_shot_probe> $<TARGET_FILE:traz_gui>
            ${CMAKE_CURRENT_SOURCE_DIR}/tests/fixtures/substances_oil ${CMAKE_BINARY_DIR}
            ${CMAKE_CURRENT_BINARY_DIR}/table_screenshot/oil_decay_table.png)
  set_tests_properties(editor_table_screenshot PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_gui)
endif()
# The time tables' benchmark: run by hand under Wine, never by ctest.
find_package(benchmark QUIET)
if(TRAZ_BUILD_GTEST AND benchmark_FOUND AND NOT TRAZ_FUZZ)
  add_executable(editor_time_tables_bench tests/bench/time_tables_bench.cpp time_tables.cpp)
  target_link_libraries(editor_time_tables_bench PRIVATE ruvf_fixture traz_model traz_editor benchmark::benchmark gmock gtest)
  target_include_directories(editor_time_tables_bench PRIVATE ${CMAKE_SOURCE_DIR}/ruv/front/tests
    ${CMAKE_SOURCE_DIR}/ruv/base/win ${CMAKE_SOURCE_DIR}/ruv/base/win/tests ${TRAZ_TIME_TABLES_TEST_INCLUDES})
  traz_editor_add_resources(editor_time_tables_bench)
endif()
