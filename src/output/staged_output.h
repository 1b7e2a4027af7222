#pragma once

#include <cerrno>
#include <cstddef>

#include "file_calls.h"
#include "file_place.h"
#include "output.h"

namespace pl_config {

// Whether a header whose text would not change is written anyway.
enum class Rewrite { always, if_changed };

// A header on its way to disk, as the sink of its Output.  A regular file
// (or a link to one) is written to a hidden temporary file beside its final
// path and renamed over it only when the whole run has succeeded, so that no
// reader, build tool or later run ever sees half a header.  On POSIX systems
// anything else is written in place: there is nothing to rename over.  The
// replacement keeps the old file's permission bits, but never a set-ID or
// sticky bit, and its owner and group where the runner may give them.  In a
// shared directory (sticky, others may write) a file of another user than
// the runner and the directory's owner is neither written nor replaced, as
// the kernel's protected_regular and protected_fifos rules have it.  A
// header with other names (hard links) may be another user's file too: its
// replacement is a new file, as if there had been none.  Windows follows no
// link: the header replaces it.
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

  // False when the header cannot be created.  With write-if-changed, a
  // header that may need no new file can fail only when it does, at a
  // write or the close (failed_to_create()).
  bool open(const char* path, Rewrite rewrite);
  bool write(const char* data, std::size_t size) override;
  bool close() override;
  // Keeps the header that install() will replace under a hidden backup
  // name beside it, so that the run can still put it back; a header that
  // stays as it is needs none.  False when it cannot be kept.
  bool prepare();
  // Puts the closed header in place; false when it could not be.
  bool install();
  // Puts back what install() replaced, or removes what it put where there
  // was nothing; false when that failed (the backup then stays).
  bool undo();
  // Drops the backup, once every file of the run is in place.
  void finish();
  // Removes the temporary file and the backup of a header that will not be
  // installed.
  void discard();

  // What the last failure was: an errno value or a platform::Refusal.
  int error() const { return error_; }
  bool failed_to_create() const { return create_failed_; }
  const platform::Place& place() const { return place_; }

 private:
  // Records `error` (errno by default); false.
  bool failed(int error = errno);
  bool start_temp_file();
  bool copy_matched_part();
  bool same_as_header();

  platform::Place place_;
  char temp_name_[path_capacity] = "";    // empty when there is none
  char backup_name_[path_capacity] = "";  // the same
  bool installed_ = false;
  platform::File file_ = platform::no_file;
  platform::File old_ = platform::no_file;  // the header compared with
  long long matched_ = 0;
  bool compare_at_install_ = false;
  int error_ = 0;
  bool create_failed_ = false;
};

}  // namespace pl_config
