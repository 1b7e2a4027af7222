// The headers as a build sees them: whole or not at all, left alone when
// unchanged, written where the command line says.  These run the built tool
// on real directories, the Windows tool as well (under wine) but where a
// test is about POSIX files or Windows paths.

#include "staged_output.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "expect_run.h"
#include "process.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

const std::string example = read_file(PL_CONFIG_EXAMPLE_DEF);

// The example many times over: a run of about 100 ms, long enough to be
// caught in the middle.
const std::string large_description = [] {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += example;
  return text;
}();

// Runs the tool in `dir` `times` times in a row, in a process of its own.
// `times` runs one after the other; what they write on standard error goes
// to `errors`, beside the run directory.
pid_t start_tool(const fs::path& dir, int times = 1, bool write_if_changed = false,
                 const fs::path& errors = "/dev/null") {
  std::vector<std::string> command = tool_command(default_tool);
  if (write_if_changed) command.push_back("-w");
  if (times == 1) return start_process(command, dir, "/dev/null", errors);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (int i = 0; i < times; ++i)
    if (wait_process(start_process(command, dir, "/dev/null", errors)) != 0) _exit(1);
  _exit(0);
}

// The file holds `text`: read in one go, to catch a header mid-write.
bool holds(const fs::path& path, const std::string& text) {
  static std::string buffer;
  buffer.resize(text.size() + 1);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  const std::size_t size = std::fread(buffer.data(), 1, buffer.size(), file);
  std::fclose(file);
  return size == text.size() && buffer.compare(0, size, text) == 0;
}

// The headers a complete run writes for `description`, from a run of its own.
Files complete_headers(const std::string& description) {
  const ToolResult result = run_tool(default_tool, description);
  EXPECT_EQ(result.status, 0);
  return result.files;
}

// Over the headers of an earlier run, dated long ago: a run replaces them
// all, with --write-if-changed only those whose text changes.  A header that
// begins with the whole new text but goes on is a change too.  A syntax error
// at the very end of a large description comes when the run has written
// almost everything, and none of it may reach the headers.
TEST(StagedOutputTest, WhichOldHeadersARunReplaces) {
  std::string bigger_trail = example;
  bigger_trail.replace(bigger_trail.find("256  TR"), 7, "512  TR");
  Files bigger_trail_headers = example_headers();
  std::string& stacks = bigger_trail_headers["wam_stacks.h"];
  stacks.replace(stacks.find("&pl_def_trail_size, 32768,"), 26, "&pl_def_trail_size, 65536,");
  Files longer_regs = example_headers();
  longer_regs["wam_regs.h"] += "#define STALE_MACRO 1\n";
  // The summary in a file goes with the headers.
  const auto and_summary = [](Files files, const std::string& summary) {
    files["s.txt"] = summary;
    return files;
  };
  const std::string bogus = "Syntax error: unknown section in: @begin bogus\n\n";
  const struct {
    std::vector<std::string> args;
    std::string description;
    Files old_headers;
    Files headers;
    std::vector<std::string> replaced;
    std::string err = "";
  } cases[] = {
      {{"--write-if-changed"}, example, example_headers(), example_headers(), {}},
      {{"-w"}, bigger_trail, example_headers(), bigger_trail_headers, {"wam_stacks.h"}},
      {{"-w"}, example, longer_regs, example_headers(), {"wam_regs.h"}},
      {{}, example, example_headers(), example_headers(), {header_names.begin(), header_names.end()}},
      // clang-format off
      {{}, large_description + "@begin bogus\n", previous_headers(), previous_headers(), {}, bogus},
      {{"--summary=s.txt"}, example, and_summary(previous_headers(), "old\n"),
       and_summary(example_headers(), example_summary()),
       {"wam_regs.h", "wam_stacks.h", "th_public_config.h", "wam_arch.h", "s.txt"}},
      {{"-w", "--summary=s.txt"}, example, and_summary(example_headers(), example_summary()),
       and_summary(example_headers(), example_summary()), {}},
      {{"--summary=s.txt"}, large_description + "@begin bogus\n", and_summary(previous_headers(), "old\n"),
       and_summary(previous_headers(), "old\n"), {}, bogus},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args) + (c.err.empty() ? "" : " late error"));
    std::vector<std::string> replaced;  // the headers whose date is no longer the old one
    const ToolResult result =
        run_tool(default_tool, c.description,
                 {.prepare = [&](const fs::path& dir) { write_old_headers(dir, c.old_headers); },
                  .args = c.args,
                  .inspect =
                      [&](const fs::path& dir) {
                        for (const char* name : header_names)
                          if (fs::last_write_time(dir / name) != old_date) replaced.push_back(name);
                        if (c.old_headers.contains("s.txt") && fs::last_write_time(dir / "s.txt") != old_date)
                          replaced.push_back("s.txt");
                      }});
    if (c.old_headers.contains("s.txt")) {
      EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(result.status, c.err.empty() ? 0 : 1);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.files, c.headers);  // and no temporary file
    EXPECT_EQ(replaced, c.replaced);
  }
}

