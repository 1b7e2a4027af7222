// The headers as a build sees them: whole or not at all, left alone when
// unchanged, written where the command line says.  These run the built tool
// on real directories, the Windows tool as well (under wine) but where a
// test is about POSIX files or Windows paths.

#include "staged_output.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "expect_run.h"
#include "process.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

const fs::path golden_dir = fs::path(PL_CONFIG_GOLDEN_DIR) / "example";
const std::string example = read_file(PL_CONFIG_EXAMPLE_DEF);

Files golden_headers() {
  Files headers;
  for (const char* name : header_names) headers[name] = read_file(golden_dir / name);
  return headers;
}

// The example many times over: a run of about 100 ms, long enough to be
// caught in the middle.
std::string large_description() {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += example;
  return text;
}

// Runs the tool in `dir` `times` times in a row, in a process of its own.
pid_t start_tool(const fs::path& dir, int times = 1, const std::vector<std::string>& args = {}) {
  const std::vector<std::string> command = tool_command(default_tool, args);
  if (times == 1) return start_process(command, dir, "/dev/null", "/dev/null");
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (int i = 0; i < times; ++i)
    if (wait_process(start_process(command, dir, "/dev/null", "/dev/null")) != 0) _exit(1);
  _exit(0);
}

// The file holds `text`: read in one go, to catch a header mid-write.
bool holds(const fs::path& path, const std::string& text) {
  static std::string buffer;
  buffer.resize(text.size() + 1);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  const std::size_t size = std::fread(buffer.data(), 1, buffer.size(), file);
  std::fclose(file);
  return size == text.size() && buffer.compare(0, size, text) == 0;
}

// The headers a complete run writes for `description`, from a run of its own.
Files complete_headers(const std::string& description) {
  const ToolResult result = run_tool(default_tool, description);
  EXPECT_EQ(result.status, 0);
  return result.files;
}

// The headers whose date is no longer the old one.
std::vector<std::string> redated(const fs::path& dir) {
  std::vector<std::string> names;
  for (const char* name : header_names)
    if (fs::last_write_time(dir / name) != old_date) names.push_back(name);
  return names;
}

// Over the headers of an earlier run, dated long ago.  A header that begins
// with the whole new text but goes on is a change too.
TEST(StagedOutputTest, WriteIfChangedLeavesEqualHeadersAlone) {
  std::string bigger_trail = example;
  bigger_trail.replace(bigger_trail.find("256  TR"), 7, "512  TR");
  Files bigger_trail_headers = golden_headers();
  std::string& stacks = bigger_trail_headers["wam_stacks.h"];
  stacks.replace(stacks.find("&pl_def_trail_size, 32768,"), 26, "&pl_def_trail_size, 65536,");
  Files longer_regs = golden_headers();
  longer_regs["wam_regs.h"] += "#define STALE_MACRO 1\n";
  const struct {
    std::vector<std::string> args;
    std::string description;
    Files old_headers;
    Files headers;
    std::vector<std::string> replaced;
  } cases[] = {
      {{"--write-if-changed"}, example, golden_headers(), golden_headers(), {}},
      {{"-w"}, bigger_trail, golden_headers(), bigger_trail_headers, {"wam_stacks.h"}},
      {{"-w"}, example, longer_regs, golden_headers(), {"wam_regs.h"}},
      {{}, example, golden_headers(), golden_headers(), {header_names, std::end(header_names)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "no option" : c.args.front() + " " + std::to_string(c.replaced.size()));
    std::vector<std::string> replaced;
    const ToolResult result = run_tool(default_tool, c.description,
                                       {.prepare = [&](const fs::path& dir) { write_old_headers(dir, c.old_headers); },
                                        .args = c.args,
                                        .inspect = [&](const fs::path& dir) { replaced = redated(dir); }});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.files, c.headers);
    EXPECT_EQ(replaced, c.replaced);
  }
}

