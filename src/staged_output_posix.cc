#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "staged_output.h"

namespace pl_config {

namespace {

constexpr int max_link_depth = 40;

// Writes "<dir of base><name>" into `out`; false if it does not fit.
bool beside(const char* base, const char* name, char (&out)[StagedOutput::path_capacity]) {
  const char* slash = std::strrchr(base, '/');
  const int dir_length = slash == nullptr ? 0 : static_cast<int>(slash - base + 1);
  const int length = std::snprintf(out, sizeof out, "%.*s%s", dir_length, base, name);
  return length >= 0 && static_cast<std::size_t>(length) < sizeof out;
}

// In a sticky world-writable directory (/tmp, a shared build area) another
// user may plant a link to a file of their choosing; like the kernel's
// protected_symlinks rule for open(), only a link of the runner's or of the
// directory's owner is followed there.
bool may_follow(const char* link, const struct stat& link_status) {
  char dir[StagedOutput::path_capacity];  // "a/." for "a/b", "." for "b"
  struct stat dir_status;
  if (!beside(link, ".", dir) || stat(dir, &dir_status) != 0) return false;
  const bool shared = (dir_status.st_mode & S_ISVTX) != 0 && (dir_status.st_mode & S_IWOTH) != 0;
  if (!shared || link_status.st_uid == geteuid() || link_status.st_uid == dir_status.st_uid) return true;
  errno = EACCES;
  return false;
}

// Follows symbolic links from `path` to the file they name, which need not
// exist yet: the header replaces the link's target and the link stays.
bool resolve_links(const char* path, char (&resolved)[StagedOutput::path_capacity]) {
  if (std::snprintf(resolved, sizeof resolved, "%s", path) >= static_cast<int>(sizeof resolved)) return false;
  for (int depth = 0; depth < max_link_depth; ++depth) {
    struct stat status;
    if (lstat(resolved, &status) != 0 || !S_ISLNK(status.st_mode)) return true;
    if (!may_follow(resolved, status)) return false;
    char target[StagedOutput::path_capacity];
    const ssize_t length = readlink(resolved, target, sizeof target - 1);
    if (length < 0) return false;
    target[length] = '\0';
    char next[StagedOutput::path_capacity];
    if (target[0] == '/') {
      std::memcpy(next, target, static_cast<std::size_t>(length) + 1);
    } else if (!beside(resolved, target, next)) {
      return false;
    }
    std::memcpy(resolved, next, sizeof next);
  }
  errno = ELOOP;
  return false;
}

unsigned default_mode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666u & ~static_cast<unsigned>(mask);
}

}  // namespace

// Read back in large blocks into static buffers: the unchanged header may be
// hundreds of megabytes.
bool same_file_contents(const char* a_path, const char* b_path) {
  static char a_block[128 * 1024];
  static char b_block[128 * 1024];
  const int a = open(a_path, O_RDONLY);
  const int b = open(b_path, O_RDONLY);
  bool same = false;
  struct stat a_status, b_status;
  if (a >= 0 && b >= 0 && fstat(a, &a_status) == 0 && fstat(b, &b_status) == 0 &&
      a_status.st_size == b_status.st_size) {
    for (;;) {
      const ssize_t size = read(a, a_block, sizeof a_block);
      if (size <= 0) {
        same = size == 0;
        break;
      }
      ssize_t got = 0;
      while (got < size) {
        const ssize_t more = read(b, b_block + got, static_cast<std::size_t>(size - got));
        if (more <= 0) break;
        got += more;
      }
      if (got != size || std::memcmp(a_block, b_block, static_cast<std::size_t>(size)) != 0) break;
    }
  }
  if (a >= 0) close(a);
  if (b >= 0) close(b);
  return same;
}

std::FILE* stage_output(const char* path, StagedOutput& staged) {
  staged.temp_path[0] = '\0';
  if (!resolve_links(path, staged.final_path)) return nullptr;
  struct stat status;
  if (stat(staged.final_path, &status) == 0) {
    if (S_ISDIR(status.st_mode)) {
      errno = EISDIR;
      return nullptr;
    }
    if (!S_ISREG(status.st_mode)) return std::fopen(staged.final_path, "wb");
    if (access(staged.final_path, W_OK) != 0) return nullptr;
    staged.mode = static_cast<unsigned>(status.st_mode) & 07777u;
  } else {
    staged.mode = default_mode();
  }

  // A dot-file with a name of its own in the header's directory: the rename
  // stays within one file system, and a run killed before it leaves only a
  // hidden file that no later run reads or collides with.
  const char* slash = std::strrchr(staged.final_path, '/');
  const char* base = slash == nullptr ? staged.final_path : slash + 1;
  char temp_name[StagedOutput::path_capacity];
  if (std::snprintf(temp_name, sizeof temp_name, ".%s.XXXXXX", base) >= static_cast<int>(sizeof temp_name) ||
      !beside(staged.final_path, temp_name, staged.temp_path)) {
    staged.temp_path[0] = '\0';
    return nullptr;
  }
  const int fd = mkstemp(staged.temp_path);
  if (fd < 0) {
    staged.temp_path[0] = '\0';
    return nullptr;
  }
  std::FILE* stream = fchmod(fd, static_cast<mode_t>(staged.mode)) == 0 ? fdopen(fd, "wb") : nullptr;
  if (stream == nullptr) {
    close(fd);
    discard_staged_output(staged);
  }
  return stream;
}

bool rename_over(const char* from, const char* to) { return std::rename(from, to) == 0; }

}  // namespace pl_config
