# The build constants of pl_config: what the installation summary prints, the
# version macros, and the machine registers the engine may reserve.  Each is a
# cache variable, so a build for another platform sets its own values.

# The configuration the test suite pins for its own builds of the tool,
# whatever a build's cache says and whatever system the tool is built for;
# most are also the cache's defaults.
set(PL_CONFIG_DEFAULT_VERSION "${PROJECT_VERSION}")
set(PL_CONFIG_DEFAULT_RELEASE_DATE "Dec 8 2026")
set(PL_CONFIG_DEFAULT_COPYRIGHT "Copyright (C) 2026 The Tarnhollow authors")
set(PL_CONFIG_DEFAULT_OS "linux-gnu")
set(PL_CONFIG_DEFAULT_PROCESSOR "aarch64")
set(PL_CONFIG_DEFAULT_CC "gcc")
set(PL_CONFIG_DEFAULT_CFLAGS "-O3 -fomit-frame-pointer -Wno-char-subscripts")
set(PL_CONFIG_DEFAULT_CFLAGS_MACHINE " -fno-strict-aliasing -fcommon")
set(PL_CONFIG_DEFAULT_ASM "as")
set(PL_CONFIG_DEFAULT_ASFLAGS "")
set(PL_CONFIG_DEFAULT_LDFLAGS "-static -s")
set(PL_CONFIG_DEFAULT_LDLIBS "-lm")
foreach(switch USE_LINE_EDITOR USE_PIPED_CONSULT USE_SOCKETS USE_FD_SOLVER)
  set(PL_CONFIG_DEFAULT_${switch} ON)
endforeach()

# The constants' names, after the prefix PL_CONFIG_: the texts, the switches
# and the machine registers.  --build-constants prints them in this order.
set(PL_CONFIG_TEXT_CONSTANTS VERSION RELEASE_DATE COPYRIGHT OS PROCESSOR CC CFLAGS CFLAGS_MACHINE
                             ASM ASFLAGS LDFLAGS LDLIBS)
set(PL_CONFIG_SWITCH_CONSTANTS USE_LINE_EDITOR USE_PIPED_CONSULT USE_SOCKETS USE_FD_SOLVER)

set(PL_CONFIG_VERSION "${PL_CONFIG_DEFAULT_VERSION}" CACHE STRING "Version string: major.minor.patchlevel")
set(PL_CONFIG_RELEASE_DATE "${PL_CONFIG_DEFAULT_RELEASE_DATE}" CACHE STRING "Release date: month abbreviation, day, year")
set(PL_CONFIG_COPYRIGHT "${PL_CONFIG_DEFAULT_COPYRIGHT}" CACHE STRING "Copyright notice")
# The cache's operating system is the one the tool is built for, named as in
# a GNU target triplet (x86_64-w64-mingw32, aarch64-unknown-linux-gnu).
if(MINGW)
  set(_pl_config_os "mingw32")
elseif(WIN32)
  set(_pl_config_os "windows")
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(_pl_config_os "linux-gnu")
else()
  string(TOLOWER "${CMAKE_SYSTEM_NAME}" _pl_config_os)
endif()

set(PL_CONFIG_OS "${_pl_config_os}" CACHE STRING "Operating system of the engine build")
# The engine runs where the tool runs unless a cross build says otherwise.
set(PL_CONFIG_PROCESSOR "${CMAKE_SYSTEM_PROCESSOR}" CACHE STRING
    "Processor of the engine build (default: the processor the tool is built for)")
