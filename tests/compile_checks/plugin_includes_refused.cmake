# The include check itself: run on plugin_include_spellings.txt, it must fail, name every line
# marked "refused" and no other.
#   cmake -DPROJECT=<source root> -P plugin_includes_refused.cmake
cmake_minimum_required(VERSION 3.25)

set(spellings "${CMAKE_CURRENT_LIST_DIR}/plugin_include_spellings.txt")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -DPROJECT=${PROJECT} -DFILES=${spellings}
          -P "${CMAKE_CURRENT_LIST_DIR}/plugin_includes.cmake"
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result EQUAL 0)
  message(FATAL_ERROR "the include check let every spelling through:\n${out}${err}")
endif()
string(REGEX REPLACE "[ \t\r\n]+" " " report "${out}${err}")

file(STRINGS "${spellings}" lines)
set(number 0)
set(problems "")
foreach(line IN LISTS lines)
  math(EXPR number "${number} + 1")
  if(NOT line MATCHES "^[ \t]*#[ \t]*include")
    continue()
  endif()
  string(FIND "${report}" "${spellings}:${number}:" at)
  if(line MATCHES "// refused$" AND at EQUAL -1)
    list(APPEND problems "line ${number} let through: ${line}")
  elseif(NOT line MATCHES "// refused$" AND NOT at EQUAL -1)
    list(APPEND problems "line ${number} refused: ${line}")
  endif()
endforeach()
if(problems)
  list(JOIN problems "\n  " list)
  message(FATAL_ERROR "${list}\nThe check said:\n${out}${err}")
endif()
