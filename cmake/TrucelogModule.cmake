# The module: every layer of the plug-in and its exported entry points.
get_property(trucelog_sources GLOBAL PROPERTY TRUCELOG_LAYER_SOURCES)
set(trucelog_exports ${PROJECT_SOURCE_DIR}/plugin/exports.cpp)

if(TRUCELOG_REAL_FRAMEWORK)
  # Trucelog.dll for the client, against the real framework: the plug-in's sources, its resource
  # script and its export list, built as a regular DLL on the framework's shared library with
  # the framework's own DLL entry point and module state. The framework links itself in through
  # its headers; nothing of the stand-in is used.
  if(NOT MSVC OR NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    message(FATAL_ERROR "The module for the real client needs the Visual C++ toolchain for "
                        "32-bit Windows (the Visual Studio generator with -A Win32)")
  endif()
  add_library(Trucelog MODULE ${trucelog_sources} ${trucelog_exports}
    ${PROJECT_SOURCE_DIR}/res/Trucelog.rc ${PROJECT_SOURCE_DIR}/res/Trucelog.def)
  add_dependencies(Trucelog trucelog_layer_check)
  target_include_directories(Trucelog PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/res)
  # The framework's shared library, from a DLL of the client's kind; single-byte strings, as the
  # client hands them over; message maps that take `&Class::Handler` only, as the stand-in's do.
  target_compile_definitions(Trucelog PRIVATE
    _AFXDLL _USRDLL _WINDLL _MBCS _ATL_ENABLE_PTM_WARNING)
  target_compile_options(Trucelog PRIVATE /W4)
  set_target_properties(Trucelog PROPERTIES
    PREFIX ""
    MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>DLL")
  return()
endif()

# The plug-in's code as the module carries it, with the framework's part inside each module and
# the resource script; shared by the module and the tests, benchmarks and fuzz targets. One
# archive, so that a handler of a higher layer that a lower one calls through PluginApp is found
# whatever the order.
add_library(trucelog_core STATIC)
target_link_libraries(trucelog_core
  PRIVATE trucelog_common trucelog_store trucelog_plugin trucelog_treaty
  PUBLIC trucelog_views afx afx_module trucelog_resources)

add_library(Trucelog MODULE ${trucelog_exports})
target_link_libraries(Trucelog PRIVATE trucelog_core)
set_target_properties(Trucelog PROPERTIES
  PREFIX ""
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
if(WIN32)
  # Trucelog.dll exports what its export list names, under both names, and nothing else.
  target_sources(Trucelog PRIVATE ${PROJECT_SOURCE_DIR}/res/Trucelog.def)
else()
  set(TRUCELOG_VERSION_SCRIPT ${PROJECT_SOURCE_DIR}/res/Trucelog.version)
  target_link_options(Trucelog PRIVATE
    -Wl,--version-script=${TRUCELOG_VERSION_SCRIPT} -Wl,--no-undefined)
  set_target_properties(Trucelog PROPERTIES LINK_DEPENDS ${TRUCELOG_VERSION_SCRIPT})
endif()
