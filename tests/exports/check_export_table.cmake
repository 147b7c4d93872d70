# Reads a Windows module's export table with objdump and checks that it holds exactly the
# thirteen entry points, each under its plain and its decorated name, both at the same address.
#   cmake -DOBJDUMP=<objdump> -DMODULE=<Trucelog.dll> -P check_export_table.cmake
cmake_minimum_required(VERSION 3.25)

set(entry_points
  "OnLoad=?OnLoad@@YAXXZ"
  "OnInitialize=?OnInitialize@@YAXAAVCMapStringToString@@@Z"
  "OnClose=?OnClose@@YAXXZ"
  "OnGamesListModified=?OnGamesListModified@@YAXAAVCMapStringToString@@@Z"
  "OnReportLoaded=?OnReportLoaded@@YAXAAVCMapStringToString@@@Z"
  "OnUserCommand=?OnUserCommand@@YAXAAVCMapStringToString@@@Z"
  "OnAbout=?OnAbout@@YAXAAVCMapStringToString@@@Z"
  "OnTableProcessor=?OnTableProcessor@@YAXAAVCMapStringToString@@AAVCStringArray@@@Z"
  "CreateConfig=?CreateConfig@@YAXAAVCMapStringToString@@@Z"
  "OnOK=?OnOK@@YAXAAVCMapStringToString@@@Z"
  "OnCallFunction=?OnCallFunction@@YAXAAVCMapStringToString@@AAVCStringArray@@@Z"
  "OnActivate=?OnActivate@@YAXAAVCMapStringToString@@@Z"
  "OnPlanetChanged=?OnPlanetChanged@@YAXAAVCMapStringToString@@@Z")

execute_process(COMMAND "${OBJDUMP}" -p "${MODULE}"
  OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${MODULE}")
endif()
string(REPLACE ";" "," dump "${dump}")
string(REGEX REPLACE "\r?\n" ";" lines "${dump}")

# The address table gives each ordinal's address; the name table each name's ordinal.
set(section "")
set(names "")
foreach(line IN LISTS lines)
  if(line MATCHES "^Export Address Table")
    set(section address-table)
  elseif(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
    set(section name-table)
  elseif(line STREQUAL "")
    set(section "")
  elseif(section STREQUAL "address-table" AND line MATCHES "^\t\\[ *([0-9]+)\\] \\+base\\[ *[0-9]+\\] +([0-9a-f]+) ")
    set(address_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
  elseif(section STREQUAL "name-table" AND line MATCHES "^\t\\[ *([0-9]+)\\] (.+)$")
    list(APPEND names "${CMAKE_MATCH_2}")
    set("ordinal_${CMAKE_MATCH_2}" ${CMAKE_MATCH_1})
  endif()
endforeach()

set(expected "")
set(problems "")
foreach(entry IN LISTS entry_points)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 plain)
  list(GET pair 1 decorated)
  list(APPEND expected "${plain}" "${decorated}")
  set(plain_address "${address_${ordinal_${plain}}}")
  set(decorated_address "${address_${ordinal_${decorated}}}")
  if(NOT DEFINED "ordinal_${plain}" OR NOT DEFINED "ordinal_${decorated}")
    continue()
  endif()
  if(NOT plain_address STREQUAL decorated_address)
    list(APPEND problems "${plain} (${plain_address}) and ${decorated} (${decorated_address}) differ")
  endif()
endforeach()

set(missing ${expected})
list(REMOVE_ITEM missing ${names})
set(unexpected ${names})
list(REMOVE_ITEM unexpected ${expected})
foreach(name IN LISTS missing)
  list(APPEND problems "not exported: ${name}")
endforeach()
foreach(name IN LISTS unexpected)
  list(APPEND problems "exported besides the entry points: ${name}")
endforeach()
list(LENGTH names count)
if(NOT count EQUAL 26)
  list(APPEND problems "${count} names exported, 26 expected")
endif()

if(problems)
  list(JOIN problems "\n  " report)
  message(FATAL_ERROR "${MODULE}:\n  ${report}")
endif()
message(STATUS "${MODULE} exports the 26 names of the thirteen entry points")
