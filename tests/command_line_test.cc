#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tool_run.h"

namespace pl_config {
namespace {

struct Expected {
  Command command = Command::run;
  std::string description = "wam_arch.def";
  std::string output_dir = "";  // "" for none
  bool write_if_changed = false;
  bool check = false;
  bool located_errors = false;
  std::string debugger_script = "";  // "" for none
  ReportFormat format = ReportFormat::text;
  std::string error = "";
};

TEST(CommandLineTest, OptionsInTheirGnuForms) {
  using enum Command;
  using enum ReportFormat;
  const struct {
    std::vector<std::string> args;
    Expected expected;
  } cases[] = {
      {{}, {}},
      {{"--description", "a.def"}, {.description = "a.def"}},
      {{"--description=a.def"}, {.description = "a.def"}},
      {{"-d", "a.def"}, {.description = "a.def"}},
      {{"-da.def"}, {.description = "a.def"}},
      {{"--desc=a.def", "--out", "gen"}, {.description = "a.def", .output_dir = "gen"}},
      {{"-o", "gen", "--write-if-changed", "--located-errors"},
       {.output_dir = "gen", .write_if_changed = true, .located_errors = true}},
      {{"-wc", "-d", "-"}, {.description = "-", .write_if_changed = true, .check = true}},
      {{"-cwo", "gen"}, {.output_dir = "gen", .write_if_changed = true, .check = true}},
      {{"--debugger-script", "gdb/wam.py", "-cw"},
       {.write_if_changed = true, .check = true, .debugger_script = "gdb/wam.py"}},
      {{"--debug=wam.py", "-c", "--format=json"}, {.check = true, .debugger_script = "wam.py", .format = json}},
      {{"--format", "text", "--check"}, {.check = true}},
      {{"--check", "--format=json", "--format=text"}, {.check = true}},
      {{"--", }, {}},
      {{"--help", "--bogus"}, {.command = help}},
      {{"-w", "--version"}, {.command = version, .write_if_changed = true}},
      // Usage errors: the first one found.
      {{"--bogus"}, {.command = usage_error, .error = "unrecognized option '--bogus'"}},
      {{"--checks"}, {.command = usage_error, .error = "unrecognized option '--checks'"}},
      {{"-wx"}, {.command = usage_error, .write_if_changed = true, .error = "invalid option -- 'x'"}},
      {{"--description"}, {.command = usage_error, .error = "option '--description' requires an argument"}},
      {{"--description="}, {.command = usage_error, .error = "option '--description' requires a non-empty argument"}},
      {{"-d"}, {.command = usage_error, .error = "option requires an argument -- 'd'"}},
      {{"--check=yes"}, {.command = usage_error, .error = "option '--check' doesn't allow an argument"}},
      {{"wam_arch.def"}, {.command = usage_error, .error = "unexpected argument 'wam_arch.def'"}},
      {{"-c", "--format=JSON"},
       {.command = usage_error, .check = true, .error = "invalid argument 'JSON' for '--format'"}},
      {{"--format=json"}, {.command = usage_error, .format = json, .error = "option '--format' needs --check"}},
      {{"--format=json", "--bogus"},
       {.command = usage_error, .format = json, .error = "unrecognized option '--bogus'"}},
      {{"--debugger-script="},
       {.command = usage_error, .error = "option '--debugger-script' requires a non-empty argument"}},
      // A lone "-" is an operand, as standard input would be elsewhere.
      {{"-"}, {.command = usage_error, .error = "unexpected argument '-'"}},
      {{"--", "--help"}, {.command = usage_error, .error = "unexpected argument '--help'"}},
      {{"--bogus", "--help"}, {.command = usage_error, .error = "unrecognized option '--bogus'"}},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv{"pl_config"};
    std::string joined = "pl_config";
    for (const std::string& arg : c.args) {
      argv.push_back(arg.c_str());
      joined += " " + arg;
    }
    SCOPED_TRACE(joined);
    const CommandLine line = parse_command_line(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(line.command, c.expected.command);
    EXPECT_EQ(line.options.description, c.expected.description);
    EXPECT_EQ(line.options.output_dir ? line.options.output_dir : "", c.expected.output_dir);
    EXPECT_EQ(line.options.write_if_changed, c.expected.write_if_changed);
    EXPECT_EQ(line.options.check, c.expected.check);
    EXPECT_EQ(line.options.located_errors, c.expected.located_errors);
    EXPECT_EQ(line.options.debugger_script ? line.options.debugger_script : "", c.expected.debugger_script);
    EXPECT_EQ(line.options.format, c.expected.format);
    EXPECT_EQ(line.error, c.expected.error);
  }
}

// Help, version and usage errors never touch a file: typed in an engine's
// source directory, they leave its headers alone.
TEST(CommandLineTest, NoRunTouchesTheHeaders) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out_start;  // "": nothing at all
    std::string err;
  } cases[] = {
      {{"--help"}, 0, "Usage: pl_config [OPTION]...\n", ""},
      {{"--version"}, 0, "pl_config (Tarnhollow) 1.0.0\nCopyright (C) 2026 The Tarnhollow authors\n", ""},
      {{"-w", "stray"}, 2, "",
       "pl_config: unexpected argument 'stray'\nTry 'pl_config --help' for more information.\n"},
      {{"-h"}, 2, "", "pl_config: invalid option -- 'h'\nTry 'pl_config --help' for more information.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front());
    const testing::ToolResult result = testing::run_tool(testing::default_tool, "x\n", {.args = c.args});
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(c.out_start.empty() ? result.out : result.out.substr(0, c.out_start.size()), c.out_start);
    EXPECT_EQ(result.err, c.err);
    EXPECT_TRUE(result.files.empty());
  }
}

}  // namespace
}  // namespace pl_config