// With --write-if-changed too, whose temporary file comes only once a
// header differs.
TEST(StagedOutputTest, LinksStayAndPermissionBitsAreKept) {
  if (windows_tools) GTEST_SKIP() << "needs a POSIX host";
  const mode_t mask = umask(0);
  umask(mask);
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"-w"}}) {
    SCOPED_TRACE(args.empty() ? "no option" : args[0]);
    std::map<std::string, unsigned> modes;
    bool still_a_link = false;
    std::string link_target;
    const ToolResult result = run_tool(default_tool, example, {
        .prepare = [](const fs::path& dir) {
          fs::create_directory(dir / "targets");
          write_file(dir / "targets" / "regs.h", "old\n");
          fs::permissions(dir / "targets" / "regs.h", fs::perms(0640));
          fs::create_symlink("targets/regs.h", dir / "wam_regs.h");
          write_file(dir / "wam_stacks.h", "old\n");
          fs::permissions(dir / "wam_stacks.h", fs::perms(0600));
        },
        .args = args,
        .inspect = [&](const fs::path& dir) {
          for (const char* name : {"wam_arch.h", "wam_stacks.h", "targets/regs.h"})
            modes[name] = static_cast<unsigned>(fs::status(dir / name).permissions());
          still_a_link = fs::is_symlink(dir / "wam_regs.h");
          link_target = read_file(dir / "targets" / "regs.h");
        }});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(still_a_link);
    EXPECT_EQ(link_target, read_file(golden_dir / "wam_regs.h"));
    EXPECT_EQ(modes, (std::map<std::string, unsigned>{
                         {"wam_arch.h", 0666u & ~static_cast<unsigned>(mask)},
                         {"wam_stacks.h", 0600u},
                         {"targets/regs.h", 0640u},
                     }));
  }
}

// The user `nobody`, when the suite may give a link to them; else why not.
std::optional<uid_t> nobody_uid(std::string& why_not) {
  const passwd* nobody = getpwnam("nobody");
  const fs::path dir = make_temp_dir();
  fs::create_symlink("x", dir / "link");
  const bool given = nobody != nullptr && lchown((dir / "link").c_str(), nobody->pw_uid, -1) == 0;
  fs::remove_all(dir);
  if (given) return nobody->pw_uid;
  why_not = nobody == nullptr ? "no user nobody" : "cannot change a link's owner (needs root)";
  return std::nullopt;
}

// A link planted in a shared directory by another user is not followed: the
// run would replace a file of their choosing.
TEST(StagedOutputTest, LinksInStickySharedDirectories) {
  if (windows_tools) GTEST_SKIP() << "Windows follows no link";
  std::string why_not;
  const std::optional<uid_t> other = nobody_uid(why_not);
  if (!other) GTEST_SKIP() << why_not;
  enum Owner { runner, someone_else, directory_owner };
  const char* const owner_names[] = {"runner", "someone else", "directory's owner"};
  const struct {
    Owner link_owner;
    unsigned dir_mode;
    bool dangling;
    bool followed;
  } cases[] = {
      {someone_else, 01777, false, false}, {someone_else, 01777, true, false}, {runner, 01777, false, true},
      {directory_owner, 01777, true, true}, {someone_else, 0777, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << owner_names[c.link_owner] << " 0" << std::oct << c.dir_mode
                                      << (c.dangling ? " dangling" : ""));
    const std::string target = c.dangling ? "targets/new.h" : "targets/regs.h";
    bool still_a_link = false;
    Files files;  // every regular file under the run's directory, hidden ones too
    const ToolResult result = run_tool(default_tool, read_file(PL_CONFIG_EXAMPLE_DEF), {
        .prepare = [&](const fs::path& dir) {
          fs::create_directories(dir / "targets");
          write_file(dir / "targets" / "regs.h", "old\n");
          fs::create_directory(dir / "shared");
          fs::permissions(dir / "shared", fs::perms(c.dir_mode));
          fs::create_symlink(dir / target, dir / "shared" / "wam_regs.h");
          const uid_t link_uid = c.link_owner == runner ? geteuid() : *other;
          const uid_t dir_uid = c.link_owner == directory_owner ? *other : geteuid();
          EXPECT_EQ(lchown((dir / "shared" / "wam_regs.h").c_str(), link_uid, -1), 0);
          EXPECT_EQ(chown((dir / "shared").c_str(), dir_uid, -1), 0);
        },
        .args = {"--output-dir", "shared"},
        .inspect = [&](const fs::path& dir) {
          still_a_link = fs::is_symlink(dir / "shared" / "wam_regs.h");
          for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir))
            if (!entry.is_symlink() && entry.is_regular_file() && entry.path().filename() != "wam_arch.def")
              files[fs::relative(entry.path(), dir).string()] = read_file(entry.path());
        }});
    Files expected = {{"targets/regs.h", "old\n"}};
    if (c.followed) {
      for (const auto& [name, text] : golden_headers()) expected["shared/" + name] = text;
      expected.erase("shared/wam_regs.h");
      expected[target] = read_file(golden_dir / "wam_regs.h");
    }
    EXPECT_EQ(result.status, c.followed ? 0 : 1);
    EXPECT_EQ(result.err, c.followed ? "" : "cannot open shared/wam_regs.h\n");
    EXPECT_TRUE(still_a_link);
    EXPECT_EQ(files, expected);
  }
}

