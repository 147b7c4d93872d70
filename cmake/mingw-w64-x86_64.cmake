# Cross build for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64,
# binutils-mingw-w64-x86-64, mingw-w64-x86-64-dev). Programs built here run under wine, in a
# wine prefix of the build tree's own, without a display.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TRUCELOG_MINGW x86_64-w64-mingw32)
# The POSIX thread model: its standard library has the threads and mutexes GoogleTest needs.
set(CMAKE_C_COMPILER ${TRUCELOG_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRUCELOG_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TRUCELOG_MINGW}-windres)
set(CMAKE_OBJDUMP ${TRUCELOG_MINGW}-objdump CACHE FILEPATH "The target's objdump")

set(CMAKE_FIND_ROOT_PATH /usr/${TRUCELOG_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtimes (C++, threads) go into each module, so that a module needs no DLL but
# the system's and the framework's.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

find_program(TRUCELOG_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(TRUCELOG_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine ${TRUCELOG_WINE})
endif()
