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
#include "memory_stream.h"

namespace pl_config::testing {
namespace {

TEST(ReadPieceTest, SplitsLongLinesAt511BytesAndReportsTheEnd) {
  const std::string line = std::string(600, 'x') + "\n";
  MemoryStream input(line + "last");
  DescriptionInput in(input.get(), "wam_arch.def");
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
struct FailingSource {
  std::string text;
  std::size_t position = 0;
};

ssize_t read_then_fail(void* cookie, char* buffer, std::size_t size) {
  FailingSource& source = *static_cast<FailingSource*>(cookie);
  if (source.position == source.text.size()) {
    errno = EIO;
    return -1;
  }
  const std::size_t n = std::min(size, source.text.size() - source.position);
  std::memcpy(buffer, source.text.data() + source.position, n);
  source.position += n;
  return static_cast<ssize_t>(n);
}

// A read that fails inside a section must not pass for the end of the file,
// which would be the section's "end expected" error instead.  No file that
// the tool can be given fails part way, so this runs on a stream in-process.
TEST(ReadPieceTest, ReadErrorInsideASectionEndsTheRun) {
  for (const char* section : {"regs", "tags", "stacks"}) {
    FailingSource source{std::string("@begin ") + section + "\n// kept\n"};
    std::FILE* stream = fopencookie(&source, "r", {.read = read_then_fail, .write = nullptr, .seek = nullptr,
                                                   .close = nullptr});
    ASSERT_NE(stream, nullptr);
    DescriptionInput in(stream, "wam_arch.def");
    MemoryOutput arch;
    MachineRegisters machine_registers({});
    HeaderWriter writer(arch.out(), arch.out(), arch.out(), arch.out());
    DescriptionCopy copy(arch.out());
    EXPECT_EQ(fatal_message([&] { read_description(in, copy, machine_registers, writer); }),
              "cannot read wam_arch.def")
        << section;
    EXPECT_EQ(arch.text(), "// kept\n") << section;
    std::fclose(stream);
  }
}

TEST(ReaderTest, CopiesOrdinaryLinesUnchanged) {
  const std::string cases[] = {
      "",
      "/* engine */\n\n#define X 1\nno newline at the end",
      "  @begin regs\n\t@end\n",                                // "@" after blanks: ordinary
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
      {"kept\n@\n", "Syntax error: identifier expected in: @\n", 2},
      {"kept\n@1begin regs\n", "Syntax error: identifier expected in: @1begin regs\n", 2},
      {"kept\n@begin(regs)\n", "Syntax error: space expected after identifier in: @begin(regs)\n", 2},
      {"kept\n@end\n", "Syntax error: incorrect @ declaration in: @end\n", 2},
      {"kept\n@Begin regs\n", "Syntax error: incorrect @ declaration in: @Begin regs\n", 2},
      {"kept\n@begin\n", "Syntax error: identifier expected in: @begin\n", 2},
      {"kept\n@begin regs", "Syntax error: space expected after identifier in: @begin regs", 2},
      {"kept\n@begin regs;\n", "Syntax error: space expected after identifier in: @begin regs;\n", 2},
      {"kept\n@begin Regs\n", "Syntax error: unknown section in: @begin Regs\n", 2},
      {"kept\n@ \tbegin \t stack x y\n", "Syntax error: unknown section in: @ \tbegin \t stack x y\n", 2},
      {"// lead\n\n@begin Regs\n", "Syntax error: unknown section in: @begin Regs\n", 3},
      // A directive line is cut after 511 bytes.
      {"@begin unknown " + std::string(600, 'z') + "\n",
       "Syntax error: unknown section in: @begin unknown " + std::string(496, 'z'), 1},
      {std::string(1200, 'l') + "\n@ begin\n", "Syntax error: identifier expected in: @ begin\n", 2},
      // A piece that starts 511 bytes into a line is still on that line.
      {"a\n" + std::string(511, 'x') + "@oops\n", "Syntax error: incorrect @ declaration in: @oops\n", 2},
      // More newlines in a row than a 16-bit count holds, in one read.
      {std::string(70000, '\n') + "x\n@begin Regs\n", "Syntax error: unknown section in: @begin Regs\n", 70002},
  };
  expect_errors(cases);
}

// The file is read in blocks of 128 KiB, but a piece starts only where a
// line starts and every 511 bytes into a longer line, wherever the blocks
// end.  Here an "@" falls on and around the end of the first block, in a
// line that starts far ahead of it: at a piece start it opens a directive
// line, anywhere else it is copied.
TEST(ReaderTest, PieceStartsDoNotDependOnReadBlocks) {
  const std::size_t block = 128 * 1024;
  for (const std::size_t pieces_ahead : {1, 3, 200}) {
    for (const std::size_t at : {block - 2, block - 1, block, block + 1, block + 2}) {
      const std::size_t line_start = at - pieces_ahead * 511;
      std::string ordinary;
      while (ordinary.size() + 61 < line_start) ordinary += std::string(59, 'o') + "\n";
      ordinary += std::string(line_start - ordinary.size() - 1, 'p') + "\n";
      const std::string long_line_head = ordinary + std::string(pieces_ahead * 511, 'x');
      SCOPED_TRACE("\"@\" at byte " + std::to_string(at) + ", " + std::to_string(pieces_ahead) + " pieces into its line");

      const auto lines_in = [](const std::string& text) { return static_cast<int>(std::ranges::count(text, '\n')); };
      const CoreResult directive = run_core(long_line_head + "@oops a directive\nnever copied\n");
      EXPECT_EQ(directive.error, "Syntax error: incorrect @ declaration in: @oops a directive\n");
      EXPECT_EQ(directive.error_at.line, lines_in(long_line_head) + 1);
      EXPECT_EQ(directive.arch_header, long_line_head);

      // Copied, and the line after them counted right.
      const std::string copied = long_line_head + "y@ copied\n" + std::string(510, 'z') + "@ copied too\n";
      const CoreResult ordinary_text = run_core(copied + "@ next\n");
      EXPECT_EQ(ordinary_text.error, "Syntax error: incorrect @ declaration in: @ next\n");
      EXPECT_EQ(ordinary_text.error_at.line, lines_in(copied) + 1);
      EXPECT_EQ(ordinary_text.arch_header, copied);
    }
  }
}

}  // namespace
}  // namespace pl_config::testing
