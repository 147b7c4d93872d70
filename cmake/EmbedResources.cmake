# Compiles a resource script into a module as data, so that the framework reads the very text
# the resource compiler reads. The generated source defines one array of char holding the script
# with its own `#include "<header>"` line replaced by the header's text, byte for byte.
#
#   trucelog_embed_resource_script(<generated.cpp> SCRIPT <x.rc> HEADER <resource.h> SYMBOL <name>)
#
# The source is written at build time, again whenever the script or the header changes. This
# file is also the script that writes it (run with cmake -P).

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED EMBED_OUTPUT)
  file(READ "${EMBED_SCRIPT}" script)
  file(READ "${EMBED_HEADER}" header)
  get_filename_component(script_name "${EMBED_SCRIPT}" NAME)
  get_filename_component(header_name "${EMBED_HEADER}" NAME)
  string(REGEX REPLACE "\n$" "" header "${header}")
  set(include_line "#include \"${header_name}\"")
  string(FIND "${script}" "${include_line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${EMBED_SCRIPT} does not include ${header_name}")
  endif()
  string(REPLACE "${include_line}" "${header}" script "${script}")

  # A raw string keeps every byte as it is; its delimiter must not occur in the text.
  set(delimiter "rc")
  string(FIND "${script}" ")${delimiter}\"" at)
  while(NOT at EQUAL -1)
    string(APPEND delimiter "_")
    string(LENGTH "${delimiter}" length)
    if(length GREATER 16)
      message(FATAL_ERROR "no raw-string delimiter fits ${EMBED_SCRIPT}")
    endif()
    string(FIND "${script}" ")${delimiter}\"" at)
  endwhile()

  file(WRITE "${EMBED_OUTPUT}"
    "// Generated from ${script_name} and ${header_name}; do not edit.\n"
    "extern const char ${EMBED_SYMBOL}[] = R\"${delimiter}(${script})${delimiter}\";\n")
  return()
endif()

set(TRUCELOG_EMBED_RESOURCES_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

function(trucelog_embed_resource_script output)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "SCRIPT;HEADER;SYMBOL" "")
  if(NOT arg_SCRIPT OR NOT arg_HEADER OR NOT arg_SYMBOL)
    message(FATAL_ERROR "trucelog_embed_resource_script needs SCRIPT, HEADER and SYMBOL")
  endif()
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}"
      "-DEMBED_SCRIPT=${arg_SCRIPT}"
      "-DEMBED_HEADER=${arg_HEADER}"
      "-DEMBED_SYMBOL=${arg_SYMBOL}"
      "-DEMBED_OUTPUT=${output}"
      -P "${TRUCELOG_EMBED_RESOURCES_SCRIPT}"
    DEPENDS "${arg_SCRIPT}" "${arg_HEADER}" "${TRUCELOG_EMBED_RESOURCES_SCRIPT}"
    COMMENT "Embedding resource script ${arg_SCRIPT}"
    VERBATIM)
endfunction()
