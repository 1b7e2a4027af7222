#include "files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "fatal_message.h"

namespace pl_config {
namespace {

using testing::fatal_message;
namespace fs = std::filesystem;

TEST(FilesTest, OutputFileReportsAFailedWriteAtClose) {
  const fs::path link = fs::temp_directory_path() / ("pl_config_full_" + std::to_string(::getpid()));
  fs::remove(link);
  fs::create_symlink("/dev/full", link);
  const std::string name = link.string();
  EXPECT_EQ(fatal_message([&] {
              const Directory directory;
              OutputFile file(directory, name.c_str());
              std::fputs("a header\n", file.stream());
              file.close();
            }),
            "cannot write " + name);
  fs::remove(link);
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
