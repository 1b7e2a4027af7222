# cmake -DTOOL=<exe> -DDESCRIPTION=<file> -DOUTPUT_DIR=<dir> -DSUMMARY=<file>
#       [-DWERROR=ON] -P run_pl_config.cmake
#
# The build step behind pl_config_generate_headers(): runs the tool with its
# installation summary in SUMMARY, which the tool puts in place with the
# headers.  The tool itself leaves every file whose text is unchanged alone
# and, when it fails, all of them; its message goes straight to the build's
# error output, with its warnings, so that a build log shows them.

foreach(var TOOL DESCRIPTION OUTPUT_DIR SUMMARY)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_pl_config.cmake: ${var} is not set")
  endif()
endforeach()

set(werror "")
if(WERROR)
  set(werror --werror)
endif()
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
execute_process(
  COMMAND "${TOOL}" --description "${DESCRIPTION}" --output-dir "${OUTPUT_DIR}" --summary "${SUMMARY}"
          --write-if-changed --located-errors --warnings ${werror}
  RESULT_VARIABLE status
)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pl_config failed (${status}) on ${DESCRIPTION}; the headers in ${OUTPUT_DIR} are unchanged")
endif()
