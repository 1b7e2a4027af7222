#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "stream_bridge.h"

namespace pl_config {

namespace {

// Windows has no stream over a function of one's own: the bytes wait in a
// temporary file that goes when it is closed.
std::FILE* open_waiting_file() {
  char dir[MAX_PATH + 1], path[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof dir, dir);
  if (length == 0 || length > MAX_PATH || GetTempFileNameA(dir, "plc", 0, path) == 0) return nullptr;
  const HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR | _O_BINARY);
  if (fd < 0) {
    CloseHandle(file);
    return nullptr;
  }
  std::FILE* stream = _fdopen(fd, "w+b");
  if (stream == nullptr) _close(fd);
  return stream;
}

}  // namespace

StreamBridge::~StreamBridge() {
  if (stream_ != nullptr) std::fclose(stream_);
}

std::FILE* StreamBridge::open(Output&) {
  if (stream_ == nullptr) stream_ = open_waiting_file();
  return stream_;
}

bool StreamBridge::close(Output& out) {
  if (stream_ == nullptr) return true;
  static char block[64 * 1024];
  bool ok = std::fflush(stream_) == 0 && std::ferror(stream_) == 0 && std::fseek(stream_, 0, SEEK_SET) == 0;
  while (ok) {
    const std::size_t size = std::fread(block, 1, sizeof block, stream_);
    out.put(std::string_view(block, size));
    if (size < sizeof block) {
      ok = std::ferror(stream_) == 0;
      break;
    }
  }
  ok = std::fclose(stream_) == 0 && ok;
  stream_ = nullptr;
  return ok;
}

}  // namespace pl_config
