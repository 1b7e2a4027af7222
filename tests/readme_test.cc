// The README's example of --check: the fenced block after the comment line
// "<!-- checked description" is a whole wam_arch.def, and the one after
// "<!-- checked report" must be, byte for byte, what pl_config --check prints
// for it, so that the README cannot drift from the tool.  And every link in
// the markdown documents of the source tree leads somewhere.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "expect_run.h"

namespace pl_config::testing {
namespace {

// The text of the fenced block right after the one line that starts with
// `marker`, each line with its newline; empty, with a failure, when there is
// no such block or more than one marker.
std::string block_after(const std::string& markdown, const std::string& marker) {
  const std::vector<std::string> lines = lines_of(markdown);
  const auto is_marker = [&](const std::string& line) { return line.starts_with(marker); };
  EXPECT_EQ(std::ranges::count_if(lines, is_marker), 1) << "lines starting with " << marker;
  auto line = std::ranges::find_if(lines, is_marker);
  if (line == lines.end() || ++line == lines.end() || !line->starts_with("```")) {
    ADD_FAILURE() << "no fenced block right after " << marker;
    return "";
  }
  std::string block;
  while (++line != lines.end() && *line != "```") block += *line + "\n";
  if (line == lines.end()) ADD_FAILURE() << "the block after " << marker << " is not closed";
  EXPECT_FALSE(block.empty()) << "nothing after " << marker;
  return block;
}

TEST(ReadmeTest, CheckExamplePrintsTheReportShown) {
  const std::string readme = read_file(PL_CONFIG_README);
  const std::string description = block_after(readme, "<!-- checked description");
  const std::string report = block_after(readme, "<!-- checked report");
  ASSERT_FALSE(description.empty() || report.empty());
  // A check writes no file.
  expect_run(run_tool(default_tool, description, {.args = {"--check"}}), 0, report, "", {});
}

namespace fs = std::filesystem;

// GitHub's anchor of a heading's text: lower case, punctuation dropped but
// "-" and "_" (a code span's backticks with it), each blank a "-".  Bytes
// above 127 are kept: the headings here are ASCII.
std::string anchor_of(const std::string& heading) {
  std::string anchor;
  for (const char c : heading) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '-' || c == '_' || byte > 127) anchor += static_cast<char>(std::tolower(byte));
    else if (c == ' ') anchor += '-';
  }
  return anchor;
}

struct Document {
  std::string prose;              // outside fenced blocks, code spans blanked
  std::set<std::string> anchors;  // of its headings; a repeated one with "-1", "-2"...
};

Document read_document(const fs::path& path) {
  Document document;
  std::map<std::string, int> seen;
  bool fenced = false;
  static const std::regex heading("#{1,6} +(.*)"), code_span("`[^`]*`");
  for (const std::string& line : lines_of(read_file(path))) {
    if (line.starts_with("```")) fenced = !fenced;
    if (fenced || line.starts_with("```")) continue;
    std::smatch match;
    if (std::regex_match(line, match, heading)) {
      const std::string anchor = anchor_of(match[1]);
      const int repeats = seen[anchor]++;
      document.anchors.insert(repeats == 0 ? anchor : anchor + "-" + std::to_string(repeats));
    }
    document.prose += std::regex_replace(line, code_span, "``") + "\n";
  }
  return document;
}

// The markdown files below `dir`; build trees (a CMakeCache.txt at their
// top) and hidden folders are left out.
std::vector<fs::path> markdown_files(const fs::path& dir) {
  std::vector<fs::path> files;
  for (auto entry = fs::recursive_directory_iterator(dir); entry != fs::recursive_directory_iterator(); ++entry) {
    const std::string name = entry->path().filename().string();
    if (entry->is_directory() && (name.starts_with(".") || fs::exists(entry->path() / "CMakeCache.txt")))
      entry.disable_recursion_pending();
    else if (entry->is_regular_file() && entry->path().extension() == ".md") files.push_back(entry->path());
  }
  return files;
}

// Inline links "[text](target)" and reference definitions "[name]: target":
// a relative path names a file or folder beside the document, and an
// "#anchor", alone or after a markdown file, one of that file's headings.
TEST(DocumentLinksTest, EveryLinkLeadsSomewhere) {
  const fs::path root = PL_CONFIG_SOURCE_DIR;
  const std::vector<fs::path> files = markdown_files(root);
  for (const char* named : {"README.md", "docs/description-format.md", "tests/cases/README.md"})
    EXPECT_NE(std::ranges::find(files, root / named), files.end()) << named << " not found";
  static const std::regex link(R"(\]\(([^)\s]+)\)|^ {0,3}\[[^\]]+\]: +(\S+))", std::regex::multiline);
  int links = 0;
  for (const fs::path& file : files) {
    const Document document = read_document(file);
    for (std::sregex_iterator match(document.prose.begin(), document.prose.end(), link), end; match != end; ++match) {
      const std::string target = (*match)[1].matched ? (*match)[1].str() : (*match)[2].str();
      SCOPED_TRACE(fs::relative(file, root).string() + ": " + target);
      if (std::regex_search(target, std::regex("^[a-z]+:"))) continue;  // https:, mailto:
      ++links;
      const std::size_t hash = target.find('#');
      const fs::path path = hash == 0 ? file : file.parent_path() / target.substr(0, hash);
      EXPECT_TRUE(fs::exists(path)) << "no such file";
      if (hash != std::string::npos && path.extension() == ".md" && fs::exists(path)) {
        EXPECT_TRUE(read_document(path).anchors.contains(target.substr(hash + 1))) << "no such heading";
      }
    }
  }
  EXPECT_GT(links, 0);
}

}  // namespace
}  // namespace pl_config::testing