// With --write-if-changed too, whose temporary file comes only once a
// header differs.
TEST(StagedOutputTest, LinksStayAndPermissionBitsAreKept) {
  if (windows_tools) GTEST_SKIP() << "needs a POSIX host";
  const mode_t mask = umask(0);
  umask(mask);
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"-w"}}) {
    SCOPED_TRACE(::testing::PrintToString(args));
    std::map<std::string, unsigned> modes;
    bool still_a_link = false;
    const ToolResult result = run_tool(default_tool, example,
                                       {.prepare =
                                            [](const fs::path& dir) {
                                              fs::create_directory(dir / "targets");
                                              write_file(dir / "targets" / "regs.h", "old\n");
                                              fs::permissions(dir / "targets" / "regs.h", fs::perms(0640));
                                              fs::create_symlink("targets/regs.h", dir / "wam_regs.h");
                                              write_file(dir / "wam_stacks.h", "old\n");
                                              fs::permissions(dir / "wam_stacks.h", fs::perms(0600));
                                            },
                                        .args = args,
                                        .inspect =
                                            [&](const fs::path& dir) {
                                              for (const char* name : {"wam_arch.h", "wam_stacks.h", "targets/regs.h"})
                                                modes[name] =
                                                    static_cast<unsigned>(fs::status(dir / name).permissions());
                                              still_a_link = fs::is_symlink(dir / "wam_regs.h");
                                            },
                                        .subdirectories = true});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(still_a_link);
    Files expected = example_headers();
    expected["targets/regs.h"] = expected.extract("wam_regs.h").mapped();
    EXPECT_EQ(result.files, expected);
    EXPECT_EQ(modes, (std::map<std::string, unsigned>{
                         {"wam_arch.h", 0666u & ~mask}, {"wam_stacks.h", 0600u}, {"targets/regs.h", 0640u}}));
  }
}

// A user that is not the runner, whatever user runs the suite, and whether
// the suite may give files to them (it must run as root).
const uid_t other_user = geteuid() == 4242 ? 4243 : 4242;
bool may_give_files_away() {
  const fs::path dir = make_temp_dir();
  fs::create_symlink("x", dir / "link");
  const bool given = lchown((dir / "link").c_str(), other_user, -1) == 0;
  fs::remove_all(dir);
  return given;
}

