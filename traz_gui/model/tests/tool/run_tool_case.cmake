# One case of the console tool's end-to-end suite (cmake -P).
#   TOOL      the tool; EMULATOR runs it (Wine) when set
#   DATA      fixtures, copied into WORK, where the tool runs
#   ARGS      the tool's arguments, separated by |
#   EXIT      the exit code expected
#   EXPECTED  the expected output; the work directory is written <work>
#   WRITTEN   (optional) a file the tool writes in WORK, compared with GOLDEN
# Line ends are normalised before comparing.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${DATA}/ DESTINATION ${WORK})

string(REPLACE "|" ";" args "${ARGS}")
set(command ${TOOL} ${args})
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
execute_process(COMMAND ${command}
                WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE rc
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err)

function(normalised text result)
  string(REPLACE "\r\n" "\n" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# The work directory as the tool may print it: native, or Wine's drive Z:
# with either separator.
normalised("${out}" out)
string(REPLACE "/" "\\" work_backslashed "${WORK}")
foreach(form "Z:${WORK}" "Z:${work_backslashed}" "z:${WORK}" "z:${work_backslashed}" "${WORK}")
  string(REPLACE "${form}" "<work>" out "${out}")
endforeach()
file(WRITE ${WORK}/actual.txt "${out}")

# The tool's first line on standard error says it started; under Wine a run
# without it is a process that never came up (under load Wine has ended
# one with code 1 and no word), reported as the test run recognises a start
# failure, so that it runs the case again.
if(EMULATOR AND NOT err MATCHES "traz_model_tool started")
  get_filename_component(tool_name ${TOOL} NAME)
  message(FATAL_ERROR "cannot start ${tool_name} (error ${rc})\nit wrote nothing of its own\n"
                      "--- output ---\n${out}--- errors ---\n${err}")
endif()

set(failed "")
file(READ ${EXPECTED} expected)
normalised("${expected}" expected)
if(NOT out STREQUAL expected)
  string(APPEND failed "output differs from ${EXPECTED} (actual: ${WORK}/actual.txt)\n")
endif()
if(NOT rc STREQUAL EXIT)
  string(APPEND failed "exit code ${rc}, expected ${EXIT}\n")
endif()
if(WRITTEN)
  if(NOT EXISTS ${WORK}/${WRITTEN})
    string(APPEND failed "${WRITTEN} was not written\n")
  else()
    file(READ ${WORK}/${WRITTEN} written)
    file(READ ${GOLDEN} golden)
    normalised("${written}" written)
    normalised("${golden}" golden)
    if(NOT written STREQUAL golden)
      string(APPEND failed "${WORK}/${WRITTEN} differs from ${GOLDEN}\n")
    endif()
  endif()
endif()
if(failed)
  message(FATAL_ERROR "${failed}--- output ---\n${out}--- errors ---\n${err}")
endif()
