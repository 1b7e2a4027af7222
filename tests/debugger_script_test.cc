#include "debugger_script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "expect_run.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

// The script's path is taken as given, like the description's; the file is
// put in place with the headers after a run that succeeded, never by a
// check, and a run that failed leaves an earlier script as it was.
TEST(DebuggerScriptTest, WrittenWithTheHeadersOrNotAtAll) {
  const std::string example = read_file(PL_CONFIG_EXAMPLE_DEF);
  const struct {
    std::vector<std::string> args;
    std::string description;
    int status;
    std::string err;
    std::vector<std::string> files;  // beside the description, the script last
    bool earlier_script = false;
  } cases[] = {
      {{"--debugger-script=wam_debug.py"},
       example,
       0,
       "",
       {"th_public_config.h", "wam_arch.h", "wam_regs.h", "wam_stacks.h", "wam_debug.py"}},
      {{"-o", "gen", "--debugger-script", "wam_debug.py"}, example, 0, "", {"wam_debug.py"}},
      // A plain run quotes the line with its newline.
      {{"--debugger-script=wam_debug.py"},
       "@begin Regs\n",
       1,
       "Syntax error: unknown section in: @begin Regs\n\n",
       {"wam_debug.py"},
       true},
      {{"--check", "--debugger-script=wam_debug.py"}, example, 0, "", {}},
      {{"--debugger-script=missing/wam_debug.py"}, example, 1, "cannot open missing/wam_debug.py\n", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    Files headers_in_gen;
    const ToolResult result = run_tool(default_tool, c.description,
                                       {.prepare =
                                            [&](const fs::path& dir) {
                                              fs::create_directory(dir / "gen");
                                              if (c.earlier_script) write_file(dir / "wam_debug.py", "earlier\n");
                                            },
                                        .args = c.args,
                                        .inspect =
                                            [&](const fs::path& dir) {
                                              for (const char* name : header_names)
                                                if (fs::exists(dir / "gen" / name))
                                                  headers_in_gen[name] = read_file(dir / "gen" / name);
                                            }});
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, c.err);
    std::vector<std::string> names;
    for (const auto& [name, bytes] : result.files)
      if (name != "wam_debug.py") names.push_back(name);
    if (result.files.contains("wam_debug.py")) names.push_back("wam_debug.py");
    EXPECT_EQ(names, c.files);
    if (c.earlier_script) {
      EXPECT_EQ(result.files.at("wam_debug.py"), "earlier\n");
    } else if (!names.empty()) {
      EXPECT_TRUE(result.files.at("wam_debug.py").starts_with("# The engine's debugging commands"));
      // The headers are those of a plain run, wherever they go.
      Files headers = headers_in_gen.empty() ? result.files : headers_in_gen;
      headers.erase("wam_debug.py");
      EXPECT_EQ(first_difference(headers, example_headers()), "");
    }
  }
}

TEST(DebuggerScriptTest, WriteIfChangedLeavesAnEqualScriptAlone) {
  const std::string example = read_file(PL_CONFIG_EXAMPLE_DEF);
  const std::string script =
      run_tool(default_tool, example, {.args = {"--debugger-script=wam_debug.py"}}).files["wam_debug.py"];
  ASSERT_FALSE(script.empty());
  const struct {
    std::string earlier;
    std::vector<std::string> args;
    bool replaced;
  } cases[] = {
      {script, {"--write-if-changed", "--debugger-script=wam_debug.py"}, false},
      {script, {"--debugger-script=wam_debug.py"}, true},
      {script + "# edited\n", {"-w", "--debugger-script=wam_debug.py"}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    bool replaced = false;
    const ToolResult result = run_tool(
        default_tool, example,
        {.prepare =
             [&](const fs::path& dir) {
               write_file(dir / "wam_debug.py", c.earlier);
               fs::last_write_time(dir / "wam_debug.py", old_date);
             },
         .args = c.args,
         .inspect = [&](const fs::path& dir) { replaced = fs::last_write_time(dir / "wam_debug.py") != old_date; }});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.files.at("wam_debug.py"), script);
    EXPECT_EQ(replaced, c.replaced);
  }
}

// The build compiles the commands in from their Python file: what the tool
// holds is that file byte for byte, its blank first line included.
TEST(DebuggerScriptTest, CommandsAreTheirFileByteForByte) {
  EXPECT_EQ(std::string(debugger_commands), read_file(PL_CONFIG_DEBUGGER_COMMANDS));
}

}  // namespace
}  // namespace pl_config::testing
