// Whole-tool benchmark: pl_config against a plain copy of the same bytes.
//
// The tool's work is its start-up plus reading every byte of wam_arch.def and
// copying the ordinary lines, so its floor is a user-space copy:
// `dd bs=128K` reads and writes every byte through user memory.  `cat` is
// the floor for the tiny shipped example only, where start-up is everything
// (for large files it copies inside the kernel and never sees the bytes).
//
//   copy_bench <tool> <work dir> [--runs N] [--quick]
//
// Inputs are generated into the work directory, every program runs once
// untimed to warm the page cache, then the programs run interleaved, N times
// each.  Each child is started with fork/execv, timed from fork to wait4, and
// its peak memory taken from wait4's rusage.

#include <sys/resource.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "process.h"

namespace {

namespace fs = std::filesystem;

constexpr double bytes_per_mb = 1e6;
constexpr double target_ratio = 1.1;
// A run with --write-if-changed over unchanged headers reads them back.
constexpr double unchanged_target_ratio = 1.25;
// A check, or a run that shows the warnings, of a description with a
// warning and a note on nearly every line, against its plain run.
constexpr double check_target_ratio = 2.0;
// Fixed start-up cost makes the small files' cost per MB a little higher;
// more spread than this means the tool is not linear in its input.
constexpr double linearity_limit = 1.3;

struct Options {
  fs::path tool;
  fs::path work_dir;
  int runs = 5;
  bool quick = false;
};

[[noreturn]] void die(const std::string& message) {
  std::fprintf(stderr, "copy_bench: %s\n", message.c_str());
  std::exit(1);
}

Options parse_options(int argc, char** argv) {
  Options options;
  std::vector<std::string> positional;
  std::optional<int> runs;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--quick") {
      options.quick = true;
    } else if (arg == "--runs" && i + 1 < argc) {
      runs = std::atoi(argv[++i]);
      if (*runs < 1) die("--runs wants a positive count");
    } else if (arg.starts_with("--")) {
      die("unknown option " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) die("usage: copy_bench <tool> <work dir> [--runs N] [--quick]");
  options.tool = fs::absolute(positional[0]);
  options.work_dir = fs::absolute(positional[1]);
  options.runs = runs.value_or(options.quick ? 1 : 5);
  return options;
}

// --- Inputs -------------------------------------------------------------------

// splitmix64: fixed seeds give the same files on every machine.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
  std::size_t between(std::size_t low, std::size_t high) { return low + below(high - low + 1); }

 private:
  std::uint64_t state_;
};

// Appends to a file through a large buffer, so generating 200 MB costs
// little more than writing it.
class BulkWriter {
 public:
  explicit BulkWriter(const fs::path& path) : path_(path), file_(std::fopen(path.c_str(), "wb")) {
    if (file_ == nullptr) die("cannot create " + path.string());
    buffer_.reserve(buffer_size + 4096);
  }
  BulkWriter(const BulkWriter&) = delete;
  BulkWriter& operator=(const BulkWriter&) = delete;
  ~BulkWriter() {
    if (file_ != nullptr) std::fclose(file_);
  }

  void append(const char* data, std::size_t size) {
    buffer_.append(data, size);
    written_ += size;
    if (buffer_.size() >= buffer_size) flush();
  }
  void append(const std::string& text) { append(text.data(), text.size()); }
  std::size_t written() const { return written_; }

  // Synced, so that no write-back of the inputs falls into a timed run.
  void close() {
    flush();
    if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0 || std::fclose(file_) != 0) {
      file_ = nullptr;
      die("cannot write " + path_.string());
    }
    file_ = nullptr;
  }

 private:
  static constexpr std::size_t buffer_size = std::size_t{4} << 20;

  void flush() {
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) die("cannot write " + path_.string());
    buffer_.clear();
  }

  fs::path path_;
  std::FILE* file_;
  std::string buffer_;
  std::size_t written_ = 0;
};

