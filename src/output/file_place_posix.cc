// Paths followed one component at a time from a directory held open
// (O_PATH: a directory one may search but not read is followed too).

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>

#include "file_place.h"
#include "messages.h"

namespace pl_config::platform {

namespace {

constexpr int max_link_depth = 40;  // the kernel's

// With a standard stream closed, the next file opened would take its
// number, and whatever the tool writes to that stream would land in a
// header: files live at 3 and above.
int above_standard_streams(int fd) {
  if (fd < 0 || fd > 2) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  ::close(fd);
  return moved;
}

int fail(int error) {
  errno = error;
  return -1;
}

bool shared(const struct stat& dir) { return (dir.st_mode & S_ISVTX) != 0 && (dir.st_mode & S_IWOTH) != 0; }

Kind kind_of(const struct stat& status) {
  if (S_ISREG(status.st_mode)) return Kind::regular;
  if (S_ISDIR(status.st_mode)) return Kind::directory;
  if (S_ISFIFO(status.st_mode)) return Kind::fifo;
  if (S_ISCHR(status.st_mode)) return Kind::device;
  return Kind::other;
}

void describe(Place& place, const struct stat& status) {
  place.kind = kind_of(status);
  place.mode = static_cast<unsigned>(status.st_mode) & 07777u;
  place.owner = status.st_uid;
  place.group = status.st_gid;
  place.links = static_cast<unsigned>(status.st_nlink);
  place.device = status.st_dev;
  place.inode = status.st_ino;
}

void describe_directory(Place& place, const struct stat& dir) {
  place.shared_directory = shared(dir);
  place.directory_owner = dir.st_uid;
  place.directory_device = dir.st_dev;
  place.directory_inode = dir.st_ino;
}

// The number N of /dev/fd/N, /proc/self/fd/N and the standard streams' own
// names; -1 for any other path.
int own_descriptor(std::string_view path) {
  constexpr std::string_view streams[] = {"/dev/stdin", "/dev/stdout", "/dev/stderr"};
  for (int i = 0; i < 3; ++i)
    if (path == streams[i]) return i;
  for (const std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!path.starts_with(prefix) || path.size() == prefix.size() || path.size() > prefix.size() + 9) continue;
    int number = 0;
    for (const char c : path.substr(prefix.size())) {
      if (c < '0' || c > '9') return -1;
      number = number * 10 + (c - '0');
    }
    return number;
  }
  return -1;
}

// The path still to follow, with each link's target put ahead of the rest.
// A link whose target must belong to its owner leaves a check that falls
// due at the target's last component, wherever later links move it.
class Walk {
 public:
  bool start(const char* path) {
    at_ = 0;
    check_count_ = 0;
    if (std::snprintf(text_, sizeof text_, "%s", path) < static_cast<int>(sizeof text_)) return true;
    errno = ENAMETOOLONG;
    return false;
  }
  // The next component into `name`: "." for a path that ends in a slash.
  bool next(char (&name)[NAME_MAX + 1], bool& last) {
    while (text_[at_] == '/') ++at_;
    const std::size_t length = std::strcspn(text_ + at_, "/");
    if (length > NAME_MAX) {
      errno = ENAMETOOLONG;
      return false;
    }
    std::memcpy(name, text_ + at_, length);
    name[length] = '\0';
    if (length == 0) std::memcpy(name, ".", 2);
    at_ += length;
    last = text_[at_] == '\0';
    return true;
  }
  // Follows a link met at the component just taken; what the target names
  // must belong to `owner`, unless that is `anyone`.
  bool splice(const char* target, unsigned owner) {
    char rest[sizeof text_];
    const int length = std::snprintf(rest, sizeof rest, "%s%s", target, text_ + at_);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof rest) {
      errno = ENAMETOOLONG;
      return false;
    }
    std::memcpy(text_, rest, static_cast<std::size_t>(length) + 1);
    const std::size_t target_length = std::strlen(target);
    for (int i = 0; i < check_count_; ++i) checks_[i].end = checks_[i].end - at_ + target_length;
    at_ = 0;
    if (owner == anyone) return true;
    std::size_t end = target_length;
    while (end > 0 && target[end - 1] == '/') --end;
    if (check_count_ == max_link_depth + 1) {
      errno = ELOOP;
      return false;
    }
    checks_[check_count_++] = {owner, end};
    return true;
  }
  // Whether what the walk has reached, owned by `owner`, may be there: the
  // target of a link must be its owner's.  Each check is made once; a
  // failed one leaves the link's owner in `link_owner`.
  bool owned_as_due(unsigned owner, unsigned& link_owner) {
    bool allowed = true;
    while (check_count_ > 0 && checks_[check_count_ - 1].end <= at_) {
      const Check& check = checks_[--check_count_];
      if (check.owner != owner && allowed) link_owner = check.owner;
      allowed = allowed && check.owner == owner;
    }
    return allowed;
  }

