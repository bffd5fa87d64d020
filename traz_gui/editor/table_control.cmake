# The table control's window-free core: a library of its own that builds
# for both targets; natively its tests run under the sanitizers (the
# Windows build runs them with the editor's other tests).
add_library(traz_table_control_core STATIC ${CMAKE_CURRENT_LIST_DIR}/table_control_core.cpp)
target_include_directories(traz_table_control_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
if(NOT TRAZ_WINDOWS)
  traz_add_gtest(NAME editor_table_control_core_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/table_control_core_test.cpp
    LIBS traz_table_control_core)
endif()
