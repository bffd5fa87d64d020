# Build helpers shared by every area of the tree: compiler settings for the
# two build forms (Windows cross build, native sanitizer build), the test and
# fuzz-target helpers, and the Wine environment the Windows tests run in.

include_guard(GLOBAL)

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_C_STANDARD 11)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

if(WIN32)
  set(TRAZ_WINDOWS ON)
  # C99 number formatting in both builds: native and Windows write the same
  # characters (two-digit exponents, %zu, %lld).
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 _WIN32_WINNT=0x0601 WINVER=0x0601)
  # Nothing may depend on a runtime DLL outside the build tree.
  add_link_options(-static-libgcc -static-libstdc++ -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic)
else()
  set(TRAZ_WINDOWS OFF)
endif()

option(TRAZ_SANITIZE "Build with AddressSanitizer and UBSan (native build)" OFF)
option(TRAZ_FUZZ "Build the libFuzzer targets (native clang build)" OFF)

if(TRAZ_SANITIZE AND NOT TRAZ_WINDOWS)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(TRAZ_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
  if(NOT TRAZ_WINDOWS)
    # Debug information is kept compressed in objects and programs (the
    # sanitizers' reports still name files and lines): a full native and
    # fuzz build then fits a small disk.
    add_compile_options(-gz)
    add_link_options(-gz)
  endif()
endif()

# Where tests find the source tree (fixtures).  Under Wine the Unix root is
# drive Z:, so Windows tests get the drive-qualified form.
if(TRAZ_WINDOWS)
  set(TRAZ_TEST_SOURCE_DIR "Z:${CMAKE_SOURCE_DIR}")
  set(TRAZ_TEST_BINARY_DIR "Z:${CMAKE_BINARY_DIR}")
else()
  set(TRAZ_TEST_SOURCE_DIR "${CMAKE_SOURCE_DIR}")
  set(TRAZ_TEST_BINARY_DIR "${CMAKE_BINARY_DIR}")
endif()

# The Wine prefix lives in the build tree; no installer prompt may block and
# graphics use the null driver unless a test sets its own DISPLAY.  Every
# Wine process asks the project's own print server (scripts/cups) for its
# printers: a process that found none would drop the queue that Wine added
# for another one, in the middle of its print test.
set(TRAZ_WINE_ENV
  "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml="
  "WINEARCH=win64"
  "CUPS_SERVER=${CMAKE_BINARY_DIR}/cups/cups.sock")

set(TRAZ_BUILD_GTEST FALSE)
if(NOT TRAZ_FUZZ)
  set(TRAZ_BUILD_GTEST TRUE)
  if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    if(TRAZ_WINDOWS)
      # Test code, like the tests themselves (traz_add_gtest).
      foreach(lib gtest gtest_main gmock gmock_main)
        target_compile_options(${lib} PRIVATE -O0 -g0)
      endforeach()
    endif()
  endif()
endif()

# gtest's and gmock's headers are a good part of every test file's compile
# time: they are compiled once, with the tests' options, and every test
# program takes them from here.
if(TRAZ_BUILD_GTEST AND NOT TARGET traz_test_headers)
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/test_headers_main.cpp
       CONTENT "int main() { return 0; }\n")
  add_executable(traz_test_headers ${CMAKE_BINARY_DIR}/test_headers_main.cpp)
  target_link_libraries(traz_test_headers PRIVATE gmock gtest)
  target_precompile_headers(traz_test_headers PRIVATE <gmock/gmock.h> <gtest/gtest.h>)
  if(TRAZ_WINDOWS)
    target_compile_options(traz_test_headers PRIVATE -O0 -g0)
  endif()
endif()

