#include "files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <string>

#include "fatal_message.h"

namespace pl_config {
namespace {

using testing::fatal_message;

// Hands out one prepared stream for whatever header is opened.
class StreamDirectory : public Directory {
 public:
  explicit StreamDirectory(std::FILE* stream) : stream_(stream) {}
  std::FILE* open_header(const char*, StagedOutput&) const override { return stream_; }

 private:
  std::FILE* stream_;
};

// A disk that is full for one write and has room again afterwards: the
// bytes of that write are lost, yet every later write and the close succeed.
ssize_t fail_first_write(void* cookie, const char*, std::size_t size) {
  bool& failed = *static_cast<bool*>(cookie);
  if (failed) return static_cast<ssize_t>(size);
  failed = true;
  errno = ENOSPC;
  return -1;
}

TEST(FilesTest, OutputFileReportsAFailedWriteAtClose) {
  // A short text reaches the file only when the close flushes it; a long one
  // is written part by part before.
  const std::string short_text = "a header\n", long_text(3 * BUFSIZ, 'h');
  bool failed_once = false;
  const struct {
    const char* what;
    std::function<std::FILE*()> open;
    const std::string& text;
    bool complete;
  } cases[] = {
      {"no room at the close", [] { return std::fopen("/dev/full", "wb"); }, short_text, false},
      {"no room for a while",
       [&] {
         return fopencookie(&failed_once, "w", {.read = nullptr, .write = fail_first_write, .seek = nullptr,
                                                .close = nullptr});
       },
       long_text, false},
      {"room everywhere", [] { return std::fopen("/dev/null", "wb"); }, long_text, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::FILE* stream = c.open();
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(fatal_message([&] {
                const StreamDirectory directory(stream);
                OutputFile file(directory, "wam_regs.h");
                std::fputs(c.text.c_str(), file.stream());
                file.close();
              }),
              c.complete ? "" : "cannot write wam_regs.h");
  }
}

TEST(FilesTest, OpenFailuresNameTheFile) {
  EXPECT_EQ(fatal_message([] { InputFile file(Directory("/nonexistent/wam_arch.def")); }),
            "cannot open /nonexistent/wam_arch.def");
  EXPECT_EQ(fatal_message([] {
              const Directory directory;
              OutputFile file(directory, "/nonexistent/wam_arch.h");
            }),
            "cannot open /nonexistent/wam_arch.h");
}

}  // namespace
}  // namespace pl_config
