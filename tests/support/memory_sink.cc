#include "memory_sink.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace pl_config::testing {

MemoryText::~MemoryText() { std::free(data_); }

void MemoryText::append(const char* data, std::size_t size) {
  if (size_ + size > capacity_) {
    const std::size_t capacity = std::max(size_ + size, 2 * capacity_ + 4096);
    char* grown = static_cast<char*>(std::realloc(data_, capacity));
    if (grown == nullptr) throw std::bad_alloc();
    data_ = grown;
    capacity_ = capacity;
  }
  if (size > 0) std::memcpy(data_ + size_, data, size);
  size_ += size;
}

}  // namespace pl_config::testing