set(PL_CONFIG_CC "${PL_CONFIG_DEFAULT_CC}" CACHE STRING "C compiler of the engine build")
set(PL_CONFIG_CFLAGS "${PL_CONFIG_DEFAULT_CFLAGS}" CACHE STRING "C flags of the engine build")
set(PL_CONFIG_CFLAGS_MACHINE "${PL_CONFIG_DEFAULT_CFLAGS_MACHINE}" CACHE STRING "Machine-specific C flags (note the leading blank)")
set(PL_CONFIG_ASM "${PL_CONFIG_DEFAULT_ASM}" CACHE STRING "Assembler of the engine build")
set(PL_CONFIG_ASFLAGS "${PL_CONFIG_DEFAULT_ASFLAGS}" CACHE STRING "Assembler flags of the engine build")
set(PL_CONFIG_LDFLAGS "${PL_CONFIG_DEFAULT_LDFLAGS}" CACHE STRING "Loader flags of the engine build")
set(PL_CONFIG_LDLIBS "${PL_CONFIG_DEFAULT_LDLIBS}" CACHE STRING "Loader libraries of the engine build")
option(PL_CONFIG_USE_LINE_EDITOR "The engine uses the line editor" ON)
option(PL_CONFIG_USE_PIPED_CONSULT "The engine uses piped consult" ON)
option(PL_CONFIG_USE_SOCKETS "The engine uses sockets" ON)
option(PL_CONFIG_USE_FD_SOLVER "The engine uses the finite-domain solver" ON)
set(PL_CONFIG_MACHINE_REGS "" CACHE STRING
    "Machine registers the engine may reserve, in hand-out order (a CMake list)")

set(_pl_config_template "${CMAKE_CURRENT_LIST_DIR}/build_constants.h.in")

# Quotes a CMake string as a C string literal.
function(_pl_config_c_string out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  set(${out} "\"${value}\"" PARENT_SCOPE)
endfunction()

function(_pl_config_yes_no out value)
  if(value)
    set(${out} "\"Yes\"" PARENT_SCOPE)
  else()
    set(${out} "\"No\"" PARENT_SCOPE)
  endif()
endfunction()

# pl_config_add_tool(<target> PREFIX <prefix> [MACHINE_REGS <list>])
# Builds the tool from the core library with its own generated constants
# header, taking each constant from the variable <prefix><NAME> (VERSION,
# RELEASE_DATE, ..., USE_FD_SOLVER) and the machine register list from
# MACHINE_REGS.
function(pl_config_add_tool target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "PREFIX" "MACHINE_REGS")
  set(strings ${PL_CONFIG_TEXT_CONSTANTS})
  set(switches ${PL_CONFIG_SWITCH_CONSTANTS})

  set(version "${${ARG_PREFIX}VERSION}")
  if(NOT version MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "${target}: version '${version}' is not of the form major.minor.patchlevel")
  endif()
  foreach(reg IN LISTS ARG_MACHINE_REGS)
    if(NOT reg MATCHES "^[A-Za-z0-9_]+$")
      message(FATAL_ERROR "${target}: machine register name '${reg}' is not a plain register name")
    endif()
  endforeach()

  foreach(name IN LISTS strings)
    _pl_config_c_string(PL_CONFIG_C_${name} "${${ARG_PREFIX}${name}}")
  endforeach()
  foreach(name IN LISTS switches)
    _pl_config_yes_no(PL_CONFIG_C_${name} "${${ARG_PREFIX}${name}}")
  endforeach()
  set(PL_CONFIG_C_MACHINE_REGS "")
  foreach(reg IN LISTS ARG_MACHINE_REGS)
    string(APPEND PL_CONFIG_C_MACHINE_REGS "\"${reg}\", ")
  endforeach()

  set(dir "${CMAKE_CURRENT_BINARY_DIR}/${target}_constants")
  configure_file("${_pl_config_template}" "${dir}/build_constants.h" @ONLY)
  add_executable(${target} "${PROJECT_SOURCE_DIR}/src/main.cc")
  target_include_directories(${target} PRIVATE "${dir}")
  target_link_libraries(${target} PRIVATE pl_config_core)
  if(PL_CONFIG_LINK_STATIC)
    target_link_options(${target} PRIVATE -static)
  endif()
  # What pl_config_generate_headers() needs of a tool it cannot run yet: the
  # processor its headers are for and the registers the engine reserves.
  set_property(TARGET ${target} PROPERTY PL_CONFIG_PROCESSOR "${${ARG_PREFIX}PROCESSOR}")
  set_property(TARGET ${target} PROPERTY PL_CONFIG_MACHINE_REGS ${ARG_MACHINE_REGS})
endfunction()