# traz_add_gtest(NAME <name> SOURCES <files...> [LIBS <libs...>] [LABELS <labels...>]
#                [WORKING_DIRECTORY <dir>] [ENVIRONMENT <VAR=value...>])
# One test executable, one CTest entry; runs under Wine in the Windows build.
function(traz_add_gtest)
  cmake_parse_arguments(T "" "NAME;WORKING_DIRECTORY" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
  if(NOT TRAZ_BUILD_GTEST)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gmock gtest_main)
  target_precompile_headers(${T_NAME} REUSE_FROM traz_test_headers)
  if(TRAZ_WINDOWS)
    # The test sources are most of the Windows build's compile and link
    # time: they are built unoptimised and without debug information (a
    # failure names its file and line itself); the code they test keeps the
    # build type's options.
    target_compile_options(${T_NAME} PRIVATE -O0 -g0)
    # Each test program links the code it tests statically; with that
    # code's debug information and symbols, a few hundred of them filled
    # gigabytes.  They are linked stripped; the program and libraries
    # themselves keep theirs.
    target_link_options(${T_NAME} PRIVATE -s)
  endif()
  target_compile_definitions(${T_NAME} PRIVATE
    TRAZ_TEST_SOURCE_DIR="${TRAZ_TEST_SOURCE_DIR}"
    TRAZ_TEST_BINARY_DIR="${TRAZ_TEST_BINARY_DIR}")
  if(NOT T_WORKING_DIRECTORY)
    # Each test runs in a directory of its own, so files written to the
    # current directory (debug files, work files) never race between tests
    # run in parallel.
    set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.run)
    file(MAKE_DIRECTORY ${T_WORKING_DIRECTORY})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  set(env ${T_ENVIRONMENT})
  if(TRAZ_WINDOWS)
    list(APPEND env ${TRAZ_WINE_ENV})
  else()
    # A single allocation of more than 1 GB is a finding: no test needs one,
    # and a count taken from a file should never make one.
    list(APPEND env "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:max_allocation_size_mb=1024"
         "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endif()
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
  if(T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

# traz_add_fuzzer(NAME <name> SOURCES <files...> [LIBS <libs...>] [CORPUS <dir>] [OPTIONS <file>])
# A libFuzzer target (only in the clang fuzz build).  CTest replays its
# committed corpus and then makes a bounded number of new executions from a
# fixed seed (cmake/RunFuzzer.cmake), so that a run gives the same answer for
# the same commit; open-ended campaigns from random seeds are scripts/fuzz.
# The options file (default: <first source without .cpp>.options) holds the
# libFuzzer flags the target always runs with, one a line, '#' for comments;
# its -runs=N is the number of new executions of the CI run (otherwise
# TRAZ_FUZZ_RUNS) and is left out of campaigns.  Every target is listed in
# <build>/fuzz_targets.txt (name, corpus, flags; tab-separated) for
# scripts/fuzz.
if(NOT DEFINED TRAZ_FUZZ_SEED)
  set(TRAZ_FUZZ_SEED 1)
endif()
if(NOT DEFINED TRAZ_FUZZ_RUNS)
  set(TRAZ_FUZZ_RUNS 4000)
endif()
set(TRAZ_FUZZ_LIST ${CMAKE_BINARY_DIR}/fuzz_targets.txt)
if(TRAZ_FUZZ)
  file(WRITE ${TRAZ_FUZZ_LIST} "")
endif()

function(traz_add_fuzzer)
  cmake_parse_arguments(F "" "NAME;CORPUS;OPTIONS" "SOURCES;LIBS" ${ARGN})
  if(NOT TRAZ_FUZZ)
    return()
  endif()
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  if(NOT F_OPTIONS)
    list(GET F_SOURCES 0 first)
    get_filename_component(first ${first} ABSOLUTE)
    string(REGEX REPLACE "\\.[^./]*$" ".options" F_OPTIONS ${first})
  endif()
  set(flags "")
  if(EXISTS ${F_OPTIONS})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${F_OPTIONS})
    file(STRINGS ${F_OPTIONS} flags REGEX "^-")
  endif()
  set(seeds "")
  if(F_CORPUS)
    set(seeds ${F_CORPUS})
  endif()
  # Flags travel to the script joined by '|' (a ';' would split the -D).
  string(REPLACE ";" "|" bar "${flags}")
  add_test(NAME ${F_NAME}
    COMMAND ${CMAKE_COMMAND} -DFUZZER=$<TARGET_FILE:${F_NAME}>
            -DWORK=${CMAKE_CURRENT_BINARY_DIR}/${F_NAME}_run
            -DSEEDS=${seeds} -DSEED=${TRAZ_FUZZ_SEED} -DRUNS=${TRAZ_FUZZ_RUNS} "-DFLAGS=${bar}"
            -P ${CMAKE_SOURCE_DIR}/cmake/RunFuzzer.cmake)
  set_tests_properties(${F_NAME} PROPERTIES LABELS fuzz TIMEOUT 600)
  string(REPLACE ";" " " spaced "${flags}")
  file(APPEND ${TRAZ_FUZZ_LIST} "${F_NAME}\t${seeds}\t${spaced}\n")
endfunction()

# traz_add_area_tests(PREFIX <prefix> LIBS <libs...> [INCLUDES <dirs...>])
# The tests of one area: one test executable <prefix>_<name> per
# tests/<name>_test.cpp, and one fuzz target <prefix>_<name>_fuzz per
# tests/fuzz/<name>_fuzz.cpp with its seeds in tests/fuzz/<name>_corpus/.
function(traz_add_area_tests)
  cmake_parse_arguments(A "" "PREFIX" "LIBS;INCLUDES" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_test.cpp)
  foreach(t ${tests})
    get_filename_component(n ${t} NAME_WE)
    traz_add_gtest(NAME ${A_PREFIX}_${n} SOURCES ${t} LIBS ${A_LIBS})
    if(A_INCLUDES AND TARGET ${A_PREFIX}_${n})
      target_include_directories(${A_PREFIX}_${n} PRIVATE ${A_INCLUDES})
    endif()
  endforeach()
  file(GLOB fuzzers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  foreach(f ${fuzzers})
    get_filename_component(n ${f} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" base ${n})
    traz_add_fuzzer(NAME ${A_PREFIX}_${n} SOURCES ${f} LIBS ${A_LIBS}
                    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/${base}_corpus)
  endforeach()
endfunction()
