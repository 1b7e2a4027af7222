# cmake -DTOOL=<exe> -DDESCRIPTION=<file> -DSTAGING_DIR=<dir>
#       -DOUTPUT_DIR=<dir> -DSTAMP=<file> -P run_pl_config.cmake
#
# The build step behind pl_config_generate_headers().  The tool writes its
# headers as it reads and leaves them half-written when it fails, so it runs
# on a copy of the description in STAGING_DIR; only after it has succeeded do
# the headers whose text changed replace those in OUTPUT_DIR.  The others keep
# their time stamps, and what includes them is not recompiled.

foreach(var TOOL DESCRIPTION STAGING_DIR OUTPUT_DIR STAMP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_pl_config.cmake: ${var} is not set")
  endif()
endforeach()
set(headers wam_arch.h wam_regs.h wam_stacks.h th_public_config.h)

file(MAKE_DIRECTORY "${STAGING_DIR}" "${OUTPUT_DIR}")
foreach(header IN LISTS headers)
  file(REMOVE "${STAGING_DIR}/${header}")
endforeach()
file(COPY_FILE "${DESCRIPTION}" "${STAGING_DIR}/wam_arch.def")

# The tool's message goes straight to the build's error output.  The summary
# stays beside the staged headers for whoever wants it.
execute_process(
  COMMAND "${TOOL}"
  WORKING_DIRECTORY "${STAGING_DIR}"
  OUTPUT_FILE "${STAGING_DIR}/summary.txt"
  RESULT_VARIABLE status
)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pl_config failed (${status}) on ${DESCRIPTION}; the headers in ${OUTPUT_DIR} are unchanged")
endif()

# Each changed header is copied next to its destination first and then renamed
# over it, so an interrupted copy never leaves a truncated header in place.
set(changed "")
foreach(header IN LISTS headers)
  set(staged "${STAGING_DIR}/${header}")
  set(installed "${OUTPUT_DIR}/${header}")
  if(NOT EXISTS "${staged}")
    message(FATAL_ERROR "pl_config succeeded on ${DESCRIPTION} but wrote no ${header}")
  endif()
  if(EXISTS "${installed}")
    file(SHA256 "${staged}" new_hash)
    file(SHA256 "${installed}" old_hash)
    if(new_hash STREQUAL old_hash)
      continue()
    endif()
  endif()
  file(COPY_FILE "${staged}" "${installed}.new")
  list(APPEND changed "${header}")
endforeach()
foreach(header IN LISTS changed)
  file(RENAME "${OUTPUT_DIR}/${header}.new" "${OUTPUT_DIR}/${header}")
endforeach()

file(TOUCH "${STAMP}")
