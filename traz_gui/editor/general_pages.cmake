# The general pages (description, hydrodynamics, times, initial conditions,
# numerical parameters, output options, zoom grid) in the program; their
# window-free rules (project-relative names, checks before a save) in the
# editor's library, where their test reaches them.
target_sources(traz_gui PRIVATE general_pages.cpp)
target_sources(traz_editor PRIVATE general_page_rules.cpp)
if(TARGET editor_general_pages_test)
  target_link_libraries(editor_general_pages_test PRIVATE traz_model traz_editor)
endif()
