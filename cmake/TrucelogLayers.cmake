# Each folder of the plug-in's sources is a layer: an object library that sees the framework and
# the layers below it, and nothing above; check_layers.cmake fails the build when a source
# includes a header of a higher layer. Against the real framework the layers' sources go into
# the one module instead.
add_custom_target(trucelog_layer_check
  COMMAND ${CMAKE_COMMAND} -DPROJECT=${PROJECT_SOURCE_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
  COMMENT "Checking that each layer of the plug-in includes only the layers below it")

# trucelog_layer(<name> SOURCES <file>... [BELOW <target>...]): the layer trucelog_<name>, made
# of SOURCES (relative to the folder's CMakeLists.txt, or absolute), on the targets BELOW.
function(trucelog_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 layer "" "" "SOURCES;BELOW")
  list(TRANSFORM layer_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ REGEX "^[^/]")
  set_property(GLOBAL APPEND PROPERTY TRUCELOG_LAYER_SOURCES ${layer_SOURCES})
  if(TRUCELOG_REAL_FRAMEWORK)
    return()
  endif()
  add_library(trucelog_${name} OBJECT ${layer_SOURCES})
  target_link_libraries(trucelog_${name} PUBLIC ${layer_BELOW})
  # The module exports its entry points and nothing else.
  set_target_properties(trucelog_${name} PROPERTIES
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  add_dependencies(trucelog_${name} trucelog_layer_check)
endfunction()
