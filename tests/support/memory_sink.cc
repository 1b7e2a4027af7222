#include "memory_sink.h"

#include <sys/types.h>

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

namespace {

ssize_t read_memory(void* cookie, char* data, std::size_t size) {
  MemoryText& memory = *static_cast<MemoryText*>(cookie);
  const std::size_t part = memory.text().substr(std::min(memory.read_from, memory.text().size())).copy(data, size);
  memory.read_from += part;
  memory.bytes_read += part;
  return static_cast<ssize_t>(part);
}

ssize_t write_memory(void* cookie, const char* data, std::size_t size) {
  static_cast<MemoryText*>(cookie)->append(data, size);
  return static_cast<ssize_t>(size);
}

// Moves where reads go on from; writes append wherever it is.
int seek_memory(void* cookie, off64_t* offset, int whence) {
  MemoryText& memory = *static_cast<MemoryText*>(cookie);
  const off64_t base = whence == SEEK_SET ? 0
                       : whence == SEEK_CUR ? static_cast<off64_t>(memory.read_from)
                                            : static_cast<off64_t>(memory.text().size());
  if (base + *offset < 0) return -1;
  memory.read_from = static_cast<std::size_t>(base + *offset);
  *offset = base + *offset;
  return 0;
}

}  // namespace

std::FILE* open_memory_stream(MemoryText& memory) {
  const cookie_io_functions_t calls = {.read = read_memory, .write = write_memory, .seek = seek_memory, .close = nullptr};
  return fopencookie(&memory, "r+", calls);
}

}  // namespace pl_config::testing
