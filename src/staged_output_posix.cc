#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

bool locate_header(const char* path, HeaderPlace& place) {
  if (!resolve_links(path, place.final_path)) return false;
  struct stat status;
  place.exists = stat(place.final_path, &status) == 0;
  place.in_place = place.exists && !S_ISREG(status.st_mode);
  if (!place.exists) {
    place.mode = default_mode();
    return true;
  }
  if (S_ISDIR(status.st_mode)) {
    errno = EISDIR;
    return false;
  }
  place.mode = static_cast<unsigned>(status.st_mode) & 07777u;
  return place.in_place || access(place.final_path, W_OK) == 0;
}

bool may_create_beside(const char* final_path) {
  char dir[StagedOutput::path_capacity];
  return beside(final_path, ".", dir) && access(dir, W_OK | X_OK) == 0;
}

}  // namespace pl_config
