# Cross compilation for 64-bit Windows with MinGW-w64 (posix threads).
# Tests run under Wine through the emulator setting below.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TRAZ_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${TRAZ_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRAZ_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TRAZ_MINGW_PREFIX}-windres)

# Our cross-built image libraries live in a prefix inside the build tree
# (made by scripts/setup).
if(NOT TRAZ_DEPS_PREFIX)
  get_filename_component(TRAZ_DEPS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build/deps/mingw64" ABSOLUTE)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${TRAZ_MINGW_PREFIX} ${TRAZ_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
