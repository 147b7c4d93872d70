# The plug-in's sources include the framework by the real framework's header names only: a
# stand-in header (afx_*.h, the simulated user, the inspection calls, the file faults) would
# build here and nowhere else. Quoted includes name the project's own files.
#   cmake -DPROJECT=<source root> -P plugin_includes.cmake
cmake_minimum_required(VERSION 3.25)

set(framework_headers afx.h afxcoll.h afxwin.h afxext.h afxcmn.h)
file(GLOB_RECURSE sources RELATIVE "${PROJECT}"
  "${PROJECT}/plugin/*.h" "${PROJECT}/plugin/*.cpp" "${PROJECT}/store/*.h" "${PROJECT}/store/*.cpp"
  "${PROJECT}/treaty/*.h" "${PROJECT}/treaty/*.cpp" "${PROJECT}/views/*.h" "${PROJECT}/views/*.cpp"
  "${PROJECT}/res/*.h")
if(NOT sources)
  message(FATAL_ERROR "no plug-in sources under ${PROJECT}")
endif()

set(problems "")
foreach(source IN LISTS sources)
  file(STRINGS "${PROJECT}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      if(NOT EXISTS "${PROJECT}/${CMAKE_MATCH_1}")
        list(APPEND problems "${source}: \"${CMAKE_MATCH_1}\" is not a file of the project")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<(afx[^>]*)>")
      if(NOT CMAKE_MATCH_1 IN_LIST framework_headers)
        list(APPEND problems "${source}: <${CMAKE_MATCH_1}> is no header of the real framework")
      endif()
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " report)
  message(FATAL_ERROR "The plug-in includes what the real framework lacks:\n  ${report}")
endif()
list(LENGTH sources count)
message(STATUS "${count} plug-in sources include the framework by its real header names only")
