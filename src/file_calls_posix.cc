#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "file_calls.h"

namespace pl_config::platform {

namespace {

// With a standard stream closed, the next file opened would take its
// number, and whatever the tool writes to that stream would land in a
// header: files live at 3 and above.
int above_standard_streams(int fd) {
  if (fd < 0 || fd > 2) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  ::close(fd);
  return moved;
}

int failed(int error) {
  errno = error;
  return -1;
}

}  // namespace

const bool renames_over_open_files = true;

int directory_length(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash == nullptr ? 0 : static_cast<int>(slash - path + 1);
}

File open_to_read(const char* path) {
  if (take_failure(Call::open)) return failed(EIO);
  return above_standard_streams(::open(path, O_RDONLY | O_CLOEXEC));
}

File open_in_place(const char* path) {
  if (take_failure(Call::open)) return failed(EIO);
  return above_standard_streams(::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
}

// A dot-file with a name of its own in the header's directory: the rename
// stays within one file system, and a run killed before it leaves only a
// hidden file that no later run reads or collides with.
File create_temp_beside(const char* final_path, char (&temp_path)[path_capacity], unsigned mode) {
  const int dir_length = directory_length(final_path);
  const int length =
      std::snprintf(temp_path, sizeof temp_path, "%.*s.%s.XXXXXX", dir_length, final_path, final_path + dir_length);
  int fd = -1;
  if (length >= 0 && static_cast<std::size_t>(length) < sizeof temp_path && !take_failure(Call::create))
    fd = above_standard_streams(mkstemp(temp_path));
  if (fd >= 0 && fchmod(fd, static_cast<mode_t>(mode)) != 0) {
    ::close(fd);
    ::unlink(temp_path);
    fd = -1;
  }
  if (fd < 0) temp_path[0] = '\0';
  return fd;
}

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
  if (take_failure(Call::read)) return failed(EIO);
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

bool rename_over(const char* from, const char* to) { return !take_failure(Call::rename) && std::rename(from, to) == 0; }

bool remove(const char* path) { return !take_failure(Call::remove) && ::unlink(path) == 0; }

bool write_standard(int stream, const char* data, std::size_t size) { return write_all(stream, data, size); }

}  // namespace pl_config::platform
