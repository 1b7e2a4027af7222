#include "output.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "memory_sink.h"

namespace pl_config {
namespace {

// The sink sees every text in the order it was written, whether it went
// through the buffer, around it (a block at least as large), or was
// formatted again after a flush for want of room.  Only a formatted text
// larger than the whole buffer is lost, and counted as a failure.
TEST(OutputTest, TextsReachTheSinkInOrder) {
  const std::string block(40, 'B');
  const struct {
    const char* what;
    std::vector<std::string> puts;    // "%d" prints 12345, "%40d" 1 in 40 columns
    std::optional<std::string> text;  // what the sink sees; none when the flush fails
  } cases[] = {
      {"short texts", {"ab", "cd", "ef"}, "abcdef"},
      {"a short text, then a block", {"ab", block, "cd"}, "ab" + block + "cd"},
      {"a block first", {block, "cd"}, block + "cd"},
      {"a print into the room left", {"0123456789", "%d", "x"}, "012345678912345x"},
      // vsnprintf needs a byte more for its NUL: the print goes after a flush.
      {"a print that exactly fills the room left", {"0123456789a", "%d", "x"}, "0123456789a12345x"},
      {"a print beyond the room left", {"0123456789ab", "%d", "x"}, "0123456789ab12345x"},
      {"a print beyond the whole buffer", {"%40d"}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::MemoryText sink;
    char buffer[16];
    Output out(sink, buffer);
    for (const std::string& put : c.puts) {
      if (put == "%d") out.print("%d", 12345);
      if (put == "%40d") out.print("%40d", 1);
      if (put[0] != '%') out.put(put);
    }
    EXPECT_EQ(out.flush(), c.text.has_value());
    if (c.text) {
      EXPECT_EQ(sink.text(), *c.text);
    }
  }
}

}  // namespace
}  // namespace pl_config
