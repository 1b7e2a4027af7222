#!/usr/bin/env python3
"""pl_config --check --format=json read back with Python's json.

For each description, every key of the JSON report must be one the
reference lists, of its type; every number and name must be what the text
report of --check prints, what the headers' own macros and tables hold (a C
program built from the headers prints them) and where the description
declares it; the diagnostics must be those written to standard error, and a
check that fails must still write one whole document.

  check_json_report.py TOOL M1M2_TOOL CC EXAMPLE CASES_DIR WORK_DIR

M1M2_TOOL hands out the machine registers m1 and m2, which no compiler
knows: its case compiles the register map header alone.  CASES_DIR is
tests/c_integration, with the low and split descriptions and th_config.h.
"""

import collections
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import unicodedata

# Numbers only, and machine registers: R1 goes to m2.
MACHINE_DESCRIPTION = (b"@begin regs\n@filler 2\n@reg 0 PlLong R1\n@filler 1\n@reg 0 WamWord R2\n"
                       b"@reg 1 WamWord R3\n@end\n")
# A register and a tag of one name, two tags of one value, a long_int tag
# that cannot carry negative integers; a description with a tab, a
# backslash, UTF-8 and a byte that is not UTF-8.
WARNINGS_DESCRIPTION = (b"/* warnings */\n@begin regs\n@reg 0 WamWord X1\n@end\n@begin tags\n"
                        b"@tag X1 long_int 5\n@tag ATM short_uns 5\n@tag BIG address 9\n@end\n"
                        b"@begin stacks\n@stack heap \"tab\there back\\\\slash \xc3\xa9t\xe9\" 16 X1\n@end\n")


# The warnings of the reading itself: a byte-order mark, a directive after
# blanks, text after a closing quote, a long line.
READING_DESCRIPTION = (b"\xef\xbb\xbf/* bom */\n  @begin regs\n@begin stacks\n@stack heap \"heap\"2048 H\n@end\n"
                       + b"/*" + b"x" * 600 + b"*/\n")
# Two mistakes and a warning: the document is whole, its errors counted.
ERRORS_DESCRIPTION = (b"@begin tags\n@tag A foo 1\n@end\n@begin stacks\n@stack heap \"h\\\\d\" 16 H\n@end\n"
                      b"@begin regs\n@reg 0 WamWord X\n")

Case = collections.namedtuple("Case", "name description tool compile_headers status args",
                              defaults=(None, True, 0, ()))

# Every key the reference lists, with its type; None: also null.
DOCUMENT_KEYS = {"format": int, "version": str, "description": str, "items": list, "machine_registers": list,
                 "cflags_regs": str, "errors": int, "warnings": int}
DIAGNOSTIC_KEYS = {"diagnostic": str, "file": str, "line": int, "column": int, "length": int,
                   "name": (str, None), "section": (int, None), "message": str}
SECTION_KEYS = {
    "regs": {"section": str, "line": int, "bank_pointer_register": (str, None), "filler": dict, "registers": list},
    "tags": {"section": str, "line": int, "word": dict, "tags": list},
    "stacks": {"section": str, "line": int, "stacks": list},
}
ROW_KEYS = {
    "filler": {"values": list, "words": (int, None)},
    "registers": {"group": int, "type": str, "name": str, "line": int, "machine_register": (str, None),
                  "bank_slot": (int, None)},
    "word": {"tag_size": int, "layout": str, "value_size": int, "tag_mask": int, "value_mask": int,
             "min_integer": int, "max_integer": int},
    "tags": {"name": str, "kind": str, "value": int, "mask": int, "untag": str, "line": int},
    "stacks": {"name": str, "description": str, "size_words": int, "top": str, "line": int},
    "machine_registers": {"machine_register": str, "register": str},
}


def run(args, cwd):
    return subprocess.run(args, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)


def expect(what, got, expected):
    if got != expected:
        raise AssertionError("%s: got %r, expected %r" % (what, got, expected))


# --- The shape -------------------------------------------------------------

