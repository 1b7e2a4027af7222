#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "description_facts.h"
#include "expected_output.h"
#include "memory_output.h"
#include "tool_run.h"

// The answers to an editor's questions, each case a file of
// tests/description_facts/: a description under "== text", with "‸" where
// the cursor stands, and under "== QUESTION" each answer expected, worked
// out from docs/description-format.md.

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view cursor = "‸";

std::string place(Location at) {
  return std::to_string(at.line) + ":" + std::to_string(at.column) + "+" + std::to_string(at.length);
}

const char* const token_kinds[] = {"directive", "section_name", "type", "name", "number", "string", "free_text"};
const char* const completion_kinds[] = {"directive", "section", "tag_kind", "type", "group"};
const char* const declaration_kinds[] = {"register", "tag", "stack"};

struct Lines : LocationConsumer, SymbolConsumer, FoldConsumer, HintConsumer, TokenConsumer, CompletionConsumer {
  std::string text;
  void location(Location at) override { text += place(at) + "\n"; }
  void section(const SectionSpan& span) override {
    text += std::string("section ") + row_of(span.kind).name + " " + std::to_string(span.first) + ".." +
            std::to_string(span.last) + " " + place(span.name_at) + "\n";
  }
  void declaration(const Declaration& d) override {
    text += std::string("  ") + declaration_kinds[static_cast<int>(d.kind)] + " " + std::string(d.name) + " " +
            place(d.name_at) + "\n";
  }
  void fold(int first, int last) override { text += std::to_string(first) + ".." + std::to_string(last) + "\n"; }
  void hint(Location at, std::string_view hint) override { text += place(at) + " " + std::string(hint) + "\n"; }
  void token(Location at, TokenKind kind) override {
    text += place(at) + " " + token_kinds[static_cast<int>(kind)] + "\n";
  }
  void completion(std::string_view label, CompletionKind kind) override {
    text += std::string(label) + " " + completion_kinds[static_cast<int>(kind)] + "\n";
  }
};

using Question = std::function<std::string(std::string_view text, TextPosition at)>;

template <typename Ask>
Question listing(Ask ask) {
  return [ask](std::string_view text, TextPosition at) {
    Lines lines;
    ask(text, at, lines);
    return lines.text;
  };
}

const char* const machine_registers[] = {"x19", "x20"};

// Each question by the name of its part of a case file.
const std::map<std::string, Question>& questions() {
  static const std::map<std::string, Question> table = {
      {"hover",
       [](std::string_view text, TextPosition at) {
         MemoryOutput out;
         const std::optional<Location> range = write_hover(text, at, out.out());
         return (range ? "range " + place(*range) + "\n" : std::string()) + out.text();
       }},
      {"hover with x19 x20",
       [](std::string_view text, TextPosition at) {
         MemoryOutput out;
         write_hover(text, at, out.out(), machine_registers);
         return out.text();
       }},
      {"definitions", listing([](auto text, auto at, Lines& out) { find_definitions(text, at, out); })},
      {"references", listing([](auto text, auto at, Lines& out) { find_references(text, at, false, out); })},
      {"references and declaration",
       listing([](auto text, auto at, Lines& out) { find_references(text, at, true, out); })},
      {"symbols", listing([](auto text, auto, Lines& out) { list_symbols(text, out); })},
      {"folds", listing([](auto text, auto, Lines& out) { list_folds(text, out); })},
      {"hints", listing([](auto text, auto, Lines& out) { list_inlay_hints(text, out); })},
      {"hints with x19 x20",
       listing([](auto text, auto, Lines& out) { list_inlay_hints(text, out, machine_registers); })},
      {"tokens", listing([](auto text, auto, Lines& out) { list_tokens(text, out); })},
      {"completions", listing([](auto text, auto at, Lines& out) { list_completions(text, at, out); })},
  };
  return table;
}

struct Case {
  std::string text;
  TextPosition at;
  std::vector<std::pair<std::string, std::string>> answers;
  std::vector<std::pair<std::size_t, std::size_t>> spans;  // of each answer in the file
};

// The parts of a case file, each after its "== NAME" line.
Case read_case(const std::string& file) {
  Case read;
  std::string* part = nullptr;
  std::size_t start = 0;
  while (start < file.size()) {
    const std::size_t end = std::min(file.find('\n', start), file.size());
    const std::string line = file.substr(start, end - start + 1);
    if (!read.spans.empty() && read.spans.back().second == 0 && line.starts_with("== "))
      read.spans.back().second = start;
    start = end + 1;
    if (line.starts_with("== ")) {
      const std::string name = line.substr(3, line.find('\n') - 3);
      part = name == "text" ? &read.text : &read.answers.emplace_back(name, "").second;
      if (name != "text") read.spans.emplace_back(std::min(start, file.size()), 0);
    } else if (part != nullptr) {
      *part += line;
    }
  }
  if (!read.spans.empty() && read.spans.back().second == 0) read.spans.back().second = file.size();
  const std::size_t marker = read.text.find(cursor);
  if (marker != std::string::npos) {
    const std::size_t line_start = read.text.rfind('\n', marker);
    read.at.line = static_cast<int>(std::count(read.text.begin(), read.text.begin() + marker, '\n')) + 1;
    read.at.column = static_cast<int>(marker - (line_start == std::string::npos ? 0 : line_start + 1)) + 1;
    read.text.erase(marker, cursor.size());
  }
  return read;
}

TEST(DescriptionFactsTest, EachCaseGetsTheAnswersItsFileHolds) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(PL_CONFIG_SOURCE_DIR "/tests/description_facts"))
    files.push_back(entry.path());
  std::ranges::sort(files);
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    ExpectedParts parts(file);
    const Case read = read_case(parts.text());
    ASSERT_FALSE(read.answers.empty()) << file;
    for (std::size_t i = 0; i < read.answers.size(); ++i) {
      const auto& [question, expected] = read.answers[i];
      SCOPED_TRACE(file.filename().string() + ": " + question);
      const auto ask = questions().find(question);
      ASSERT_NE(ask, questions().end());
      const std::string got = ask->second(read.text, read.at);
      parts.expect(read.spans[i].first, read.spans[i].second, expected, got, got);
    }
  }
}

// A hover shows each directive's line as the format document writes it, in
// one of its text blocks.
TEST(DescriptionFactsTest, EachSyntaxLineIsOneOfTheDocument) {
  const std::string document = read_file(PL_CONFIG_DESCRIPTION_FORMAT_DOC);
  std::vector<std::string> lines;
  for (const DirectiveRow& row : directive_rows())
    if (row.syntax != nullptr) lines.emplace_back(row.syntax);
  for (const SectionKindRow& row : section_kinds) lines.emplace_back(opening_syntax(row.kind).c_str());
  ASSERT_EQ(lines.size(), std::size(directive_rows()) - 1 + std::size(section_kinds));
  for (const std::string& line : lines) EXPECT_NE(document.find("\n" + line + "\n"), std::string::npos) << line;
}

}  // namespace
}  // namespace pl_config::testing
