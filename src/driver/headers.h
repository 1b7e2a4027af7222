#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "files.h"
#include "fixed_table.h"
#include "header_rows.h"
#include "output.h"

namespace pl_config {

// The open headers of one run.
class Headers : public HeaderOutputs {
 public:
  explicit Headers(const Directory& directory) : directory_(directory) {}

  // Opens the headers of the rows opened at that moment, in row order.
  void open(HeaderSpan span);
  // Flushes and closes them, checking every write.
  void close(HeaderSpan span);
  // Puts every header in place, then each of `others` that is not null: all
  // of them or none.  One that cannot be ends the run with "cannot write
  // <path>", after the ones put in place before it are put back as they
  // were.  Only a failure to put one back (an input/output error) says so
  // in the message, which names it: its old file stays beside it, hidden.
  void install(std::span<OutputFile* const> others = {});

  Output& out(HeaderRole role) override { return files_[static_cast<std::size_t>(role)]->out(); }
  const char* path(HeaderRole role) const { return files_[static_cast<std::size_t>(role)]->path(); }

 private:
  const Directory& directory_;
  std::array<Deferred<OutputFile>, header_count> files_;
};

}  // namespace pl_config
