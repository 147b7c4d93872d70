# The plug-in's sources include the framework by the real framework's header names only: a
# stand-in header (afx_*.h, the simulated user, the inspection calls, the file faults) would
# build here and nowhere else, whichever way its path is spelt. Quoted includes name the
# project's own files outside framework/; an include through a macro is refused, as its file
# cannot be told here.
#   cmake -DPROJECT=<source root> [-DFILES=<file;...>] -P plugin_includes.cmake
# FILES, absolute paths, replaces the plug-in's sources (the check's own test uses it).
cmake_minimum_required(VERSION 3.25)

set(framework_headers afx.h afxcoll.h afxwin.h afxext.h afxcmn.h)
file(REAL_PATH "${PROJECT}" project)
set(framework "${project}/framework")
if(FILES)
  set(sources ${FILES})
else()
  file(GLOB_RECURSE sources
    "${project}/common/*.h" "${project}/common/*.cpp"
    "${project}/plugin/*.h" "${project}/plugin/*.cpp" "${project}/store/*.h" "${project}/store/*.cpp"
    "${project}/treaty/*.h" "${project}/treaty/*.cpp" "${project}/views/*.h" "${project}/views/*.cpp"
    "${project}/res/*.h")
endif()
if(NOT sources)
  message(FATAL_ERROR "no plug-in sources under ${project}")
endif()

# Sets `result` to the first framework file that `name` reaches from the directories where
# the compiler looks for it, or to nothing.
function(framework_file_of name result)
  set(${result} "" PARENT_SCOPE)
  foreach(directory IN LISTS ARGN)
    set(candidate "${directory}/${name}")
    if(EXISTS "${candidate}" AND NOT IS_DIRECTORY "${candidate}")
      file(REAL_PATH "${candidate}" resolved)
      cmake_path(IS_PREFIX framework "${resolved}" NORMALIZE inside)
      if(inside)
        set(${result} "${resolved}" PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
endfunction()

set(problems "")
foreach(source IN LISTS sources)
  get_filename_component(directory "${source}" DIRECTORY)
  file(STRINGS "${source}" lines)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT line MATCHES "^[ \t]*#[ \t]*include(.*)$")
      continue()
    endif()
    string(STRIP "${CMAKE_MATCH_1}" spelt)
    set(where "${source}:${number}")
    if(spelt MATCHES "^\"([^\"]+)\"")
      set(name "${CMAKE_MATCH_1}")
      framework_file_of("${name}" reached "${directory}" "${project}" "${framework}")
      if(reached)
        list(APPEND problems "${where}: \"${name}\" is the stand-in's ${reached}")
      elseif(NOT EXISTS "${directory}/${name}" AND NOT EXISTS "${project}/${name}")
        list(APPEND problems "${where}: \"${name}\" is not a file of the project")
      endif()
    elseif(spelt MATCHES "^<([^>]+)>")
      set(name "${CMAKE_MATCH_1}")
      if(name IN_LIST framework_headers)
        continue()
      endif()
      framework_file_of("${name}" reached "${framework}" "${project}")
      if(reached OR name MATCHES "(^|/)afx")
        list(APPEND problems "${where}: <${name}> is no header of the real framework")
      endif()
    else()
      list(APPEND problems "${where}: an include through a macro")
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " report)
  message(FATAL_ERROR "The plug-in includes what the real framework lacks:\n  ${report}")
endif()
list(LENGTH sources count)
message(STATUS "${count} plug-in sources include the framework by its real header names only")