  static constexpr unsigned anyone = static_cast<unsigned>(-1);

 private:
  struct Check {
    unsigned owner;
    std::size_t end;  // where the target's last component ends in text_
  };
  char text_[2 * path_capacity];
  std::size_t at_ = 0;
  Check checks_[max_link_depth + 1];
  int check_count_ = 0;
};

// The component `name` of `dir`, opened as itself (a link is not followed).
int look_at(int dir, const char* name, struct stat& status) {
  if (take_failure(Call::status)) return fail(EIO);
  const int fd = above_standard_streams(openat(dir, name, O_PATH | O_NOFOLLOW | O_CLOEXEC));
  if (fd < 0) return -1;
  if (fstat(fd, &status) == 0) return fd;
  const int error = errno;
  ::close(fd);
  return fail(error);
}

// A link met in `dir`, judged there: its target, or false.
bool read_link(int link, const struct stat& status, const struct stat& dir, char (&target)[path_capacity]) {
  if (shared(dir) && status.st_uid != geteuid() && status.st_uid != dir.st_uid) {
    errno = others_link_in_shared_directory;
    return false;
  }
  const ssize_t length = readlinkat(link, "", target, sizeof target - 1);
  if (length < 0) return false;
  target[length] = '\0';
  return true;
}

// Whose a link's target must be: its owner's, unless that is the runner or
// root, who may lead anywhere.
unsigned target_owner_of(const struct stat& link) {
  return link.st_uid == geteuid() || link.st_uid == 0 ? Walk::anyone : link.st_uid;
}

bool resolve_from(int dir, Walk& walk, Place& place);

// The user's name from the password file, or their number where it has
// none: the C library's lookup would draw its name services into a static
// program.
void name_user(unsigned user, char (&name)[64]) {
  static char users[64 * 1024];
  std::snprintf(name, sizeof name, "%u", user);
  Place place;
  Walk walk;
  if (!walk.start("/etc/passwd") ||
      !resolve_from(above_standard_streams(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC)), walk, place))
    return;
  const int file = above_standard_streams(openat(static_cast<int>(place.dir), place.name, O_RDONLY | O_CLOEXEC));
  std::size_t size = 0;
  for (ssize_t got = 1; file >= 0 && got > 0 && size < sizeof users; size += static_cast<std::size_t>(got))
    if ((got = ::read(file, users + size, sizeof users - size)) < 0) got = 0;
  if (file >= 0) ::close(file);
  char number[16];
  std::snprintf(number, sizeof number, ":%u:", user);
  for (std::string_view rest(users, size); !rest.empty();) {
    const std::string_view line = rest.substr(0, rest.find('\n'));
    rest.remove_prefix(std::min(rest.size(), line.size() + 1));
    const std::size_t name_end = line.find(':');
    const std::size_t user_start = name_end == std::string_view::npos ? name_end : line.find(':', name_end + 1);
    if (user_start == std::string_view::npos || !line.substr(user_start).starts_with(number)) continue;
    if (name_end < sizeof name) std::snprintf(name, sizeof name, "%.*s", static_cast<int>(name_end), line.data());
    return;
  }
}