TEST(StagedOutputTest, PathsFromTheCommandLine) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
    std::string header_dir;  // where the headers must be, "" for nowhere
  } cases[] = {
      {{"--description", "sub/arch.def", "--output-dir", "gen"}, 0, "", "gen"},
      {{"-d", "./sub//arch.def", "-o", "gen/"}, 0, "", "gen"},
      {{"-d", "sub/none.def", "-o", "gen"}, 1, "cannot open sub/none.def\n", ""},
      {{"-d", "sub/arch.def", "-o", "missing"}, 1, "cannot open missing/wam_regs.h\n", ""},
      {{"-d", "sub/arch.def", "-o", "missing", "-w"}, 1, "cannot open missing/wam_regs.h\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1] + " " + c.args[3] + (c.args.size() > 4 ? " -w" : ""));
    Files headers;
    const ToolResult result = run_tool(default_tool, std::nullopt, {
        .prepare = [](const fs::path& dir) {
          fs::create_directories(dir / "sub");
          fs::create_directories(dir / "gen");
          write_file(dir / "sub" / "arch.def", example);
        },
        .args = c.args,
        .inspect = [&](const fs::path& dir) {
          for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir))
            if (entry.is_regular_file() && entry.path().extension() == ".h")
              headers[fs::relative(entry.path(), dir).string()] = read_file(entry.path());
        }});
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, c.err);
    Files expected;
    if (!c.header_dir.empty())
      for (const auto& [name, text] : golden_headers()) expected[c.header_dir + "/" + name] = text;
    EXPECT_EQ(headers, expected);
  }
}

// A drive letter and either slash, in absolute paths outside the working
// directory (wine maps drive Z: to the root directory).
TEST(StagedOutputTest, WindowsPathsWithADriveLetter) {
  if (!windows_tools) GTEST_SKIP() << "Windows paths";
  const auto windows_path = [](const fs::path& path, char slash) {
    std::string text = "Z:" + path.string();
    std::replace(text.begin(), text.end(), '/', slash);
    return text;
  };
  const fs::path root = make_temp_dir();
  fs::create_directory(root / "gen");
  write_file(root / "arch.def", example);
  const std::vector<std::string> cases[] = {
      {"--description", windows_path(root / "arch.def", '\\'), "--output-dir", windows_path(root / "gen", '/')},
      {"-d", windows_path(root / "arch.def", '/'), "-o", windows_path(root / "gen", '\\') + "\\"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args[1] + " " + args[3]);
    for (const char* name : header_names) fs::remove(root / "gen" / name);
    const ToolResult result = run_tool(default_tool, std::nullopt, {.args = args});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    Files headers;
    for (const fs::directory_entry& entry : fs::directory_iterator(root / "gen"))
      headers[entry.path().filename().string()] = read_file(entry.path());
    EXPECT_EQ(headers, golden_headers());
  }
  fs::remove_all(root);
}

