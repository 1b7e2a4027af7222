#!/usr/bin/env python3
"""The debugger script that pl_config writes, run in a real debugger.

For each case the tool writes a description's headers and debugger script,
words.c is built from the headers with debug information, and the debugger
runs it to its stop in stopped().  What the script's commands, and the
pretty printer or type summary, print of each word and register must be
what the program itself wrote with the headers' untag macros; wam-layout
must print the tags block of pl_config --check.

In gdb, the first port of docs/description-format.md is also taken from the
document, its blocks found by their "<!-- first port: NAME -->" markers: the
description and first.c written, the shell lines run (pl_config and cc
standing for TOOL and CC), and the gdb session replayed, each command's
output compared with the lines shown after it.

  check_debugger.py gdb|lldb DEBUGGER CC TOOL MACHINE_TOOL EXAMPLE CASES_DIR WORK_DIR DOC

MACHINE_TOOL hands out the x86-64 registers r12 to r15; it is "" where the
machine-register case cannot be built.  CASES_DIR is tests/c_integration,
with th_config.h and each description's names.h.  Exits with 77, which the
test counts as skipped, with the reason printed, when the debugger or the
compiler cannot run a program here.
"""

import collections
import os
import pathlib
import re
import shutil
import subprocess
import sys

SKIP = 77
# pl_reg_bank takes r12; these go to the first registers in register order.
MACHINE_REGISTER_NAMES = '"r13", "r14", "r15"'
HERE = os.path.dirname(os.path.abspath(__file__))


# Without -g3, wam-regs can only say that it needs it for the filler.
Case = collections.namedtuple("Case", "name description names debug machine filler_needs_macros",
                              defaults=(False, False))


def cases(example, cases_dir, machine_tool):
    low, split = (os.path.join(cases_dir, name, "wam_arch.def") for name in ("low", "split"))
    found = [
        Case("example", example, "example", "-g", filler_needs_macros=True),
        Case("example_g3", example, "example", "-g3"),
        Case("low", low, "low", "-g"),
        Case("split_g3", split, "split", "-g3"),
    ]
    if machine_tool:
        found.append(Case("example_machine", example, "example", "-g3", machine=True))
    else:
        print("no machine-register case: it needs gcc on x86-64")
    return found


def run(args, cwd=None, check=True):
    result = subprocess.run(args, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            universal_newlines=True, timeout=120)
    if check and result.returncode != 0:
        sys.exit("%s exited with %d:\n%s" % (" ".join(args), result.returncode, result.stdout))
    return result


def gdb_commands(commands):
    """gdb's arguments that run each command after a line with its marker."""
    return [arg for marker, command in commands for arg in ("-ex", "echo @@@ %s\\n" % marker, "-ex", command)]


# Each debugger's words for printing a word and showing the stopped frame's
# locals ("%s" standing for the decoded word), for running its Python and
# for a program that exited normally.
class Debugger:
    def __init__(self, program):
        self.program = program

    def probe(self, probe_program):
        commands = [self.option, self.python + " print(6 * 7)", self.option, "run", probe_program]
        output = run([self.program] + self.batch + commands, check=False).stdout
        return "42" in output.splitlines() and self.exited in output


class Gdb(Debugger):
    print_prefix = re.compile(r"^\$\d+ = ")
    print_command = "print "
    locals_commands = [("args", "info args"), ("locals", "info locals"), ("backtrace", "bt full")]
    expected_locals = {"args": ["word = %s"], "locals": ["local_word = %s"]}
    batch, option, python, exited = ["-nx", "-batch"], "-ex", "python", "exited normally"

    # `preamble` is what loads the script: by default a source command.
    def session(self, program_args, script, commands, preamble=None):
        args = [self.program] + self.batch + (preamble or ["-ex", "source " + script])
        args += ["-ex", "break stopped", "-ex", "run", "-ex", "up"] + gdb_commands(commands)
        return run(args + ["--args"] + program_args, check=False).stdout


class Lldb(Debugger):
    print_prefix = re.compile(r"^\(WamWord\) \$\d+ = ")
    print_command = "expression -- "
    locals_commands = [("locals", "frame variable")]
    expected_locals = {"locals": ["(WamWord) word = %s", "(WamWord) local_word = %s"]}
    batch, option, python, exited = ["-b", "-x"], "-o", "script", "exited with status = 0"

    # lldb -b stops at the first command that fails: the commands run from a
    # file that goes on past errors.
    def session(self, program_args, script, commands):
        commands_file = os.path.join(os.path.dirname(script), "commands.lldb")
        lines = ('script print("@@@ %s")\n%s\n' % marked for marked in commands)
        pathlib.Path(commands_file).write_text("".join(lines))
        args = [self.program, "-b", "-x", "-o", "command script import " + script, "-o",
                "breakpoint set -n stopped", "-o", "run", "-o", "frame select 1", "-o",
                "command source -e false " + commands_file, "--"]
        output = run(args + program_args, check=False).stdout
        return "\n".join(line for line in output.splitlines() if not line.startswith("(lldb) "))