// Whatever the path, a link planted by another user in a shared directory
// (sticky, others may write) is not followed, at whichever hop of a chain it
// is met, so that nobody can make the run replace or read a file of their
// choosing: the run fails, and nothing is written.  Nor, in any directory,
// is a link of another user than the runner and root that leads to what
// that user does not own (for a file not there yet, its directory): their
// own directory, plain, sticky for all or for their group, is no way to a
// root file.  The runner's links are always followed, and another user's
// where neither rule stops them.  The link planted is `shared/NAME`, with
// the owner of the row; the targets are the runner's or that user's.
TEST(StagedOutputTest, LinksInSharedDirectoriesAtEveryHop) {
  if (windows_tools) GTEST_SKIP() << "Windows follows no link";
  if (!may_give_files_away()) GTEST_SKIP() << "cannot give a file to another user (needs root)";
  const std::string script = run_tool(default_tool, example, {.args = {"--debugger-script=s.py"}}).files["s.py"];
  const Files before = {{"targets/regs.h", "old\n"}, {"targets/wam.py", "old\n"}, {"targets/arch.def", example}};
  const std::string head = example_summary().substr(0, example_summary().find("Use machine regs."));
  const auto headers_in = [](const std::string& dir, const char* regs_at = nullptr) {
    Files files;
    for (const auto& [name, text] : example_headers())
      files[name == "wam_regs.h" && regs_at != nullptr ? regs_at : dir + name] = text;
    return files;
  };
  const auto with = [](Files files, const std::string& name, const std::string& text) {
    files[name] = text;
    return files;
  };
  const struct {
    const char* layout;
    const char* planted;  // in shared/, to its target
    const char* target;
    const char* chain;  // the runner's link out/wam_regs.h to there; null for none
    std::vector<std::string> args;
    const char* refused;  // the path the refusal names
    Files written;        // where the run writes, but for the description's own directory
  } layouts[] = {
      // clang-format off
      {"the last component", "wam_regs.h", "../targets/regs.h", nullptr, {"-o", "shared"}, "shared/wam_regs.h",
       headers_in("shared/", "targets/regs.h")},
      {"a directory component", "gen", "../targets", nullptr, {"-o", "shared/gen/sub"}, "shared/gen/sub/wam_regs.h",
       headers_in("targets/sub/")},
      {"the output directory", "gen", "../targets", nullptr, {"-o", "shared/gen"}, "shared/gen/wam_regs.h",
       headers_in("targets/")},
      {"a chain through a directory link", "gen", "../targets", "../shared/gen/regs.h", {"-o", "out"}, "out/wam_regs.h",
       headers_in("out/", "targets/regs.h")},
      {"the second link of a chain", "regs.h", "../targets/regs.h", "../shared/regs.h", {"-o", "out"}, "out/wam_regs.h",
       headers_in("out/", "targets/regs.h")},
      {"the debugger script", "wam.py", "../targets/wam.py", nullptr, {"--debugger-script=shared/wam.py"},
       "shared/wam.py", with(headers_in(""), "targets/wam.py", script)},
      {"the description", "arch.def", "../targets/arch.def", nullptr, {"-d", "shared/arch.def"}, "shared/arch.def",
       headers_in("")},
      {"a dangling link", "wam_regs.h", "../targets/new.h", nullptr, {"-o", "shared"}, "shared/wam_regs.h",
       headers_in("shared/", "targets/new.h")},
      // clang-format on
  };
  enum Owner { runner, directory_owner, someone_else };
  const char* const owner_names[] = {"the runner's link", "the directory owner's link", "another user's link"};
  for (const auto& layout : layouts) {
    for (const unsigned dir_mode : {01777u, 0777u, 01775u}) {
      for (const Owner owner : {runner, directory_owner, someone_else}) {
        for (const bool targets_of_link_owner : {false, true}) {
          SCOPED_TRACE(::testing::Message() << layout.layout << ", 0" << std::oct << dir_mode << ", "
                                            << owner_names[owner] << (targets_of_link_owner ? " to its own" : ""));
          std::vector<std::string> args = layout.args;
          args.push_back("--located-errors");
          const ToolResult result = run_tool(
              default_tool, std::nullopt,
              {.prepare =
                   [&](const fs::path& dir) {
                     fs::create_directories(dir / "targets" / "sub");
                     fs::create_directory(dir / "out");
                     fs::create_directory(dir / "shared");
                     for (const auto& [name, text] : before) write_file(dir / name, text);
                     if (layout.chain != nullptr) fs::create_symlink(layout.chain, dir / "out" / "wam_regs.h");
                     fs::create_symlink(layout.target, dir / "shared" / layout.planted);
                     EXPECT_EQ(lchown((dir / "shared" / layout.planted).c_str(),
                                      owner == runner ? geteuid() : other_user, -1),
                               0);
                     EXPECT_EQ(chown((dir / "shared").c_str(), owner == directory_owner ? other_user : geteuid(), -1),
                               0);
                     fs::permissions(dir / "shared", fs::perms(dir_mode));
                     if (layout.args[0] != "-d") write_file(dir / "wam_arch.def", example);
                     if (targets_of_link_owner) {
                       for (const auto& entry : fs::recursive_directory_iterator(dir / "targets"))
                         EXPECT_EQ(chown(entry.path().c_str(), other_user, -1), 0);
                       EXPECT_EQ(chown((dir / "targets").c_str(), other_user, -1), 0);
                     }
                   },
               .args = args,
               .subdirectories = true});
          const bool shared_rule = dir_mode == 01777u && owner == someone_else;
          const bool followed = owner == runner || (targets_of_link_owner && !shared_rule);
          Files expected = before;
          if (followed)
            for (const auto& [name, text] : layout.written) expected[name] = text;
          const bool description = layout.args[0] == "-d";
          const std::string reason =
              shared_rule ? "another user's link in a shared directory"
                          : "a link of user " + std::to_string(other_user) + " leads to a file of user root";
          expect_run(result, followed ? 0 : 1,
                     followed      ? example_summary()
                     : description ? head
                                   : "",
                     followed ? "" : std::string(layout.refused) + ": error: cannot open: " + reason + "\n", expected);
        }
      }
    }
  }
}

