#include "headers.h"

#include "bounded_text.h"
#include "error.h"

namespace pl_config {

void Headers::open(HeaderSpan span) {
  for (std::size_t i = 0; i < header_count; ++i) {
    if (header_rows[i].span != span) continue;
    static OutputBuffer buffers[header_count];
    files_[i].emplace(directory_, header_rows[i].name, buffers[i]);
    files_[i]->out().put(header_rows[i].first_text);
  }
}

void Headers::close(HeaderSpan span) {
  for (std::size_t i = 0; i < header_count; ++i)
    if (header_rows[i].span == span) files_[i]->close();
}

void Headers::install(std::span<OutputFile* const> others) {
  const std::size_t total = header_count + others.size();
  const auto file = [&](std::size_t i) { return i < header_count ? &*files_[i] : others[i - header_count]; };
  for (std::size_t i = 0; i < total; ++i)
    if (file(i) != nullptr && !file(i)->prepare()) fail(Message::cannot_write, file(i)->path());
  for (std::size_t i = 0; i < total; ++i) {
    if (file(i) == nullptr || file(i)->install()) continue;
    const int error = errno;
    BoundedText<Error::capacity - 1> not_put_back;
    for (std::size_t j = i; j-- > 0;) {
      if (file(j) == nullptr || file(j)->undo()) continue;
      not_put_back.append(not_put_back.view().empty() ? "" : ", ");
      not_put_back.append(file(j)->path());
    }
    errno = error;
    if (not_put_back.view().empty()) fail(Message::cannot_write, file(i)->path());
    fail(Message::cannot_write_after, file(i)->path(), not_put_back.c_str());
  }
  for (std::size_t i = 0; i < total; ++i)
    if (file(i) != nullptr) file(i)->finish();
}

}  // namespace pl_config
