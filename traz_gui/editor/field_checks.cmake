# The field and time checks' window-free core, with what follows a change
# of the simulation period.  Natively a library of its
# own whose tests run under the sanitizers; in the Windows build its sources
# are part of the editor's library (which the model's window services come
# after on every link line), and its tests run with the editor's others.
set(TRAZ_FIELD_CHECKS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/field_checks.cpp ${CMAKE_CURRENT_LIST_DIR}/time_checks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/period_rules.cpp)
if(NOT TRAZ_WINDOWS)
  add_library(traz_field_checks STATIC ${TRAZ_FIELD_CHECKS_SOURCES})
  target_include_directories(traz_field_checks PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(traz_field_checks PUBLIC traz_model)
  foreach(n field_checks_test time_checks_test period_rules_test)
    traz_add_gtest(NAME editor_${n} SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/${n}.cpp
      LIBS traz_field_checks traz_model_fakes)
  endforeach()
  if(TARGET editor_period_rules_test)
    target_include_directories(editor_period_rules_test PRIVATE ${CMAKE_SOURCE_DIR}/traz_gui/model/tests)
  endif()
endif()
