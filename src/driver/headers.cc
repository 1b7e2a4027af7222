#include "headers.h"

#include "bounded_text.h"
#include "error.h"

namespace pl_config {

namespace {

constexpr bool rows_in_role_order() {
  for (std::size_t i = 0; i < Headers::count; ++i)
    if (static_cast<std::size_t>(header_rows[i].role) != i) return false;
  return true;
}
static_assert(rows_in_role_order());

}  // namespace

void Headers::open(HeaderSpan span) {
  for (std::size_t i = 0; i < count; ++i) {
    if (header_rows[i].span != span) continue;
    static OutputBuffer buffers[count];
    files_[i].emplace(directory_, header_rows[i].name, buffers[i]);
    files_[i]->out().put(header_rows[i].first_text);
  }
}

void Headers::close(HeaderSpan span) {
  for (std::size_t i = 0; i < count; ++i)
    if (header_rows[i].span == span) files_[i]->close();
}

void Headers::install(std::span<OutputFile* const> others) {
  BoundedText<Error::capacity - 1> installed;
  const auto install = [&](OutputFile& file) {
    if (!file.install()) {
      if (installed.view().empty()) fail(Message::cannot_write, file.path());
      fail(Message::cannot_write_after, file.path(), installed.c_str());
    }
    installed.append(installed.view().empty() ? "" : ", ");
    installed.append(file.path());
  };
  for (Deferred<OutputFile>& file : files_) install(*file);
  for (OutputFile* other : others)
    if (other != nullptr) install(*other);
}

}  // namespace pl_config