// Windows replaces no file that another process holds open, as a compiler
// or an editor may: the run fails, and no header is replaced.
TEST(StagedOutputTest, HeaderHeldOpenOnWindowsFailsTheRun) {
  if (!windows_tools) GTEST_SKIP() << "POSIX systems replace an open file";
  int to_holder[2], from_holder[2];
  ASSERT_EQ(pipe2(to_holder, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(from_holder, O_CLOEXEC), 0);
  pid_t holder = -1;
  const ToolResult result = run_tool(default_tool, example, {
      .prepare = [&](const fs::path& dir) {
        write_old_headers(dir, previous_headers());
        holder = fork();
        if (holder == 0) {
          dup2(to_holder[0], STDIN_FILENO);
          dup2(from_holder[1], STDOUT_FILENO);
          close(to_holder[1]);
          exec_tool(hold_file_tool, {(dir / "wam_arch.h").string()});
        }
        close(to_holder[0]);
        close(from_holder[1]);
        char held[5] = "";
        ASSERT_EQ(read(from_holder[0], held, 4), 4);
        ASSERT_STREQ(held, "held");
      },
      .inspect = [&](const fs::path&) {
        close(to_holder[1]);
        close(from_holder[0]);
        waitpid(holder, nullptr, 0);
      }});
  expect_run(result, 1, read_file(golden_dir / "stdout"), "cannot write wam_arch.h\n", previous_headers());
}

// A syntax error at the very end of a large description: the run has written
// almost everything by then, and none of it may reach the headers.
TEST(StagedOutputTest, LateFailureLeavesThePreviousHeaders) {
  std::vector<std::string> replaced;
  const ToolResult result = run_tool(default_tool, large_description() + "@begin bogus\n", {
      .prepare = [&](const fs::path& dir) { write_old_headers(dir, previous_headers()); },
      .inspect = [&](const fs::path& dir) { replaced = redated(dir); }});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Syntax error: unknown section in: @begin bogus\n\n");
  EXPECT_EQ(result.files, previous_headers());  // and no temporary file
  EXPECT_EQ(replaced, std::vector<std::string>{});
}

// Killed at any moment, a run leaves each header as it was or complete; what
// else it leaves is hidden, and the next run goes through.
TEST(StagedOutputTest, KilledRunLeavesWholeHeaders) {
  const std::string description = large_description();
  const Files complete = complete_headers(description);
  const Files previous = previous_headers();
  const ToolResult result = run_tool(default_tool, description, {
      .prepare = [&](const fs::path& dir) {
        write_old_headers(dir, previous);
        for (int delay_ms = 0; delay_ms <= 150; delay_ms += 10) {
          const pid_t pid = start_tool(dir);
          std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
          kill(pid, SIGKILL);
          wait_process(pid);
          for (const char* name : header_names) {
            const std::string text = read_file(dir / name);
            EXPECT_TRUE(text == previous.at(name) || text == complete.at(name))
                << name << " after " << delay_ms << " ms";
          }
          for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name[0] == '.' || name == "wam_arch.def" || complete.contains(name)) << name;
          }
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(dir))
          if (entry.path().filename().string()[0] == '.') fs::remove(entry.path());
      }});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.files, complete);
}

// Six jobs at once in one directory, each running the tool four times, as a
// parallel make may start them, and a reader beside them: every read sees a
// whole header.  Every other job runs with --write-if-changed, comparing
// with the headers that the others keep replacing.
TEST(StagedOutputTest, ConcurrentRunsNeverShowATornHeader) {
  const std::string description = large_description();
  const Files complete = complete_headers(description);
  int passes_during_runs = 0;  // over all four headers, with a run still going
  std::vector<int> statuses;
  const ToolResult result = run_tool(default_tool, description, {
      .prepare = [&](const fs::path& dir) {
        write_old_headers(dir, complete);
        std::vector<pid_t> running;
        for (int i = 0; i < 6; ++i) {
          const std::vector<std::string> args = i % 2 == 0 ? std::vector<std::string>{} : std::vector<std::string>{"-w"};
          running.push_back(start_tool(dir, 4, args));
        }
        while (!running.empty()) {
          for (const char* name : header_names) EXPECT_TRUE(holds(dir / name, complete.at(name))) << name;
          std::erase_if(running, [&](pid_t pid) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) != pid) return false;
            statuses.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
            return true;
          });
          if (!running.empty()) ++passes_during_runs;
        }
      }});
  EXPECT_EQ(statuses, std::vector<int>(6, 0));
  EXPECT_GE(passes_during_runs, 2);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.files, complete);  // no temporary file left behind
}

}  // namespace
}  // namespace pl_config::testing
