# cmake -DGENERATOR=<Ninja|Unix Makefiles> -DPACKAGE=<install|build-tree|subdirectory>
#       -DPL_CONFIG_BUILD_DIR=<dir> -DPL_CONFIG_SOURCE_DIR=<dir> -DTOOL=<pl_config>
#       -DSOURCE_DIR=<this dir> -DWORK_DIR=<scratch dir> -P check_rebuilds.cmake
#
# Builds the consumer project in SOURCE_DIR against pl_config, taken from an
# installation of PL_CONFIG_BUILD_DIR, from that build tree itself (with TOOL
# run by path) or from PL_CONFIG_SOURCE_DIR added to the consumer's build
# (which must then build the tool and configure none of its tests), and
# edits its description to check what each rebuild regenerates and
# recompiles.  The build log tells: the headers' custom command prints
# "Generating pl_config headers", and each compilation prints "Building C
# object" with the object's name.

cmake_minimum_required(VERSION 3.21)

foreach(var GENERATOR PACKAGE PL_CONFIG_BUILD_DIR PL_CONFIG_SOURCE_DIR TOOL SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_rebuilds.cmake: ${var} is not set")
  endif()
endforeach()

set(src "${WORK_DIR}/src")
set(build "${WORK_DIR}/build")
set(generated "${build}/generated")
set(description "${src}/wam_arch.def")
set(headers wam_arch.h wam_regs.h wam_stacks.h th_public_config.h)

function(fail step text)
  message(FATAL_ERROR "${step}: ${text}")
endfunction()

function(run step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
  if(NOT status EQUAL 0)
    fail("${step}" "command failed (${status}):\n${log}")
  endif()
endfunction()

# Builds the consumer, sets `log` and checks what the build did: `expected` is
# "ok" or "fails"; `generation` is TRUE or FALSE for whether the headers'
# custom command ran, or "-" where a failed build may have started it; the
# other arguments name the sources that must have been compiled, in
# alphabetical order.
macro(build step expected generation)
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${build}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
  if(status EQUAL 0 AND NOT "${expected}" STREQUAL "ok")
    fail("${step}" "the build succeeded:\n${log}")
  elseif(NOT status EQUAL 0 AND "${expected}" STREQUAL "ok")
    fail("${step}" "the build failed (${status}):\n${log}")
  endif()
  string(FIND "${log}" "Generating pl_config headers" at)
  if("${generation}" STREQUAL "TRUE" AND at EQUAL -1)
    fail("${step}" "the headers were not generated:\n${log}")
  elseif("${generation}" STREQUAL "FALSE" AND NOT at EQUAL -1)
    fail("${step}" "the headers were generated again:\n${log}")
  endif()
  string(REGEX MATCHALL "Building C object [^\n]*/[a-z]+\\.c\\.o" compiled "${log}")
  list(TRANSFORM compiled REPLACE ".*/([a-z]+)\\.c\\.o$" "\\1")
  list(SORT compiled)
  if(NOT "${compiled}" STREQUAL "${ARGN}")
    fail("${step}" "compiled (${compiled}) instead of (${ARGN}):\n${log}")
  endif()
endmacro()

# The generated headers' text, to compare across a step.
function(read_headers out)
  set(text "")
  foreach(header IN LISTS headers)
    if(NOT EXISTS "${generated}/${header}")
      fail("headers" "${generated}/${header} is missing")
    endif()
    file(READ "${generated}/${header}" content)
    string(APPEND text "--- ${header}\n${content}")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The headers must still be those that read_headers() put in `expected_var`.
function(expect_headers step expected_var)
  read_headers(now)
  if(NOT now STREQUAL "${${expected_var}}")
    fail("${step}" "the headers changed:\n${now}")
  endif()
endfunction()

# Edits take effect only if their time stamp is later than the last build's
# outputs, whatever the file system's time stamp resolution.
function(edit_description from to)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E sleep 1)
  file(READ "${description}" text)
  string(FIND "${text}" "${from}" at)
  if(at EQUAL -1)
    fail("edit" "'${from}' is not in the description")
  endif()
  string(REPLACE "${from}" "${to}" text "${text}")
  file(WRITE "${description}" "${text}")
endfunction()

# --- The consumer's source and its pl_config package -----------------------

file(REMOVE_RECURSE "${WORK_DIR}")
file(COPY "${SOURCE_DIR}/" DESTINATION "${src}" PATTERN "check_rebuilds.cmake" EXCLUDE)
if(PACKAGE STREQUAL "install")
  run("install" "${CMAKE_COMMAND}" --install "${PL_CONFIG_BUILD_DIR}" --prefix "${WORK_DIR}/prefix")
  set(tool "${WORK_DIR}/prefix/bin/pl_config")
  set(package_options "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix")
elseif(PACKAGE STREQUAL "build-tree")
  # A copy, so that touching it leaves the build tree alone.
  file(COPY "${TOOL}" DESTINATION "${WORK_DIR}/tool")
  get_filename_component(name "${TOOL}" NAME)
  set(tool "${WORK_DIR}/tool/${name}")
  set(package_options "-Dpl_config_DIR=${PL_CONFIG_BUILD_DIR}" "-DPL_CONFIG_TOOL=${tool}")
elseif(PACKAGE STREQUAL "subdirectory")
  # With BUILD_TESTING on, as include(CTest) leaves it, and neither
  # GoogleTest nor the JSON library to be found: a consumer's build needs
  # nothing for pl_config's tests, nor for its language server.
  get_filename_component(name "${TOOL}" NAME)
  set(tool "${build}/pl_config/${name}")
  set(package_options "-DPL_CONFIG_SOURCE_DIR=${PL_CONFIG_SOURCE_DIR}" -DBUILD_TESTING=ON
                      -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DGTest_DIR=/nonexistent
                      -DCMAKE_DISABLE_FIND_PACKAGE_nlohmann_json=ON)
else()
  fail("setup" "PACKAGE must be install, build-tree or subdirectory, not ${PACKAGE}")
endif()
run("configure" "${CMAKE_COMMAND}" -S "${src}" -B "${build}" -G "${GENERATOR}" ${package_options})

# --- Rebuilds ----------------------------------------------------------------

build("first build" ok TRUE client engine stacks)
if(NOT EXISTS "${tool}")
  fail("first build" "${tool} was not built")
endif()
if(EXISTS "${build}/pl_config/tests")
  fail("first build" "pl_config's tests were configured")
endif()
read_headers(first_headers)
build("no-op rebuild" ok FALSE)

# An empty line inside a section is dropped: no header changes.
edit_description("@begin tags\n" "@begin tags\n\n")
build("empty line in the tags section" ok TRUE)
expect_headers("empty line in the tags section" first_headers)

execute_process(COMMAND "${CMAKE_COMMAND}" -E sleep 1)
file(TOUCH "${tool}")
build("new tool" ok TRUE)

# A tag value changes the architecture and public configuration headers; the
# stack header stays as it was.
edit_description("@tag FLT address 4\n" "@tag FLT address 5\n")
build("changed tag" ok TRUE client engine)
file(READ "${generated}/th_public_config.h" public_config)
string(FIND "${public_config}" "#define PL_FLT        \t\t5 \n" at)
if(at EQUAL -1)
  fail("changed tag" "th_public_config.h lacks the new value of FLT:\n${public_config}")
endif()
read_headers(good_headers)

# A broken description fails the build with the tool's message, every time
# until it is repaired, and the last good headers stay.
edit_description("@tag FLT address 5\n" "@tag FLT float 5\n")
foreach(attempt "broken description" "broken description, built again")
  build("${attempt}" fails -)
  string(FIND "${log}" ":9:10: error: wrong tag type 'float' (" at)
  if(at EQUAL -1)
    fail("${attempt}" "the tool's message is not in the build log:\n${log}")
  endif()
  expect_headers("${attempt}" good_headers)
  file(GLOB leftovers "${generated}/*.new")
  if(leftovers)
    fail("${attempt}" "left ${leftovers}")
  endif()
endforeach()

# Repaired, it gives the same headers as before the failure: nothing to compile.
edit_description("@tag FLT float 5\n" "@tag FLT address 5\n")
build("repaired description" ok TRUE)

# OUTPUTS_VAR names the four headers: the consumer installs them.
run("install consumer" "${CMAKE_COMMAND}" --install "${build}" --prefix "${WORK_DIR}/engine")
foreach(header IN LISTS headers)
  if(NOT EXISTS "${WORK_DIR}/engine/include/${header}")
    fail("install consumer" "${header} was not installed")
  endif()
endforeach()