// The permission bits of a new file: 0666 less the umask.
unsigned new_mode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666u & ~mask;
}

// An access ACL of user 4242 rw-, group ---, mask rw-, others ---: the
// system.posix_acl_access attribute as the kernel keeps it.
const std::string acl_of_other_user = [] {
  std::string acl("\x02\0\0\0", 4);
  const auto entry = [&](unsigned tag, unsigned perm, unsigned id) {
    const unsigned char bytes[8] = {static_cast<unsigned char>(tag),      0,
                                    static_cast<unsigned char>(perm),     0,
                                    static_cast<unsigned char>(id),       static_cast<unsigned char>(id >> 8),
                                    static_cast<unsigned char>(id >> 16), static_cast<unsigned char>(id >> 24)};
    acl.append(reinterpret_cast<const char*>(bytes), 8);
  };
  entry(0x01, 6, 0xFFFFFFFF);
  entry(0x02, 6, 4242);
  entry(0x04, 0, 0xFFFFFFFF);
  entry(0x10, 6, 0xFFFFFFFF);
  entry(0x20, 0, 0xFFFFFFFF);
  return acl;
}();

// A replaced header keeps the old one's permission bits, but never a set-ID
// or sticky bit, its owner and group, and its access ACL: a header of
// another user's, of the bytes of a program, must not become the runner's
// set-user-ID program.  In a shared directory another user's header is
// neither replaced nor, a FIFO that someone reads, written through.  A
// header with a second name (a hard link another user made to the runner's
// file) is a new file of the runner's: nothing of that file is kept or
// changed.
TEST(StagedOutputTest, ModesAndOwnersOfReplacedHeaders) {
  if (windows_tools) GTEST_SKIP() << "Windows has no permission bits";
  if (!may_give_files_away()) GTEST_SKIP() << "cannot give a file to another user (needs root)";
  const std::string head = example_summary().substr(0, example_summary().find("Use machine regs."));
  const unsigned fresh = new_mode();
  enum Extra { none, fifo, hard_link, acl };
  const struct {
    unsigned dir_mode;
    unsigned old_mode;
    uid_t owner;
    Extra extra;
    unsigned new_mode;  // 0: refused
  } cases[] = {
      {0755, 06777, other_user, none, 0777},      {0755, 0666, other_user, none, 0666},
      {0755, 0640, other_user, none, 0640},       {01777, 06777, other_user, none, 0},
      {01777, 0666, other_user, none, 0},         {01777, 0640, other_user, none, 0},
      {01777, 04755, geteuid(), none, 0755},      {0755, 0666, other_user, fifo, 0666},
      {01777, 0666, other_user, fifo, 0},         {01777, 0666, geteuid(), hard_link, fresh},
      {01777, 0660, geteuid(), hard_link, fresh}, {0755, 0660, geteuid(), acl, 0660},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::oct << "0" << c.dir_mode << " 0" << c.old_mode << " " << std::dec
                                      << c.owner << " extra " << c.extra);
    struct stat after {};
    int reader = -1;
    std::string acl_after(256, '\0');
    const ToolResult result =
        run_tool(default_tool, example,
                 {.prepare =
                      [&](const fs::path& dir) {
                        const fs::path header = dir / "gen" / "wam_arch.h";
                        fs::create_directory(dir / "gen");
                        if (c.extra == fifo) mkfifo(header.c_str(), 0600);
                        if (c.extra == fifo) reader = open(header.c_str(), O_RDONLY | O_NONBLOCK);
                        if (c.extra != fifo) write_file(c.extra == hard_link ? dir / "root_file" : header, "old\n");
                        if (c.extra == hard_link) fs::create_hard_link(dir / "root_file", header);
                        ASSERT_EQ(chown(header.c_str(), c.owner, other_user), 0);
                        ASSERT_EQ(chmod(header.c_str(), c.old_mode), 0);
                        ASSERT_EQ(chmod((dir / "gen").c_str(), c.dir_mode), 0);
                        if (c.extra == acl) {
                          ASSERT_EQ(setxattr(header.c_str(), "system.posix_acl_access", acl_of_other_user.data(),
                                             acl_of_other_user.size(), 0),
                                    0);
                        }
                      },
                  .args = {"-o", "gen", "--located-errors"},
                  .inspect =
                      [&](const fs::path& dir) {
                        const fs::path header = dir / "gen" / "wam_arch.h";
                        stat(header.c_str(), &after);
                        acl_after.resize(static_cast<std::size_t>(std::max<ssize_t>(
                            0, getxattr(header.c_str(), "system.posix_acl_access", acl_after.data(), 256))));
                      },
                  .subdirectories = true});
    std::string through_fifo(64 * 1024, '\0');
    through_fifo.resize(static_cast<std::size_t>(std::max<ssize_t>(0, read(reader, through_fifo.data(), 65536))));
    if (reader >= 0) close(reader);
    Files expected;
    if (c.extra != fifo) expected["gen/wam_arch.h"] = "old\n";
    if (c.extra == hard_link) expected["root_file"] = "old\n";
    if (c.new_mode != 0)
      for (const auto& [name, text] : example_headers()) expected["gen/" + name] = text;
    if (c.extra == fifo) {
      EXPECT_EQ(through_fifo, c.new_mode != 0 ? expected.extract("gen/wam_arch.h").mapped() : "");
    }
    expect_run(
        result, c.new_mode != 0 ? 0 : 1, c.new_mode != 0 ? example_summary() : head,
        c.new_mode != 0 ? "" : "gen/wam_arch.h: error: cannot open: owned by another user in a shared directory\n",
        expected);
    EXPECT_EQ(after.st_mode & 07777, c.new_mode != 0 ? c.new_mode : c.old_mode);
    EXPECT_EQ(after.st_uid, c.owner);
    EXPECT_EQ(after.st_gid, c.extra == hard_link ? getegid() : other_user);
    EXPECT_EQ(acl_after, c.extra == acl ? acl_of_other_user : "");
  }
}

