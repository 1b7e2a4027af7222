#!/usr/bin/env python3
"""pl_config --check --format=json read back with Python's json.

For each description, every number and name of the JSON report must be what
the text report of --check prints, what the headers' own macros and tables
hold (a C program built from the headers prints them) and where the
description declares it; the warnings must be those written to standard
error.

  check_json_report.py TOOL M1M2_TOOL CC EXAMPLE CASES_DIR WORK_DIR

M1M2_TOOL hands out the machine registers m1 and m2, which no compiler
knows: its case compiles the register map header alone.  CASES_DIR is
tests/c_integration, with the low and split descriptions and th_config.h.
"""

import json
import os
import re
import shutil
import subprocess
import sys

# Numbers only, and machine registers: R1 goes to m2.
MACHINE_DESCRIPTION = (b"@begin regs\n@filler 2\n@reg 0 PlLong R1\n@filler 1\n@reg 0 WamWord R2\n"
                       b"@reg 1 WamWord R3\n@end\n")
# A register and a tag of one name, two tags of one value, a long_int tag
# that cannot carry negative integers; a description with a tab, a
# backslash, UTF-8 and a byte that is not UTF-8.
WARNINGS_DESCRIPTION = (b"/* warnings */\n@begin regs\n@reg 0 WamWord X1\n@end\n@begin tags\n"
                        b"@tag X1 long_int 5\n@tag ATM short_uns 5\n@tag BIG address 9\n@end\n"
                        b"@begin stacks\n@stack heap \"tab\there back\\\\slash \xc3\xa9t\xe9\" 16 X1\n@end\n")


class Case:
    def __init__(self, name, description, tool="plain", compile_headers=True):
        self.name, self.description, self.tool, self.compile_headers = name, description, tool, compile_headers


def run(args, cwd):
    return subprocess.run(args, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)


def fail(message):
    raise AssertionError(message)


def expect(what, got, expected):
    if got != expected:
        fail("%s: got %r, expected %r" % (what, got, expected))


# --- The text report ---------------------------------------------------------

def report_blocks(report):
    """Each block of the text report: its kind, its line and its lines."""
    blocks = []
    if report.startswith("No section: "):
        return blocks
    for block in report.strip("\n").split("\n\n"):
        lines = block.split("\n")
        title = re.fullmatch(r"[A-Za-z ]+, (\w+) section of line (\d+)", lines[0])
        blocks.append((title.group(1), int(title.group(2)), lines[1:]))
    return blocks


def columns(line):
    return re.split(r"\s{2,}", line.strip())


def filler_slot(filler, slot):
    """The report's slot and byte offset of a bank slot, from the JSON's filler."""
    if filler["words"] is not None:
        return str(filler["words"] + slot), str((filler["words"] + slot) * 8)
    prefix = "".join("%s+" % value for value in filler["values"])
    return "%s%d" % (prefix, slot), "(%s%d)*8" % (prefix, slot)


