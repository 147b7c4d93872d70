# Cross build for 32-bit Windows, as the client is, with mingw-w64 (Debian: g++-mingw-w64-i686,
# binutils-mingw-w64-i686, mingw-w64-i686-dev). The build machines cannot run 32-bit programs, so
# there is no emulator: the test programs are built, and only what runs on the build machine
# (the export table, the compile checks) is tested.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TRUCELOG_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
