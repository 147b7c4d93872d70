# The plug-in's folders are layers, each using only those below it: common/ and res/, then
# store/ (with the condition dictionary, which the store holds, though its file sits with the
# treaty commands), plugin/, treaty/, views/. A source including a project header of a higher
# layer fails the check, and so the build.
#   cmake -DPROJECT=<source root> [-DFILES=<file;...> -DAS=<folder>] -P check_layers.cmake
# FILES, absolute paths, are checked as sources of the folder AS instead of the plug-in's own
# (the check's own test uses it).
cmake_minimum_required(VERSION 3.25)

set(layers common res store plugin treaty views)
set(rank_common 0)
set(rank_res 0)
set(rank_store 1)
set(rank_plugin 2)
set(rank_treaty 3)
set(rank_views 4)

# Sets `result` to the layer rank of the project file `path` (relative to the project), or to
# nothing when it lies outside the layers.
function(rank_of path result)
  set(${result} "" PARENT_SCOPE)
  if(path MATCHES "^treaty/condition_dictionary\\.(h|cpp)$")
    set(${result} ${rank_store} PARENT_SCOPE)
  elseif(path MATCHES "^([a-z_]+)/")
    set(folder "${CMAKE_MATCH_1}")
    if(folder IN_LIST layers)
      set(${result} ${rank_${folder}} PARENT_SCOPE)
    endif()
  endif()
endfunction()

file(REAL_PATH "${PROJECT}" project)
set(sources "")
if(FILES)
  foreach(file IN LISTS FILES)
    get_filename_component(name "${file}" NAME)
    list(APPEND sources "${file}|${AS}/${name}")
  endforeach()
else()
  foreach(folder IN LISTS layers)
    file(GLOB found RELATIVE "${project}" "${project}/${folder}/*.h" "${project}/${folder}/*.cpp")
    foreach(file IN LISTS found)
      list(APPEND sources "${project}/${file}|${file}")
    endforeach()
  endforeach()
endif()

set(problems "")
foreach(entry IN LISTS sources)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 file)
  list(GET entry 1 as)
  rank_of("${as}" own)
  get_filename_component(folder "${as}" DIRECTORY)
  file(STRINGS "${file}" lines)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
      continue()
    endif()
    # A path is the project's from its root, or from the including file's folder.
    cmake_path(SET included NORMALIZE "${CMAKE_MATCH_1}")
    if(NOT EXISTS "${project}/${included}")
      cmake_path(SET included NORMALIZE "${folder}/${CMAKE_MATCH_1}")
    endif()
    rank_of("${included}" theirs)
    if(NOT theirs STREQUAL "" AND theirs GREATER own)
      list(APPEND problems "${file}:${number}: ${as} includes \"${included}\" of a higher layer")
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " report)
  message(FATAL_ERROR "A layer of the plug-in includes one above it:\n  ${report}")
endif()
