#include "diagnostics.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "expect_run.h"
#include "process.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

// What the options that show, turn off and harden warnings do to a run and a
// check of a description with one warning: the headers and the summary of a
// run that succeeds are those of a plain run.
TEST(DiagnosticOptionsTest, StatusesAndStreams) {
  const std::string description = "@begin regs\n@reg 0 WamWord int\n@end\n";
  const std::string warning =
      "wam_arch.def:2:16: warning: register int is named like a C keyword [keyword-name]\n"
      "    2 | @reg 0 WamWord int\n"
      "      |                ^~~\n";
  std::string as_error = warning;
  as_error.replace(as_error.find("warning:"), 8, "error:");
  const std::string cannot_open = "missing.def: error: cannot open: No such file or directory\n";
  const ToolResult plain = run_tool(default_tool, description);
  ASSERT_EQ(plain.status, 0);
  ASSERT_EQ(plain.files.size(), header_count);
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
    bool writes_headers;
  } cases[] = {
      {{"--warnings"}, 0, warning, true},
      {{"--warnings", "--no-warn=keyword-name"}, 0, "", true},
      {{"--warnings", "--no-warn=long-line,keyword-name"}, 0, "", true},
      {{"--warnings", "--no-warn=keyword-name,"}, 0, "", true},
      {{"--werror"}, 1, as_error + "all warnings being treated as errors\n", false},
      {{"--werror", "--located-errors"},
       1,
       as_error + "pl_config: error: all warnings being treated as errors\n",
       false},
      {{"--werror", "--no-warn", "keyword-name"}, 0, "", true},
      {{"--check", "--werror"}, 1, as_error, false},
      {{"--check", "--color=never"}, 0, warning, false},
      // Standard error is a pipe here: no colour unless asked for.
      {{"--check"}, 0, warning, false},
      // An error about a file names it, with the system's reason.
      {{"--check", "--description=missing.def"}, 1, cannot_open, false},
      {{"--located-errors", "-d", "missing.def"}, 1, cannot_open, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ToolResult result = run_tool(default_tool, description, {.args = c.args});
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, c.err);
    if (c.writes_headers) {
      EXPECT_EQ(result.out, plain.out);
      EXPECT_TRUE(result.files == plain.files) << first_difference(result.files, plain.files);
    } else {
      EXPECT_TRUE(result.files.empty());
    }
  }
}

// lldb imports the debugger script as the module of its base name without
// ".py": a name that Python cannot import draws a warning about the command
// line, in a check too, which writes no script.
TEST(DiagnosticOptionsTest, DebuggerScriptNames) {
  const auto warning = [](const char* severity, const std::string& path, const std::string& why) {
    return std::string("pl_config: ") + severity + ": debugger script " + path + ": " + why + " [script-name]\n";
  };
  const auto warned = [&](const std::string& path, const std::string& module) {
    return warning("warning", path, "lldb cannot import it: '" + module + "' is not a Python identifier");
  };
  const std::string gdb = "gdb reads it as gdb commands, and lldb cannot import it: the name does not end in .py";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
    bool posix = false;  // a name of UTF-8 bytes that a Windows command line cannot carry
  } cases[] = {
      {{"--check", "--debugger-script=wam-debug.py"}, 0, warned("wam-debug.py", "wam-debug")},
      {{"--check", "--debugger-script=build/2nd.py"}, 0, warned("build/2nd.py", "2nd")},
      {{"--check", "--debugger-script=wam.debug.py"}, 0, warned("wam.debug.py", "wam.debug")},
      {{"--check", "--debugger-script=class.py"},
       0,
       warning("warning", "class.py", "lldb cannot import it: 'class' is a Python keyword")},
      {{"--check", "--debugger-script=.py"}, 0, warned(".py", "")},
      {{"--check", "--debugger-script=wam\u20ACx.py"}, 0, warned("wam\u20ACx.py", "wam\u20ACx"), true},
      {{"--check", "--debugger-script=\u0663wam.py"}, 0, warned("\u0663wam.py", "\u0663wam"), true},
      {{"--check", "--debugger-script=wam_debug"}, 0, warning("warning", "wam_debug", gdb)},
      {{"--check", "--debugger-script=wam_debug.PY"}, 0, warning("warning", "wam_debug.PY", gdb)},
      // Only the base name counts; Python's names go beyond ASCII, with
      // marks after letters.
      {{"--check", "--debugger-script=build-1/_wam_debug2.py"}, 0, ""},
      {{"--check", "--debugger-script=w\u00E4m.py"}, 0, ""},
      {{"--check", "--debugger-script=wa\u0308m.py"}, 0, "", true},
      {{"--check", "--no-warn=script-name", "--debugger-script=wam-debug.py"}, 0, ""},
      {{"--warnings", "--debugger-script=wam-debug.py"}, 0, warned("wam-debug.py", "wam-debug")},
      {{"--debugger-script=wam-debug.py"}, 0, ""},
      {{"--werror", "--debugger-script=wam-debug.py"},
       1,
       warning("error", "wam-debug.py", "lldb cannot import it: 'wam-debug' is not a Python identifier") +
           "all warnings being treated as errors\n"},
  };
  for (const auto& c : cases) {
    if (c.posix && windows_tools) continue;
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ToolResult result = run_tool(default_tool, "@begin regs\n@reg 0 WamWordP H\n@end\n", {.args = c.args});
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, c.err);
  }
}

