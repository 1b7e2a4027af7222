#pragma once

#include <cstddef>
#include <string_view>

#include "output.h"

namespace pl_config::testing {

// Bytes in memory, grown with realloc as open_memstream grows its own: a
// run in memory counts no operator new but the code's under test.  As a
// sink it keeps what an Output hands it.
class MemoryText : public Sink {
 public:
  MemoryText() = default;
  explicit MemoryText(std::string_view text) { append(text.data(), text.size()); }
  ~MemoryText() override;
  MemoryText(const MemoryText&) = delete;
  MemoryText& operator=(const MemoryText&) = delete;

  void append(const char* data, std::size_t size);
  bool write(const char* data, std::size_t size) override {
    append(data, size);
    return true;
  }
  void clear() { size_ = 0; }
  std::string_view text() const { return {data_, size_}; }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace pl_config::testing