// Lines are slices of one table of printable characters.  It holds no "@":
// a long line reaches the reader in 511-byte pieces, and a piece that began
// with "@" would be taken for a directive line.
class OrdinaryLines {
 public:
  static constexpr std::size_t longest_line = 2000;

  explicit OrdinaryLines(std::uint64_t seed) : random_(seed) {
    text_.resize(std::size_t{1} << 16);
    for (char& c : text_) {
      do c = static_cast<char>(' ' + random_.below('~' - ' ' + 1));
      while (c == '@');
    }
  }

  // Mostly short lines, some empty, some longer than one 511-byte read.
  void append(BulkWriter& out, std::size_t bytes) {
    const std::size_t end = out.written() + bytes;
    while (out.written() < end) {
      const std::size_t kind = random_.below(100);
      const std::size_t length = kind < 6 ? 0 : kind < 9 ? random_.between(600, longest_line) : random_.between(1, 120);
      out.append(text_.data() + random_.below(text_.size() - longest_line), length);
      out.append("\n", 1);
    }
  }

 private:
  Random random_;
  std::string text_;
};

// Each section filled to what the tool's tables hold: 10 output groups of 50
// registers, 128 tags, 12 stacks.
std::string full_sections() {
  std::string text = "@begin regs\n/* every output group full */\n@filler 2\n";
  char line[128];
  for (int k = 0; k < 50; ++k) {
    for (int group = 0; group < 10; ++group) {
      std::snprintf(line, sizeof line, "@reg %d %s g%d_register_%02d\n", group, k % 3 == 0 ? "WamWordP" : "WamWord",
                    group, k);
      text += line;
    }
  }
  text += "@end\n\n@begin tags\n";
  static const char* const kinds[] = {"address", "short_uns", "long_int"};
  for (int i = 0; i < 128; ++i) {
    // 37 is prime to 128: each of the values 0..127 once, out of order.
    std::snprintf(line, sizeof line, "@tag TAG_%03d %s %d\n", i, kinds[i % 3], i * 37 % 128);
    text += line;
  }
  text += "@end\n\n@begin stacks\n";
  for (int i = 0; i < 12; ++i) {
    std::snprintf(line, sizeof line, "@stack stack_%02d \"stack %d of the block\" %d Top_%02d\n", i, i, 1 << i, i);
    text += line;
  }
  return text + "@end\n";
}

struct Input {
  std::string name;
  fs::path path;
  double mb;                     // size to generate
  void (*write)(const Input&);   // null for a shipped file
  bool against_cat;              // start-up bound: compare with cat as well
  bool plain_copy;               // no sections: the tool's wam_arch.h must equal it
  bool rerun_unchanged = false;  // also time --write-if-changed over the same headers
  int sections = 0;              // many sections, each with its warnings: also time the checks
};

void write_ordinary_file(const Input& input) {
  BulkWriter out(input.path);
  OrdinaryLines lines(static_cast<std::uint64_t>(input.mb * 1000));
  lines.append(out, static_cast<std::size_t>(input.mb * bytes_per_mb));
  out.close();
}

void write_capacity_file(const Input& input) {
  BulkWriter out(input.path);
  OrdinaryLines lines(7);
  const std::string sections = full_sections();
  const auto size = static_cast<std::size_t>(input.mb * bytes_per_mb);
  while (out.written() < size) {
    lines.append(out, 16 << 10);
    out.append(sections);
  }
  lines.append(out, 4 << 10);
  out.close();
}

// Tags and regs sections by turns, each declaring again the name of the
// first of its kind: every one but the first two has the warnings
// second-section and duplicate-name, each with a note that shows a line at
// the top of the file.
void write_sections_file(const Input& input) {
  BulkWriter out(input.path);
  char line[64];
  for (int i = 0; i < input.sections; i += 2) {
    std::snprintf(line, sizeof line, "/* sections %d and %d */\n", i + 1, i + 2);
    out.append(line);
    out.append("@begin tags\n@tag ATOM address 5\n@end\n@begin regs\n@reg 0 WamWord R1\n@end\n");
  }
  out.close();
}