// With --write-if-changed a run whose headers would all stay as they are
// needs no write access: a header is only read where it does not change.
// Run as another user in a directory they may read but not write.
TEST(StagedOutputTest, UnchangedHeadersNeedNoWriteAccess) {
  if (windows_tools) GTEST_SKIP() << "POSIX permissions";
  if (!may_give_files_away()) GTEST_SKIP() << "cannot run as another user (needs root)";
  for (const bool write_if_changed : {true, false}) {
    SCOPED_TRACE(write_if_changed ? "-w" : "no -w");
    const ToolResult result =
        run_tool(default_tool, example,
                 {.prepare =
                      [](const fs::path& dir) {
                        write_old_headers(dir, example_headers());
                        fs::permissions(dir, fs::perms(0555));
                      },
                  .args = write_if_changed ? std::vector<std::string>{"-w"} : std::vector<std::string>{},
                  .inspect = [](const fs::path& dir) { fs::permissions(dir, fs::perms(0755)); },
                  .as_user = other_user});
    expect_run(result, write_if_changed ? 0 : 1, write_if_changed ? example_summary() : "",
               write_if_changed ? "" : "cannot open wam_regs.h\n", example_headers());
  }
}

TEST(StagedOutputTest, PathsFromTheCommandLine) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
    std::string header_dir;  // where the headers must be, "" for nowhere
  } cases[] = {
      {{"--description", "sub/arch.def", "--output-dir", "gen"}, 0, "", "gen"},
      {{"-d", "./sub//arch.def", "-o", "gen/"}, 0, "", "gen"},
      {{"-d", "sub/none.def", "-o", "gen"}, 1, "cannot open sub/none.def\n", ""},
      {{"-d", "sub/arch.def", "-o", "missing"}, 1, "cannot open missing/wam_regs.h\n", ""},
      {{"-d", "sub/arch.def", "-o", "missing", "-w"}, 1, "cannot open missing/wam_regs.h\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ToolResult result = run_tool(default_tool, std::nullopt,
                                       {.prepare =
                                            [](const fs::path& dir) {
                                              fs::create_directories(dir / "sub");
                                              fs::create_directories(dir / "gen");
                                              write_file(dir / "sub" / "arch.def", example);
                                            },
                                        .args = c.args,
                                        .subdirectories = true});
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, c.err);
    Files expected = {{"sub/arch.def", example}};
    if (!c.header_dir.empty())
      for (const auto& [name, text] : example_headers()) expected[c.header_dir + "/" + name] = text;
    EXPECT_EQ(result.files, expected);
  }
}

