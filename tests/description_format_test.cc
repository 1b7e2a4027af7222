// The examples of docs/description-format.md run through the whole tool, in
// memory, and what the document shows of each output must be what the tool
// writes, so the reference cannot drift from the tool.
//
// An example is a fenced block titled "description", a whole wam_arch.def
// (further words in its title are settings: "PL_CONFIG_MACHINE_REGS=x19;x20",
// "--check", "--format=json", "--located-errors", "--debugger-script=FILE" of a
// check), and the fenced blocks up to the next
// example whose title's second word names an output: a header, "stdout" or
// "stderr".  A header or stdout block must be whole lines of that output; a
// stderr block is all of standard error, so an example without one must
// succeed without a warning.  The paragraph before each block names what its
// title says, for the reader of the rendered document.  And its table of the
// command line's errors shows every usage message of the message table, and
// each warning of the table has its paragraph.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core_run.h"
#include "messages.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

struct Block {
  int line;                        // of the opening fence
  std::vector<std::string> title;  // the info string's words
  std::string text;                // each line with its newline
  std::string paragraph;           // the last paragraph before it, if no block came between

  bool is(const char* kind) const { return !title.empty() && title[0] == kind; }
};

std::vector<std::string> words(const std::string& text, char separator = ' ') {
  std::istringstream in(text);
  std::vector<std::string> result;
  for (std::string word; std::getline(in, word, separator);)
    if (!word.empty()) result.push_back(word);
  return result;
}

std::vector<Block> fenced_blocks(const std::string& markdown) {
  std::vector<Block> blocks;
  std::istringstream in(markdown);
  std::string paragraph;
  bool paragraph_ended = true;
  Block* open = nullptr;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (open != nullptr) {
      if (line == "```") open = nullptr, paragraph.clear();
      else open->text += line + "\n";
    } else if (line.starts_with("```")) {
      open = &blocks.emplace_back(Block{number, words(line.substr(3)), "", paragraph});
    } else if (line.empty()) {
      paragraph_ended = true;
    } else {
      paragraph = (paragraph_ended ? "" : paragraph) + line + "\n";
      paragraph_ended = false;
    }
  }
  return blocks;
}

// Every output of a whole run, or a check, on the example's description, by
// name; standard error as the tool writes it, warnings and a located error
// included.  The paragraph before the example names each of its settings.
std::map<std::string, std::string> run_example(const Block& example) {
  std::vector<std::string> names;
  InProcess how;
  for (std::size_t i = 1; i < example.title.size(); ++i) {
    const std::string& setting = example.title[i];
    EXPECT_NE(example.paragraph.find(setting), std::string::npos) << "not named: " << setting;
    if (setting == "--check") {
      how.check = how.located = true;
    } else if (setting == "--format=json") {
      how.format = ReportFormat::json;
    } else if (setting == "--located-errors") {
      how.located = true;
    } else if (setting.starts_with("--debugger-script=")) {
      how.debugger_script = setting.c_str() + setting.find('=') + 1;
    } else {
      EXPECT_TRUE(setting.starts_with("PL_CONFIG_MACHINE_REGS=")) << "unknown setting " << setting;
      names = words(setting.substr(setting.find('=') + 1), ';');
    }
  }
  std::vector<const char*> list;
  for (const std::string& name : names) list.push_back(name.c_str());
  ToolResult result = run_in_process(example.text, list, how);
  result.files.insert({{"stdout", result.out}, {"stderr", result.err}});
  return result.files;
}

