#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pl_config::testing {

// The tools built for the tests: the default constants, with the machine
// register lists (), (m1) and (m1 m2); and the default constants but for the
// version 214748.36.48, too large for the version macros.
inline constexpr char default_tool[] = PL_CONFIG_TEST_TOOL;
inline constexpr char m1_tool[] = PL_CONFIG_TEST_TOOL_M1;
inline constexpr char m1m2_tool[] = PL_CONFIG_TEST_TOOL_M1M2;
inline constexpr char big_version_tool[] = PL_CONFIG_TEST_TOOL_BIG_VERSION;

struct ToolResult {
  int status = -1;
  std::string out;
  std::string err;
  // Every regular file the run left in its directory but the description.
  std::map<std::string, std::string> files;
};

struct ToolOptions {
  // Runs in the fresh directory before the tool does.
  std::function<void(const std::filesystem::path&)> prepare = {};
  // Standard output goes to this file instead of being captured.
  std::optional<std::string> stdout_path = {};
  // The tool's arguments.
  std::vector<std::string> args = {};
  // Runs in the directory after the tool, before its files are collected.
  std::function<void(const std::filesystem::path&)> inspect = {};
};

// Runs `tool` in a fresh temporary directory holding `description` as
// wam_arch.def (no such file when it is nullopt), and removes the directory.
ToolResult run_tool(const char* tool, const std::optional<std::string>& description,
                    const ToolOptions& options = {});

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& bytes);

}  // namespace pl_config::testing