// A drive letter and either slash, in absolute paths outside the working
// directory (wine maps drive Z: to the root directory).
TEST(StagedOutputTest, WindowsPathsWithADriveLetter) {
  if (!windows_tools) GTEST_SKIP() << "Windows paths";
  const auto windows_path = [](const fs::path& path, char slash) {
    std::string text = "Z:" + path.string();
    std::replace(text.begin(), text.end(), '/', slash);
    return text;
  };
  const fs::path root = make_temp_dir();
  fs::create_directory(root / "gen");
  write_file(root / "arch.def", example);
  const std::vector<std::string> cases[] = {
      {"--description", windows_path(root / "arch.def", '\\'), "--output-dir", windows_path(root / "gen", '/')},
      {"-d", windows_path(root / "arch.def", '/'), "-o", windows_path(root / "gen", '\\') + "\\"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args[1] + " " + args[3]);
    for (const char* name : header_names) fs::remove(root / "gen" / name);
    expect_run(run_tool(default_tool, std::nullopt, {.args = args}), 0, example_summary(), "", {});
    EXPECT_EQ(files_in(root / "gen"), example_headers());
  }
  fs::remove_all(root);
}

// Windows replaces no file that another process holds open, as a compiler
// or an editor may: the run fails, and no header is replaced.
TEST(StagedOutputTest, HeaderHeldOpenOnWindowsFailsTheRun) {
  if (!windows_tools) GTEST_SKIP() << "POSIX systems replace an open file";
  int to_holder[2], from_holder[2];
  ASSERT_EQ(pipe2(to_holder, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(from_holder, O_CLOEXEC), 0);
  pid_t holder = -1;
  const ToolResult result = run_tool(default_tool, example,
                                     {.prepare =
                                          [&](const fs::path& dir) {
                                            write_old_headers(dir, previous_headers());
                                            holder = fork();
                                            if (holder == 0) {
                                              dup2(to_holder[0], STDIN_FILENO);
                                              dup2(from_holder[1], STDOUT_FILENO);
                                              close(to_holder[1]);
                                              exec_tool(hold_file_tool, {(dir / "wam_arch.h").string()});
                                            }
                                            close(to_holder[0]);
                                            close(from_holder[1]);
                                            char held[5] = "";
                                            ASSERT_EQ(read(from_holder[0], held, 4), 4);
                                            ASSERT_STREQ(held, "held");
                                          },
                                      .inspect =
                                          [&](const fs::path&) {
                                            close(to_holder[1]);
                                            close(from_holder[0]);
                                            waitpid(holder, nullptr, 0);
                                          }});
  expect_run(result, 1, example_summary(), "cannot write wam_arch.h\n", previous_headers());
}

// Killed at any moment, a run leaves each header as it was or complete; what
// else it leaves is hidden, and the next run goes through.
TEST(StagedOutputTest, KilledRunLeavesWholeHeaders) {
  const Files complete = complete_headers(large_description);
  const ToolResult result =
      run_tool(default_tool, large_description, {.prepare = [&](const fs::path& dir) {
                 write_old_headers(dir, previous_headers());
                 for (int delay_ms = 0; delay_ms <= 150; delay_ms += 10) {
                   const pid_t pid = start_tool(dir);
                   std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
                   kill(pid, SIGKILL);
                   wait_process(pid);
                   for (const char* name : header_names) {
                     const std::string text = read_file(dir / name);
                     EXPECT_TRUE(text == previous_headers().at(name) || text == complete.at(name))
                         << name << " after " << delay_ms << " ms";
                   }
                   for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
                     const std::string name = entry.path().filename().string();
                     EXPECT_TRUE(name[0] == '.' || name == "wam_arch.def" || complete.contains(name)) << name;
                   }
                 }
                 for (const fs::directory_entry& entry : fs::directory_iterator(dir))
                   if (entry.path().filename().string()[0] == '.') fs::remove(entry.path());
               }});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.files, complete);
}

