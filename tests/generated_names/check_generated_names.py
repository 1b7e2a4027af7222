#!/usr/bin/env python3
"""Every name the example's headers define or use draws generated-name.

The example is run by the default tool and by one that hands out the
machine registers m1 and m2 (the headers of a build with machine registers
have names of their own).  The C compiler collects what the headers define
or use: the macros (`CC -dM -E`, less those of the C library, of the
engine's th_config.h and of the description's own lines) and every
identifier of their declarations (the typedefs, the enumerators, the
variables, the members and the types they use: `CC -E` of the headers,
their lines only, C keywords left out).  Then the example, with a regs
section that declares each collected name as a register, is checked: each
of those registers must draw generated-name, or duplicate-name for a name
the example declares itself.  Names that do not start with a letter
(__TARNHOLLOW__) are left out: no description can declare them.

  check_generated_names.py TOOL M1M2_TOOL CC EXAMPLE C_INTEGRATION_DIR WORK_DIR

C_INTEGRATION_DIR holds th_config.h.  Exits with 77, counted as skipped,
when CC is not there.
"""

import pathlib
import re
import shutil
import subprocess
import sys

HEADERS = ("wam_arch.h", "wam_regs.h", "wam_stacks.h", "th_public_config.h")
C_KEYWORDS = set("""
    alignas alignof auto bool break case char const constexpr continue default do double else enum extern
    false float for goto if inline int long nullptr register restrict return short signed sizeof static
    static_assert struct switch thread_local true typedef typeof typeof_unqual union unsigned void volatile
    while _Alignas _Alignof _Atomic _BitInt _Bool _Complex _Generic _Imaginary _Noreturn _Static_assert
    _Thread_local asm __asm__""".split())
# A number is one token, so that 0x1 holds no identifier x1.
TOKEN = re.compile(r"[0-9][A-Za-z0-9_.]*|[A-Za-z_][A-Za-z0-9_]*")
# What the description can declare: a letter first.
DECLARABLE = re.compile(r"[A-Za-z][A-Za-z0-9_]*$")
STRING = re.compile(r'"(?:[^"\\]|\\.)*"')
LINE_MARKER = re.compile(r'^# \d+ "([^"]*)"')
WARNING = re.compile(r"^wam_arch\.def:(\d+):\d+: warning: .* \[([a-z-]+)\]$")
REGISTERS_PER_GROUP = 50


def run(args, cwd=None, stdin=None):
    result = subprocess.run(args, cwd=cwd, input=stdin, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("%s exited with %d:\n%s" % (" ".join(map(str, args)), result.returncode, result.stderr))
    return result.stdout


def macros(cc, includes, text):
    output = run([cc, "-dM", "-E", "-x", "c", *includes, "-"], stdin=text)
    return {line.split()[1].split("(")[0] for line in output.splitlines() if line.startswith("#define ")}


def declared_identifiers(cc, includes, text):
    """The identifiers of the headers' own lines, after preprocessing."""
    names = set()
    in_header = False
    for line in run([cc, "-E", "-x", "c", *includes, "-"], stdin=text).splitlines():
        marker = LINE_MARKER.match(line)
        if marker:
            in_header = pathlib.Path(marker.group(1)).name in HEADERS
        elif in_header:
            names |= {token for token in TOKEN.findall(STRING.sub("", line)) if not token[0].isdigit()}
    return names - C_KEYWORDS


def generated_names(tool, cc, example, c_integration, work):
    """What the headers of `tool`'s run on the example define or use."""
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    shutil.copy(example, work / "wam_arch.def")
    run([tool], cwd=work)
    includes = ["-I", str(work), "-I", str(c_integration)]
    everything = "".join('#include "%s"\n' % header for header in ("th_config.h",) + HEADERS)
    names = macros(cc, includes, everything) - macros(cc, includes, '#include "th_config.h"\n')
    names |= declared_identifiers(cc, includes, "#define ENGINE_FILE\n" + everything)
    return names | declared_identifiers(cc, includes, everything)


def main():
    tool, m1m2_tool, cc, example, c_integration, work = sys.argv[1:7]
    if not cc or shutil.which(cc) is None:
        print("no C compiler '%s': skipped" % cc)
        return 77
    tool, m1m2_tool, work = (str(pathlib.Path(p).resolve()) for p in (tool, m1m2_tool, work))
    work = pathlib.Path(work)
    description = pathlib.Path(example).read_text()
    own_macros = macros(cc, [], description) - macros(cc, [], "")
    names = set()
    for name, each in (("plain", tool), ("machine", m1m2_tool)):
        names |= generated_names(each, cc, example, c_integration, work / name)
    names -= own_macros
    declared = set(re.findall(r"^@reg +\d+ +\S+ +(\S+)", description, re.M))
    declared |= set(re.findall(r"^@tag +(\S+)", description, re.M))
    for expected in ("Reg", "pl_reg_bank", "MAP_REG_BANK", "Tag_INT", "Trail_Stack", "InfStack", "WamWord",
                     "PL_MAX_INTEGER", "__TARNHOLLOW__", "size"):
        if expected not in names:
            sys.exit("%s was not collected from the headers" % expected)

    added = sorted(name for name in names if DECLARABLE.match(name))
    assert len(added) <= 10 * REGISTERS_PER_GROUP, "more names than registers in groups 0 to 9"
    first_line = description.count("\n") + 2
    regs = "".join("@reg %d WamWord %s\n" % (i // REGISTERS_PER_GROUP, name) for i, name in enumerate(added))
    (work / "wam_arch.def").write_text(description + "@begin regs\n" + regs + "@end\n")
    check = subprocess.run([tool, "--check"], cwd=work, capture_output=True, text=True)
    warned = {(int(m.group(1)), m.group(2)) for m in map(WARNING.match, check.stderr.splitlines()) if m}
    missing = [name for i, name in enumerate(added)
               if (first_line + i, "duplicate-name" if name in declared else "generated-name") not in warned]
    if check.returncode != 0 or missing:
        print(check.stderr[-4000:])
        sys.exit("exit status %d; not warned about: %s" % (check.returncode, " ".join(missing)))
    print("%d names of the headers, each warned about" % len(added))
    return 0


if __name__ == "__main__":
    sys.exit(main())
