# The time tables' window-free core.  Natively a library of its own whose
# tests run under the sanitizers; in the Windows build its source joins the
# editor's library (time_tables.cmake) and its tests run with the others.
set(TRAZ_TIME_TABLES_CORE ${CMAKE_CURRENT_LIST_DIR}/time_tables_core.cpp)
set(TRAZ_TIME_TABLES_TEST_INCLUDES ${CMAKE_SOURCE_DIR}/traz_gui/model/tests)
if(NOT TRAZ_WINDOWS)
  add_library(traz_time_tables_core STATIC ${TRAZ_TIME_TABLES_CORE})
  target_include_directories(traz_time_tables_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(traz_time_tables_core PUBLIC traz_model)
  traz_add_gtest(NAME editor_time_tables_core_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/time_tables_core_test.cpp
    LIBS traz_time_tables_core traz_model_fakes traz_model)
  if(TARGET editor_time_tables_core_test)
    target_include_directories(editor_time_tables_core_test PRIVATE ${TRAZ_TIME_TABLES_TEST_INCLUDES})
  endif()
endif()
