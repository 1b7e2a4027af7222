#pragma once

#include <cstddef>
#include <cstdio>

namespace pl_config {

// A header on its way to disk.  A regular file (or a link to one) is written
// to a hidden temporary file beside its final path and renamed over it only
// when the whole run has succeeded, so that no reader, build tool or later
// run ever sees half a header.  On POSIX systems anything else (a device, a
// FIFO) is written in place: there is nothing to rename over.  Windows
// follows no link: the header replaces it.
struct StagedOutput {
  static constexpr std::size_t path_capacity = 4096;

  char final_path[path_capacity] = "";  // a link's target, not the link (POSIX)
  char temp_path[path_capacity] = "";   // empty when written in place
  unsigned mode = 0;                    // the permission bits the header gets (POSIX)
};

// Starts the header at `path`: its stream, or null when it cannot be
// created (a directory in its place, a directory or an existing header the
// user may not write, another user's link in a sticky world-writable
// directory).  The platform's own file calls live behind this and
// the two calls at the end, one file per platform (staged_output_posix.cc,
// staged_output_windows.cc).
std::FILE* stage_output(const char* path, StagedOutput& staged);

// Puts a closed header in place.  With `write_if_changed`, a header whose text
// equals the file's current text leaves the file alone, time stamp and all.
// False when the header could not be put in place.
bool install_staged_output(StagedOutput& staged, bool write_if_changed);

// Removes the temporary file of a header that will not be installed.
void discard_staged_output(StagedOutput& staged);

// Both files hold the same bytes.
bool same_file_contents(const char* a_path, const char* b_path);

// Renames `from` to `to` in one step, replacing the file at `to`.
bool rename_over(const char* from, const char* to);

}  // namespace pl_config
