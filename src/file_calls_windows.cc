// Paths are narrow strings in the ANSI code page: a drive letter may lead
// them, and both "\" and "/" separate their parts.

#include <io.h>
#include <windows.h>

#include <cstdio>

#include "file_calls.h"

namespace pl_config::platform {

namespace {

HANDLE handle(File file) { return reinterpret_cast<HANDLE>(file); }
File file_of(HANDLE handle) { return reinterpret_cast<File>(handle); }

}  // namespace

const bool renames_over_open_files = false;

int directory_length(const char* path) {
  int length = 0;
  for (int i = 0; path[i] != '\0'; ++i) {
    if (path[i] == '\\' || path[i] == '/' || (i == 1 && path[i] == ':')) length = i + 1;
  }
  return length;
}

// Opened so that other processes may still replace or delete the file
// meanwhile: comparing must not make a concurrent run fail.
File open_to_read(const char* path) {
  if (take_failure(Call::open)) return no_file;
  return file_of(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

File open_in_place(const char* path) {
  if (take_failure(Call::open)) return no_file;
  return file_of(
      CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Named after the header with a leading dot and this process's id: the
// rename stays within one volume, and a run killed before it leaves a file
// that no later run reads or collides with.  Windows has no permission bits
// to keep: the file takes the directory's access rules.
File create_temp_beside(const char* final_path, char (&temp_path)[path_capacity], unsigned) {
  static unsigned serial = 0;
  const int dir_length = directory_length(final_path);
  for (int attempt = 0; attempt < 100 && !take_failure(Call::create); ++attempt) {
    const int length = std::snprintf(temp_path, sizeof temp_path, "%.*s.%s.%lu-%u", dir_length, final_path,
                                     final_path + dir_length, GetCurrentProcessId(), serial++);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof temp_path) break;
    const HANDLE file = CreateFileA(temp_path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file_of(file);
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  temp_path[0] = '\0';
  return no_file;
}

bool write_all(File file, const char* data, std::size_t size) {
  if (take_failure(Call::write)) return false;
  while (size > 0) {
    const DWORD part = size < 0x40000000 ? static_cast<DWORD>(size) : 0x40000000;
    DWORD written = 0;
    if (!WriteFile(handle(file), data, part, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

std::ptrdiff_t read_some(File file, char* data, std::size_t size) {
  if (take_failure(Call::read)) return -1;
  const DWORD part = size < 0x40000000 ? static_cast<DWORD>(size) : 0x40000000;
  DWORD got = 0;
  if (!ReadFile(handle(file), data, part, &got, nullptr)) return -1;
  return static_cast<std::ptrdiff_t>(got);
}

bool rewind(File file) {
  LARGE_INTEGER start{};
  return SetFilePointerEx(handle(file), start, nullptr, FILE_BEGIN) != 0;
}

bool close(File file) {
  const bool closed = CloseHandle(handle(file)) != 0;
  return !take_failure(Call::close) && closed;
}

// The rename replaces the header in one step, so that a reader sees the old
// file or the new one.  It fails while another process has the header open
// without letting others delete it.  Such a hold may last a moment only: a
// concurrent run that has just put the same header in place, a virus
// scanner, an indexer.  It is waited out for up to a second; a longer one (a
// compiler reading the header, an editor) fails the run, and the header
// stays as it was.
bool rename_over(const char* from, const char* to) {
  if (take_failure(Call::rename)) return false;
  DWORD waited_ms = 0;
  for (DWORD delay_ms = 1;; delay_ms = delay_ms < 64 ? delay_ms * 2 : 100) {
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || waited_ms >= 1000) return false;
    Sleep(delay_ms);
    waited_ms += delay_ms;
  }
}

bool remove(const char* path) { return !take_failure(Call::remove) && DeleteFileA(path) != 0; }

// Through the C library's descriptors, which hold the text mode that the
// tool's standard streams have always had.
bool write_standard(int stream, const char* data, std::size_t size) {
  if (take_failure(Call::write)) return false;
  while (size > 0) {
    const unsigned part = size < 0x40000000 ? static_cast<unsigned>(size) : 0x40000000;
    const int written = _write(stream, data, part);
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace pl_config::platform
