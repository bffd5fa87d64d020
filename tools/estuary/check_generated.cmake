# Runs the example generator into WORK and compares each file it writes
# with the shipped copy in EXAMPLE, byte for byte.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${GENERATOR} ${WORK} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${rc}")
endif()
foreach(ext hyd lga cco dps)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/trazest.${ext} ${EXAMPLE}/trazest.${ext}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "trazest.${ext} differs from the generator's output (run make_estuary ${EXAMPLE} and check the change)")
  endif()
endforeach()
