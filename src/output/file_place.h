#pragma once

#include <cstdint>

#include "file_calls.h"

namespace pl_config::platform {

enum class Kind { none, regular, directory, fifo, terminal, device, other };

// Where a path leads, found once and held for the run: every file the tool
// reads or writes is opened, created and renamed through one, so that
// nothing checked on the way can change before it is used.
//
// On POSIX systems the path is followed one component at a time from a
// directory held open, each link read and judged at its own hop: in a
// directory with the sticky bit and write for others (/tmp, a shared build
// area) a link is followed only when it belongs to the runner or to the
// directory's owner, as the kernel's protected_symlinks rule has it for
// open().  And wherever it is, a link of another user than the runner and
// root is followed only to what that user owns (for a file not there yet,
// the directory it would be made in): a path another user controls leads
// to nothing of a third user's, root's included.  What is left is the
// directory that holds the file, open, and the file's name in it, which is
// no link.  A path that names a descriptor (/dev/stdin, /dev/fd/N,
// /proc/self/fd/N) is that descriptor, when the caller handed it over: one
// the process opened itself is one of the run's own files.  On Windows a
// place is its path.
struct Place {
  Place() = default;
  ~Place();
  Place(const Place&) = delete;
  Place& operator=(const Place&) = delete;

  File dir = no_file;             // POSIX: the directory, opened to be searched
  char name[path_capacity] = "";  // POSIX: the name in it; Windows: the path
  int descriptor = -1;            // the process's own descriptor the path names; -1 for none
  // What is there, as the resolution found it.
  Kind kind = Kind::none;
  unsigned mode = 0;  // permission bits
  unsigned owner = 0, group = 0;
  unsigned links = 1;  // names the file has
  std::uint64_t device = 0, inode = 0;
  // The directory: another user could have put the file there.
  bool shared_directory = false;
  unsigned directory_owner = 0;
  std::uint64_t directory_device = 0, directory_inode = 0;

  bool exists() const { return kind != Kind::none; }
  // Owned by someone else than the runner and the directory's owner, in a
  // shared directory.
  bool planted() const;
  // A file with other names than this one: it may be someone else's file
  // too, and a header put in its place keeps nothing of it.
  bool hard_linked() const { return exists() && links > 1; }
};

// The reason of the last others_link_to_others_file refusal, the users named.
inline constexpr std::size_t owner_refusal_capacity = 192;
extern char owner_refusal[owner_refusal_capacity];

// Finds where `path` leads; false with errno (or a Refusal) set when it
// cannot be followed.  Only a missing last component is a file that is not
// there yet: any other error fails.
bool resolve(const char* path, Place& place);
// The same file, or the same name in the same directory for files not
// there yet.
bool same_file(const Place& a, const Place& b);
// The runner may write the file that is there.
bool may_write(const Place& place);

// Each open checks that it found what the resolution did.
// The file there, for reading from its start.
File open_to_read(const Place& place);
// The description: a regular file, a FIFO or pipe, or the terminal that is
// the process's standard input, read as the C library reads text (on
// Windows CR LF as LF, Ctrl-Z as the end).
File open_description(const Place& place);
// Up to `size` bytes of the description (no test fails these: the headers'
// reads are the ones made to fail).
std::ptrdiff_t read_description(File file, char* data, std::size_t size);
bool close_description(File file);
// Up to `size` bytes of the description from `offset`, which moves past
// what they took in the file; the next read_description() is not moved.
std::ptrdiff_t read_description_at(File file, std::int64_t& offset, char* data, std::size_t size);
// The file there written where it is (a device, a FIFO, a descriptor).  A
// FIFO that nobody reads fails at once.
File open_in_place(const Place& place);
// A new hidden file beside the place, named after it, with permission bits
// `mode` and, for a file that it will replace and that has no other name,
// where the runner may give them, its owner and group and its access ACL;
// its name goes to `temp_name`, "" when it cannot be created.
File create_temp(const Place& place, char (&temp_name)[path_capacity], unsigned mode);
File open_temp_to_read(const Place& place, const char* temp_name);
// A hidden name beside the place that will hold the file there once it is
// replaced, named as temporary files are, into `backup_name`: on POSIX
// systems a second link made now, on Windows a name the replacement keeps
// the old file under.
bool make_backup(const Place& place, char (&backup_name)[path_capacity]);
// Replaces the file at the place by the temporary file, in one step; the old
// one stays at `backup_name` when that is not "".
bool rename_temp(const Place& place, const char* temp_name, const char* backup_name);
// Puts the backup back at the place, over what was put there.
bool restore_backup(const Place& place, const char* backup_name);
// Removes a temporary file or a backup; with the place's own name, the file
// there.
bool remove_temp(const Place& place, const char* temp_name);
// The permission bits of a new file (0666 less the umask).
unsigned new_file_mode();

}  // namespace pl_config::platform