def check_keys(what, value, keys):
    if not isinstance(value, dict) or set(value) != set(keys):
        raise AssertionError("%s: keys %r, expected %r" % (what, sorted(value), sorted(keys)))
    for key, kind in keys.items():
        kinds = kind if isinstance(kind, tuple) else (kind,)
        held = value[key]
        if not any(held is None if k is None else isinstance(held, k) and not isinstance(held, bool)
                   for k in kinds):
            raise AssertionError("%s.%s: %r is not %r" % (what, key, held, kind))


def check_shape(document):
    check_keys("document", document, DOCUMENT_KEYS)
    for n, item in enumerate(document["items"]):
        at = "items.%d" % n
        if "diagnostic" in item:
            check_keys(at, item, DIAGNOSTIC_KEYS)
            expect(at + ".diagnostic", item["diagnostic"] in ("error", "warning", "note"), True)
            continue
        check_keys(at, item, SECTION_KEYS[item["section"]])
        for key, value in item.items():
            for i, row in enumerate(value if isinstance(value, list) and key in ROW_KEYS else
                                    [value] if key in ROW_KEYS else []):
                check_keys("%s.%s.%d" % (at, key, i), row, ROW_KEYS[key])
    for i, row in enumerate(document["machine_registers"]):
        check_keys("machine_registers.%d" % i, row, ROW_KEYS["machine_registers"])


