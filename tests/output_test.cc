#include "output.h"

#include <gtest/gtest.h>

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
    std::vector<std::string> puts;  // "%d" prints the number 12345 instead
    bool fails;
  } cases[] = {
      {"short texts", {"ab", "cd", "ef"}, false},
      {"a short text, then a block", {"ab", block, "cd"}, false},
      {"a block first", {block, "cd"}, false},
      {"a print beyond the room left", {"0123456789", "%d", "x"}, false},
      {"a print beyond the whole buffer", {"%40d"}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::MemoryText text;
    testing::MemorySink sink(text);
    char buffer[16];
    Output out(sink, buffer);
    std::string expected;
    for (const std::string& put : c.puts) {
      if (put == "%d") {
        out.print("%d", 12345);
        expected += "12345";
      } else if (put == "%40d") {
        out.print("%40d", 1);
      } else {
        out.put(put);
        expected += put;
      }
    }
    EXPECT_EQ(out.flush(), !c.fails);
    if (!c.fails) {
      EXPECT_EQ(text.text(), expected);
    }
  }
}

}  // namespace
}  // namespace pl_config
