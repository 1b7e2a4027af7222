#include "pl_config.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "core_run.h"
#include "description_check.h"
#include "expect_run.h"
#include "expected.h"
#include "fatal_message.h"
#include "memory_directory.h"
#include "memory_output.h"
#include "tool_run.h"

// Counts what the code under test allocates with operator new while
// `counting_allocations` is set.
namespace {
bool counting_allocations = false;
long allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (counting_allocations) ++allocations;
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  throw std::bad_alloc();
}
// g++ takes free() in a replacement operator delete for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace pl_config {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// A file that cannot be read, opened or written ends the run with its
// message and leaves no file behind, temporary ones included, but the
// headers of an earlier run as they were.  A directory opens for reading but
// fails its first read.  The headers are opened in this order, the
// architecture header after the summary's first half.  A device is written
// in place, so its failed write shows at its close: the reader closes the
// architecture header; the driver then writes the machine register count
// and closes the other three in order.  The full device is a link, which the
// run's file list leaves out.  The directory as the description and the
// device are POSIX cases: Windows opens no directory as a file, and under
// wine the Windows tool replaces the link.  A FIFO that nobody reads fails
// at once; an endless device is no description, nor a terminal that is not
// standard input, such as a new pseudo-terminal's master, which no one
// would ever write to.
TEST(DriverTest, FileThatCannotBeUsedFailsTheRun) {
  enum Fault { missing, directory, full_device, unread_fifo, zero_device, terminal_master };
  const std::string out_at_close = summary_head + "Use machine regs. : Yes (0 used)\n";
  const struct {
    const char* name;
    Fault fault;
    std::string out;
    std::string err;
  } cases[] = {
      {"wam_arch.def", missing, summary_head, "cannot open wam_arch.def\n"},
      {"wam_arch.def", directory, summary_head, "cannot read wam_arch.def\n"},
      {"wam_regs.h", directory, "", "cannot open wam_regs.h\n"},
      {"wam_stacks.h", directory, "", "cannot open wam_stacks.h\n"},
      {"th_public_config.h", directory, "", "cannot open th_public_config.h\n"},
      {"wam_arch.h", directory, summary_head, "cannot open wam_arch.h\n"},
      {"wam_arch.h", full_device, summary_head, "cannot write wam_arch.h\n"},
      {"wam_regs.h", full_device, out_at_close, "cannot write wam_regs.h\n"},
      {"wam_stacks.h", full_device, out_at_close, "cannot write wam_stacks.h\n"},
      {"th_public_config.h", full_device, out_at_close, "cannot write th_public_config.h\n"},
      {"wam_stacks.h", unread_fifo, "", "cannot open wam_stacks.h\n"},
      {"wam_arch.def", zero_device, summary_head, "cannot open wam_arch.def\n"},
      {"wam_arch.def", terminal_master, summary_head, "cannot open wam_arch.def\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    const bool description = std::string(c.name) == "wam_arch.def";
    if (windows_tools && (c.fault >= full_device || (c.fault == directory && description))) continue;
    const Files previous = c.fault == full_device ? previous_headers(c.name) : Files{};
    const ToolResult result = run_tool(default_tool, "x\n", {.prepare = [&](const fs::path& dir) {
                                         if (description) fs::remove(dir / c.name);
                                         if (c.fault == directory) fs::create_directory(dir / c.name);
                                         if (c.fault == full_device) fs::create_symlink("/dev/full", dir / c.name);
                                         if (c.fault == zero_device) fs::create_symlink("/dev/zero", dir / c.name);
                                         if (c.fault == terminal_master) fs::create_symlink("/dev/ptmx", dir / c.name);
                                         if (c.fault == unread_fifo) mkfifo((dir / c.name).c_str(), 0644);
                                         write_old_headers(dir, previous);
                                       }});
    expect_run(result, 1, c.out, c.err, previous);
  }
}

// A check's report is its result: one that cannot be written is an error
// too, whether the disk is full or standard output closed.
TEST(DriverTest, FullDiskOnStandardOutputIsAnError) {
  const struct {
    std::vector<std::string> args;
    const char* stdout_path;
    std::string err;
  } cases[] = {
      {{}, "/dev/full", "cannot write standard output\n"},
      {{"--check"}, "/dev/full", "pl_config: error: cannot write standard output: No space left on device\n"},
      {{}, "-", "cannot write standard output\n"},
      {{"--check"}, "-", "pl_config: error: cannot write standard output: Bad file descriptor\n"},
  };
  for (const auto& c : cases) {
    if (windows_tools && std::string(c.stdout_path) == "-") continue;
    expect_run(run_tool(default_tool, "x\n", {.stdout_path = c.stdout_path, .args = c.args}), 1, "", c.err, {});
  }
}

BuildConfig config_with_version(const char* version) {
  BuildConfig config{};
  config.version = version;
  config.release_date = "Jan 2 2030";
  config.copyright = "(C) holder";
  return config;
}

TEST(VersionMacrosTest, NumbersComeFromTheVersionString) {
  MemoryOutput out;
  write_version_macros(out.out(), config_with_version("2.7.13"));
  EXPECT_EQ(out.text(),
            "\n#define __TARNHOLLOW__        \t2\n#define __TARNHOL__           \t2\n"
            "#define __TARNHOL_MINOR__     \t7\n#define __TARNHOL_PATCHLEVEL__\t13\n"
            "#define __TARNHOL_VERSION__   \t20713\n\n#define PROLOG_DIALECT  \t\"tarnhol\"\n"
            "#define PROLOG_NAME     \t\"Tarnhollow\"\n#define PROLOG_VERSION  \t\"2.7.13\"\n"
            "#define PROLOG_DATE     \t\"Jan 2 2030\"\n#define PROLOG_COPYRIGHT\t\"(C) holder\"\n"
            "\n");
}

TEST(VersionMacrosTest, VersionStringsOfAnotherFormOrTooLargeAreErrors) {
  const struct {
    const char* version;
    bool accepted;
  } cases[] = {
      {"1.2", false},
      {"1.2.3.4", false},
      {"1.2.x", false},
      {"a.b.c", false},
      {"1..2", false},
      {"-1.0.0", false},
      {"300000.0.0", false},
      {"", false},
      // __TARNHOL_VERSION__ is an int: 2^31 - 1 is its largest value.
      {"214748.36.47", true},
      {"214748.36.48", false},
  };
  for (const auto& c : cases) {
    MemoryOutput out;
    EXPECT_EQ(fatal_message([&] { write_version_macros(out.out(), config_with_version(c.version)); }),
              c.accepted ? "" : std::string("invalid version string ") + c.version);
  }
}

// The tool's tables are fixed in size and its error message lives in the
// exception: a whole run allocates nothing of its own, whether it ends in
// success or in a fatal error.
TEST(DriverTest, AWholeRunAllocatesNothing) {
  const char* const list[] = {"m1", "m2"};
  const BuildConfig config = default_build_config(list);
  const std::string example = read_file(PL_CONFIG_EXAMPLE_DEF);
  const std::string failing = example + "@begin tags\n@tag X address 99\n";
  const struct {
    std::string description;
    bool check;
    bool succeeds;
    ReportFormat format = ReportFormat::text;
  } cases[] = {{example, false, true},
               {failing, false, false},
               {example, true, true},
               {failing, true, false},
               {example, true, true, ReportFormat::json}};
  for (const auto& c : cases) {
    const MemoryDirectory files(c.description);
    MemoryOutput summary;
    Diagnostics diagnostics(summary.out(), files, {.keep_going = true});
    bool succeeded = false;
    allocations = 0;
    counting_allocations = true;
    try {
      succeeded = (c.check ? check_description(config, files, summary.out(), diagnostics, c.format)
                           : run_pl_config(config, files, summary.out())) == 0;
    } catch (const Error&) {
    }
    counting_allocations = false;
    EXPECT_EQ(succeeded, c.succeeds);
    EXPECT_EQ(allocations, 0);
    // The run did its work: the example's register block reached the header,
    // or the report; a check opens no header at all.
    EXPECT_EQ(files.output("wam_arch.h")->opened(), !c.check);
    if (c.check) {
      EXPECT_TRUE(summary.text().starts_with(
          c.format == ReportFormat::json ? "{\n  \"format\": 2,\n" : "Register bank, regs section of line 17\n"));
    } else {
      expect_contains(std::string(files.output("wam_arch.h")->text()), {"/*--- End Register Generation ---*/"});
    }
  }
}

}  // namespace
}  // namespace pl_config
