// Where a header goes on Windows.  Paths are narrow strings in the ANSI code
// page: a drive letter may lead them, and both "\" and "/" separate their
// parts.

#include <windows.h>

#include <cstdio>

#include "staged_output.h"

namespace pl_config {

// Windows has no permission bits to keep: the header takes the directory's
// access rules, as a new file would.  A read-only header stays as it is, as
// a header the user may not write does elsewhere.
bool locate_header(const char* path, HeaderPlace& place) {
  const int length = std::snprintf(place.final_path, sizeof place.final_path, "%s", path);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof place.final_path) return false;
  const DWORD attributes = GetFileAttributesA(path);
  place.exists = attributes != INVALID_FILE_ATTRIBUTES;
  place.in_place = false;
  return !place.exists || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

bool may_create_beside(const char* final_path) {
  char dir[StagedOutput::path_capacity];
  const int length = std::snprintf(dir, sizeof dir, "%.*s.", platform::directory_length(final_path), final_path);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof dir) return false;
  const DWORD attributes = GetFileAttributesA(dir);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace pl_config
