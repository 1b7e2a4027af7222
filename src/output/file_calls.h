#pragma once

#include <cstddef>
#include <cstdint>

namespace pl_config::platform {

// The platform's own file calls that the tool's files are written on, one
// file per platform (file_calls_posix.cc, file_calls_windows.cc): POSIX
// descriptors or Windows handles, never stdio streams.  Every file is
// reached through a Place (file_place.h), never by a name opened twice.
using File = std::intptr_t;
inline constexpr File no_file = -1;
inline constexpr std::size_t path_capacity = 4096;

// Each call below can be made to fail once, as a full disk, a lost network
// share or a locked file would, and can be made to run a test's code just
// before it, as another process might at that moment, so that tests can
// reach every error path and every race.  `status` is a look at a path's
// component while it is resolved.
enum class Call { open, create, write, read, close, rename, remove, status, count };

namespace detail {
struct Hook {
  void (*run)(void* context) = nullptr;
  void* context = nullptr;
};
inline bool next_fails[static_cast<int>(Call::count)] = {};
inline Hook next_hooks[static_cast<int>(Call::count)] = {};
}  // namespace detail

inline void fail_next(Call call) { detail::next_fails[static_cast<int>(call)] = true; }
inline void before_next(Call call, void (*run)(void*), void* context) {
  detail::next_hooks[static_cast<int>(call)] = {run, context};
}

// Runs the hook set for `call`, once; then true once for a call that a
// test made fail.
inline bool take_failure(Call call) {
  const detail::Hook hook = detail::next_hooks[static_cast<int>(call)];
  detail::next_hooks[static_cast<int>(call)] = {};
  if (hook.run != nullptr) hook.run(hook.context);
  bool& fails = detail::next_fails[static_cast<int>(call)];
  const bool failing = fails;
  fails = false;
  return failing;
}

// Why a file was refused where the system itself would have let it be used,
// as an errno value beyond the system's own.
enum Refusal : int {
  others_link_in_shared_directory = 0x10000,
  others_file_in_shared_directory,
  not_a_text_source,
  changed_while_opened,
  unread_fifo,
  others_link_to_others_file,
  not_a_callers_descriptor,
};
// The reason of an errno value or a Refusal, in words.
const char* error_text(int error);

// Whether a file that another process holds open can be renamed over: on
// POSIX systems always, on Windows not while a reader holds it.
extern const bool renames_over_open_files;

bool write_all(File file, const char* data, std::size_t size);
// Up to `size` bytes: their count, 0 at the end, -1 on an error.
std::ptrdiff_t read_some(File file, char* data, std::size_t size);
bool rewind(File file);
bool close(File file);

// The process's standard output (1) or standard error (2), as the C library
// has set them up: on Windows in text mode, each LF written as CR LF.
bool write_standard(int stream, const char* data, std::size_t size);

}  // namespace pl_config::platform
