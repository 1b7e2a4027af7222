#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "header_rows.h"

namespace pl_config::testing {

// The tools built for the tests: the default constants, with the machine
// register lists (), (m1) and (m1 m2); and the default constants but for the
// version 214748.36.48, too large for the version macros.
inline constexpr char default_tool[] = PL_CONFIG_TEST_TOOL;
inline constexpr char m1_tool[] = PL_CONFIG_TEST_TOOL_M1;
inline constexpr char m1m2_tool[] = PL_CONFIG_TEST_TOOL_M1M2;
inline constexpr char big_version_tool[] = PL_CONFIG_TEST_TOOL_BIG_VERSION;
// Windows tools only: holds a file open as Windows programs do, so that it
// cannot be replaced (tools/hold_file.cc).
inline constexpr char hold_file_tool[] = PL_CONFIG_TEST_HOLD_FILE;

// Whether the tools are Windows programs, started under wine.  Their C
// library reads the description in text mode, where CR LF reads as LF and
// Ctrl-Z ends the file, and writes standard output and error in text mode,
// LF as CR LF: run_tool() takes that back, so that a test compares the same
// text on both systems.
inline constexpr char wine[] = PL_CONFIG_TEST_WINE;
inline constexpr bool windows_tools = wine[0] != '\0';

// Files by name, or by path from the directory they are in.
using Files = std::map<std::string, std::string>;

struct ToolResult {
  int status = -1;
  std::string out;
  std::string err;
  // Every regular file the run left in its directory but the description
  // (and below it, with `subdirectories`).
  Files files;
};

struct ToolOptions {
  // Runs in the fresh directory before the tool does.
  std::function<void(const std::filesystem::path&)> prepare = {};
  // Standard output goes to this file instead of being captured; "-": closed.
  std::optional<std::string> stdout_path = {};
  std::vector<std::string> args = {};
  // Runs in the directory after the tool, before its files are collected.
  std::function<void(const std::filesystem::path&)> inspect = {};
  bool subdirectories = false;
  // Runs the tool as this user and group (POSIX tools; the test runs as
  // root), who may search the run's directory.
  std::optional<unsigned> as_user = {};
};

// Runs `tool` in a fresh temporary directory holding `description` as
// wam_arch.def (no such file when it is nullopt), and removes the directory.
ToolResult run_tool(const char* tool, const std::optional<std::string>& description, const ToolOptions& options = {});

// The command line that runs `tool` (under wine for Windows tools), for
// start_process().
std::vector<std::string> tool_command(const char* tool, const std::vector<std::string>& args = {});
// Replaces the process by a run of `tool`.
[[noreturn]] void exec_tool(const char* tool, const std::vector<std::string>& args = {});

// The headers, in the order a run opens them: those open for the whole run
// first.
inline constexpr std::array<const char*, header_count> header_names = [] {
  std::array<const char*, header_count> names{};
  std::size_t n = 0;
  for (const HeaderSpan span : {HeaderSpan::whole_run, HeaderSpan::description})
    for (const HeaderRow& row : header_rows)
      if (row.span == span) names[n++] = row.name;
  return names;
}();

// The headers that a run on the shipped example writes, worked out by hand
// (tests/golden/example), and its standard output.
Files example_headers();
std::string example_summary();

// The headers of an earlier run: "previous <name>" in each, but `except`.
Files previous_headers(const char* except = nullptr);
// Writes `headers` into `dir`, each dated `old_date`.
void write_old_headers(const std::filesystem::path& dir, const Files& headers);
inline const std::filesystem::file_time_type old_date =
    std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365);

// A new directory under the system's temporary directory.
std::filesystem::path make_temp_dir();

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& bytes);
// The regular files in `dir`, and with `subdirectories` below it, but a
// description at its top; links are left out.
Files files_in(const std::filesystem::path& dir, bool subdirectories = false);

}  // namespace pl_config::testing