def chunks(output):
    """The debugger's output cut at the markers, by marker."""
    found, current = {}, None
    for line in output.splitlines():
        if line.startswith("@@@ "):
            current = found.setdefault(line[4:], [])
        elif current is not None and line.strip():
            current.append(line)
    return found


class Built:
    """A case's headers, script and program, and what the program writes."""

    def __init__(self, case, tool, cc, cases_dir, work_dir):
        self.case = case
        self.dir = os.path.join(work_dir, case.name)
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.dir)
        shutil.copy(case.description, os.path.join(self.dir, "wam_arch.def"))
        run([tool, "--debugger-script=wam_debug.py"], cwd=self.dir)
        self.script = os.path.join(self.dir, "wam_debug.py")
        report = run([tool, "--check"], cwd=self.dir).stdout
        self.layout = report[report.index("Tagged word, "):].split("\n\n")[0].splitlines()
        self.program = os.path.join(self.dir, "words")
        with open(os.path.join(self.dir, "wam_regs.h")) as header:
            cflags_regs = re.search(r'^#define CFLAGS_REGS\s*"(.*)"$', header.read(), re.M).group(1).split()
        defines = ["-DMACHINE_REGISTER_NAMES=" + MACHINE_REGISTER_NAMES] if case.machine else []
        run([cc, "-std=gnu11", "-O0", case.debug, "-Wall", "-Wextra", "-Werror"] + cflags_regs + defines +
            ["-I" + self.dir, "-I" + cases_dir, "-I" + os.path.join(cases_dir, case.names),
             os.path.join(HERE, "words.c"), "-o", self.program])
        run([self.program, os.path.join(self.dir, "count.txt")])
        self.word_count = len(self.expected(os.path.join(self.dir, "count.txt"))["word"])

    @staticmethod
    def expected(path):
        lines = {"word": [], "register": [], "local": []}
        for line in pathlib.Path(path).read_text().splitlines():
            kind, rest = line.split(" ", 1)
            lines[kind].append(rest)
        return lines


def commands(debugger, built):
    per_word = (("word %d", "wam-word words[%d]"), ("print %d", debugger.print_command + "words[%d]"))
    words = [(marker % i, command % i) for i in range(built.word_count) for marker, command in per_word]
    return words + [("regs", "wam-regs")] + debugger.locals_commands + [("layout", "wam-layout")]


def compare(what, got, expected, failures):
    if got != expected:
        failures.append("%s:\n  got      %r\n  expected %r" % (what, got, expected))


def check_registers(built, shown, expected, failures):
    if built.case.filler_needs_macros:
        message = ("wam-regs: the debugger cannot evaluate the filler NB_OF_X_REGS: it needs the macros of a "
                   "build with -g3")
        compare("wam-regs without macros", [line.replace("error: ", "", 1) for line in shown], [message], failures)
        return
    compare("wam-regs", [tuple(re.split(r"\s{2,}", line.strip(), 2)) for line in shown],
            [tuple(line.split("\t")) for line in expected], failures)


def check_session(debugger, built, output, failures):
    shown = chunks(output)
    expected = built.expected(os.path.join(built.dir, "expected.txt"))
    compare("words written", len(expected["word"]), built.word_count, failures)
    for i, decoded in enumerate(expected["word"]):
        compare("wam-word words[%d]" % i, shown.get("word %d" % i), [decoded], failures)
        printed = [debugger.print_prefix.sub("", line) for line in shown.get("print %d" % i, [])]
        compare("%swords[%d]" % (debugger.print_command, i), printed, [decoded], failures)
    check_registers(built, shown.get("regs", []), expected["register"], failures)
    decoded = expected["local"][0]
    for marker, lines in debugger.expected_locals.items():
        compare("the locals (%s)" % marker, shown.get(marker), [line % decoded for line in lines], failures)
    if "backtrace" in shown:
        frames = re.findall(r" in show \((.*?)\) at ", "\n".join(shown["backtrace"]))
        compare("the backtrace's frame of show()", frames, ["word=" + decoded], failures)
        compare("the backtrace's local", [line.strip() for line in shown["backtrace"] if "local_word" in line],
                ["local_word = " + decoded], failures)
    compare("wam-layout", shown.get("layout"), built.layout, failures)


