# Compiles one source of the stand-in's compile checks, syntax only: as it stands it must compile,
# and with each of its rejected blocks switched on it must not, for that block's own reason.
#   cmake -DCOMPILER=<c++> -DFLAGS=<flag|flag|...> -DSOURCE=<check.cpp> -P check_rejected.cmake
#
# A rejected block is written
#   #ifdef REJECT_<NAME>  // <what the compiler says, as a regular expression>
#   <lines the real framework refuses>
#   #endif
# and counts as rejected only when compiling with -DREJECT_<NAME> fails with a diagnostic that
# matches the expression and names one of the block's lines, so that a broken include or a typo
# elsewhere cannot pass for the rejection.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" flags "${FLAGS}")
list(APPEND flags -fsyntax-only -fdiagnostics-color=never)

function(compile result_var output_var)
  execute_process(COMMAND "${COMPILER}" ${flags} ${ARGN} "${SOURCE}"
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result_var} "${result}" PARENT_SCOPE)
  set(${output_var} "${out}${err}" PARENT_SCOPE)
endfunction()

file(STRINGS "${SOURCE}" lines)
set(blocks "")
set(number 0)
set(open "")
foreach(line IN LISTS lines)
  math(EXPR number "${number} + 1")
  if(line MATCHES "^#ifdef (REJECT_[A-Z0-9_]+) *// *(.+)$")
    set(open "${CMAKE_MATCH_1}")
    list(APPEND blocks "${open}")
    set("expected_${open}" "${CMAKE_MATCH_2}")
    set("lines_${open}" "")
  elseif(open AND line MATCHES "^#endif")
    set(open "")
  elseif(open)
    list(APPEND "lines_${open}" "${number}")
  endif()
endforeach()
if(NOT blocks)
  message(FATAL_ERROR "${SOURCE} has no rejected block")
endif()

compile(result output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${SOURCE} does not compile as it stands:\n${output}")
endif()

string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" source_pattern "${SOURCE}")
set(problems "")
foreach(block IN LISTS blocks)
  compile(result output "-D${block}")
  if(result EQUAL 0)
    list(APPEND problems "${block}: accepted")
    continue()
  endif()
  list(JOIN "lines_${block}" "|" block_lines)
  if(NOT output MATCHES "${expected_${block}}")
    list(APPEND problems "${block}: rejected, but not with \"${expected_${block}}\":\n${output}")
  elseif(NOT output MATCHES "${source_pattern}:(${block_lines}):")
    list(APPEND problems "${block}: rejected, but not at its lines ${block_lines}:\n${output}")
  else()
    message(STATUS "${block}: rejected")
  endif()
endforeach()
if(problems)
  list(JOIN problems "\n" report)
  message(FATAL_ERROR "${SOURCE}:\n${report}")
endif()
