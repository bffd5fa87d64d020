# The general pages' window-free rules (project-relative names, the layer
# text, the checks before a save).  Natively a library of its own whose
# test runs under the sanitizers; in the Windows build its source is part
# of the editor's library (general_pages.cmake), where the same test runs.
set(TRAZ_GENERAL_PAGE_RULES_SOURCES ${CMAKE_CURRENT_LIST_DIR}/general_page_rules.cpp)
if(NOT TRAZ_WINDOWS)
  add_library(traz_general_page_rules STATIC ${TRAZ_GENERAL_PAGE_RULES_SOURCES})
  target_include_directories(traz_general_page_rules PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(traz_general_page_rules PUBLIC traz_model)
  traz_add_gtest(NAME editor_general_pages_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/general_pages_test.cpp
    LIBS traz_general_page_rules traz_model_fakes)
endif()
