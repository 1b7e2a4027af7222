#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <span>

#include "output.h"
#include "section_writer.h"

namespace pl_config {

// The files a run writes besides the headers, each named by an option (a
// row of the option table) and staged and put in place with the headers.  A
// writer of one more is its own file, a name here and a row below.
enum class ExtraOutput { debugger_script, summary, count_ };
inline constexpr std::size_t extra_output_count = static_cast<std::size_t>(ExtraOutput::count_);

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

struct ExtraOutputRow {
  ExtraOutput id;
  std::span<char> buffer;
  // Null for an output that takes no sections: the summary is printed to it.
  StartWriter start;
};

// In the order of ExtraOutput, which is the order the files are put in place.
extern const ExtraOutputRow extra_output_rows[extra_output_count];

// The paths of a run's extra outputs, by ExtraOutput; null for one not written.
struct ExtraPaths {
  const char* paths[extra_output_count] = {};

  const char*& operator[](ExtraOutput id) { return paths[static_cast<std::size_t>(id)]; }
  const char* operator[](ExtraOutput id) const { return paths[static_cast<std::size_t>(id)]; }
};

}  // namespace pl_config
