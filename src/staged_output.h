#pragma once

#include <cstddef>

#include "file_calls.h"
#include "output.h"

namespace pl_config {

// Where a header goes, found when it is opened, by the platform's part of
// staging (staged_output_posix.cc, staged_output_windows.cc).
struct HeaderPlace {
  char final_path[platform::path_capacity] = "";  // a link's target, not the link (POSIX)
  unsigned mode = 0;                              // the permission bits the header gets (POSIX)
  bool exists = false;                            // a file is there already
  bool in_place = false;                          // not a regular file (a device, a FIFO): written where it is
};

// Finds where the header at `path` goes; false when it cannot be written (a
// directory in its place, an existing header the user may not write, another
// user's link in a sticky world-writable directory).
bool locate_header(const char* path, HeaderPlace& place);
// A temporary file can be created in the directory of `final_path`.
bool may_create_beside(const char* final_path);

// A header on its way to disk, as the sink of its Output.  A regular file
// (or a link to one) is written to a hidden temporary file beside its final
// path and renamed over it only when the whole run has succeeded, so that no
// reader, build tool or later run ever sees half a header.  On POSIX systems
// anything else is written in place: there is nothing to rename over.
// Windows follows no link: the header replaces it.
//
// With write-if-changed, the new text is compared with the existing header
// as it comes, and nothing is written while they match.  At the first
// difference the temporary file is created and the matched part copied into
// it from the same open header: a concurrent run's rename meanwhile cannot
// mix two texts.  A header that matched to its last byte stays as it is,
// time stamp and all.  Where a header held open for reading cannot be
// renamed over (Windows), holding it for a whole run would fail the
// concurrent runs that replace it: there the text goes to the temporary
// file and is compared with the header only when it is put in place.
class StagedOutput : public Sink {
 public:
  static constexpr std::size_t path_capacity = platform::path_capacity;

  StagedOutput() = default;
  ~StagedOutput() override { discard(); }
  StagedOutput(const StagedOutput&) = delete;
  StagedOutput& operator=(const StagedOutput&) = delete;

  // False when the header cannot be created: whatever the reason, at once,
  // even when the temporary file would only come later.
  bool open(const char* path, bool write_if_changed);
  bool write(const char* data, std::size_t size) override;
  bool close() override;
  // Puts the closed header in place; false when it could not be.
  bool install();
  // Removes the temporary file of a header that will not be installed.
  void discard();

 private:
  bool start_temp_file();
  bool copy_matched_part();
  bool same_as_header();

  HeaderPlace place_;
  char temp_path_[path_capacity] = "";  // empty when there is none
  platform::File file_ = platform::no_file;
  platform::File old_ = platform::no_file;  // the header compared with
  long long matched_ = 0;
  bool compare_at_install_ = false;
};

}  // namespace pl_config
