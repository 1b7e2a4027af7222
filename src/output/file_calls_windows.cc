#include <io.h>
#include <windows.h>

#include "file_calls.h"

namespace pl_config::platform {

namespace {

HANDLE handle(File file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

const bool renames_over_open_files = false;

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
