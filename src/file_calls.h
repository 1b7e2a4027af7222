#pragma once

#include <cstddef>
#include <cstdint>

namespace pl_config::platform {

// The platform's own file calls that the tool's sinks are written on, one
// file per platform (file_calls_posix.cc, file_calls_windows.cc): POSIX
// descriptors or Windows handles, never stdio streams.
using File = std::intptr_t;
inline constexpr File no_file = -1;
inline constexpr std::size_t path_capacity = 4096;

// Each call below can be made to fail once, as a full disk, a lost network
// share or a locked file would, so that tests can reach every error path.
enum class Call { open, create, write, read, close, rename, remove, count };

namespace detail {
inline bool next_fails[static_cast<int>(Call::count)] = {};
}  // namespace detail

inline void fail_next(Call call) { detail::next_fails[static_cast<int>(call)] = true; }

// True once for a call that a test made fail.
inline bool take_failure(Call call) {
  bool& fails = detail::next_fails[static_cast<int>(call)];
  const bool failing = fails;
  fails = false;
  return failing;
}

// Whether a file that another process holds open can be renamed over: on
// POSIX systems always, on Windows not while a reader holds it.
extern const bool renames_over_open_files;

// The length of the part of `path` that names its directory, up to its last
// separator (on Windows also past a drive letter's colon); 0 for none.
int directory_length(const char* path);

// An existing file, for reading from its start.
File open_to_read(const char* path);
// A file written where it is (a device, a FIFO), created or emptied.
File open_in_place(const char* path);
// A new hidden file beside `final_path`, named after it, with permission
// bits `mode` where the platform has them; its name goes to `temp_path`, ""
// when it cannot be created.
File create_temp_beside(const char* final_path, char (&temp_path)[path_capacity], unsigned mode);

bool write_all(File file, const char* data, std::size_t size);
// Up to `size` bytes: their count, 0 at the end, -1 on an error.
std::ptrdiff_t read_some(File file, char* data, std::size_t size);
bool rewind(File file);
bool close(File file);
// Replaces the file at `to` by the one at `from` in one step.
bool rename_over(const char* from, const char* to);
bool remove(const char* path);

// The process's standard output (1) or standard error (2), as the C library
// has set them up: on Windows in text mode, each LF written as CR LF.
bool write_standard(int stream, const char* data, std::size_t size);

}  // namespace pl_config::platform