def display(line, end):
    """The display column, from 0, of byte `end` (from 0) of `line`: a UTF-8
    character one column, an East Asian wide one two, a tab to the next
    multiple of 8, a byte that is not UTF-8 one."""
    width, at = 0, 0
    while at < min(end, len(line)):
        if line[at] == 9:
            width, size = (width // 8 + 1) * 8, 1
        else:
            size = next((n for n in (1, 2, 3, 4) if at + n <= end and utf8_char(line[at:at + n])), 1)
            char = line[at:at + size].decode("utf-8", errors="replace")
            width += 2 if size > 1 and unicodedata.east_asian_width(char) in "WF" else 1
        at += size
    return width + max(0, end - at)


def utf8_char(data):
    try:
        return len(data.decode("utf-8")) == 1
    except UnicodeDecodeError:
        return False


def field_width(line, column, length):
    """The display width of `length` bytes from `column` (from 1), as the
    carets show it: at least one."""
    return max(1, display(line, column - 1 + length) - display(line, column - 1))


def sections_of(document):
    return [item for item in document["items"] if "section" in item and "diagnostic" not in item]


def diagnostic_lines(document, description):
    """Each diagnostic as the first line of its message on standard error,
    whose column counts display columns where the JSON's counts bytes."""
    lines = []
    text_lines = description.split(b"\n")
    for d in document["items"]:
        if "diagnostic" not in d:
            continue
        column = display(text_lines[d["line"] - 1], d["column"] - 1) + 1 if d["line"] else 0
        where = "%s:%d:%d" % (d["file"], d["line"], column) if d["line"] else d["file"]
        name = " [%s]" % d["name"] if d["name"] else ""
        lines.append("%s: %s: %s%s" % (where, d["diagnostic"], d["message"], name))
    return lines


def check_untag(document, work):
    """Each tag's untag rule against the body of its UnTag_ macro."""
    header = pathlib.Path(work, "wam_arch.h").read_text()
    bodies = {"kind_macro": lambda tag: "%s(w)" % {"long_int": "UnTag_Long_Int", "short_uns": "UnTag_Short_Uns",
                                                    "address": "UnTag_Address"}[tag["kind"]],
              "unsigned_shift": lambda tag: "((PlULong) (w) >> 3)", "whole_word": lambda tag: "((WamWord *) (w))"}
    for section in (s for s in sections_of(document) if s["section"] == "tags"):
        for tag in section["tags"]:
            body = re.search(r"#define UnTag_%s\(w\)\s+(.*)" % tag["name"], header).group(1)
            expect("untag of " + tag["name"], body, bodies[tag["untag"]](tag))


# --- The text report ---------------------------------------------------------

def report_blocks(report):
    """Each block of the text report: its kind, its line and its lines."""
    if report.startswith("No section: "):
        return []
    blocks = [block.split("\n") for block in report.strip("\n").split("\n\n")]
    titles = [re.fullmatch(r"[A-Za-z ]+, (\w+) section of line (\d+)", lines[0]) for lines in blocks]
    return [(title.group(1), int(title.group(2)), lines[1:]) for title, lines in zip(titles, blocks)]


def columns(line):
    return re.split(r"\s{2,}", line.strip())


def check_regs_report(section, lines):
    pointer = section["bank_pointer_register"]
    expect("pl_reg_bank", lines[0], "  pl_reg_bank  " + ("a variable" if pointer is None
                                                         else "machine register " + pointer))
    # A filler of numbers only is shown added up, one with a macro as its sum.
    words = section["filler"]["words"]
    total = "+".join(str(value) for value in section["filler"]["values"]) if words is None else str(words)
    expect("filler", lines[1], "  filler       " + (total + " words" if section["filler"]["values"] else "none"))
    for reg, line in zip(section["registers"], lines[3:], strict=True):
        slot = reg["bank_slot"]
        if reg["machine_register"] is not None:
            where = ["machine register " + reg["machine_register"]]
        elif words is not None:
            where = [str(words + slot), str((words + slot) * 8)]
        else:
            where = ["%s+%d" % (total, slot), "(%s+%d)*8" % (total, slot)]
        expect("register row", columns(line), [reg["name"], reg["type"]] + where)


def check_tags_report(section, lines):
    word = section["word"]
    layout = re.match(r"  (low|split) layout, TAG_SIZE (\d+): .*value bits v \((\d+)\)$", lines[0])
    expect("layout line", (layout.group(1), int(layout.group(2)), int(layout.group(3))),
           (word["layout"], word["tag_size"], word["value_size"]))
    diagram = lines[2].replace(" ", "")
    expect("diagram", int(diagram.replace("t", "1").replace("v", "0"), 2), word["tag_mask"])
    expect("integer range", lines[3], "  PL_MIN_INTEGER..PL_MAX_INTEGER  %d..%d" % (word["min_integer"],
                                                                                 word["max_integer"]))
    for tag, line in zip(section["tags"], lines[5:], strict=True):
        name, kind, value, mask = columns(line)
        expect("tag row", (name, kind, int(value), int(mask, 16)),
               (tag["name"], tag["kind"], tag["value"], tag["mask"]))


def check_stacks_report(section, lines):
    for stack, line in zip(section["stacks"], lines[1:], strict=True):
        expect("stack row", columns(line), [stack["name"], str(stack["size_words"]), str(stack["size_words"] * 8),
                                            stack["top"]])


# --- The description's own lines ---------------------------------------------

def check_lines(document, description):
    lines = description.decode("latin-1").split("\n")

    def declared(line, pattern):
        if not re.match(r"@\s*" + pattern, lines[line - 1]):
            raise AssertionError("line %d is not %s: %r" % (line, pattern, lines[line - 1]))

    for section in sections_of(document):
        declared(section["line"], r"begin\s+" + section["section"] + r"\b")
        for reg in section.get("registers", []):
            declared(reg["line"], r"reg\s+%d\s+%s\s+%s\b" % (reg["group"], reg["type"], reg["name"]))
        for tag in section.get("tags", []):
            declared(tag["line"], r"tag\s+%s\s+%s\s+%d\b" % (tag["name"], tag["kind"], tag["value"]))
        for stack in section.get("stacks", []):
            declared(stack["line"], r"stack\s+%s\s+" % stack["name"])
            quoted = re.search(r'"[^"]*"', lines[stack["line"] - 1]).group(0)
            expect("description of stack " + stack["name"], stack["description"],
                   quoted.encode("latin-1").decode("utf-8", errors="replace"))


# --- The headers, compiled -----------------------------------------------------

def c_program(document):
    """A program that prints, for each JSON value that the headers hold, its
    path in the document and the headers' value: "PATH<tab>VALUE" lines.  A
    header with machine registers that no compiler knows (m1, m2) leaves out
    wam_arch.h, and with it what only that header holds."""
    machine = any(reg["machine_register"] for section in sections_of(document)
                  for reg in section.get("registers", []))
    lines = ["#define ENGINE_FILE", "#include <stdio.h>", '#include "th_config.h"',
             '#include "th_public_config.h"', '#include "wam_regs.h"']
    if not machine:
        lines += ['#include "wam_arch.h"',
                  'static const char *const kinds[] = {"long_int", "short_uns", "address"}; /* TypTag order */']
    lines.append("int main(void) {")

    def put(path, expression, form="%lld", cast="(long long)"):
        lines.append('  printf("%s\\t%s\\n", %s (%s));' % (path, form, cast, expression))

    for n, section in enumerate(document["items"]):
        if "diagnostic" in section:
            continue
        at = "items.%d." % n
        if section["section"] == "regs":
            filler = "(%s)" % ("+".join(str(value) for value in section["filler"]["values"]) or "0")
            if section["filler"]["words"] is not None:
                put(at + "filler.words", filler)
            for i, reg in enumerate(section["registers"]):
                if reg["machine_register"] is None:
                    put(at + "registers.%d.bank_slot" % i, "MAP_OFFSET_%s / 8 - %s" % (reg["name"], filler))
                else:
                    put(at + "registers.%d.machine_register" % i, "MAP_REG_" + reg["name"], "%s", "")
            if section["bank_pointer_register"] is not None:
                put(at + "bank_pointer_register", "MAP_REG_BANK", "%s", "")
        elif section["section"] == "tags" and not machine:
            for key, name in (("tag_size", "TAG_SIZE"), ("value_size", "VALUE_SIZE"),
                              ("min_integer", "PL_MIN_INTEGER"), ("max_integer", "PL_MAX_INTEGER")):
                put(at + "word." + key, name)
            for key in ("tag_mask", "value_mask"):
                put(at + "word." + key, key.upper(), "%llu", "(unsigned long long)")
            put(at + "word.layout", 'TAG_SIZE_HIGH > 0 ? "split" : "low"', "%s", "")
            for i, tag in enumerate(section["tags"]):
                put(at + "tags.%d.value" % i, tag["name"])
                put(at + "tags.%d.value" % i, "PL_" + tag["name"])
                put(at + "tags.%d.mask" % i, "TAG_%s_MASK" % tag["name"], "%llu", "(unsigned long long)")
                put(at + "tags.%d.mask" % i, "pl_tag_tbl[%d].tag_mask" % i, "%llu", "(unsigned long long)")
                put(at + "tags.%d.name" % i, "pl_tag_tbl[%d].name" % i, "%s", "")
                put(at + "tags.%d.kind" % i, "kinds[pl_tag_tbl[%d].type]" % i, "%s", "")
        elif section["section"] == "stacks" and not machine:
            for i, _ in enumerate(section["stacks"]):
                put(at + "stacks.%d.name" % i, "pl_stk_tbl[%d].name" % i, "%s", "")
                put(at + "stacks.%d.description" % i, "pl_stk_tbl[%d].desc" % i, '\\"%s\\"', "")
                put(at + "stacks.%d.size_words" % i, "pl_stk_tbl[%d].default_size" % i)
    lines += ["  return 0;", "}", ""]
    return "\n".join(lines)


def check_headers(document, work, cc, cases_dir):
    pathlib.Path(work, "values.c").write_text(c_program(document))
    built = run([cc, "-std=c11", "-Wall", "-Werror", "-I" + work, "-I" + cases_dir, "values.c", "-o", "values"],
                work)
    if built.returncode != 0:
        raise AssertionError("the headers do not compile:\n" + built.stderr.decode())
    printed = run([os.path.join(work, "values")], work).stdout.decode().splitlines()
    for path, value in (line.split("\t", 1) for line in printed):
        held = document
        for key in path.split("."):
            held = held[int(key)] if isinstance(held, list) else held[key]
        expect(path, held, int(value) if isinstance(held, int) else value)
    return len(printed)


# --- One case ------------------------------------------------------------------

def check_case(case, plain_tool, cc, cases_dir, work):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    pathlib.Path(work, "wam_arch.def").write_bytes(case.description)
    tool = case.tool or plain_tool
    json_run = run([tool, "--check", "--format=json", *case.args], work)
    text_run = run([tool, "--check", *case.args], work)
    expect("exit status", (json_run.returncode, text_run.returncode), (case.status, case.status))
    document = json.loads(json_run.stdout.decode("utf-8"))
    check_shape(document)
    version = run([tool, "--version"], work).stdout.decode().split("\n")[0].split(" ")[-1]
    expect("format, version and description", (document["format"], document["version"], document["description"]),
           (2, version, "wam_arch.def"))

    stderr = json_run.stderr.decode("utf-8", errors="replace").splitlines()
    starts = [i for i, line in enumerate(stderr) if re.match(r"\S+: (error|warning|note): ", line)]
    expect("diagnostics", diagnostic_lines(document, case.description), [stderr[i] for i in starts])
    # The carets under a shown line span the field, tabs expanded.
    shown = [d for d in document["items"] if "diagnostic" in d and d["line"]]
    carets = [stderr[i + 2].split("| ", 1)[1].strip() for i in starts if re.match(r"\S+:\d+:\d+: ", stderr[i])]
    lines = case.description.split(b"\n")
    expect("caret widths", [field_width(lines[d["line"] - 1], d["column"], d["length"]) for d in shown],
           [len(caret) for caret in carets])
    expect("diagnostics of the text run", json_run.stderr, text_run.stderr)
    counts = [sum(1 for d in document["items"] if d.get("diagnostic") == kind) for kind in ("error", "warning")]
    expect("counts", [document["errors"], document["warnings"]], counts)
    if case.status != 0:
        return 0

    blocks = report_blocks(text_run.stdout.decode())
    expect("sections", [(s["section"], s["line"]) for s in sections_of(document)],
           [(kind, line) for kind, line, _ in blocks])
    for section, (_, _, lines) in zip(sections_of(document), blocks):
        {"regs": check_regs_report, "tags": check_tags_report, "stacks": check_stacks_report}[
            section["section"]](section, lines)
    check_lines(document, case.description)

    summary = run([tool], work)
    expect("the run's exit status", summary.returncode, 0)
    used = re.search(r"Used register\(s\)  : (.*)", summary.stdout.decode()).group(1).strip()
    expect("machine registers", "  ".join("%s (%s)" % (r["machine_register"], r["register"])
                                          for r in document["machine_registers"]) or "none", used)
    cflags = re.search(r'#define CFLAGS_REGS\t\t"(.*)"', pathlib.Path(work, "wam_regs.h").read_text()).group(1)
    expect("cflags_regs", document["cflags_regs"], cflags)
    if not case.compile_headers:
        return 0
    check_untag(document, work)
    return check_headers(document, work, cc, cases_dir)


def main():
    tool, m1m2_tool, cc, example, cases_dir, work_dir = sys.argv[1:]
    if not shutil.which(cc):
        print("no C compiler '%s': skipped" % cc)
        return 77
    read = lambda *path: pathlib.Path(*path).read_bytes()
    cases = [
        Case("example", read(example)),
        Case("low", read(cases_dir, "low", "wam_arch.def")),
        Case("split", read(cases_dir, "split", "wam_arch.def")),
        Case("machine", MACHINE_DESCRIPTION, m1m2_tool),
        Case("warnings", WARNINGS_DESCRIPTION, compile_headers=False),
        Case("reading", READING_DESCRIPTION, compile_headers=False),
        Case("errors", ERRORS_DESCRIPTION, status=1),
        Case("empty", b"/* no section */\n", compile_headers=False),
        # A section with an error still draws its lines' warnings, in line order.
        Case("a section with an error", b"@begin tags\n@tag A address 0\n@tag A address 1\n@tag B adress 2\n"
             b"@tag C long_int 1\n@end\n", status=1),
        # A warning about the command line, made an error.
        Case("command line", b"/* no section */\n", status=1, args=("--werror", "--debugger-script=wam_dbg")),
    ]
    failed = 0
    for case in cases:
        try:
            compared = check_case(case, tool, cc, cases_dir, os.path.join(work_dir, case.name))
            print("%s: ok, %d values of the headers compared" % (case.name, compared))
        except (AssertionError, KeyError, ValueError, AttributeError) as error:
            failed += 1
            print("%s: %s: %s" % (case.name, type(error).__name__, error))
    print("%d passed, %d failed" % (len(cases) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