TEST(DescriptionFormatTest, EveryExampleShowsWhatTheToolWrites) {
  const std::vector<Block> blocks = fenced_blocks(read_file(PL_CONFIG_DESCRIPTION_FORMAT_DOC));
  int examples = 0, shown = 0;
  for (auto example = blocks.begin(); example != blocks.end(); ++example) {
    if (!example->is("description")) continue;
    SCOPED_TRACE("docs/description-format.md:" + std::to_string(example->line));
    ++examples;
    std::map<std::string, std::string> outputs = run_example(*example);
    bool shows_error = false;
    for (auto block = example + 1; block != blocks.end() && !block->is("description"); ++block) {
      if (block->title.size() < 2) continue;
      SCOPED_TRACE("docs/description-format.md:" + std::to_string(block->line));
      const std::string& name = block->title[1];
      ASSERT_TRUE(outputs.contains(name)) << "no output named " << name << ", or not written";
      EXPECT_NE(block->paragraph.find(name), std::string::npos) << "the paragraph before does not name " << name;
      ++shown;
      if (name == "stderr") {
        shows_error = true;
        EXPECT_EQ(outputs[name], block->text);
      } else {
        EXPECT_FALSE(block->text.empty()) << "an empty block shows nothing";
        EXPECT_NE(("\n" + outputs[name]).find("\n" + block->text), std::string::npos)
            << "not whole lines of " << name << ":\n"
            << block->text << "--- " << name << " is:\n"
            << outputs[name];
      }
    }
    if (!shows_error) {
      EXPECT_EQ(outputs["stderr"], "") << "an example without a stderr block writes nothing there";
    }
  }
  EXPECT_GT(examples, 0);
  std::printf("%d examples, %d output blocks\n", examples, shown);
}

// The code spans in the first cells of the table under `heading`.
std::vector<std::string> first_cell_code(const std::string& markdown, const std::string& heading) {
  std::istringstream in(markdown);
  std::string line;
  while (std::getline(in, line) && line != heading) continue;
  EXPECT_EQ(line, heading) << "no heading";
  std::vector<std::string> code;
  static const std::regex span("`([^`]+)`");
  while (std::getline(in, line) && !line.starts_with("#")) {
    if (!line.starts_with("| ")) continue;
    const std::string cell = line.substr(0, line.find(" |", 1));
    for (std::sregex_iterator match(cell.begin(), cell.end(), span), end; match != end; ++match)
      code.push_back((*match)[1]);
  }
  return code;
}

// A message's printf format as a pattern: each conversion stands for what
// the document writes in its place, a word in capitals ('NAME') or the one
// it always is ('--format').
std::regex pattern_of(const std::string& format) {
  static const std::regex conversion(R"(%[-#0 +]*[0-9*]*(\.[0-9*]+)?(hh|h|ll|l|z|j|t)?[diouxXcsp])"),
      special(R"([.^$|()\[\]{}*+?\\])");
  const auto literal = [&](std::size_t from, std::size_t to) {
    return std::regex_replace(format.substr(from, to - from), special, "\\$&");
  };
  std::string pattern;
  std::size_t from = 0;
  for (std::sregex_iterator match(format.begin(), format.end(), conversion), end; match != end; ++match) {
    const auto at = static_cast<std::size_t>(match->position());
    pattern += literal(from, at) + ".+";
    from = at + static_cast<std::size_t>(match->length());
  }
  return std::regex(pattern + literal(from, format.size()));
}

// Every usage error of the message table, from the code: the reference's
// table of the command line's errors shows each.
TEST(DescriptionFormatTest, CommandLineTableHasEveryUsageMessage) {
  const std::vector<std::string> shown =
      first_cell_code(read_file(PL_CONFIG_DESCRIPTION_FORMAT_DOC), "### The command line");
  int usage = 0;
  for (std::size_t i = 0; i < message_count; ++i) {
    if (message_table[i].kind != MessageKind::usage) continue;
    ++usage;
    const std::regex pattern = pattern_of(message_table[i].text);
    EXPECT_TRUE(std::ranges::any_of(shown, [&](const std::string& code) { return std::regex_search(code, pattern); }))
        << "not in the table: " << message_table[i].text;
  }
  EXPECT_GT(usage, 0);
}

// Each warning of the message table has its paragraph in the document,
// which starts with its name in bold, and the document has no paragraph of
// a warning the table lacks.
TEST(DescriptionFormatTest, EveryWarningHasItsParagraph) {
  const std::string document = read_file(PL_CONFIG_DESCRIPTION_FORMAT_DOC);
  std::vector<std::string> table, documented;
  for (std::size_t i = 0; i < message_count; ++i)
    if (message_table[i].name != nullptr) table.emplace_back(message_table[i].name);
  static const std::regex paragraph(R"((?:^|\n)\*\*`([a-z]+(?:-[a-z]+)+)`: `)");
  for (std::sregex_iterator match(document.begin(), document.end(), paragraph), end; match != end; ++match)
    documented.push_back((*match)[1]);
  std::ranges::sort(table);
  std::ranges::sort(documented);
  EXPECT_EQ(documented, table);
}

}  // namespace
}  // namespace pl_config::testing
