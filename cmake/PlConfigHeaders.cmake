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
#   TARGET       an INTERFACE library (pl_config_headers when omitted) that
#                carries the headers: the output directory as an include
#                directory, -ffixed-REG for each machine register the tool
#                may hand out (its PL_CONFIG_MACHINE_REGS, the registers of
#                CFLAGS_REGS), and the generation, which <TARGET>_generation
#                runs.  target_link_libraries(engine PRIVATE <TARGET>) is
#                all an engine needs; add_dependencies() on it, with the
#                include directory by hand, orders a compilation after the
#                generation alone.
#   OUTPUTS_VAR  receives the full paths of the four headers.
#
# In a cross build the tool runs on the build machine and must have been
# built for the engine's processor (CMAKE_SYSTEM_PROCESSOR): a tool that says
# otherwise (pl_config --build-constants) fails the configure with the cache
# values to build the host tool with.
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
  foreach(target IN ITEMS ${ARG_TARGET} ${ARG_TARGET}_generation)
    if(TARGET ${target})
      message(FATAL_ERROR "pl_config_generate_headers: target ${target} already exists; give each call its own TARGET")
    endif()
  endforeach()

  get_filename_component(description "${ARG_DESCRIPTION}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(output_dir "${ARG_OUTPUT_DIR}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  _pl_config_resolve_tool(tool_file tool_depends tool "${ARG_TOOL}")
  _pl_config_tool_constants(processor machine_regs "${tool}")
  if(CMAKE_CROSSCOMPILING)
    _pl_config_check_processor("${tool}" "${processor}")
  endif()

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
  add_custom_target(${ARG_TARGET}_generation DEPENDS "${stamp}")
  add_library(${ARG_TARGET} INTERFACE)
  target_include_directories(${ARG_TARGET} INTERFACE "${output_dir}")
  list(TRANSFORM machine_regs PREPEND -ffixed-)
  target_compile_options(${ARG_TARGET} INTERFACE ${machine_regs})
  add_dependencies(${ARG_TARGET} ${ARG_TARGET}_generation)

  if(ARG_OUTPUTS_VAR)
    set(${ARG_OUTPUTS_VAR} "${headers}" PARENT_SCOPE)
  endif()
endfunction()

# The executable to run, what the command must depend on so that a new
# build of the tool runs it again, and the tool as a target or a full path.
function(_pl_config_resolve_tool out_file out_depends out_tool tool)
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
    # The tool of a cross build's nested build comes from a target of its own.
    get_target_property(builder ${tool} PL_CONFIG_BUILD_TARGET)
    if(NOT builder)
      set(builder "")
    endif()
    set(${out_file} "$<TARGET_FILE:${tool}>" PARENT_SCOPE)
    set(${out_depends} ${tool} ${builder} "$<TARGET_FILE:${tool}>" PARENT_SCOPE)
    set(${out_tool} ${tool} PARENT_SCOPE)
  else()
    get_filename_component(path "${tool}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    set(${out_file} "${path}" PARENT_SCOPE)
    set(${out_depends} "${path}" PARENT_SCOPE)
    set(${out_tool} "${path}" PARENT_SCOPE)
  endif()
endfunction()

# The processor and the machine registers the tool was built with: a
# target's properties where this build makes the tool (pl_config_add_tool(),
# the nested build of a cross build), else what the tool says when run.
# Both are empty for a tool that cannot say, or is not built yet.
function(_pl_config_tool_constants out_processor out_regs tool)
  set(${out_processor} "" PARENT_SCOPE)
  set(${out_regs} "" PARENT_SCOPE)
  set(path "${tool}")
  if(TARGET ${tool})
    get_property(known TARGET ${tool} PROPERTY PL_CONFIG_PROCESSOR SET)
    get_target_property(imported ${tool} IMPORTED)
    if(known)
      get_target_property(processor ${tool} PL_CONFIG_PROCESSOR)
      get_target_property(regs ${tool} PL_CONFIG_MACHINE_REGS)
      set(${out_processor} "${processor}" PARENT_SCOPE)
      set(${out_regs} "${regs}" PARENT_SCOPE)
      return()
    elseif(NOT imported)
      return()
    endif()
    get_target_property(path ${tool} LOCATION)
  endif()
  if(NOT EXISTS "${path}")
    return()
  endif()
  execute_process(COMMAND "${path}" --build-constants RESULT_VARIABLE status OUTPUT_VARIABLE constants ERROR_QUIET)
  if(NOT status EQUAL 0)
    return()
  endif()
  if(constants MATCHES "(^|\n)PL_CONFIG_PROCESSOR=([^\n]*)")
    set(${out_processor} "${CMAKE_MATCH_2}" PARENT_SCOPE)
  endif()
  if(constants MATCHES "(^|\n)PL_CONFIG_MACHINE_REGS=([^\n]*)")
    set(${out_regs} "${CMAKE_MATCH_2}" PARENT_SCOPE)
  endif()
endfunction()

# A cross build's headers come from a tool built for the engine's processor.
function(_pl_config_check_processor tool processor)
  if(processor STREQUAL CMAKE_SYSTEM_PROCESSOR)
    return()
  endif()
  set(regs "<the machine registers of ${CMAKE_SYSTEM_PROCESSOR}>")
  if(PL_CONFIG_MACHINE_REGS)
    set(regs "${PL_CONFIG_MACHINE_REGS}")
  endif()
  if(processor STREQUAL "")
    set(said "cannot say which processor it was built for (pl_config --build-constants)")
  else()
    set(said "was built for the processor ${processor}")
  endif()
  message(FATAL_ERROR "pl_config_generate_headers: the tool ${tool} ${said}, but this build is for "
                      "${CMAKE_SYSTEM_PROCESSOR}: build the host tool with "
                      "-DPL_CONFIG_PROCESSOR=${CMAKE_SYSTEM_PROCESSOR} \"-DPL_CONFIG_MACHINE_REGS=${regs}\"")
endfunction()
