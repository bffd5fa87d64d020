# Page 9, releases from file, in the program; and its test program: the
# program's own sources but main.cpp, started in-process on the example
# estuary and driven from a second thread by real window messages.
if(NOT TRAZ_WINDOWS OR NOT TARGET traz_gui)
  return()
endif()
target_sources(traz_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/task_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/releases_from_file_page.cpp)

# The map-file reader's Wine test makes release records but no window: the
# model's editor services come from its recording fakes, as natively.
if(TARGET editor_map_file_releases_test)
  target_sources(editor_map_file_releases_test PRIVATE
    ${CMAKE_SOURCE_DIR}/traz_gui/model/tests/fakes/fake_editor.cpp
    ${CMAKE_SOURCE_DIR}/traz_gui/model/tests/fakes/fake_record.cpp
    ${CMAKE_SOURCE_DIR}/traz_gui/model/tests/fakes/fake_toolkit.cpp
    ${CMAKE_SOURCE_DIR}/traz_gui/model/tests/fakes/fake_visarea.cpp)
  target_include_directories(editor_map_file_releases_test PRIVATE ${CMAKE_SOURCE_DIR}/traz_gui/model/tests/fakes)
endif()

# The program's sources are complete only once the whole directory is read:
# the test program is made then.
function(traz_releases_from_file_page_test)
  get_target_property(sources traz_gui SOURCES)
  list(FILTER sources EXCLUDE REGEX "(^|/)main\\.cpp$|_res\\.o$|_rc\\.o$|\\.rc$")
  get_target_property(libraries traz_gui LINK_LIBRARIES)
  traz_add_gtest(NAME editor_releases_from_file_page_test
    SOURCES ${sources} ${CMAKE_CURRENT_SOURCE_DIR}/tests/releases_from_file/releases_from_file_page_test.cpp
    LIBS ${libraries})
  if(NOT TARGET editor_releases_from_file_page_test)
    return()
  endif()
  target_include_directories(editor_releases_from_file_page_test PRIVATE
    $<TARGET_PROPERTY:traz_gui,INCLUDE_DIRECTORIES> ${CMAKE_CURRENT_SOURCE_DIR}/tests/driver)
  target_compile_definitions(editor_releases_from_file_page_test PRIVATE
    $<TARGET_PROPERTY:traz_gui,COMPILE_DEFINITIONS>)
  traz_editor_add_resources(editor_releases_from_file_page_test)
  # It takes the foreground and must end with its report, not with the
  # program's own exit.
  set_tests_properties(editor_releases_from_file_page_test PROPERTIES RESOURCE_LOCK wine_input
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test")
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} CALL traz_releases_from_file_page_test)
