# A check of the sources run on a file of spellings must fail, name every line marked "refused"
# and no other.
#   cmake -DPROJECT=<source root> -DCHECK=<check script> -DSPELLINGS=<file> [-DAS=<folder>]
#         -P check_refuses.cmake
# AS is passed on to the check: the folder the spellings are checked as a source of.
cmake_minimum_required(VERSION 3.25)

set(spellings "${SPELLINGS}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -DPROJECT=${PROJECT} -DFILES=${spellings} -DAS=${AS} -P "${CHECK}"
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result EQUAL 0)
  message(FATAL_ERROR "the check let every spelling through:\n${out}${err}")
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