# gdb loads a script named after the program from beside it, once the
# directory is declared safe: no source command.
def check_auto_load(debugger, built, failures):
    shutil.copy(built.script, built.program + "-gdb.py")
    output = debugger.session([built.program, os.path.join(built.dir, "auto.txt")], built.script,
                              [("auto", "wam-word words[1]"), ("auto", "print words[1]")],
                              ["-iex", "add-auto-load-safe-path " + built.dir])
    shown = [debugger.print_prefix.sub("", line) for line in chunks(output).get("auto", [])]
    decoded = built.expected(os.path.join(built.dir, "auto.txt"))["word"][1]
    compare("gdb's auto-loaded script", shown, [decoded, decoded], failures)


def gdb_session(text):
    """A shown session: gdb's arguments, and each command with the lines after it."""
    args, commands = None, []
    for line in text.splitlines():
        if line.startswith("$ gdb "):
            args = line.split()[2:]
        elif line.startswith("(gdb) "):
            commands.append((line[6:], []))
        elif line.strip():
            commands[-1][1].append(line)
    return args, commands


def has_lines(got, shown):
    return any(got[i:i + len(shown)] == shown for i in range(len(got) - len(shown) + 1))


# The decoding commands' output is shown whole; of the others', consecutive
# lines, since what depends on the machine is left out: where even those are
# missing, the whole output is reported as differing.
def check_first_port(debugger, tool, cc, doc, work_dir, failures):
    work = os.path.join(work_dir, "first_port")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    markdown = pathlib.Path(doc).read_text()
    blocks = re.findall(r"^<!-- first port: (\S+) -->\n```.*\n((?:.*\n)*?)```$", markdown, re.M)
    compare("first port markers right above a block", len(blocks), markdown.count("<!-- first port: "), failures)
    compare("the first port's blocks", sorted(set(name for name, _ in blocks)),
            ["first.c", "gdb", "shell", "wam_arch.def"], failures)
    for name, text in blocks:
        if name not in ("gdb", "shell"):
            pathlib.Path(work, name).write_text(text)
    for line in "".join(text for name, text in blocks if name == "shell").splitlines():
        words = line.split()
        run([{"pl_config": tool, "cc": cc}[words[0]]] + words[1:], cwd=work)
    for args, commands in (gdb_session(text) for name, text in blocks if name == "gdb"):
        marked = gdb_commands((str(i), command) for i, (command, _) in enumerate(commands))
        got = chunks(run([debugger.program] + debugger.batch + marked + args, cwd=work, check=False).stdout)
        for i, (command, shown) in enumerate(commands):
            output = got.get(str(i), [])
            if command.startswith(("wam-", "print ")) or not has_lines(output, shown):
                compare("first port: (gdb) " + command, output, shown, failures)
        print("first port: %d gdb commands, %s" % (len(commands), "failed" if failures else "ok"))


def main():
    kind, program, cc, tool, machine_tool, example, cases_dir, work_dir, doc = sys.argv[1:]
    debugger = (Gdb if kind == "gdb" else Lldb)(program)
    for needed, missing in ((program, "no %s here (%s)" % (kind, program)), (cc, "no C compiler '%s'" % cc)):
        if not shutil.which(needed):
            print(missing + ": skipped")
            return SKIP
    os.makedirs(work_dir, exist_ok=True)
    probe = os.path.join(work_dir, "probe")
    pathlib.Path(probe + ".c").write_text("int main(void) { return 0; }\n")
    run([cc, "-g", probe + ".c", "-o", probe])
    if not debugger.probe(probe):
        print("%s cannot run a program here (no ptrace, or no Python in the debugger): skipped" % program)
        return SKIP

    failures = []
    if kind == "gdb":
        check_first_port(debugger, tool, cc, doc, work_dir, failures)
    else:
        print("first port: its session is gdb's, not checked in %s" % kind)
    for case in cases(example, cases_dir, machine_tool):
        built = Built(case, machine_tool if case.machine else tool, cc, cases_dir, work_dir)
        output = debugger.session([built.program, os.path.join(built.dir, "expected.txt")], built.script,
                                  commands(debugger, built))
        case_failures = []
        check_session(debugger, built, output, case_failures)
        if kind == "gdb" and case.name == "example":
            check_auto_load(debugger, built, case_failures)
        print("%s: %d words, %s" % (case.name, built.word_count, "failed" if case_failures else "ok"))
        if case_failures:
            failures += ["%s: %s" % (case.name, failure) for failure in case_failures]
            pathlib.Path(built.dir, "session.txt").write_text(output)
    for failure in failures[:40]:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
