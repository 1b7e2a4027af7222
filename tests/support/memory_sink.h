#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "output.h"

namespace pl_config::testing {

// Bytes in memory, grown with realloc as open_memstream grows its own: a
// run in memory counts no operator new but the code's under test.  Reads,
// through a stdio stream, go on from `read_from`.
class MemoryText {
 public:
  MemoryText() = default;
  explicit MemoryText(std::string_view text) { append(text.data(), text.size()); }
  ~MemoryText();
  MemoryText(const MemoryText&) = delete;
  MemoryText& operator=(const MemoryText&) = delete;

  void append(const char* data, std::size_t size);
  void clear() { size_ = read_from = 0; }
  std::string_view text() const { return {data_, size_}; }

  std::size_t read_from = 0;

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// An Output's bytes appended to memory of the caller's.
class MemorySink : public Sink {
 public:
  explicit MemorySink(MemoryText& memory) : memory_(&memory) {}
  bool write(const char* data, std::size_t size) override {
    memory_->append(data, size);
    return true;
  }

 private:
  MemoryText* memory_;
};

// A stdio stream over `memory`, for the code that still reads or writes
// one: reads go on from `read_from`, writes append.  Closed with fclose;
// `memory` must outlive it.
std::FILE* open_memory_stream(MemoryText& memory);

}  // namespace pl_config::testing
