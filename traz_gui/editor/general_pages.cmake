# The general pages (description, hydrodynamics, times, initial conditions,
# numerical parameters, output options, zoom grid) in the program; their
# window-free rules (project-relative names, checks before a save) in the
# editor's library, where their test reaches them.
target_sources(traz_gui PRIVATE general_pages.cpp period_change.cpp)
target_sources(traz_editor PRIVATE ${TRAZ_GENERAL_PAGE_RULES_SOURCES})
if(TARGET editor_general_pages_test)
  target_link_libraries(editor_general_pages_test PRIVATE traz_model traz_editor)
endif()

# The example's Time frame page on a virtual display: its screenshot stays
# in the build tree (general_screenshot/time_frame.png).
add_executable(editor_time_frame_shot_probe tests/general_screenshot/time_frame_shot_probe.cpp)
target_link_libraries(editor_time_frame_shot_probe PRIVATE user32)
find_program(TRAZ_EDITOR_XVFB Xvfb)
find_program(TRAZ_EDITOR_IMPORT import)
if(TRAZ_EDITOR_XVFB AND TRAZ_EDITOR_IMPORT)
  add_test(NAME editor_general_time_frame_screenshot
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/general_screenshot/time_frame_shot.sh
            $<TARGET_FILE:editor_time_frame_shot_probe> $<TARGET_FILE:traz_gui> ${CMAKE_SOURCE_DIR}/examples/estuary
            ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/general_screenshot/time_frame.png)
  set_tests_properties(editor_general_time_frame_screenshot PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_gui)
endif()
