#include "reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "core_run.h"
#include "expect_run.h"
#include "fatal_message.h"
#include "header_writer.h"
#include "memory_output.h"

namespace pl_config::testing {
namespace {

TEST(ReadPieceTest, SplitsLongLinesAt511BytesAndReportsTheEnd) {
  const std::string line = std::string(600, 'x') + "\n";
  const std::string text = line + "last";
  TextSource input(text);
  DescriptionInput in(input, "wam_arch.def");
  LineBuffer piece;
  ASSERT_TRUE(in.read_piece(piece));
  EXPECT_EQ(piece.text(), line.substr(0, 511));
  ASSERT_TRUE(in.read_piece(piece));
  EXPECT_EQ(piece.text(), line.substr(511));
  EXPECT_FALSE(in.at_end());
  ASSERT_TRUE(in.read_piece(piece));
  EXPECT_EQ(piece.text(), "last");
  EXPECT_TRUE(in.at_end());
  EXPECT_FALSE(in.read_piece(piece));
}

// A source that yields its text and then fails, as a device that stops
// answering part way through the file would.
class FailingSource : public TextSource {
 public:
  using TextSource::TextSource;
  std::ptrdiff_t read(char* data, std::size_t size) override {
    const std::ptrdiff_t got = TextSource::read(data, size);
    return got > 0 ? got : -1;
  }
};

// A read that fails inside a section must not pass for the end of the file,
// which would be the section's "end expected" error instead.  No file that
// the tool can be given fails part way, so this runs on a source in-process.
TEST(ReadPieceTest, ReadErrorInsideASectionEndsTheRun) {
  for (const SectionKindRow& row : section_kinds) {
    SCOPED_TRACE(row.name);
    const std::string text = std::string("@begin ") + row.name + "\n// kept\n";
    FailingSource source(text);
    DescriptionInput in(source, "wam_arch.def");
    MemoryHeaders headers;
    MachineRegisters machine_registers({});
    HeaderWriter writer(headers);
    DescriptionCopy copy(headers.out(HeaderRole::arch_header));
    EXPECT_EQ(fatal_message([&] { read_description(in, copy, machine_registers, writer); }),
              "cannot read wam_arch.def");
    EXPECT_EQ(headers[HeaderRole::arch_header].text(), "// kept\n");
  }
}

TEST(ReaderTest, CopiesOrdinaryLinesUnchanged) {
  const std::string cases[] = {
      "",
      "/* engine */\n\n#define X 1\nno newline at the end",
      "  @begin regs\n\t@end\n",                              // "@" after blanks: ordinary
      std::string(1200, 'l') + "\n" + std::string(511, 'm'),  // longer than one piece
      std::string("nul \0 inside\n\0\n", 15),                 // NUL bytes kept
      "\xe9t\xe9\r\n",
  };
  for (const std::string& description : cases) {
    const CoreResult result = run_core(description);
    EXPECT_FALSE(result.error.has_value()) << *result.error;
    EXPECT_EQ(result.arch_header, description);
    EXPECT_EQ(result.register_map + result.stack_header + result.public_config, "");
  }
}

// The opening line's checks in their order, and the line each error is
// about, wherever it stands.
TEST(ReaderTest, ErrorsAtTheirLine) {
  const ErrorCase cases[] = {
      {"kept\n", "@\n", "identifier expected", 2},
      {"kept\n", "@1begin regs\n", "identifier expected", 2},
      {"kept\n", "@begin(regs)\n", "space expected after identifier", 2},
      {"kept\n", "@end\n", "incorrect @ declaration", 2},
      {"kept\n", "@Begin regs\n", "incorrect @ declaration", 2},
      {"kept\n", "@begin\n", "identifier expected", 2},
      {"kept\n", "@begin regs", "space expected after identifier", 2},
      {"kept\n", "@begin regs;\n", "space expected after identifier", 2},
      {"kept\n", "@begin Regs\n", "unknown section", 2},
      {"kept\n", "@ \tbegin \t stack x y\n", "unknown section", 2},
      {"// lead\n\n", "@begin Regs\n", "unknown section", 3},
      // A directive line is cut after 511 bytes.
      {"@begin unknown " + std::string(600, 'z') + "\n", "",
       "Syntax error: unknown section in: @begin unknown " + std::string(496, 'z'), 1},
      {std::string(1200, 'l') + "\n", "@ begin\n", "identifier expected", 2},
      // A piece that starts 511 bytes into a line is still on that line.
      {"a\n" + std::string(511, 'x'), "@oops\n", "incorrect @ declaration", 2},
      // More newlines in a row than a 16-bit count holds, in one read.
      {std::string(70000, '\n') + "x\n", "@begin Regs\n", "unknown section", 70002},
  };
  expect_errors(cases);
}

// The file is read in blocks of DescriptionInput::buffer_size, but a piece
// starts only where a line starts and every 511 bytes into a longer line,
// wherever the blocks end.  Here an "@" falls on and around the end of the first block, in a
// line that starts far ahead of it: at a piece start it opens a directive
// line, anywhere else it is copied.
TEST(ReaderTest, PieceStartsDoNotDependOnReadBlocks) {
  // The description stops at `line`, and what stands ahead of it is copied.
  const auto expect_stop_at = [](const std::string& ahead, const std::string& line, const std::string& after) {
    const CoreResult result = run_core(ahead + line + after);
    EXPECT_EQ(result.error, "Syntax error: incorrect @ declaration in: " + line);
    EXPECT_EQ(result.error_at.line, std::ranges::count(ahead, '\n') + 1);
    EXPECT_EQ(result.arch_header, ahead);
  };
  const std::size_t block = DescriptionInput::buffer_size;
  for (const std::size_t pieces_ahead : {1, 3, 200}) {
    for (const std::size_t at : {block - 2, block - 1, block, block + 1, block + 2}) {
      const std::size_t line_start = at - pieces_ahead * 511;
      std::string ordinary;
      while (ordinary.size() + 61 < line_start) ordinary += std::string(59, 'o') + "\n";
      ordinary += std::string(line_start - ordinary.size() - 1, 'p') + "\n";
      const std::string long_line_head = ordinary + std::string(pieces_ahead * 511, 'x');
      ASSERT_EQ(long_line_head.size(), at);
      SCOPED_TRACE("\"@\" at byte " + std::to_string(at) + ", " + std::to_string(pieces_ahead) +
                   " pieces into its line");
      expect_stop_at(long_line_head, "@oops a directive\n", "never copied\n");
      // Copied, and the line after them counted right.
      expect_stop_at(long_line_head + "y@ copied\n" + std::string(510, 'z') + "@ copied too\n", "@ next\n", "");
    }
  }
}

}  // namespace
}  // namespace pl_config::testing