def check_regs_report(section, lines):
    pointer = section["bank_pointer_register"]
    expect("pl_reg_bank", lines[0], "  pl_reg_bank  " + ("a variable" if pointer is None
                                                         else "machine register " + pointer))
    filler = section["filler"]
    if not filler["values"]:
        shown = "none"
    elif filler["words"] is not None:
        shown = "%d words" % filler["words"]
    else:
        shown = "+".join(str(value) for value in filler["values"]) + " words"
    expect("filler", lines[1], "  filler       " + shown)
    for reg, line in zip(section["registers"], lines[3:], strict=True):
        if reg["machine_register"] is not None:
            where = ["machine register " + reg["machine_register"]]
        else:
            where = list(filler_slot(filler, reg["bank_slot"]))
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
            fail("line %d is not %s: %r" % (line, pattern, lines[line - 1]))

    for section in document["sections"]:
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
    """A program that prints what the headers hold of each JSON entry, one
    "KEY<tab>VALUE" line each."""
    machine = any(reg["machine_register"] for section in document["sections"]
                  for reg in section.get("registers", []))
    lines = ["#define ENGINE_FILE", "#include <stdio.h>", '#include "th_config.h"',
             '#include "th_public_config.h"', '#include "wam_regs.h"']
    if not machine:
        lines.append('#include "wam_arch.h"')
    lines.append("int main(void) {")

    def put(key, expression, form="%lld", cast="(long long)"):
        lines.append('  printf("%s\\t%s\\n", %s (%s));' % (key, form, cast, expression))

    for section in document["sections"]:
        if section["section"] == "regs":
            filler = "+".join(str(value) for value in section["filler"]["values"]) or "0"
            put("filler", filler)
            if not machine:
                put("NB_OF_REGS", "NB_OF_REGS")
                put("REG_BANK_SIZE", "REG_BANK_SIZE")
            for reg in section["registers"]:
                if reg["machine_register"] is None:
                    put("offset " + reg["name"], "MAP_OFFSET_" + reg["name"])
                else:
                    put("machine " + reg["name"], "MAP_REG_" + reg["name"], "%s", "")
            if section["bank_pointer_register"] is not None:
                put("bank_pointer", "MAP_REG_BANK", "%s", "")
        elif section["section"] == "tags":
            for name in ("TAG_SIZE", "VALUE_SIZE", "PL_MIN_INTEGER", "PL_MAX_INTEGER", "NB_OF_TAGS"):
                put(name, name)
            put("TAG_MASK", "TAG_MASK", "%llu", "(unsigned long long)")
            put("VALUE_MASK", "VALUE_MASK", "%llu", "(unsigned long long)")
            for i, tag in enumerate(section["tags"]):
                put("value " + tag["name"], tag["name"])
                put("public_value " + tag["name"], "PL_" + tag["name"])
                put("mask " + tag["name"], "TAG_%s_MASK" % tag["name"], "%llu", "(unsigned long long)")
                put("table_name %d" % i, "pl_tag_tbl[%d].name" % i, "%s", "")
                put("table_kind %d" % i, "pl_tag_tbl[%d].type" % i)
                put("table_mask %d" % i, "pl_tag_tbl[%d].tag_mask" % i, "%llu", "(unsigned long long)")
        else:
            put("NB_OF_STACKS", "NB_OF_STACKS")
            for i, _ in enumerate(section["stacks"]):
                put("stack_name %d" % i, "pl_stk_tbl[%d].name" % i, "%s", "")
                put("stack_desc %d" % i, "pl_stk_tbl[%d].desc" % i, "%s", "")
                put("stack_size %d" % i, "pl_stk_tbl[%d].default_size" % i)
    lines += ["  return 0;", "}", ""]
    return "\n".join(lines)


def header_values(work, cc, cases_dir, document):
    with open(os.path.join(work, "values.c"), "w") as out:
        out.write(c_program(document))
    built = run([cc, "-std=c11", "-Wall", "-Werror", "-I" + work, "-I" + cases_dir, "values.c", "-o", "values"],
                work)
    if built.returncode != 0:
        fail("the headers do not compile:\n" + built.stderr.decode())
    printed = run([os.path.join(work, "values")], work).stdout.decode().splitlines()
    return dict(line.split("\t", 1) for line in printed)


