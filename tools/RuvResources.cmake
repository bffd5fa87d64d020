# Compiled resources for a target: ruv_add_resources() runs the resource
# compiler (ruvrc) over a target's description files at build time, gives the
# target the generated id header and, in the Windows build, links the stream
# into it as raw-data resources (index 10000 and its chunks).
#
#   ruv_add_resources(<target> SOURCES <file.ruv>... [HEADER <name.h>]
#                     [CHUNK_SIZE <n>] [FIRST_CHUNK <n>])
#
# The compiler is a host tool.  Native builds build it from tools/rescomp as
# an ordinary target.  The Windows cross build builds it once with the host
# compiler through ExternalProject (under <build>/host-tools), so a fresh
# clone needs one configure and one build of the Windows tree; a ready host
# build can be named instead with -DRUVRC_EXECUTABLE=/path/to/ruvrc.
# Any area may include this file (the first include sets the tool up; its
# settings are cached so every directory sees them).
include_guard(GLOBAL)

set(RUV_RESOURCES_TOOLS_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "")
set(RUVRC_EXECUTABLE "" CACHE FILEPATH "Host build of the resource compiler; empty: built by this tree")

if(RUVRC_EXECUTABLE)
  set(RUVRC_COMMAND ${RUVRC_EXECUTABLE} CACHE INTERNAL "")
  set(RUVRC_DEPENDS ${RUVRC_EXECUTABLE} CACHE INTERNAL "")
elseif(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  find_program(RUVRC_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(_ruvrc_host ${CMAKE_BINARY_DIR}/host-tools)
  set(_ruvrc_bin ${_ruvrc_host}/bin/ruvrc${CMAKE_HOST_EXECUTABLE_SUFFIX})
  ExternalProject_Add(ruvrc_host_build
    SOURCE_DIR ${RUV_RESOURCES_TOOLS_DIR}/rescomp
    BINARY_DIR ${_ruvrc_host}/build
    INSTALL_DIR ${_ruvrc_host}
    CMAKE_ARGS -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR> -DCMAKE_BUILD_TYPE=Release
               -DCMAKE_CXX_COMPILER=${RUVRC_HOST_CXX}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${_ruvrc_bin})
  set(RUVRC_COMMAND ${_ruvrc_bin} CACHE INTERNAL "")
  set(RUVRC_DEPENDS ruvrc_host_build ${_ruvrc_bin} CACHE INTERNAL "")
else()
  if(NOT TARGET ruvrc)
    add_subdirectory(${RUV_RESOURCES_TOOLS_DIR}/rescomp ${CMAKE_BINARY_DIR}/tools/rescomp)
  endif()
  set(RUVRC_COMMAND $<TARGET_FILE:ruvrc> CACHE INTERNAL "")
  set(RUVRC_DEPENDS ruvrc CACHE INTERNAL "")
endif()

if(WIN32)
  if(CMAKE_RC_COMPILER)
    set(RUV_WINDRES ${CMAKE_RC_COMPILER} CACHE INTERNAL "")
  else()
    find_program(RUV_WINDRES NAMES x86_64-w64-mingw32-windres windres REQUIRED)
  endif()
endif()

function(ruv_add_resources target)
  cmake_parse_arguments(R "" "HEADER;CHUNK_SIZE;FIRST_CHUNK" "SOURCES" ${ARGN})
  if(NOT R_SOURCES)
    message(FATAL_ERROR "ruv_add_resources(${target}): no SOURCES")
  endif()
  if(NOT R_HEADER)
    set(R_HEADER ${target}_res.h)
  endif()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_res)
  set(hdr ${out}/include/${R_HEADER})
  set(rc ${out}/${target}.rc)
  set(stream ${out}/${target}.furl)
  set(stamp ${out}/${target}.stamp)
  set(layout "")
  if(R_CHUNK_SIZE)
    list(APPEND layout --chunk-size ${R_CHUNK_SIZE})
  endif()
  if(R_FIRST_CHUNK)
    list(APPEND layout --first-chunk ${R_FIRST_CHUNK})
  endif()
  set(sources "")
  foreach(s ${R_SOURCES})
    get_filename_component(a ${s} ABSOLUTE)
    list(APPEND sources ${a})
  endforeach()
  set(depfile_args "")
  if(CMAKE_GENERATOR MATCHES "Ninja|Makefiles")
    set(depfile_args DEPFILE ${out}/${target}.d)
  endif()
  add_custom_command(OUTPUT ${stamp}
    BYPRODUCTS ${hdr} ${rc} ${stream}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}/include
    COMMAND ${RUVRC_COMMAND} --header ${hdr} --rc ${rc} --stream ${stream} --depfile ${out}/${target}.d
            --depfile-target ${stamp} ${layout} ${sources}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources} ${RUVRC_DEPENDS}
    ${depfile_args}
    COMMENT "Compiling the resources of ${target}"
    VERBATIM)
  add_custom_target(${target}_resources DEPENDS ${stamp})
  add_dependencies(${target} ${target}_resources)
  target_include_directories(${target} PRIVATE ${out}/include)
  if(WIN32)
    set(obj ${out}/${target}_res.o)
    add_custom_command(OUTPUT ${obj}
      COMMAND ${RUV_WINDRES} --input-format=rc --output-format=coff -i ${rc} -o ${obj}
      DEPENDS ${stamp}
      COMMENT "Linking the resources of ${target}"
      VERBATIM)
    set_source_files_properties(${obj} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
    target_sources(${target} PRIVATE ${obj})
  else()
    # No native resources: the stream file serves the stand-in's tests.
    target_compile_definitions(${target} PRIVATE RUV_RESOURCE_STREAM_FILE="${stream}")
  endif()
endfunction()
