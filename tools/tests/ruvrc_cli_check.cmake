# Runs the resource compiler's command line over a small description with
# an inline image and checks what a build relies on: the depfile names the
# build's stamp as its target and lists the description and the image, and
# the index resource is the terminated "total first size" text.
#   cmake -DRUVRC=<ruvrc> -DWORK=<scratch dir> -P ruvrc_cli_check.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/a.ruv "image PIC = 1 inline \"pic.bin\"\n")
file(WRITE ${WORK}/pic.bin "abc")
execute_process(
  COMMAND ${RUVRC} --header ${WORK}/ids.h --rc ${WORK}/a.rc --stream ${WORK}/a.furl
          --depfile ${WORK}/a.d --depfile-target ${WORK}/a.stamp ${WORK}/a.ruv
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ruvrc failed (${rc}): ${err}")
endif()

file(READ ${WORK}/a.d dep)
string(FIND "${dep}" "${WORK}/a.stamp:" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "depfile target is not the stamp:\n${dep}")
endif()
foreach(input ${WORK}/a.ruv ${WORK}/pic.bin)
  string(FIND "${dep}" "${input}" at)
  if(at LESS 0)
    message(FATAL_ERROR "depfile does not list ${input}:\n${dep}")
  endif()
endforeach()

# 12 header + 12 directory + 4 flags + 2 name + 2 extras + 4 length + 3 data.
file(READ ${WORK}/a.rc.index index HEX)
string(HEX "39 10001 4096" want)
if(NOT index STREQUAL "${want}00")
  message(FATAL_ERROR "index resource ${index}, want ${want}00")
endif()
file(SIZE ${WORK}/a.furl size)
if(NOT size EQUAL 39)
  message(FATAL_ERROR "stream of ${size} bytes, want 39")
endif()
