# Cross build for 32-bit Windows, as the client is, with mingw-w64 (Debian: g++-mingw-w64-i686,
# binutils-mingw-w64-i686, mingw-w64-i686-dev). The build machines cannot run 32-bit programs, so
# there is no emulator: the test programs are built, and only what runs on the build machine
# (the export table, the compile checks) is tested.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(TRUCELOG_MINGW i686-w64-mingw32)
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
