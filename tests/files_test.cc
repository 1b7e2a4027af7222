// The tool's files in-process: every write checked, every platform call
// that can fail made to fail once, and the comparison that leaves unchanged
// headers alone.

#include "files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "core_run.h"
#include "fatal_message.h"
#include "file_calls.h"
#include "memory_output.h"
#include "pl_config.h"
#include "tool_run.h"

namespace pl_config {
namespace {

namespace fs = std::filesystem;
using namespace testing;
using platform::Call;

OutputBuffer buffer;

// Hands itself out for every header, and fails its write numbered
// `failing` (from 1; 0 for none).
class FlakyDirectory : public Directory, public Sink {
 public:
  explicit FlakyDirectory(int failing) : failing_(failing) {}
  Sink* open_header(const char*, StagedOutput&) const override { return const_cast<FlakyDirectory*>(this); }
  bool write(const char*, std::size_t) override { return ++count_ != failing_; }

 private:
  int failing_;
  int count_ = 0;
};

TEST(FilesTest, OutputFileReportsAFailedWriteAtClose) {
  // Written a line at a time, a short text reaches the sink only when the
  // close flushes it; a long one, three full buffers and a line, is handed
  // over a buffer at a time before.  A block larger than the buffer goes over
  // at once.  The writers that still take a stdio stream go through the same
  // Output.
  const std::string line(63, 'h');
  const struct {
    const char* what;
    int failing;
    int line_count;
    bool one_block;  // else a line at a time
  } cases[] = {
      {"no room at the close", 1, 2, false},  {"no room for a while", 1, 6145, false},
      {"no room at the end", 4, 6145, false}, {"no room for a large block", 1, 6145, true},
      {"room everywhere", 0, 6145, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FlakyDirectory directory(c.failing);
    EXPECT_EQ(fatal_message([&] {
                OutputFile file(directory, "wam_regs.h", buffer);
                std::string block;
                for (int i = 0; i < c.line_count; ++i) {
                  if (!c.one_block) file.out().put(line + "\n");
                  if (c.one_block) block += line + "\n";
                }
                file.out().put(block);
                file.close();
              }),
              c.failing == 0 ? "" : "cannot write wam_regs.h");
  }
}

// The headers of a whole run in a real directory: a failed platform call
// ends the run with a fatal error (status 1) and leaves every header of the
// previous run as it was, or, where another way is left, the run succeeds.
TEST(FilesTest, FailedPlatformCallsFailTheRunOrAreWorkedAround) {
  const std::string example = read_file(PL_CONFIG_EXAMPLE_DEF);
  const BuildConfig config = default_build_config({});
  const struct {
    const char* what;
    Call call;
    bool write_if_changed;
    const char* message;  // "": the run succeeds
  } cases[] = {
      {"no temporary file", Call::create, false, "cannot open %s/wam_regs.h"},
      {"a look at a path's component", Call::status, false, "cannot open %s/wam_regs.h"},
      {"a write", Call::write, false, "cannot write %s/wam_arch.h"},
      {"a close", Call::close, false, "cannot write %s/wam_arch.h"},
      {"the rename", Call::rename, false, "cannot write %s/wam_arch.h"},
      {"the rename of a changed header", Call::rename, true, "cannot write %s/wam_arch.h"},
      {"a changed header not opened to compare", Call::open, true, ""},
      {"a changed header not read to compare", Call::read, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path dir = make_temp_dir();
    write_file(dir / "wam_arch.def", example);
    write_old_headers(dir, previous_headers());
    const std::string def = (dir / "wam_arch.def").string(), out = dir.string();
    const Directory directory(def.c_str(), out.c_str(), c.write_if_changed ? Rewrite::if_changed : Rewrite::always);
    MemoryOutput summary;
    platform::fail_next(c.call);
    const std::string message = fatal_message([&] { run_pl_config(config, directory, summary.out()); });
    EXPECT_FALSE(platform::take_failure(c.call)) << "the call was never made";
    std::string expected = c.message;
    if (!expected.empty()) expected.replace(expected.find("%s"), 2, out);
    EXPECT_EQ(message, expected);
    // The test tools' constants: a run that succeeds writes what theirs do.
    EXPECT_EQ(files_in(dir), expected.empty() ? example_headers() : previous_headers());
    fs::remove_all(dir);
  }
}

// A rename that fails after two others were made, as a directory another
// process puts in a header's place would make it fail: the two are put
// back, every header is as it was, and no backup is left.
TEST(FilesTest, ARenameThatFailsPartWayPutsBackTheOthers) {
  const fs::path dir = make_temp_dir();
  write_file(dir / "wam_arch.def", read_file(PL_CONFIG_EXAMPLE_DEF));
  write_old_headers(dir, previous_headers("wam_regs.h"));
  const std::string def = (dir / "wam_arch.def").string(), out = dir.string();
  // The first rename goes through and lets the second through, which makes
  // the third fail.
  platform::before_next(
      Call::rename,
      [](void*) {
        platform::before_next(
            Call::rename,
            [](void*) {
              platform::before_next(
                  Call::rename, [](void*) { platform::fail_next(Call::rename); }, nullptr);
            },
            nullptr);
      },
      nullptr);
  MemoryOutput summary;
  EXPECT_EQ(fatal_message(
                [&] { run_pl_config(default_build_config({}), Directory(def.c_str(), out.c_str()), summary.out()); }),
            "cannot write " + out + "/wam_stacks.h");
  EXPECT_EQ(files_in(dir), previous_headers("wam_regs.h"));
  for (const char* name : header_names) {
    if (std::string(name) != "wam_regs.h") {
      EXPECT_EQ(fs::last_write_time(dir / name), old_date) << name;
    }
  }
  fs::remove_all(dir);
}

// Another process swaps the header's name for a link to a file of its
// choosing between the look at the name and its use: the file is never
// written.  A FIFO is opened where it is and must still be the FIFO; a
// regular header's temporary file is renamed over the name, link or not.
TEST(FilesTest, NameSwappedForALinkAfterItWasResolved) {
  const struct {
    const char* what;
    Call swapped_before;
    const char* message;
  } cases[] = {
      {"a FIFO", Call::open, "cannot open %s/wam_regs.h"},
      {"a regular header", Call::create, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path dir = make_temp_dir();
    write_file(dir / "victim", "victim\n");
    fs::create_symlink(dir / "victim", dir / "link");
    if (c.swapped_before == Call::open) mkfifo((dir / "wam_regs.h").c_str(), 0644);
    if (c.swapped_before == Call::create) write_file(dir / "wam_regs.h", "old\n");
    const int reader = open((dir / "wam_regs.h").c_str(), O_RDONLY | O_NONBLOCK);
    const std::string link = (dir / "link").string(), header = (dir / "wam_regs.h").string();
    struct Swap {
      const std::string &from, &to;
    } swap{link, header};
    platform::before_next(
        c.swapped_before,
        [](void* names) {
          const Swap& swap = *static_cast<Swap*>(names);
          std::rename(swap.from.c_str(), swap.to.c_str());
        },
        &swap);
    std::string expected = c.message;
    if (!expected.empty()) expected.replace(expected.find("%s"), 2, dir.string());
    EXPECT_EQ(fatal_message([&] {
                const Directory directory("unused", dir.c_str());
                OutputFile file(directory, "wam_regs.h", buffer);
                file.out().put("new\n");
                file.close();
                file.install();
              }),
              expected);
    EXPECT_EQ(read_file(dir / "victim"), "victim\n");
    EXPECT_EQ(read_file(dir / "wam_regs.h"), expected.empty() ? "new\n" : "victim\n");  // the link is there
    if (reader >= 0) close(reader);
    fs::remove_all(dir);
  }
}

// One header written with write-if-changed over an earlier one: replaced
// (a new file in its place) exactly when the texts differ, else left as it
// is without a temporary file ever made.  Texts of several blocks, so that
// a difference comes after whole blocks that matched.
TEST(FilesTest, WriteIfChangedReplacesOnlyAChangedHeader) {
  std::string old_text;
  for (int i = 0; old_text.size() < 300 * 1024; ++i)
    old_text += "#define LINE_" + std::to_string(i) + " " + std::to_string(i * 7) + "\n";
  std::string late_change = old_text, first_change = old_text;
  late_change[old_text.size() - 2] = 'x';
  first_change[0] = '/';
  const struct {
    const char* what;
    std::optional<std::string> old_text;
    const std::string& new_text;
    bool replaced;
  } cases[] = {
      {"the same text", old_text, old_text, false},
      {"a prefix of the old text", old_text, old_text.substr(0, old_text.size() - 1), true},
      {"the old text and more", old_text.substr(0, old_text.size() - 1), old_text, true},
      {"a change in the last block", old_text, late_change, true},
      {"a change in the first byte", old_text, first_change, true},
      {"no old header", std::nullopt, old_text, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path dir = make_temp_dir();
    const fs::path header = dir / "wam_regs.h";
    struct stat before {
    }, after{};
    if (c.old_text) {
      write_file(header, *c.old_text);
      fs::last_write_time(header, old_date);
      ASSERT_EQ(stat(header.c_str(), &before), 0);
    }
    // Only a changed header may need a temporary file.
    if (!c.replaced) platform::fail_next(Call::create);
    EXPECT_EQ(fatal_message([&] {
                const Directory directory("unused", dir.c_str(), Rewrite::if_changed);
                OutputFile file(directory, "wam_regs.h", buffer);
                file.out().put(c.new_text);
                file.close();
                file.install();
              }),
              "");
    platform::take_failure(Call::create);
    ASSERT_EQ(stat(header.c_str(), &after), 0);
    EXPECT_TRUE(read_file(header) == c.new_text);
    EXPECT_EQ(after.st_ino != before.st_ino, c.replaced);
    EXPECT_EQ(fs::last_write_time(header) != old_date, c.replaced);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
  }
}

// At the moment the header is opened, with or without write-if-changed
// (whose temporary file may come only later).
TEST(FilesTest, OpenFailuresNameTheFile) {
  EXPECT_EQ(fatal_message([] { Directory("/nonexistent/wam_arch.def").open_description(); }),
            "cannot open /nonexistent/wam_arch.def");
  const fs::path dir = make_temp_dir();
  fs::create_directory(dir / "wam_arch.h");
  for (const std::string& output_dir : {dir.string(), (dir / "missing").string()}) {
    for (const bool write_if_changed : {false, true}) {
      SCOPED_TRACE(output_dir + (write_if_changed ? " -w" : ""));
      EXPECT_EQ(fatal_message([&] {
                  const Directory directory("unused", output_dir.c_str(),
                                            write_if_changed ? Rewrite::if_changed : Rewrite::always);
                  OutputFile file(directory, "wam_arch.h", buffer);
                }),
                "cannot open " + output_dir + "/wam_arch.h");
    }
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace pl_config
