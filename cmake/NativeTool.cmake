# The tool of an engine's cross build.  pl_config runs while the engine is
# built, so it must be built for the build machine, not with the engine's
# toolchain: a nested build of this source tree without the toolchain file
# (<binary dir>/native), configured here once and built by a custom command
# whenever the tool's sources change.  CROSS_TOOLCHAIN_FLAGS_NATIVE holds the
# nested configure's own options (-DCMAKE_CXX_COMPILER=..., a toolchain file
# of the build machine).
#
# The nested tool gets the engine's constants: this build's cache
# (cmake/BuildConstants.cmake), whose defaults here come from the toolchain
# (the processor, the operating system), the C compiler's file name from
# CMAKE_C_COMPILER, and every PL_CONFIG_* value that the engine sets.  It
# stands as the imported executable pl_config::pl_config.

set(CROSS_TOOLCHAIN_FLAGS_NATIVE "" CACHE STRING
    "Options of the configure of pl_config's nested build for the build machine")

if(NOT DEFINED PL_CONFIG_CC AND CMAKE_C_COMPILER)
  get_filename_component(_pl_config_cc "${CMAKE_C_COMPILER}" NAME)
  set(PL_CONFIG_CC "${_pl_config_cc}" CACHE STRING "C compiler of the engine build")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/BuildConstants.cmake")

function(_pl_config_configure_native dir)
  # An initial cache forced on each configure: a list survives, and a value
  # the engine changes reaches the nested build.
  set(constants "")
  foreach(name IN LISTS PL_CONFIG_TEXT_CONSTANTS ITEMS MACHINE_REGS)
    string(APPEND constants "set(PL_CONFIG_${name} [==[${PL_CONFIG_${name}}]==] CACHE STRING \"\" FORCE)\n")
  endforeach()
  foreach(name IN LISTS PL_CONFIG_SWITCH_CONSTANTS)
    string(APPEND constants "set(PL_CONFIG_${name} [==[${PL_CONFIG_${name}}]==] CACHE BOOL \"\" FORCE)\n")
  endforeach()
  set(make_program "")
  if(CMAKE_MAKE_PROGRAM)
    set(make_program "-DCMAKE_MAKE_PROGRAM=${CMAKE_MAKE_PROGRAM}")
  endif()
  # Neither the tests nor the language server: the engine's build needs the
  # tool alone.
  set(command "${CMAKE_COMMAND}" -E env --unset=CMAKE_TOOLCHAIN_FILE
      "${CMAKE_COMMAND}" -S "${PROJECT_SOURCE_DIR}" -B "${dir}" -G "${CMAKE_GENERATOR}" ${make_program}
      -C "${dir}-constants.cmake" -DCMAKE_BUILD_TYPE=Release -DPL_CONFIG_BUILD_TESTS=OFF
      -DCMAKE_DISABLE_FIND_PACKAGE_nlohmann_json=ON ${CROSS_TOOLCHAIN_FLAGS_NATIVE})
  string(APPEND constants "# ${command}\n")

  # Configured once, and again only when what it is given changes.
  set(previous "")
  if(EXISTS "${dir}-constants.cmake")
    file(READ "${dir}-constants.cmake" previous)
  endif()
  if(EXISTS "${dir}/CMakeCache.txt" AND previous STREQUAL constants)
    return()
  endif()
  file(WRITE "${dir}-constants.cmake" "${constants}")
  message(STATUS "Configuring pl_config for the build machine in ${dir}")
  execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
  if(NOT status EQUAL 0)
    file(REMOVE "${dir}-constants.cmake")
    message(FATAL_ERROR "pl_config: the build for the build machine in ${dir} failed to configure "
                        "(set CROSS_TOOLCHAIN_FLAGS_NATIVE for its compiler):\n${log}")
  endif()
endfunction()

set(_pl_config_native_dir "${PROJECT_BINARY_DIR}/native")
_pl_config_configure_native("${_pl_config_native_dir}")

set(_pl_config_native_tool "${_pl_config_native_dir}/pl_config${CMAKE_HOST_EXECUTABLE_SUFFIX}")
file(GLOB_RECURSE _pl_config_tool_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/*" "${PROJECT_SOURCE_DIR}/cmake/*")
list(APPEND _pl_config_tool_sources "${PROJECT_SOURCE_DIR}/CMakeLists.txt")
# The stamp, not the tool, is the output: a build that finds nothing to do
# leaves the tool's time stamp alone.
add_custom_command(
  OUTPUT "${_pl_config_native_dir}.stamp"
  BYPRODUCTS "${_pl_config_native_tool}"
  COMMAND "${CMAKE_COMMAND}" --build "${_pl_config_native_dir}" --target pl_config --config Release
  COMMAND "${CMAKE_COMMAND}" -E touch "${_pl_config_native_dir}.stamp"
  DEPENDS ${_pl_config_tool_sources}
  COMMENT "Building pl_config for the build machine"
  USES_TERMINAL
  VERBATIM
)
add_custom_target(pl_config_native DEPENDS "${_pl_config_native_dir}.stamp")

add_executable(pl_config::pl_config IMPORTED GLOBAL)
set_target_properties(pl_config::pl_config PROPERTIES
  IMPORTED_LOCATION "${_pl_config_native_tool}"
  PL_CONFIG_PROCESSOR "${PL_CONFIG_PROCESSOR}"
  PL_CONFIG_BUILD_TARGET pl_config_native
)
set_property(TARGET pl_config::pl_config PROPERTY PL_CONFIG_MACHINE_REGS ${PL_CONFIG_MACHINE_REGS})
