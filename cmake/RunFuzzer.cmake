# Runs one libFuzzer target the way CTest does, so that the same commit
# always gives the same answer: the committed corpus (SEEDS) is replayed,
# then RUNS new inputs are made from the fixed SEED.  The seeds are copied
# into WORK, the run's working directory, where the new inputs and any
# finding (crash-*, leak-*, timeout-*, oom-*) are kept; the source tree is
# never written.  FLAGS are the target's own libFuzzer flags joined by '|';
# a -runs=N among them replaces RUNS.  Besides the seed, what steers a run
# is fixed here: where code and blocks lie (address-space randomisation off
# with setarch -R; the sanitizer's allocator never hands memory back to the
# system on a timer) and the clock (libFuzzer's rereading of the corpus
# directory every second is off with -reload=0).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
set(seedfiles "")
if(SEEDS AND IS_DIRECTORY ${SEEDS})
  file(GLOB seedfiles ${SEEDS}/*)
  if(seedfiles)
    file(COPY ${seedfiles} DESTINATION ${WORK}/corpus)
  endif()
endif()
list(LENGTH seedfiles replayed)

set(runs ${RUNS})
set(flags "")
string(REPLACE "|" ";" given "${FLAGS}")
foreach(flag IN LISTS given)
  if(flag MATCHES "^-runs=([0-9]+)$")
    set(runs ${CMAKE_MATCH_1})
  elseif(flag)
    list(APPEND flags ${flag})
  endif()
endforeach()
# libFuzzer counts the replayed inputs among its runs.
math(EXPR total "${replayed} + ${runs}")

set(fixed "")
find_program(SETARCH setarch)
if(SETARCH)
  execute_process(COMMAND ${SETARCH} -R true RESULT_VARIABLE setarch_rc OUTPUT_QUIET ERROR_QUIET)
  if(setarch_rc EQUAL 0)
    set(fixed ${SETARCH} -R)
  endif()
endif()

# Every target runs under memory limits (a target's own flags may set
# others): a single allocation of more than 512 MB, as from a count read
# in a header, is a finding, as is a process of more than 2 GB.
execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=allocator_release_to_os_interval_ms=-1
                        ${fixed} ${FUZZER} -seed=${SEED} -runs=${total} -reload=0 -timeout=10 -rss_limit_mb=2048
                        -malloc_limit_mb=512
                        ${flags} -print_final_stats=1 -artifact_prefix=${WORK}/ ${WORK}/corpus
                WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "fuzzer ${FUZZER} failed: ${rc} (the input is kept in ${WORK})")
endif()