bool refuse_link(unsigned link_owner, unsigned target_owner) {
  char link_user[64], target_user[64];
  name_user(link_owner, link_user);
  name_user(target_owner, target_user);
  std::snprintf(owner_refusal, sizeof owner_refusal, entry_of(Message::others_link_to_others_file).text, link_user,
                target_user);
  errno = others_link_to_others_file;
  return false;
}

// What the walk has reached, owned by `owner`, is no link's target that
// another user may not lead to.
bool may_lead_to(Walk& walk, unsigned owner) {
  unsigned link_owner = 0;
  return walk.owned_as_due(owner, link_owner) || refuse_link(link_owner, owner);
}

bool found_at(int dir, const struct stat& dir_status, const char (&name)[NAME_MAX + 1], Place& place) {
  place.dir = dir;
  std::memcpy(place.name, name, sizeof name);
  describe_directory(place, dir_status);
  return true;
}

bool resolve_from(int dir, Walk& walk, Place& place) {
  struct stat dir_status;
  if (dir < 0) return false;
  if (fstat(dir, &dir_status) != 0) {
    const int error = errno;
    ::close(dir);
    errno = error;
    return false;
  }
  for (int links = 0;;) {
    char name[NAME_MAX + 1];
    bool last = false;
    if (!walk.next(name, last)) break;
    struct stat status;
    const int fd = look_at(dir, name, status);
    if (fd < 0 && errno == ENOENT && last) {
      if (!may_lead_to(walk, dir_status.st_uid)) break;
      return found_at(dir, dir_status, name, place);
    }
    if (fd < 0) break;
    if (!may_lead_to(walk, status.st_uid)) {
      ::close(fd);
      break;
    }
    if (S_ISLNK(status.st_mode)) {
      char target[path_capacity];
      if (++links > max_link_depth) errno = ELOOP;
      const bool followed = links <= max_link_depth && read_link(fd, status, dir_status, target);
      ::close(fd);
      if (!followed || !walk.splice(target, target_owner_of(status))) break;
      if (target[0] == '/') {
        ::close(dir);
        dir = above_standard_streams(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (dir < 0 || fstat(dir, &dir_status) != 0) break;
      }
      if (!may_lead_to(walk, dir_status.st_uid)) break;  // a link to "/"
      continue;
    }
    if (last) {
      ::close(fd);
      describe(place, status);
      return found_at(dir, dir_status, name, place);
    }
    if (!S_ISDIR(status.st_mode)) {
      ::close(fd);
      errno = ENOTDIR;
      break;
    }
    ::close(dir);
    dir = fd;
    dir_status = status;
  }
  const int error = errno;
  if (dir >= 0) ::close(dir);
  errno = error;
  return false;
}

// The standard streams and the descriptors the process had when it
// started are the caller's; every file the tool opens itself is opened
// close-on-exec, and one that is not open yet will be one of those.
bool handed_over(int descriptor) {
  const int flags = fcntl(descriptor, F_GETFD);
  if (descriptor > 2 && (flags < 0 || (flags & FD_CLOEXEC) != 0)) errno = not_a_callers_descriptor;
  return descriptor <= 2 ? flags >= 0 : flags >= 0 && (flags & FD_CLOEXEC) == 0;
}

// The terminal that the process has as standard input is at the place.
bool standard_input_terminal(const Place& place) {
  struct stat input;
  return isatty(0) && fstat(0, &input) == 0 && input.st_dev == place.device && input.st_ino == place.inode;
}

// Opens what the place holds and checks that it is what was found there.
int open_checked(const Place& place, int flags) {
  if (take_failure(Call::open)) return fail(EIO);
  const int fd = place.descriptor >= 0 ? fcntl(place.descriptor, F_DUPFD_CLOEXEC, 3)
                                       : above_standard_streams(openat(static_cast<int>(place.dir), place.name,
                                                                       flags | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
  if (fd < 0) return -1;
  struct stat status;
  if (fstat(fd, &status) == 0 && status.st_dev == place.device && status.st_ino == place.inode) return fd;
  ::close(fd);
  return fail(changed_while_opened);
}

// Blocking again, as the reads and writes expect.
int blocking(int fd) {
  if (fd < 0) return fd;
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) return fd;
  ::close(fd);
  return -1;
}

// The access ACL of the file at the place onto `file`, as `sed -i` keeps it:
// none to copy where the file system has none or the file holds none.
bool copy_access_acl(const Place& place, int file) {
  static char acl[64 * 1024];
  constexpr char attribute[] = "system.posix_acl_access";
  // A header the runner may write but not read is opened for writing,
  // which changes nothing in it either.
  int old = open_checked(place, O_RDONLY | O_NONBLOCK);
  if (old < 0 && errno == EACCES) old = open_checked(place, O_WRONLY | O_NONBLOCK);
  // Replaced meanwhile (by a concurrent run, say): there is no ACL to keep.
  if (old < 0) return errno == ENOENT || errno == ELOOP || errno == changed_while_opened;
  const ssize_t size = fgetxattr(old, attribute, acl, sizeof acl);
  const int error = errno;
  ::close(old);
  errno = error;
  if (size < 0 && (errno == ENODATA || errno == ENOTSUP)) return true;
  return size >= 0 && fsetxattr(file, attribute, acl, static_cast<std::size_t>(size), 0) == 0;
}

}  // namespace

Place::~Place() {
  if (dir != no_file) ::close(static_cast<int>(dir));
}

bool Place::planted() const { return shared_directory && exists() && owner != geteuid() && owner != directory_owner; }

bool resolve(const char* path, Place& place) {
  if (place.dir != no_file) ::close(static_cast<int>(place.dir));
  new (&place) Place;
  const int descriptor = own_descriptor(path);
  if (descriptor >= 0) {
    struct stat status;
    if (take_failure(Call::status)) {
      errno = EIO;
      return false;
    }
    if (!handed_over(descriptor) || fstat(descriptor, &status) != 0) return false;
    place.descriptor = descriptor;
    describe(place, status);
    return true;
  }
  if (path[0] == '\0') {
    errno = ENOENT;
    return false;
  }
  Walk walk;
  if (!walk.start(path)) return false;
  return resolve_from(above_standard_streams(open(path[0] == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC)), walk,
                      place);
}

bool same_file(const Place& a, const Place& b) {
  if (a.exists() != b.exists()) return false;
  if (a.exists()) return a.device == b.device && a.inode == b.inode;
  return a.directory_device == b.directory_device && a.directory_inode == b.directory_inode &&
         std::strcmp(a.name, b.name) == 0;
}

bool may_write(const Place& place) {
  return place.descriptor >= 0 || faccessat(static_cast<int>(place.dir), place.name, W_OK, 0) == 0;
}

File open_to_read(const Place& place) { return open_checked(place, O_RDONLY); }

// A FIFO waits for its writer, as any reader of one does.  A device is
// standard input's terminal, opened without waiting and checked once more,
// or it is refused unopened: a new pseudo-terminal (/dev/ptmx) or another
// session's terminal would be waited on for ever.
File open_description(const Place& place) {
  if (place.kind == Kind::other || (place.kind == Kind::device && !standard_input_terminal(place)))
    return fail(not_a_text_source);
  const int fd = open_checked(place, O_RDONLY | (place.kind == Kind::device ? O_NONBLOCK : 0));
  if (fd < 0 || place.kind != Kind::device) return fd;
  if (isatty(fd)) return blocking(fd);
  ::close(fd);
  return fail(not_a_text_source);
}

std::ptrdiff_t read_description(File file, char* data, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(file), data, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool close_description(File file) { return ::close(static_cast<int>(file)) == 0; }

std::ptrdiff_t read_description_at(File file, std::int64_t& offset, char* data, std::size_t size) {
  for (;;) {
    const ssize_t got = pread(static_cast<int>(file), data, size, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got > 0) offset += got;
    return got;
  }
}

File open_in_place(const Place& place) {
  const int fd = open_checked(place, O_WRONLY | O_NONBLOCK);
  if (fd < 0 && errno == ENXIO && place.kind == Kind::fifo) errno = unread_fifo;
  return blocking(fd);
}

// Tries hidden names beside the place, ".NAME." and six random letters,
// until `make` takes one that was free: its result (not negative), or -1
// with errno set.
template <typename Make>
int make_hidden(const Place& place, char (&hidden)[path_capacity], Make make) {
  static unsigned serial = 0;
  constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  int made = -1;
  for (int attempt = 0; attempt < 100 && made < 0; ++attempt) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    unsigned long long bits = static_cast<unsigned long long>(now.tv_nsec) ^
                              (static_cast<unsigned long long>(getpid()) << 32) ^ (++serial * 0x9E3779B97F4A7C15ull);
    char suffix[7] = "";
    for (int i = 0; i < 6; ++i, bits /= 62) suffix[i] = letters[bits % 62];
    const int length = std::snprintf(hidden, sizeof hidden, ".%s.%s", place.name, suffix);
    if (length < 0 || length > NAME_MAX) {
      hidden[0] = '\0';
      return fail(ENAMETOOLONG);
    }
    made = make(static_cast<const char*>(hidden));
    if (made < 0 && errno != EEXIST) break;
  }
  if (made < 0) hidden[0] = '\0';
  return made;
}

// A dot-file with a name of its own in the header's directory: the rename
// stays within one file system, and a run killed before it leaves only a
// hidden file that no later run reads or collides with.  The owner first:
// giving a file away clears bits that the mode then sets, and the ACL
// last, as it sets the group's bits.  A file with other names keeps all
// to itself.
File create_temp(const Place& place, char (&temp_name)[path_capacity], unsigned mode) {
  temp_name[0] = '\0';
  if (take_failure(Call::create)) return fail(EIO);
  const int dir = static_cast<int>(place.dir);
  const int fd = above_standard_streams(make_hidden(place, temp_name, [&](const char* name) {
    return openat(dir, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  }));
  const bool replaces = place.exists() && !place.hard_linked();
  if (fd >= 0 && replaces && fchown(fd, place.owner, place.group) != 0)
    static_cast<void>(fchown(fd, static_cast<uid_t>(-1), place.group));
  if (fd >= 0 && fchmod(fd, static_cast<mode_t>(mode & 0777u)) == 0 && (!replaces || copy_access_acl(place, fd)))
    return fd;
  const int error = errno;
  if (fd >= 0) {
    ::close(fd);
    unlinkat(dir, temp_name, 0);
  }
  temp_name[0] = '\0';
  return fail(error);
}

File open_temp_to_read(const Place& place, const char* temp_name) {
  return above_standard_streams(openat(static_cast<int>(place.dir), temp_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
}

// A second link to whatever is at the place now, which the rename will
// replace: a concurrent run may have replaced what the resolution found,
// and a link to a file that a rename is just replacing fails with ENOENT.
// No file there: no backup, and none is needed.
bool make_backup(const Place& place, char (&backup_name)[path_capacity]) {
  const int dir = static_cast<int>(place.dir);
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (make_hidden(place, backup_name, [&](const char* name) { return linkat(dir, place.name, dir, name, 0); }) >= 0)
      return true;
    struct stat status;
    if (errno != ENOENT) return false;
    if (fstatat(dir, place.name, &status, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
  }
  return false;
}

bool rename_temp(const Place& place, const char* temp_name, const char*) {
  const int dir = static_cast<int>(place.dir);
  return !take_failure(Call::rename) && renameat(dir, temp_name, dir, place.name) == 0;
}

bool restore_backup(const Place& place, const char* backup_name) {
  const int dir = static_cast<int>(place.dir);
  return renameat(dir, backup_name, dir, place.name) == 0;
}

bool remove_temp(const Place& place, const char* temp_name) {
  return !take_failure(Call::remove) && unlinkat(static_cast<int>(place.dir), temp_name, 0) == 0;
}

unsigned new_file_mode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666u & ~static_cast<unsigned>(mask);
}

}  // namespace pl_config::platform
