#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core_run.h"
#include "expect_run.h"
#include "expected_output.h"
#include "reader.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

const std::string example = read_file(PL_CONFIG_EXAMPLE_DEF);
const std::size_t block = DescriptionInput::buffer_size;

// The golden files, with `ordinary` ahead of the example's own lines and
// `tail` after them in the architecture header.
void expect_golden_run(const ToolResult& result, const std::string& ordinary = "", const std::string& tail = "") {
  Files files = example_headers();
  files["wam_arch.h"] = ordinary + files["wam_arch.h"] + tail;
  expect_run(result, 0, example_summary(), "", files);
}

// The example alone: the golden files, which an update writes.
void expect_example_run(const ToolResult& result) {
  expect_run(result, 0, result.out, "", result.files);
  Files got = result.files;
  got["stdout"] = result.out;
  expect_files(std::filesystem::path(PL_CONFIG_GOLDEN_DIR) / "example", got, {"check_report"});
}

std::string with_crlf(const std::string& text) {
  std::string crlf;
  for (const char c : text) crlf += c == '\n' ? "\r\n" : std::string(1, c);
  return crlf;
}

// The shipped description exercises all three sections and the ordinary
// lines between them in one run, so the whole output is pinned byte for byte
// against files worked out by hand from its declarations.  The description is
// read in text mode: on Windows CR LF reads as LF, also where a CR ends one
// read of the reader's block and its LF starts the next, and a Ctrl-Z ends
// the file, so a description saved with either line end gives the same
// headers.  POSIX systems read every byte as it stands: a CR is part of its
// line.
TEST(ExampleDescriptionTest, MatchesGoldenFilesWithEitherLineEnd) {
  const std::string long_line = std::string(block - 1, 'l') + "\n";
  // Ahead of the example, so that its middle is in the second block: 81
  // bytes a line with CR LF.
  const std::string lines =
      repeated(static_cast<int>((block - with_crlf(example).size() / 2) / 81), std::string(79, 'o') + "\n");
  ASSERT_EQ(with_crlf(long_line).substr(block - 1, 2), "\r\n");
  ASSERT_LT(with_crlf(lines).size(), block);
  ASSERT_GT(with_crlf(lines + example).size(), block);
  const struct {
    const char* form;
    std::string description;
    std::string ordinary;                   // the lines ahead of the example
    std::optional<std::string> posix_tail;  // what POSIX systems copy after it; none: they give other headers
  } cases[] = {
      {"LF", example, "", ""},
      {"CR LF", with_crlf(example), "", std::nullopt},
      {"CR LF, a CR last in the first read", with_crlf(long_line + example), long_line, std::nullopt},
      {"CR LF, the example across two reads", with_crlf(lines + example), lines, std::nullopt},
      {"LF, then Ctrl-Z", example + "\x1a@never read\n", "", "\x1a@never read\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.form);
    if (&c == &cases[0]) expect_example_run(run_tool(default_tool, c.description));
    else if (windows_tools || c.posix_tail)
      expect_golden_run(run_tool(default_tool, c.description), c.ordinary, windows_tools ? "" : *c.posix_tail);
  }
}

// The description is read in blocks of DescriptionInput::buffer_size: pushed
// down by ordinary lines, the example's lines, directive lines among them,
// fall across the end of the first block, and nothing of the output may
// change.  The blocks
// are the reader's own, so a run in memory shows it.
TEST(ExampleDescriptionTest, SameOutputWhereverTheReadBlocksEnd) {
  for (std::size_t shift = 0; shift < example.size(); shift += 97) {
    std::string ordinary;
    while (ordinary.size() + 81 < block - shift) ordinary += std::string(79, 'o') + "\n";
    ordinary += std::string(block - shift - ordinary.size() - 1, 'p') + "\n";
    ASSERT_EQ(ordinary.size() + shift, block);
    SCOPED_TRACE("block ends " + std::to_string(shift) + " bytes into the example");
    expect_golden_run(run_in_process(ordinary + example), ordinary);
  }
}

// With --line-directives a "#line N FILE" names the line after it: line N of
// the description ahead of copied lines, the header's own next line ahead of
// a generated block.
TEST(ExampleDescriptionTest, EachLineDirectiveNamesTheLineAfterIt) {
  const ToolResult result = run_tool(default_tool, example, {.args = {"--line-directives"}});
  ASSERT_EQ(result.status, 0);
  const std::vector<std::string> header = lines_of(result.files.at("wam_arch.h")), description = lines_of(example);
  int own_lines = 0;
  for (std::size_t at = 0; at + 1 < header.size(); ++at) {
    std::size_t line = 0;
    char file[32] = "";
    if (std::sscanf(header[at].c_str(), "#line %zu \"%31[^\"]\"", &line, file) != 2) continue;
    SCOPED_TRACE(header[at] + " on line " + std::to_string(at + 1));
    if (file == std::string("wam_arch.h")) {
      ++own_lines;
      EXPECT_EQ(line, at + 2);
    } else {
      ASSERT_TRUE(line >= 1 && line <= description.size());
      EXPECT_EQ(header[at + 1], description[line - 1]);
    }
  }
  EXPECT_EQ(own_lines, 3);  // one ahead of each section's block
}

}  // namespace
}  // namespace pl_config::testing
