# The location pages: the window-free naming of new locations, tested
# natively under the sanitizers (included before the Windows-only part of
# CMakeLists.txt) and under Wine, and the pages in the program (included
# again at the end, once the editor's targets exist).
if(NOT TRAZ_WINDOWS)
  traz_add_gtest(NAME editor_location_names_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/location_names.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/location_names_test.cpp
    LIBS traz_model_fakes traz_model)
  if(TARGET editor_location_names_test)
    target_include_directories(editor_location_names_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  endif()
elseif(TARGET traz_editor)
  target_sources(traz_editor PRIVATE ${CMAKE_CURRENT_LIST_DIR}/location_names.cpp)
  target_sources(traz_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/location_pages.cpp)
endif()
