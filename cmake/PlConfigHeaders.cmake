# pl_config_generate_headers(DESCRIPTION <file> OUTPUT_DIR <dir>
#                            [TOOL <target-or-path>] [TARGET <name>]
#                            [OUTPUTS_VAR <var>])
#
# Generates wam_arch.h, wam_regs.h, wam_stacks.h and th_public_config.h from
# the architecture description <file> into <dir> at build time.
#
#   DESCRIPTION  the description file (relative: to the current source dir).
#   OUTPUT_DIR   where the headers go (relative: to the current binary dir).
#   TOOL         an executable target, or the path of a pl_config executable;
#                pl_config::pl_config when omitted.
#   TARGET       the custom target that brings the headers up to date
#                (pl_config_headers when omitted); add_dependencies() on it
#                orders an engine's compilation after the generation.
#   OUTPUTS_VAR  receives the full paths of the four headers.
#
# The tool runs whenever the description or the tool itself changes, with its
# installation summary kept in <TARGET>-summary.txt in the current binary dir.
# A header whose text stays the same keeps its time stamp, so an edit that
# leaves the headers alone recompiles nothing; a failed run fails the build
# with the tool's message, FILE:LINE: first where it is about a line of the
# description, and leaves the headers of the last good run in place.

if(CMAKE_VERSION VERSION_LESS 3.21)
  message(FATAL_ERROR "pl_config_generate_headers needs CMake 3.21 or later")
endif()

function(pl_config_generate_headers)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "WERROR" "DESCRIPTION;OUTPUT_DIR;TOOL;TARGET;OUTPUTS_VAR" "")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "pl_config_generate_headers: unexpected arguments: ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  foreach(required DESCRIPTION OUTPUT_DIR)
    if(NOT ARG_${required})
      message(FATAL_ERROR "pl_config_generate_headers: ${required} is required")
    endif()
  endforeach()
  if(NOT ARG_TARGET)
    set(ARG_TARGET pl_config_headers)
  endif()
  if(TARGET ${ARG_TARGET})
    message(FATAL_ERROR "pl_config_generate_headers: target ${ARG_TARGET} already exists; give each call its own TARGET")
  endif()

  get_filename_component(description "${ARG_DESCRIPTION}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(output_dir "${ARG_OUTPUT_DIR}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  _pl_config_resolve_tool(tool_file tool_depends "${ARG_TOOL}")

  set(summary "${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}-summary.txt")
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}.stamp")
  set(script "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/run_pl_config.cmake")
  set(headers "")
  foreach(name wam_arch.h wam_regs.h wam_stacks.h th_public_config.h)
    list(APPEND headers "${output_dir}/${name}")
  endforeach()

  # The stamp, not the headers, is the output: a header is rewritten only
  # when its text changes, and an output left alone would keep the command
  # out of date for ever.  The stamp is touched only once the tool has
  # succeeded.  Ninja restats the byproducts and Makefiles compare the
  # headers' own time stamps, so what includes an unchanged header is not
  # recompiled.
  add_custom_command(
    OUTPUT "${stamp}"
    BYPRODUCTS ${headers} "${summary}"
    COMMAND "${CMAKE_COMMAND}"
            "-DTOOL=${tool_file}"
            "-DDESCRIPTION=${description}"
            "-DOUTPUT_DIR=${output_dir}"
            "-DSUMMARY=${summary}"
            "-DWERROR=${ARG_WERROR}"
            -P "${script}"
    COMMAND "${CMAKE_COMMAND}" -E touch "${stamp}"
    DEPENDS "${description}" ${tool_depends} "${script}"
    COMMENT "Generating pl_config headers in ${output_dir}"
    VERBATIM
  )
  add_custom_target(${ARG_TARGET} DEPENDS "${stamp}")

  if(ARG_OUTPUTS_VAR)
    set(${ARG_OUTPUTS_VAR} "${headers}" PARENT_SCOPE)
  endif()
endfunction()

# The executable to run and what the command must depend on so that a new
# build of the tool runs it again.
function(_pl_config_resolve_tool out_file out_depends tool)
  if(NOT tool)
    set(tool pl_config::pl_config)
    if(NOT TARGET ${tool})
      message(FATAL_ERROR "pl_config_generate_headers: no TOOL given and no ${tool} target; call find_package(pl_config) first")
    endif()
  endif()
  if(TARGET ${tool})
    get_target_property(aliased ${tool} ALIASED_TARGET)
    if(aliased)
      set(tool ${aliased})
    endif()
    get_target_property(type ${tool} TYPE)
    if(NOT type STREQUAL "EXECUTABLE")
      message(FATAL_ERROR "pl_config_generate_headers: TOOL ${tool} is not an executable target")
    endif()
    set(${out_file} "$<TARGET_FILE:${tool}>" PARENT_SCOPE)
    set(${out_depends} ${tool} "$<TARGET_FILE:${tool}>" PARENT_SCOPE)
  else()
    get_filename_component(path "${tool}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    set(${out_file} "${path}" PARENT_SCOPE)
    set(${out_depends} "${path}" PARENT_SCOPE)
  endif()
endfunction()
