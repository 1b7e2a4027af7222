#include "command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "expect_run.h"
#include "tool_run.h"

namespace pl_config {
namespace {

namespace fs = std::filesystem;
using testing::read_file;

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
      {{"--wr", "--ch", "--lo"}, {.write_if_changed = true, .check = true, .located_errors = true}},
      {{"-o", "gen", "--write-if-changed", "--located-errors"},
       {.output_dir = "gen", .write_if_changed = true, .located_errors = true}},
      {{"-wc", "-d", "-"}, {.description = "-", .write_if_changed = true, .check = true}},
      {{"-cwo", "gen"}, {.output_dir = "gen", .write_if_changed = true, .check = true}},
      {{"--debugger-script", "gdb/wam.py", "-cw"},
       {.write_if_changed = true, .check = true, .debugger_script = "gdb/wam.py"}},
      {{"--debug=wam.py", "-c", "--format=json"}, {.check = true, .debugger_script = "wam.py", .format = json}},
      {{"--format", "text", "--check"}, {.check = true}},
      {{"--check", "--format=json", "--format=text"}, {.check = true}},
      {{
           "--",
       },
       {}},
      {{"--help", "--bogus"}, {.command = help}},
      {{"-w", "--version"}, {.command = version, .write_if_changed = true}},
#ifdef PL_CONFIG_LANGUAGE_SERVER
      {{"--ls"}, {.command = lsp}},
#else
      {{"--ls"},
       {.command = usage_error,
        .error = "option '--lsp' needs a build with the nlohmann/json library, which this one lacks"}},
#endif
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
    EXPECT_EQ(line.options.extra_outputs[ExtraOutput::debugger_script]
                  ? line.options.extra_outputs[ExtraOutput::debugger_script]
                  : "",
              c.expected.debugger_script);
    EXPECT_EQ(line.options.format, c.expected.format);
    EXPECT_EQ(line.error, c.expected.error);
  }
}

// The names the usage error of --no-warn lists: the message table's warnings.
std::string warning_names() {
  std::string names;
  for (std::size_t i = 0; i < message_count; ++i)
    if (const char* name = message_table[i].name) names += (names.empty() ? " (" : ", ") + std::string(name);
  return names + ")";
}

// Help, version and usage errors never touch a file: typed in an engine's
// source directory, they leave its headers alone.  A usage error is the two
// lines that getopt's programs write.
TEST(CommandLineTest, NoRunTouchesTheHeaders) {
  const std::string warnings = warning_names();
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;                                              // a usage error's first line, after "pl_config: "
    std::vector<std::pair<std::string, std::string>> links = {};  // target, link: POSIX only
    bool posix = false;
  } cases[] = {
      {{"--help"}, 0, read_file(fs::path(PL_CONFIG_GOLDEN_DIR) / "help"), ""},
      {{"--build-constants"}, 0, read_file(fs::path(PL_CONFIG_GOLDEN_DIR) / "build_constants"), ""},
      {{"--version"}, 0, "pl_config (Tarnhollow) 1.0.0\nCopyright (C) 2026 The Tarnhollow authors\n", ""},
      {{"-w", "stray"}, 2, "", "unexpected argument 'stray'"},
      {{"-h"}, 2, "", "invalid option -- 'h'"},
      {{"--de=wam_debug.py"}, 2, "", "option '--de' is ambiguous; possibilities: '--description' '--debugger-script'"},
      {{"--w", "--c"}, 2, "", "option '--w' is ambiguous; possibilities: '--write-if-changed' '--warnings' '--werror'"},
      {{"-w", "--c"}, 2, "", "option '--c' is ambiguous; possibilities: '--check' '--color'"},
      {{"--l=x"}, 2, "", "option '--l' is ambiguous; possibilities: '--located-errors' '--line-directives' '--lsp'"},
      {{"--color=rainbow"}, 2, "", "invalid argument 'rainbow' for '--color'"},
      {{"--no-warn=bogus"}, 2, "", "invalid argument 'bogus' for '--no-warn'" + warnings},
      {{"--no-warn", "keyword-nme"},
       2,
       "",
       "invalid argument 'keyword-nme' for '--no-warn'; did you mean 'keyword-name'?" + warnings},
      {{"--no-warn=long-line,Long-Lines"},
       2,
       "",
       "invalid argument 'Long-Lines' for '--no-warn'; did you mean 'long-line'?" + warnings},
      {{"--no-warn=,long-line"}, 2, "", "invalid argument '' for '--no-warn'" + warnings},
      {{"--debugger-script=wam_arch.def"},
       2,
       "",
       "option '--debugger-script': 'wam_arch.def' is the same file as the description 'wam_arch.def'"},
      {{"--debugger-script", "./wam_arch.h"},
       2,
       "",
       "option '--debugger-script': './wam_arch.h' is the same file as the header 'wam_arch.h'"},
      {{"-d", "wam_regs.h"}, 2, "", "the header 'wam_regs.h' is the same file as the description 'wam_regs.h'"},
      {{},
       2,
       "",
       "the header 'wam_arch.h' is the same file as the description 'wam_arch.def'",
       {{"wam_arch.def", "wam_arch.h"}}},
      {{},
       2,
       "",
       "the header 'wam_stacks.h' is the same file as the header 'wam_regs.h'",
       {{"wam_stacks.h", "wam_regs.h"}}},
      {{"--summary=/dev/fd/4"},
       2,
       "",
       "option '--summary': '/dev/fd/4' is not a descriptor that the caller handed over",
       {},
       true},
      {{"--debugger-script=/proc/self/fd/5"},
       2,
       "",
       "option '--debugger-script': '/proc/self/fd/5' is not a descriptor that the caller handed over",
       {},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    if (testing::windows_tools && (c.posix || !c.links.empty())) continue;
    const testing::ToolResult result = testing::run_tool(testing::default_tool, "x\n",
                                                         {.prepare =
                                                              [&](const fs::path& dir) {
                                                                for (const auto& [target, link] : c.links)
                                                                  fs::create_symlink(target, dir / link);
                                                              },
                                                          .args = c.args});
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err,
              c.err.empty() ? "" : "pl_config: " + c.err + "\nTry 'pl_config --help' for more information.\n");
    EXPECT_TRUE(result.files.empty());
  }
}

