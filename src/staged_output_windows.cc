// The headers' file calls on Windows.  Paths are narrow strings in the ANSI
// code page, as fopen takes them: a drive letter may lead them, and both "\"
// and "/" separate their parts.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "staged_output.h"

namespace pl_config {

namespace {

// The length of the part of `path` that names its directory: up to its last
// separator, or past a drive letter's colon.
int directory_length(const char* path) {
  int length = 0;
  for (int i = 0; path[i] != '\0'; ++i) {
    if (path[i] == '\\' || path[i] == '/' || (i == 1 && path[i] == ':')) length = i + 1;
  }
  return length;
}

// Creates a new file beside the header, named after it with a leading dot and
// this process's id: the rename stays within one volume, and a run killed
// before it leaves a file that no later run reads or collides with.
HANDLE create_temp_file(const char* final_path, char (&temp_path)[StagedOutput::path_capacity]) {
  static unsigned serial = 0;
  const int dir_length = directory_length(final_path);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int length = std::snprintf(temp_path, sizeof temp_path, "%.*s.%s.%lu-%u", dir_length, final_path,
                                     final_path + dir_length, GetCurrentProcessId(), serial++);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof temp_path) break;
    const HANDLE file =
        CreateFileA(temp_path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  temp_path[0] = '\0';
  return INVALID_HANDLE_VALUE;
}

// Opened for reading only, and so that other processes may still replace or
// delete the file meanwhile: comparing must not make a concurrent run fail.
HANDLE open_to_compare(const char* path) {
  return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Reads up to `size` bytes; fewer only at the end of the file.
bool read_block(HANDLE file, char* block, DWORD size, DWORD& got) {
  got = 0;
  while (got < size) {
    DWORD more = 0;
    if (!ReadFile(file, block + got, size - got, &more, nullptr)) return false;
    if (more == 0) break;
    got += more;
  }
  return true;
}

}  // namespace

// Read back in large blocks into static buffers: the unchanged header may be
// hundreds of megabytes.
bool same_file_contents(const char* a_path, const char* b_path) {
  static char a_block[128 * 1024];
  static char b_block[128 * 1024];
  const HANDLE a = open_to_compare(a_path);
  const HANDLE b = open_to_compare(b_path);
  bool same = false;
  LARGE_INTEGER a_size, b_size;
  if (a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE && GetFileSizeEx(a, &a_size) &&
      GetFileSizeEx(b, &b_size) && a_size.QuadPart == b_size.QuadPart) {
    DWORD a_got = 0, b_got = 0;
    while (read_block(a, a_block, sizeof a_block, a_got) && read_block(b, b_block, sizeof b_block, b_got) &&
           a_got == b_got && std::memcmp(a_block, b_block, a_got) == 0) {
      if (a_got < sizeof a_block) {
        same = true;
        break;
      }
    }
  }
  if (a != INVALID_HANDLE_VALUE) CloseHandle(a);
  if (b != INVALID_HANDLE_VALUE) CloseHandle(b);
  return same;
}

// The rename replaces the header in one step, so that a reader sees the old
// file or the new one.  It fails while another process has the header open
// without letting others delete it.  Such a hold may last a moment only: a
// concurrent run that has just put the same header in place, a virus
// scanner, an indexer.  It is waited out for up to a second; a longer one (a
// compiler reading the header, an editor) fails the run, and the header
// stays as it was.
bool rename_over(const char* from, const char* to) {
  DWORD waited_ms = 0;
  for (DWORD delay_ms = 1;; delay_ms = delay_ms < 64 ? delay_ms * 2 : 100) {
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || waited_ms >= 1000) return false;
    Sleep(delay_ms);
    waited_ms += delay_ms;
  }
}

// Windows has no permission bits to keep: the header takes the directory's
// access rules, as a new file would.  A read-only header stays as it is, as
// a header the user may not write does elsewhere.
std::FILE* stage_output(const char* path, StagedOutput& staged) {
  staged.temp_path[0] = '\0';
  if (std::snprintf(staged.final_path, sizeof staged.final_path, "%s", path) >=
      static_cast<int>(sizeof staged.final_path))
    return nullptr;
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
    return nullptr;

  const HANDLE file = create_temp_file(staged.final_path, staged.temp_path);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
  std::FILE* stream = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
  if (stream == nullptr) {
    if (fd >= 0) {
      _close(fd);
    } else {
      CloseHandle(file);
    }
    discard_staged_output(staged);
  }
  return stream;
}

}  // namespace pl_config
