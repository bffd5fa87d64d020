# Runs one libFuzzer target for a bounded time over a copy of its seeds.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(SEEDS AND EXISTS ${SEEDS})
  file(GLOB seedfiles ${SEEDS}/*)
  if(seedfiles)
    file(COPY ${seedfiles} DESTINATION ${WORK})
  endif()
endif()
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
                        -print_final_stats=1 ${WORK}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "fuzzer ${FUZZER} failed: ${rc}")
endif()