// The options that a line of the README's option block or a tag of the
// manual page names: "-d" and "--description" in "-d, --description=FILE",
// sorted; roff's escapes are taken out first.
std::vector<std::string> options_named(std::string text) {
  for (const std::string escape : {"\\%", "\\fR", "\\fP", "\\fB", "\\fI", "\\"})
    for (std::size_t at; (at = text.find(escape)) != std::string::npos;) text.erase(at, escape.size());
  static const std::regex option(R"((?:^|[\s,"])(--?[a-z][a-z-]*))");
  std::vector<std::string> names;
  for (std::sregex_iterator match(text.begin(), text.end(), option), end; match != end; ++match)
    names.push_back((*match)[1]);
  std::ranges::sort(names);
  return names;
}

// Every option of the table is in the README's block and in the manual
// page's list, and neither has any other.
TEST(CommandLineTest, DocumentsListTheOptionTable) {
  std::vector<std::string> table;
  for (std::size_t i = 0; i < option_table.size(); ++i) {
    if (option_table[i].short_name != '\0') table.push_back(std::string("-") + option_table[i].short_name);
    table.push_back(std::string("--") + option_table[i].long_name);
  }
  std::ranges::sort(table);

  const std::vector<std::string> readme = testing::lines_of(testing::read_file(PL_CONFIG_README));
  auto line = std::ranges::find(readme, "## Command line");
  while (line != readme.end() && *line != "```") ++line;
  std::string readme_names;
  while (line != readme.end() && ++line != readme.end() && *line != "```") {
    const std::size_t start = line->find_first_not_of(' ');
    if (start != std::string::npos) readme_names += " " + line->substr(start, line->find("  ", start) - start);
  }
  EXPECT_EQ(options_named(readme_names), table) << "README.md, the block under \"## Command line\"";

  const fs::path man_page = fs::path(PL_CONFIG_README).parent_path() / "docs" / "pl_config.1";
  const std::vector<std::string> man = testing::lines_of(testing::read_file(man_page));
  line = std::ranges::find(man, ".SH OPTIONS");
  std::string man_names;
  while (line != man.end() && ++line != man.end() && !line->starts_with(".SH "))
    if (*line == ".TP" && line + 1 != man.end()) man_names += " " + *++line;
  EXPECT_EQ(options_named(man_names), table) << man_page << ", the .TP entries under .SH OPTIONS";
}

}  // namespace
}  // namespace pl_config
