#include "tool_run.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "process.h"

namespace pl_config::testing {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void write_file(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

Files files_in(const fs::path& dir, bool subdirectories) {
  Files files;
  for (auto entry = fs::recursive_directory_iterator(dir); entry != fs::recursive_directory_iterator(); ++entry) {
    if (!subdirectories) entry.disable_recursion_pending();
    const std::string name = entry->path().lexically_relative(dir).string();
    if (!entry->is_symlink() && entry->is_regular_file() && name != "wam_arch.def")
      files[name] = read_file(entry->path());
  }
  return files;
}

Files example_headers() {
  Files headers;
  for (const char* name : header_names) {
    headers[name] = read_file(fs::path(PL_CONFIG_GOLDEN_DIR) / "example" / name);
    if (headers[name].empty()) throw std::runtime_error(std::string("golden file missing: ") + name);
  }
  return headers;
}

std::string example_summary() { return read_file(fs::path(PL_CONFIG_GOLDEN_DIR) / "example" / "stdout"); }

Files previous_headers(const char* except) {
  Files headers;
  for (const char* name : header_names)
    if (except == nullptr || std::string(name) != except) headers[name] = std::string("previous ") + name + "\n";
  return headers;
}

void write_old_headers(const fs::path& dir, const Files& headers) {
  for (const auto& [name, text] : headers) {
    write_file(dir / name, text);
    fs::last_write_time(dir / name, old_date);
  }
}

fs::path make_temp_dir() {
  std::string pattern = (fs::temp_directory_path() / "pl_config_test.XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

std::vector<std::string> tool_command(const char* tool, const std::vector<std::string>& args) {
  std::vector<std::string> argv;
  if (windows_tools) {
    setenv("WINEPREFIX", PL_CONFIG_TEST_WINEPREFIX, 1);
    setenv("WINEDEBUG", "-all", 1);
    argv.push_back(wine);
  }
  argv.push_back(tool);
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
}

void exec_tool(const char* tool, const std::vector<std::string>& args) {
  const std::vector<std::string> command = tool_command(tool, args);
  std::vector<char*> argv;
  for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

namespace {

const fs::path wine_prefix = PL_CONFIG_TEST_WINEPREFIX;

// wine writes to the tool's standard error while it sets up a new prefix.
void check_wine_prefix() {
  if (!fs::exists(wine_prefix / ".update-timestamp"))
    throw std::runtime_error("no wine prefix in " + wine_prefix.string() + ": run the wine_start test first");
}

// Standard output and error of a Windows tool are in text mode, which writes
// each LF as CR LF and nothing else differently.  A LF without its CR is left
// as it is, so that the comparison fails on it.
std::string from_text_mode(const std::string& bytes) {
  if (!windows_tools) return bytes;
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      text += '\n';
      ++i;
    } else if (bytes[i] == '\n') {
      text += "<LF without CR>\n";
    } else {
      text += bytes[i];
    }
  }
  return text;
}

}  // namespace

ToolResult run_tool(const char* tool, const std::optional<std::string>& description, const ToolOptions& options) {
  if (windows_tools) check_wine_prefix();
  const fs::path root = make_temp_dir();
  const fs::path dir = root / "run";
  fs::create_directory(dir);
  if (description) write_file(dir / "wam_arch.def", *description);
  if (options.prepare) options.prepare(dir);

  ToolResult result;
  const fs::path out = options.stdout_path ? fs::path(*options.stdout_path) : root / "stdout";
  std::vector<std::string> command = tool_command(tool, options.args);
  if (options.as_user) {
    const std::string id = std::to_string(*options.as_user);
    command.insert(command.begin(), {"/usr/bin/setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups"});
    fs::permissions(root, fs::perms(0711));
  }
  result.status = wait_process(start_process(command, dir, out, root / "stderr"));
  if (!options.stdout_path) result.out = from_text_mode(read_file(out));
  result.err = from_text_mode(read_file(root / "stderr"));
  if (options.inspect) options.inspect(dir);
  result.files = files_in(dir, options.subdirectories);
  fs::remove_all(root);
  return result;
}

}  // namespace pl_config::testing
