# Cross build for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64,
# binutils-mingw-w64-x86-64, mingw-w64-x86-64-dev). Programs built here run under wine, in a
# wine prefix of the build tree's own, without a display.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRUCELOG_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

find_program(TRUCELOG_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(TRUCELOG_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine ${TRUCELOG_WINE})
endif()