def check_headers(document, values):
    kinds = ["long_int", "short_uns", "address"]  # the order of TypTag
    for section in document["sections"]:
        if section["section"] == "regs":
            filler = int(values["filler"])
            if section["filler"]["words"] is not None:
                expect("filler words", section["filler"]["words"], filler)
            bank = [reg for reg in section["registers"] if reg["machine_register"] is None]
            if "NB_OF_REGS" in values:
                expect("NB_OF_REGS", len(section["registers"]), int(values["NB_OF_REGS"]))
                expect("REG_BANK_SIZE", filler + len(bank), int(values["REG_BANK_SIZE"]))
            for reg in section["registers"]:
                if reg["machine_register"] is None:
                    expect("MAP_OFFSET_" + reg["name"], (filler + reg["bank_slot"]) * 8,
                           int(values["offset " + reg["name"]]))
                else:
                    expect("MAP_REG_" + reg["name"], reg["machine_register"], values["machine " + reg["name"]])
            if section["bank_pointer_register"] is not None:
                expect("MAP_REG_BANK", section["bank_pointer_register"], values["bank_pointer"])
        elif section["section"] == "tags":
            word = section["word"]
            for key, name in (("tag_size", "TAG_SIZE"), ("value_size", "VALUE_SIZE"), ("tag_mask", "TAG_MASK"),
                              ("value_mask", "VALUE_MASK"), ("min_integer", "PL_MIN_INTEGER"),
                              ("max_integer", "PL_MAX_INTEGER")):
                expect(name, word[key], int(values[name]))
            expect("layout", word["layout"], "split" if word["tag_size"] >= 4 else "low")
            expect("NB_OF_TAGS", len(section["tags"]), int(values["NB_OF_TAGS"]))
            for i, tag in enumerate(section["tags"]):
                expect("tag " + tag["name"], (tag["value"], tag["value"], tag["mask"]),
                       (int(values["value " + tag["name"]]), int(values["public_value " + tag["name"]]),
                        int(values["mask " + tag["name"]])))
                expect("pl_tag_tbl[%d]" % i, (tag["name"], tag["kind"], tag["mask"]),
                       (values["table_name %d" % i], kinds[int(values["table_kind %d" % i])],
                        int(values["table_mask %d" % i])))
        else:
            expect("NB_OF_STACKS", len(section["stacks"]), int(values["NB_OF_STACKS"]))
            for i, stack in enumerate(section["stacks"]):
                expect("pl_stk_tbl[%d]" % i, (stack["name"], stack["description"][1:-1], stack["size_words"]),
                       (values["stack_name %d" % i], values["stack_desc %d" % i],
                        int(values["stack_size %d" % i])))


# --- One case ------------------------------------------------------------------

def check_case(case, tools, cc, cases_dir, work):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    with open(os.path.join(work, "wam_arch.def"), "wb") as out:
        out.write(case.description)
    tool = tools[case.tool]
    json_run = run([tool, "--check", "--format=json"], work)
    text_run = run([tool, "--check"], work)
    expect("exit status", (json_run.returncode, text_run.returncode), (0, 0))
    document = json.loads(json_run.stdout.decode("utf-8"))
    expect("format", document["format"], 1)
    expect("description", document["description"], "wam_arch.def")

    blocks = report_blocks(text_run.stdout.decode())
    expect("sections", [(s["section"], s["line"]) for s in document["sections"]],
           [(kind, line) for kind, line, _ in blocks])
    for section, (_, _, lines) in zip(document["sections"], blocks):
        {"regs": check_regs_report, "tags": check_tags_report, "stacks": check_stacks_report}[
            section["section"]](section, lines)

    warnings = ["wam_arch.def:%d: warning: %s" % (w["line"], w["message"])
                for section in document["sections"] for w in section["warnings"]]
    expect("warnings", warnings, json_run.stderr.decode().splitlines())
    expect("warnings of the text run", json_run.stderr, text_run.stderr)
    check_lines(document, case.description)

    if case.compile_headers:
        headers = run([tool], work)
        expect("the run's exit status", headers.returncode, 0)
        check_headers(document, header_values(work, cc, cases_dir, document))
    return len(warnings)


def main():
    tool, m1m2_tool, cc, example, cases_dir, work_dir = sys.argv[1:]
    if not shutil.which(cc):
        print("no C compiler '%s': skipped" % cc)
        return 77
    read = lambda path: open(path, "rb").read()
    tools = {"plain": tool, "m1m2": m1m2_tool}
    cases = [
        Case("example", read(example)),
        Case("low", read(os.path.join(cases_dir, "low", "wam_arch.def"))),
        Case("split", read(os.path.join(cases_dir, "split", "wam_arch.def"))),
        Case("machine", MACHINE_DESCRIPTION, "m1m2"),
        Case("warnings", WARNINGS_DESCRIPTION, compile_headers=False),
        Case("empty", b"/* no section */\n", compile_headers=False),
    ]
    failed = 0
    for case in cases:
        try:
            warnings = check_case(case, tools, cc, cases_dir, os.path.join(work_dir, case.name))
            print("%s: ok, %d warnings" % (case.name, warnings))
        except (AssertionError, KeyError, ValueError, AttributeError) as error:
            failed += 1
            print("%s: %s: %s" % (case.name, type(error).__name__, error))
    print("%d passed, %d failed" % (len(cases) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
