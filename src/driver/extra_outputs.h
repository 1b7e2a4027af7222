#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <new>
#include <span>

#include "debugger_script.h"
#include "output.h"
#include "section_writer.h"

namespace pl_config {

// Room in a run's frame for the writer of one extra output, whatever its
// type: the run knows the writers only by their rows.
class WriterSlot {
 public:
  WriterSlot() = default;
  WriterSlot(const WriterSlot&) = delete;
  WriterSlot& operator=(const WriterSlot&) = delete;
  ~WriterSlot() {
    if (destroy_ != nullptr) destroy_(bytes_);
  }

  template <typename Writer, typename... Args>
  Writer& make(Args&&... args) {
    static_assert(sizeof(Writer) <= capacity && alignof(Writer) <= alignof(std::max_align_t));
    Writer* writer = std::construct_at(reinterpret_cast<Writer*>(bytes_), std::forward<Args>(args)...);
    destroy_ = [](void* bytes) { std::destroy_at(static_cast<Writer*>(bytes)); };
    return *writer;
  }

 private:
  static constexpr std::size_t capacity = 64;

  alignas(std::max_align_t) unsigned char bytes_[capacity];
  void (*destroy_)(void*) = nullptr;
};

// Makes the writer of an extra output in `slot`, writing to `out`.
using StartWriter = SectionWriter& (*)(WriterSlot& slot, Output& out, const char* description);

template <typename Writer>
SectionWriter& start(WriterSlot& slot, Output& out, const char* description) {
  return slot.make<Writer>(out, description);
}

// The files a run writes besides the headers, each named by its option and
// staged and put in place with the headers.  A writer of one more is a file
// of its own, a name here and a row below.
enum class ExtraOutput { debugger_script, summary, count_ };
inline constexpr std::size_t extra_output_count = static_cast<std::size_t>(ExtraOutput::count_);

struct ExtraOutputRow {
  ExtraOutput id;
  const char* option;  // its long option, which takes the file's path
  const char* help;    // the option's, its lines separated by '\n'
  std::span<char> buffer;
  // Null for an output that takes no sections: the summary is printed to it.
  StartWriter start;
};

namespace extra_buffer {
inline char script[64 * 1024];
inline char summary[4 * 1024];
}  // namespace extra_buffer

// In the order of ExtraOutput, which is the order the files are put in place
// and their options are listed in --help.
inline constexpr ExtraOutputRow extra_output_rows[] = {
    {ExtraOutput::debugger_script, "debugger-script",
     "also write FILE, the gdb and lldb commands that\ndecode the engine's words and registers", extra_buffer::script,
     start<DebuggerScript>},
    {ExtraOutput::summary, "summary",
     "write the installation summary to FILE, with the\nheaders, instead of standard output", extra_buffer::summary,
     nullptr},
};

constexpr bool extra_rows_in_order() {
  if (std::size(extra_output_rows) != extra_output_count) return false;
  for (std::size_t i = 0; i < extra_output_count; ++i)
    if (static_cast<std::size_t>(extra_output_rows[i].id) != i) return false;
  return true;
}
static_assert(extra_rows_in_order());

inline const ExtraOutputRow& row_of(ExtraOutput id) { return extra_output_rows[static_cast<std::size_t>(id)]; }

// The paths of a run's extra outputs, by ExtraOutput; null for one not written.
struct ExtraPaths {
  const char* paths[extra_output_count] = {};

  const char*& operator[](ExtraOutput id) { return paths[static_cast<std::size_t>(id)]; }
  const char* operator[](ExtraOutput id) const { return paths[static_cast<std::size_t>(id)]; }
};

}  // namespace pl_config
