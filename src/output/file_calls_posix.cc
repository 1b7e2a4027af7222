#include <unistd.h>

#include <cerrno>

#include "file_calls.h"

namespace pl_config::platform {

const bool renames_over_open_files = true;

bool write_all(File file, const char* data, std::size_t size) {
  if (take_failure(Call::write)) return false;
  while (size > 0) {
    const ssize_t written = ::write(static_cast<int>(file), data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

std::ptrdiff_t read_some(File file, char* data, std::size_t size) {
  if (take_failure(Call::read)) {
    errno = EIO;
    return -1;
  }
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(file), data, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool rewind(File file) { return lseek(static_cast<int>(file), 0, SEEK_SET) == 0; }

bool close(File file) {
  const bool closed = ::close(static_cast<int>(file)) == 0;
  return !take_failure(Call::close) && closed;
}

bool write_standard(int stream, const char* data, std::size_t size) { return write_all(stream, data, size); }

}  // namespace pl_config::platform