std::vector<Input> plan_inputs(const Options& options) {
  const fs::path& dir = options.work_dir;
  std::vector<Input> inputs;
  for (double mb : options.quick ? std::vector<double>{0.5, 1, 2} : std::vector<double>{50, 100, 200}) {
    char name[32];
    std::snprintf(name, sizeof name, "lines-%gMB", mb);
    inputs.push_back({name, dir / (std::string(name) + ".def"), mb, write_ordinary_file, false, true});
  }
  inputs.back().rerun_unchanged = true;
  inputs.push_back({"capacity", dir / "capacity.def", options.quick ? 1.0 : 32.0, write_capacity_file, false, false});
  for (int thousands : options.quick ? std::vector<int>{1, 10} : std::vector<int>{1, 10, 100}) {
    const std::string name = "sections-" + std::to_string(thousands) + "k";
    const int sections = thousands * 1000;
    inputs.push_back({name, dir / (name + ".def"), 0, write_sections_file, false, false, false, sections});
  }
  inputs.push_back({"example", PL_CONFIG_EXAMPLE_DEF, 0, nullptr, true, false});
  return inputs;
}

// In a child process: the generator's buffers must not stay in this
// process, whose pages every forked child starts with.
void generate(const Input& input) {
  const pid_t pid = fork();
  if (pid < 0) die("fork failed");
  if (pid == 0) {
    input.write(input);
    _exit(0);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    die("cannot generate " + input.name);
}

// --- Running ------------------------------------------------------------------

struct Command {
  std::string label;
  std::vector<std::string> argv;  // argv[0] is an absolute path
  fs::path dir;
  fs::path out = "/dev/null";
  fs::path err = "";                   // "" for the benchmark's own
  std::vector<fs::path> outputs = {};  // removed before each run
};

struct Sample {
  double ms;
  long peak_kb;
};

fs::path find_program(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  for (std::size_t start = 0; start <= dirs.size();) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  die("no " + name + " on PATH");
}

double seconds_now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Everything the child needs is built before fork: a child that touched
// memory would add to the peak that wait4 reports for it.
Sample run(const Command& command) {
  // Every program writes new files: truncating the last run's hundreds of
  // megabytes is the file system's work, not the program's.
  for (const fs::path& output : command.outputs) fs::remove(output);
  const double start = seconds_now();
  const pid_t pid = pl_config::testing::start_process(command.argv, command.dir, command.out, command.err);
  rusage usage{};
  const int status = pl_config::testing::wait_process(pid, &usage);
  const double end = seconds_now();
  if (status != 0) die(command.label + " failed with status " + std::to_string(status));
  return {(end - start) * 1e3, usage.ru_maxrss};
}

bool same_bytes(const fs::path& a, const fs::path& b) {
  std::ifstream left(a, std::ios::binary), right(b, std::ios::binary);
  std::vector<char> x(1 << 16), y(1 << 16);
  while (left && right) {
    left.read(x.data(), static_cast<std::streamsize>(x.size()));
    right.read(y.data(), static_cast<std::streamsize>(y.size()));
    if (left.gcount() != right.gcount() || !std::equal(x.begin(), x.begin() + left.gcount(), y.begin())) return false;
  }
  return left.eof() && right.eof();
}

struct Programs {
  fs::path tool, dd, cat;
};

// The tool, dd and (for the start-up bound input) cat, in that order.
std::vector<Command> commands_for(const Input& input, const Programs& programs, const fs::path& dir) {
  const std::string file = input.path.string();
  std::vector<Command> commands{
      {"pl_config on " + input.name,
       {programs.tool},
       dir,
       "/dev/null",
       "",
       {dir / "wam_arch.h", dir / "wam_regs.h", dir / "wam_stacks.h", dir / "th_public_config.h"}},
      {"dd on " + input.name,
       {programs.dd, "if=" + file, "of=dd.out", "bs=128K"},
       dir,
       "/dev/null",
       "/dev/null",
       {dir / "dd.out"}},
  };
  if (input.against_cat)
    commands.push_back({"cat on " + input.name, {programs.cat, file}, dir, dir / "cat.out", "", {dir / "cat.out"}});
  return commands;
}

// The runs that show a description's messages, each held against its plain
// run: with the messages to /dev/null, and once to files, for what writing
// them costs.
struct CheckRun {
  const char* label;
  std::vector<std::string> args;
  bool to_files = false;
};

const CheckRun check_runs[] = {
    {"check", {"--check"}},
    {"warnings", {"--warnings"}},
    {"json", {"--check", "--format=json"}},
    {"to files", {"--check"}, true},
};

// A --warnings run writes the headers, and starts without them as the plain
// run does.
std::vector<Command> check_commands(const Input& input, const Command& plain) {
  std::vector<Command> commands;
  if (input.sections == 0) return commands;
  for (const CheckRun& check : check_runs) {
    Command command{std::string("pl_config ") + check.label + " on " + input.name,
                    {plain.argv[0]},
                    plain.dir,
                    "/dev/null",
                    "/dev/null",
                    plain.outputs};
    command.argv.insert(command.argv.end(), check.args.begin(), check.args.end());
    if (check.to_files) {
      command.out = plain.dir / "check.out";
      command.err = plain.dir / "check.err";
      command.outputs.insert(command.outputs.end(), {command.out, command.err});
    }
    commands.push_back(command);
  }
  return commands;
}

struct Measurement {
  std::string name;
  double mb;
  std::vector<std::vector<Sample>> samples;      // per program, per run
  double written_mb = 0;                         // what the tool writes: its four headers
  std::vector<Sample> unchanged = {};            // --write-if-changed right after the tool's run
  std::vector<std::vector<Sample>> checks = {};  // per check_runs row, right after the tool's run
  double check_written_mb = 0;                   // what a check writes: messages and layout
};

Measurement measure(const Input& input, const Programs& programs, const Options& options) {
  const fs::path dir = options.work_dir / ("run-" + input.name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::create_symlink(input.path, dir / "wam_arch.def");
  const std::vector<Command> commands = commands_for(input, programs, dir);
  const std::vector<Command> checks = check_commands(input, commands[0]);
  for (const Command& command : checks) run(command);
  for (const Command& command : commands) run(command);
  // Only a full copy is worth timing.
  if (input.plain_copy && !same_bytes(input.path, dir / "wam_arch.h"))
    die("pl_config did not copy " + input.name + " unchanged");
  Measurement result{input.name, static_cast<double>(fs::file_size(input.path)) / bytes_per_mb, {}};
  for (const fs::path& output : commands[0].outputs)
    result.written_mb += static_cast<double>(fs::file_size(output)) / bytes_per_mb;
  result.samples.resize(commands.size());
  result.checks.resize(checks.size());
  for (const Command& check : checks)
    if (check.out != "/dev/null")
      result.check_written_mb = static_cast<double>(fs::file_size(check.out) + fs::file_size(check.err)) / bytes_per_mb;
  // Right after the tool's own run its headers stand unchanged: this run
  // compares each with its new text and replaces none.
  const Command unchanged{"pl_config --write-if-changed on " + input.name, {programs.tool, "--write-if-changed"}, dir};
  for (int i = 0; i < options.runs; ++i) {
    for (std::size_t p = 0; p < commands.size(); ++p) {
      result.samples[p].push_back(run(commands[p]));
      if (p == 0 && input.rerun_unchanged) result.unchanged.push_back(run(unchanged));
      for (std::size_t c = 0; p == 0 && c < checks.size(); ++c) result.checks[c].push_back(run(checks[c]));
    }
  }
  fs::remove_all(dir);
  return result;
}

// --- Report -------------------------------------------------------------------

template <typename Value>
double median(std::vector<Sample> samples, Value value) {
  std::vector<double> values;
  for (const Sample& sample : samples) values.push_back(static_cast<double>(value(sample)));
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double median_ms(const std::vector<Sample>& samples) {
  return median(samples, [](const Sample& s) { return s.ms; });
}
double median_kb(const std::vector<Sample>& samples) {
  return median(samples, [](const Sample& s) { return s.peak_kb; });
}

const char* verdict(double ratio, bool checked, double target = target_ratio) {
  if (!checked) return "";
  return ratio <= target ? "ok" : "over";
}

std::string cpu_model() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  for (std::string line; std::getline(cpuinfo, line);) {
    if (line.starts_with("model name") && line.find(':') != std::string::npos) return line.substr(line.find(':') + 2);
  }
  return "unknown CPU";
}

// What fork, exec and wait4 cost this harness for a program that does
// nothing: the part of every figure that no tool can remove.
Sample floor_of(const Options& options) {
  const Command nothing{"true", {find_program("true")}, options.work_dir};
  run(nothing);
  std::vector<Sample> samples;
  for (int i = 0; i < options.runs; ++i) samples.push_back(run(nothing));
  return {median_ms(samples), static_cast<long>(median_kb(samples))};
}

void print_machine(const Options& options, const Sample& floor) {
  utsname system{};
  uname(&system);
  char date[64];
  const std::time_t now = std::time(nullptr);
  std::strftime(date, sizeof date, "%Y-%m-%d %H:%M %Z", std::localtime(&now));
  std::printf("machine: %ld CPUs, %s, %s %s %s\n", sysconf(_SC_NPROCESSORS_ONLN), cpu_model().c_str(), system.sysname,
              system.release, system.machine);
  std::printf("date:    %s\n", date);
  std::printf("tool:    %s\n", options.tool.c_str());
  std::printf("floor:   fork+exec of true: %.2f ms, peak RSS %ld KB\n", floor.ms, floor.peak_kb);
  std::printf("runs:    %d of each program per input, interleaved, warm page cache; medians\n\n", options.runs);
}

void print_header() {
  std::printf("%-13s %9s | %9s %9s %9s %7s     | %8s %8s %8s %7s\n", "input", "size MB", "tool ms", "dd ms", "cat ms",
              "ratio", "tool KB", "dd KB", "cat KB", "ratio");
}

// A run of the same input with other options, held against `base_ms`.
void print_variant(const char* label, const std::vector<Sample>& samples, double base_ms, double target,
                   const std::string& note) {
  const double ms = median_ms(samples), ratio = ms / base_ms;
  std::printf("%-13s %9s | %9.2f %9.2f %9s %7.2f %-4s | %8.0f (%s; target %.2f)\n", label, "", ms, base_ms, "-", ratio,
              verdict(ratio, true, target), median_kb(samples), note.c_str(), target);
}

// Wall ratio against cat for the start-up bound input, against dd otherwise;
// memory always against dd.  The largest file and the example carry the wall
// targets.
void print_row(const Measurement& m, bool wall_checked) {
  const bool has_cat = m.samples.size() > 2;
  const double tool_ms = median_ms(m.samples[0]), dd_ms = median_ms(m.samples[1]);
  const double cat_ms = has_cat ? median_ms(m.samples[2]) : 0;
  const double tool_kb = median_kb(m.samples[0]), dd_kb = median_kb(m.samples[1]);
  const double wall_ratio = tool_ms / (has_cat ? cat_ms : dd_ms), memory_ratio = tool_kb / dd_kb;
  char cat_ms_text[16] = "-", cat_kb_text[16] = "-";
  if (has_cat) {
    std::snprintf(cat_ms_text, sizeof cat_ms_text, "%.2f", cat_ms);
    std::snprintf(cat_kb_text, sizeof cat_kb_text, "%.0f", median_kb(m.samples[2]));
  }
  std::printf("%-13s %9.3f | %9.2f %9.2f %9s %7.2f %-4s | %8.0f %8.0f %8s %7.2f %s\n", m.name.c_str(), m.mb, tool_ms,
              dd_ms, cat_ms_text, wall_ratio, verdict(wall_ratio, wall_checked), tool_kb, dd_kb, cat_kb_text,
              memory_ratio, verdict(memory_ratio, true));
  if (!m.unchanged.empty())
    print_variant("  unchanged", m.unchanged, dd_ms, unchanged_target_ratio, "--write-if-changed, headers unchanged");
  for (std::size_t c = 0; c < m.checks.size(); ++c) {
    const CheckRun& check = check_runs[c];
    std::string note;
    for (const std::string& arg : check.args) note += (note.empty() ? "" : " ") + arg;
    char where[64];
    if (check.to_files) std::snprintf(where, sizeof where, "all it writes to files, %.1f MB", m.check_written_mb);
    else std::snprintf(where, sizeof where, "its messages to /dev/null");
    print_variant(("  " + std::string(check.label)).c_str(), m.checks[c], tool_ms, check_target_ratio,
                  note + ", " + where + ", against the plain run in the dd column");
  }
}

// Linear means a fixed start-up cost plus the same cost per megabyte: the
// marginal cost between consecutive sizes stays the same.
void print_linearity(const std::vector<Measurement>& lines) {
  std::printf("\nlinearity: tool ms:");
  for (const Measurement& m : lines) std::printf(" %g MB %.1f;", std::round(m.mb * 10) / 10, median_ms(m.samples[0]));
  std::printf(" marginal ms per MB:");
  double lowest = 1e300, highest = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const double slope =
        (median_ms(lines[i].samples[0]) - median_ms(lines[i - 1].samples[0])) / (lines[i].mb - lines[i - 1].mb);
    lowest = std::min(lowest, slope);
    highest = std::max(highest, slope);
    std::printf(" %.0f-%.0f MB %.3f;", lines[i - 1].mb, lines[i].mb, slope);
  }
  const bool linear = lowest > 0 && highest / lowest <= linearity_limit;
  std::printf(" spread %.2f %s\n", lowest > 0 ? highest / lowest : 0.0, linear ? "ok" : "over");
}

void print_report(const std::vector<Measurement>& results) {
  print_header();
  std::vector<Measurement> lines;
  double largest = 0;
  for (const Measurement& m : results) {
    if (m.name.starts_with("lines-")) {
      lines.push_back(m);
      largest = std::max(largest, m.mb);
    }
  }
  for (const Measurement& m : results) print_row(m, m.samples.size() > 2 || m.mb == largest);
  for (const Measurement& m : results) {
    if (m.mb >= 1 && m.written_mb > 2 * m.mb)
      std::printf("%s: the tool writes %.1f MB of headers for %.1f MB read\n", m.name.c_str(), m.written_mb, m.mb);
  }
  print_linearity(lines);
  std::printf("wall ratio: tool/dd (tool/cat where cat ran); memory ratio: tool/dd; target %.2f\n", target_ratio);
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse_options(argc, argv);
  if (access(options.tool.c_str(), X_OK) != 0) die("no tool at " + options.tool.string());
  const Programs programs{options.tool, find_program("dd"), find_program("cat")};
  fs::create_directories(options.work_dir);
  print_machine(options, floor_of(options));
  std::vector<Measurement> results;
  for (const Input& input : plan_inputs(options)) {
    std::fflush(stdout);
    if (input.write != nullptr) generate(input);
    results.push_back(measure(input, programs, options));
    if (input.write != nullptr) fs::remove(input.path);
  }
  print_report(results);
  return 0;
}
