# cmake -DINPUT=<file> -DOUTPUT=<file.cc> -DNAMESPACE=<ns> -DNAME=<symbol> -P embed_text.cmake
#
# Writes a C++ source that defines `extern const char <ns>::<symbol>[]` as
# the bytes of INPUT with a terminating zero, for the build to compile in.
# The bytes go in as an array of character literals rather than a string
# literal: no text in the file can end a raw string early, no compiler's
# limit on the length of a literal applies, and a byte above 0x7f is no
# narrowing where char is signed.

cmake_minimum_required(VERSION 3.25)

foreach(var INPUT OUTPUT NAMESPACE NAME)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "embed_text.cmake: ${var} is not set")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(REPEAT ".." 16 row)
string(REGEX REPLACE "(${row})" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" " '\\\\x\\1'," bytes "${hex}")
string(REPLACE "\n" "\n " bytes " ${bytes}")

file(WRITE "${OUTPUT}" "// Generated from ${INPUT} by embed_text.cmake: edit that file instead.

namespace ${NAMESPACE} {

extern const char ${NAME}[];
const char ${NAME}[] = {
${bytes} '\\0'};

}  // namespace ${NAMESPACE}
")
