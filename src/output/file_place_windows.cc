// Where a file is on Windows: its path, as given.  Paths are narrow strings
// in the ANSI code page: a drive letter may lead them, and both "\" and "/"
// separate their parts.  Windows has no permission bits to keep: a header
// takes the directory's access rules, as a new file would, and a read-only
// header stays as it is, as a header the user may not write does elsewhere.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "file_place.h"

namespace pl_config::platform {

namespace {

File file_of(HANDLE handle) { return reinterpret_cast<File>(handle); }

bool failed_with(DWORD error) {
  errno = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT
          : error == ERROR_ACCESS_DENIED                                 ? EACCES
                                                                         : EIO;
  return false;
}

// The length of the part of `path` that names its directory, up to its last
// separator or a drive letter's colon.
int directory_length(const char* path) {
  int length = 0;
  for (int i = 0; path[i] != '\0'; ++i) {
    if (path[i] == '\\' || path[i] == '/' || (i == 1 && path[i] == ':')) length = i + 1;
  }
  return length;
}

// The volume and the file's index on it, which name one file whatever path
// leads to it.
void identify(const char* path, Place& place) {
  const HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileInformationByHandle(file, &information)) {
    place.device = information.dwVolumeSerialNumber;
    place.inode = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
  }
  CloseHandle(file);
}

}  // namespace

Place::~Place() = default;

bool Place::planted() const { return false; }

// Only a missing file is one that is not there yet; a missing directory, a
// denied look or a failed device fails.
bool resolve(const char* path, Place& place) {
  new (&place) Place;
  const int length = std::snprintf(place.name, sizeof place.name, "%s", path);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof place.name) {
    errno = ENAMETOOLONG;
    return false;
  }
  if (take_failure(Call::status)) return failed_with(ERROR_GEN_FAILURE);
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || failed_with(error);
  }
  place.kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::directory : Kind::regular;
  place.mode = (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
  identify(path, place);
  return true;
}

bool same_file(const Place& a, const Place& b) {
  if (a.exists() != b.exists()) return false;
  if (a.exists()) return a.inode != 0 && a.device == b.device && a.inode == b.inode;
  char full_a[MAX_PATH * 4], full_b[MAX_PATH * 4];
  const DWORD length_a = GetFullPathNameA(a.name, sizeof full_a, full_a, nullptr);
  const DWORD length_b = GetFullPathNameA(b.name, sizeof full_b, full_b, nullptr);
  return length_a > 0 && length_a < sizeof full_a && length_b > 0 && length_b < sizeof full_b &&
         lstrcmpiA(full_a, full_b) == 0;
}

bool may_write(const Place& place) { return (place.mode & 0200) != 0; }

