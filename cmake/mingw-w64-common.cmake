# What the mingw-w64 cross builds share; the toolchain file that includes this sets
# CMAKE_SYSTEM_PROCESSOR and TRUCELOG_MINGW, the tools' prefix.
set(CMAKE_SYSTEM_NAME Windows)

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