// What a check of a description with an error writes on standard error when
// that is a terminal, with NO_COLOR set to `no_color` (null: unset).
std::string error_on_a_terminal(const char* no_color, const std::vector<std::string>& args) {
  const std::filesystem::path dir = make_temp_dir();
  write_file(dir / "wam_arch.def", "@begin tags\n@tag A lng_int 0\n@end\n");
  int terminal = -1;
  const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (chdir(dir.c_str()) != 0 || dup2(null, STDOUT_FILENO) < 0) _exit(127);
    no_color ? setenv("NO_COLOR", no_color, 1) : unsetenv("NO_COLOR");
    exec_tool(default_tool, args);
  }
  std::string err;
  char bytes[4096];
  for (ssize_t got; pid > 0 && (got = read(terminal, bytes, sizeof bytes)) > 0;) err.append(bytes, got);
  if (pid > 0) wait_process(pid);
  close(terminal);
  std::filesystem::remove_all(dir);
  return err;
}

TEST(DiagnosticOptionsTest, ColourOnATerminalUnlessNoColorHasAValue) {
  if (windows_tools) GTEST_SKIP() << "a Windows console is no terminal of this system";
  const struct {
    const char* no_color;
    std::vector<std::string> args;
    bool coloured;
  } cases[] = {
      {nullptr, {"--check"}, true},
      {"", {"--check"}, true},
      {"1", {"--check"}, false},
      {"1", {"--check", "--color=always"}, true},
      {nullptr, {"--check", "--color=never"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("NO_COLOR ") + (c.no_color ? "'" + std::string(c.no_color) + "'" : "unset") + ", " +
                 ::testing::PrintToString(c.args));
    const std::string err = error_on_a_terminal(c.no_color, c.args);
    EXPECT_NE(err.find("wrong tag type"), std::string::npos) << err;
    EXPECT_EQ(err.find("\33[") != std::string::npos, c.coloured) << err;
  }
}

TEST(NearestChoiceTest, WithinTwoEditsLetterCaseAside) {
  EXPECT_EQ(nearest_choice("Regs", "regs, tags, stacks"), "regs");
  EXPECT_EQ(nearest_choice("stcks", "regs, tags, stacks"), "stacks");
  EXPECT_EQ(nearest_choice("rg", "regs, tags, stacks"), "regs");
  EXPECT_EQ(nearest_choice("integer", "long_int, short_uns, address"), "");
  EXPECT_EQ(nearest_choice("xyz", "reg, end"), "");
}

}  // namespace
}  // namespace pl_config::testing
