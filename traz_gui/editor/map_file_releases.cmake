# Releases from a map file: the header reader and the release records,
# window-free.  Natively a library of its own with its tests under the
# sanitizers and a fuzz target of the reader (clang fuzz build); in the
# Windows build its source joins the editor's library and its test runs
# with the editor's others.
set(TRAZ_MAP_FILE_RELEASES_SOURCES ${CMAKE_CURRENT_LIST_DIR}/map_file_releases.cpp)
if(NOT TRAZ_WINDOWS)
  add_library(traz_map_file_releases STATIC ${TRAZ_MAP_FILE_RELEASES_SOURCES})
  target_include_directories(traz_map_file_releases PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(traz_map_file_releases PUBLIC traz_model)
  traz_add_gtest(NAME editor_map_file_releases_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/map_file_releases_test.cpp
    LIBS traz_map_file_releases traz_model_fakes traz_model)
  traz_add_fuzzer(NAME editor_map_file_header_fuzz
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/fuzz/map_file_header_fuzz.cpp
    LIBS traz_map_file_releases traz_model_fakes traz_model
    CORPUS ${CMAKE_CURRENT_LIST_DIR}/tests/fuzz/map_file_header_corpus)
endif()
