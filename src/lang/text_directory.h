#pragma once

#include "byte_source.h"
#include "files.h"

namespace pl_config {

// A description that an editor holds in memory: read from `source`, and
// read again there for the lines that messages show; it opens no header.
class TextDirectory : public Directory {
 public:
  explicit TextDirectory(ByteSource& source, const char* name = file_name::description)
      : Directory(name), source_(source) {}

  ByteSource& open_description() const override {
    opened_ = true;
    return source_;
  }
  ByteSource* opened_description() const override { return opened_ ? &source_ : nullptr; }
  Sink* open_header(const char*, StagedOutput&) const override { return nullptr; }

 private:
  ByteSource& source_;
  mutable bool opened_ = false;
};

}  // namespace pl_config