// Six jobs at once in one directory, each running the tool four times, as a
// parallel make may start them, and a reader beside them: every read sees a
// whole header.  Every other job runs with --write-if-changed, comparing
// with the headers that the others keep replacing.
TEST(StagedOutputTest, ConcurrentRunsNeverShowATornHeader) {
  const Files complete = complete_headers(large_description);
  int passes_during_runs = 0;  // over all four headers, with a run still going
  std::vector<int> statuses;
  const ToolResult result =
      run_tool(default_tool, large_description, {.prepare = [&](const fs::path& dir) {
                 write_old_headers(dir, complete);
                 std::vector<pid_t> running;
                 for (int i = 0; i < 6; ++i)
                   running.push_back(start_tool(dir, 4, i % 2 == 1, dir.parent_path() / ("job-" + std::to_string(i))));
                 while (!running.empty()) {
                   for (const char* name : header_names) EXPECT_TRUE(holds(dir / name, complete.at(name))) << name;
                   std::erase_if(running, [&](pid_t pid) {
                     int status = 0;
                     if (waitpid(pid, &status, WNOHANG) != pid) return false;
                     statuses.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
                     return true;
                   });
                   if (!running.empty()) ++passes_during_runs;
                 }
                 for (int i = 0; i < 6; ++i) {
                   const std::string errors = read_file(dir.parent_path() / ("job-" + std::to_string(i)));
                   EXPECT_EQ(errors, "") << "job " << i;
                 }
               }});
  EXPECT_EQ(statuses, std::vector<int>(6, 0));
  EXPECT_GE(passes_during_runs, 2);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.files, complete);  // no temporary file left behind
}

}  // namespace
}  // namespace pl_config::testing
