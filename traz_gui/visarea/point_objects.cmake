# Observation points, discharges, releases and the area box on the map (a
# part of the map windows), and their test on the real toolkit.
if(TRAZ_WINDOWS)
  target_sources(traz_map_window PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/point_objects.cpp)
  traz_add_gtest(NAME visarea_point_objects_test
    SOURCES tests/window/point_objects_test.cpp
    LIBS ruvf_fixture traz_map_window)
  if(TARGET visarea_point_objects_test)
    target_include_directories(visarea_point_objects_test PRIVATE ${CMAKE_SOURCE_DIR}/ruv/front/tests
      ${CMAKE_SOURCE_DIR}/ruv/base/win ${CMAKE_SOURCE_DIR}/ruv/base/win/tests)
    ruv_add_resources(visarea_point_objects_test HEADER map_window_resources.h SOURCES resources/map_window.ruv)
    set_tests_properties(visarea_point_objects_test PROPERTIES RESOURCE_LOCK wine_input)
  endif()
endif()
