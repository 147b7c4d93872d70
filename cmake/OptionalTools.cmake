# The tools a build uses where they are installed and does without where they are not: GNU
# readline (the prompt's line editing), xmllint and rsvg-convert (the pictures' checks), the
# resource compiler with the Windows headers (the compiled-resources tests), Google Benchmark
# (the benchmarks). Every search for one goes through here, so that TRUCELOG_OPTIONAL_TOOLS=OFF
# makes each of them "absent" whatever the machine has: the tests that need one report
# themselves skipped, and nothing else changes. The cross tools, wine, clang's fuzzer runtime
# and valgrind are used only by the presets and tools made for them (windows, fuzz,
# tools/memcheck), never by the tests of a native build.
option(TRUCELOG_OPTIONAL_TOOLS "Look for the optional tools; OFF builds as if none were installed" ON)

if(NOT TRUCELOG_OPTIONAL_TOOLS)
  message(STATUS "Optional tools: none looked for (TRUCELOG_OPTIONAL_TOOLS=OFF)")
  set(CMAKE_DISABLE_FIND_PACKAGE_benchmark TRUE)
endif()

# trucelog_find_optional(program|path|library VAR ARGS...): find_program, find_path or
# find_library with ARGS, or VAR set to VAR-NOTFOUND when optional tools are not looked for.
macro(trucelog_find_optional kind var)
  if(NOT TRUCELOG_OPTIONAL_TOOLS)
    set(${var} ${var}-NOTFOUND)
  elseif("${kind}" STREQUAL "program")
    find_program(${var} ${ARGN})
  elseif("${kind}" STREQUAL "path")
    find_path(${var} ${ARGN})
  elseif("${kind}" STREQUAL "library")
    find_library(${var} ${ARGN})
  else()
    message(FATAL_ERROR "trucelog_find_optional: no find_${kind}")
  endif()
endmacro()
