#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

namespace pl_config {

// Storage of fixed size whose entries are made as they are added.  The
// tables are large and live on the stack; an std::array (or an std::optional,
// which GCC fills with zeros whole) would write every byte of them before
// the first entry, and the pages it touches cost more than the run's own
// work on a small description.  These touch only what their entries fill.

// At most N entries, in the order added.  Whoever adds one asks full() first
// and rejects the entry with a message of its own; adding to a full table is
// a fault of the tool and ends it at once.
template <typename T, std::size_t N>
class FixedTable {
 public:
  static constexpr std::size_t capacity = N;

  FixedTable() {}
  FixedTable(const FixedTable& other) {
    for (const T& entry : other) add(entry);
  }
  FixedTable& operator=(const FixedTable& other) {
    if (this != &other) {
      clear();
      for (const T& entry : other) add(entry);
    }
    return *this;
  }
  ~FixedTable() { clear(); }

  template <typename... Args>
  T& add(Args&&... args) {
    if (full()) std::abort();
    T* entry = std::construct_at(&entries_[size_], std::forward<Args>(args)...);
    ++size_;
    return *entry;
  }
  void clear() { truncate(0); }
  // Keeps the first `size` entries.
  void truncate(std::size_t size) {
    while (size_ > size) std::destroy_at(&entries_[--size_]);
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  bool full() const { return size_ == N; }

  T& operator[](std::size_t i) { return entries_[i]; }
  const T& operator[](std::size_t i) const { return entries_[i]; }
  T* data() { return entries_; }
  const T* data() const { return entries_; }
  T* begin() { return entries_; }
  T* end() { return entries_ + size_; }
  const T* begin() const { return entries_; }
  const T* end() const { return entries_ + size_; }

 private:
  std::size_t size_ = 0;
  union {
    T entries_[N];
  };
};

// One object made later, or never: std::optional without the zero fill.
template <typename T>
class Deferred {
 public:
  Deferred() {}
  Deferred(const Deferred&) = delete;
  Deferred& operator=(const Deferred&) = delete;
  ~Deferred() {
    if (made_) std::destroy_at(&value_);
  }

  template <typename... Args>
  T& emplace(Args&&... args) {
    if (made_) std::abort();
    std::construct_at(&value_, std::forward<Args>(args)...);
    made_ = true;
    return value_;
  }

  bool has_value() const { return made_; }
  T& operator*() { return value_; }
  const T& operator*() const { return value_; }
  T* operator->() { return &value_; }
  const T* operator->() const { return &value_; }

 private:
  bool made_ = false;
  union {
    T value_;
  };
};

}  // namespace pl_config