// Opened so that other processes may still replace or delete the file
// meanwhile: comparing must not make a concurrent run fail.
File open_to_read(const Place& place) {
  if (take_failure(Call::open)) return no_file;
  return file_of(CreateFileA(place.name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// Through the C library's text mode, as the description has always been
// read: CR LF is a newline, Ctrl-Z its end.  A file, a pipe or the console;
// not a device such as NUL or a serial port.
File open_description(const Place& place) {
  if (take_failure(Call::open)) {
    errno = EIO;
    return no_file;
  }
  const int fd = _open(place.name, _O_RDONLY | _O_TEXT | _O_NOINHERIT);
  if (fd < 0) return no_file;
  const HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  const DWORD type = GetFileType(file);
  DWORD console_mode = 0;
  if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE ||
      (type == FILE_TYPE_CHAR && GetConsoleMode(file, &console_mode)))
    return fd;
  _close(fd);
  errno = not_a_text_source;
  return no_file;
}

std::ptrdiff_t read_description(File file, char* data, std::size_t size) {
  return _read(static_cast<int>(file), data, size < 0x40000000 ? static_cast<unsigned>(size) : 0x40000000);
}

// The one descriptor, moved there and back: offsets are the file's own,
// before the text mode drops a byte.
std::ptrdiff_t read_description_at(File file, std::int64_t& offset, char* data, std::size_t size) {
  const int fd = static_cast<int>(file);
  const __int64 position = _lseeki64(fd, 0, SEEK_CUR);
  if (position < 0 || _lseeki64(fd, offset, SEEK_SET) < 0) return -1;
  const int got = _read(fd, data, size < 0x40000000 ? static_cast<unsigned>(size) : 0x40000000);
  const __int64 after = _lseeki64(fd, 0, SEEK_CUR);
  if (_lseeki64(fd, position, SEEK_SET) < 0 || after < 0) return -1;
  offset = after;
  return got;
}

bool close_description(File file) { return _close(static_cast<int>(file)) == 0; }

File open_in_place(const Place& place) {
  if (take_failure(Call::open)) return no_file;
  return file_of(
      CreateFileA(place.name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

namespace {

// Named after the header with a leading dot and this process's id: the
// rename stays within one volume, and a run killed before it leaves a file
// that no later run reads or collides with.  The file is made new, so that
// the name is this run's.
File create_hidden(const Place& place, char (&hidden)[path_capacity]) {
  static unsigned serial = 0;
  const int dir_length = directory_length(place.name);
  for (int attempt = 0; attempt < 100 && !take_failure(Call::create); ++attempt) {
    const int length = std::snprintf(hidden, sizeof hidden, "%.*s.%s.%lu-%u", dir_length, place.name,
                                     place.name + dir_length, GetCurrentProcessId(), serial++);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof hidden) break;
    const HANDLE file = CreateFileA(hidden, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file_of(file);
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  hidden[0] = '\0';
  return no_file;
}

}  // namespace

File create_temp(const Place& place, char (&temp_name)[path_capacity], unsigned) {
  return create_hidden(place, temp_name);
}

File open_temp_to_read(const Place&, const char* temp_name) {
  return file_of(CreateFileA(temp_name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// The backup is a name of the run's own, empty until the replacement
// moves the old header there.
bool make_backup(const Place& place, char (&backup_name)[path_capacity]) {
  const File file = create_hidden(place, backup_name);
  return file != no_file && CloseHandle(reinterpret_cast<HANDLE>(file)) != 0;
}

// The rename replaces the header in one step, so that a reader sees the old
// file or the new one; with a backup, ReplaceFile keeps the old one under
// that name.  It fails while another process has the header open without
// letting others delete it.  Such a hold may last a moment only: a
// concurrent run that has just put the same header in place, a virus
// scanner, an indexer.  It is waited out for up to a second; a longer one (a
// compiler reading the header, an editor) fails the run, and the header
// stays as it was.
bool rename_temp(const Place& place, const char* temp_name, const char* backup_name) {
  if (take_failure(Call::rename)) return false;
  DWORD waited_ms = 0;
  for (DWORD delay_ms = 1;; delay_ms = delay_ms < 64 ? delay_ms * 2 : 100) {
    if (backup_name[0] != '\0'
            ? ReplaceFileA(place.name, temp_name, backup_name, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
            : MoveFileExA(temp_name, place.name, MOVEFILE_REPLACE_EXISTING))
      return true;
    const DWORD error = GetLastError();
    const bool held =
        error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
    if (!held || waited_ms >= 1000) {
      // A replacement that failed half way has moved the header away.
      if (backup_name[0] != '\0' && GetFileAttributesA(place.name) == INVALID_FILE_ATTRIBUTES)
        MoveFileExA(backup_name, place.name, 0);
      return false;
    }
    Sleep(delay_ms);
    waited_ms += delay_ms;
  }
}

bool restore_backup(const Place& place, const char* backup_name) {
  return MoveFileExA(backup_name, place.name, MOVEFILE_REPLACE_EXISTING) != 0;
}

bool remove_temp(const Place&, const char* temp_name) {
  return !take_failure(Call::remove) && DeleteFileA(temp_name) != 0;
}

unsigned new_file_mode() { return 0666; }

}  // namespace pl_config::platform
