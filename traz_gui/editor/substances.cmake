# The substance set and the Substances page.  The set's window-free core is
# tested natively under the sanitizers (included before the Windows-only
# part of CMakeLists.txt) and, in the Windows build, lives in the editor's
# library with its test run under Wine (included again at the end, once the
# editor's targets exist).
if(NOT TRAZ_WINDOWS)
  traz_add_gtest(NAME editor_substance_set_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/substance_set.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/substance_set_test.cpp
    LIBS traz_model_fakes traz_model)
  if(TARGET editor_substance_set_test)
    target_include_directories(editor_substance_set_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}
      ${CMAKE_SOURCE_DIR}/traz_gui/model/tests)
  endif()
elseif(TARGET traz_editor)
  target_sources(traz_editor PRIVATE ${CMAKE_CURRENT_LIST_DIR}/substance_set.cpp)
  target_sources(traz_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/substances_page.cpp)
  if(TARGET editor_substance_set_test)
    # The set's test makes no window: the model's window services come from
    # the model's recording fakes, as in the native build.
    target_sources(editor_substance_set_test PRIVATE
      ${CMAKE_SOURCE_DIR}/traz_gui/model/tests/fakes/fake_editor.cpp
      ${CMAKE_SOURCE_DIR}/traz_gui/model/tests/fakes/fake_record.cpp
      ${CMAKE_SOURCE_DIR}/traz_gui/model/tests/fakes/fake_toolkit.cpp
      ${CMAKE_SOURCE_DIR}/traz_gui/model/tests/fakes/fake_visarea.cpp)
    target_include_directories(editor_substance_set_test PRIVATE ${CMAKE_SOURCE_DIR}/traz_gui/model/tests
      ${CMAKE_SOURCE_DIR}/traz_gui/model/tests/fakes)
  endif()
endif()
