#!/usr/bin/env python3
"""Runs the sessions of a .jsonrpc file against `TOOL --lsp`, one process a
session, and compares every message the server writes with the expected one.

    ## NAME             a session starts
    > JSON              a message sent, framed with its byte count
    >> TEXT             bytes sent as they stand (Python escapes: \\r\\n, \\x00)
    < JSON              the next message the server writes, exactly
    = STATUS            the server's exit status
    $ NAME JSON         outside sessions: "$NAME" (quoted) in an expected
                        message stands for JSON
    ! compare-check     the diagnostics of the last didOpen equal what
                        `TOOL --check` writes for the same bytes

In a sent message "$NAME" (quoted) stands for a generated text, see TEXTS,
and "$$NAME" for generated JSON, see VALUES.  A document publishes at most
CAP diagnostics: past that, compare-check expects the first CAP - 1 and a
note, "$more_diagnostics" with the count left out, over the first of them.

With PL_CONFIG_UPDATE_CASES=1 an expected message or exit status that
differs is replaced in the file by what the server gave (tests/cases/README.md).

usage: run_sessions.py TOOL SESSIONS_FILE WORK_DIR
"""
import json
import os
import re
import subprocess
import sys

REGS = "@begin regs\n@reg 0 WamWordP H\n@end\n"
COMMENT = "/* an ordinary line, copied as it is */\n"

TEXTS = {
    # Over 10 MB: ordinary lines after a section.
    "big": REGS + COMMENT * (10 * 1024 * 1024 // len(COMMENT) + 1),
    # A NUL byte in an ordinary line, then a line with a mistake.
    "nul": REGS + "/* a \0 b */\n@begin reg\n",
    # A 1 MB ordinary line.
    "long": REGS + "/* " + "x" * (1024 * 1024) + " */\n",
    # Three diagnostics a unit: a tag named as a register, then the two
    # sections of each unit opened again.
    "many": "@begin regs\n@reg 0 WamWord A\n@end\n@begin tags\n@tag A address 0\n@end\n" * 1000,
}

VALUES = {
    "deep": "[" * 100000 + "]" * 100000,
    "deep_unclosed": "{\"a\":" * 100000,
}

CAP = 1000

UPDATING = os.environ.get("PL_CONFIG_UPDATE_CASES") == "1"


def frame(body):
    return b"Content-Length: %d\r\n\r\n" % len(body) + body


def sent_json(line):
    text = re.sub(r'"\$\$(\w+)"', lambda m: VALUES[m.group(1)], line[1:].strip())
    return re.sub(r'"\$(\w+)"', lambda m: json.dumps(TEXTS[m.group(1)]), text)


def sent_bytes(line):
    if line.startswith(">>"):
        return line[2:].strip().encode("latin-1").decode("unicode_escape").encode("latin-1")
    return frame(sent_json(line).encode())


def read_frames(data):
    messages = []
    while data:
        head, sep, rest = data.partition(b"\r\n\r\n")
        match = re.fullmatch(rb"Content-Length: (\d+)", head)
        if not sep or not match:
            raise ValueError("not a frame: %r" % data[:80])
        length = int(match.group(1))
        if len(rest) < length:
            raise ValueError("frame shorter than its Content-Length")
        messages.append(json.loads(rest[:length]))
        data = rest[length:]
    return messages


LOCATED = re.compile(r"^(.*?):(\d+):(\d+): (error|warning|note): (.*?)(?: \[([a-z-]+)\])?$")
SEVERITY = {"error": 1, "warning": 2, "note": 3}


def checked_diagnostics(tool, text, work_dir):
    """--check's messages, as (line, column, severity, text, name), lines and
    columns from 0 (ASCII text: a byte is a code unit)."""
    path = os.path.join(work_dir, "compare.def")
    with open(path, "wb") as file:
        file.write(text.encode())
    run = subprocess.run([tool, "--check", "--description", path], capture_output=True)
    found = []
    for line in run.stderr.decode().splitlines():
        match = LOCATED.match(line)
        if match:
            found.append((int(match[2]) - 1, int(match[3]) - 1, SEVERITY[match[4]], match[5], match[6]))
    return found


def capped(found, note):
    """What a document publishes of `found`: all, or the first CAP - 1
    diagnostics with their notes, then the note of how many more."""
    starts = [i for i, d in enumerate(found) if d[2] != 3 or i == 0]
    if len(starts) <= CAP:
        return found
    first_left = found[starts[CAP - 1]]
    return found[:starts[CAP - 1]] + [(first_left[0], first_left[1], 3, note % (len(starts) - CAP + 1), None)]


def published_diagnostics(message):
    found = []
    for d in message["params"]["diagnostics"]:
        start = d["range"]["start"]
        found.append((start["line"], start["character"], d["severity"], d["message"], d.get("code")))
        for note in d.get("relatedInformation", []):
            at = note["location"]["range"]["start"]
            found.append((at["line"], at["character"], 3, note["message"], None))
    return found


def run_session(tool, name, rows, work_dir, defined, updates):
    """The session's failures; with the update mode, the rows that differ
    go to `updates` by their line number instead."""
    data = b"".join(sent_bytes(row) for row in rows if row.startswith(">"))
    run = subprocess.run([tool, "--lsp"], input=data, capture_output=True, timeout=120)
    failures = []
    try:
        got = read_frames(run.stdout)
    except ValueError as error:
        return ["%s: %s" % (name, error)]
    expected = [json.loads(re.sub(r'"\$(\w+)"', lambda m: defined[m.group(1)], row[1:]))
                for row in rows if row.startswith("<")]
    lines = [line for line, row in zip(rows.lines, rows) if row.startswith("<")]
    for i, want in enumerate(expected):
        if i >= len(got):
            failures.append("%s: message %d missing: %s" % (name, i + 1, json.dumps(want)))
        elif got[i] != want and UPDATING:
            updates[lines[i]] = "< " + json.dumps(got[i], separators=(",", ":"), ensure_ascii=False)
        elif got[i] != want:
            failures.append("%s: message %d\n  expected %s\n  got      %s" % (name, i + 1, json.dumps(want),
                                                                          json.dumps(got[i])[:2000]))
    compared = any(row.startswith("! ") for row in rows)
    if len(got) > len(expected) and not compared:
        failures.append("%s: %d messages more than expected, first %s" % (name, len(got) - len(expected),
                                                                          json.dumps(got[len(expected)])[:2000]))
    for line, row in zip(rows.lines, rows):
        if row.startswith("=") and run.returncode != int(row[1:]) and UPDATING:
            updates[line] = "= %d" % run.returncode
        elif row.startswith("="):
            if run.returncode != int(row[1:]):
                failures.append("%s: exit status %d, expected %s" % (name, run.returncode, row[1:].strip()))
        elif row.startswith("! compare-check"):
            opened = [json.loads(sent_json(r)) for r in rows if r.startswith(">") and "didOpen" in r][-1]
            text = opened["params"]["textDocument"]["text"]
            published = [m for m in got if m.get("method") == "textDocument/publishDiagnostics"][0]
            checked = capped(checked_diagnostics(tool, text, work_dir), json.loads(defined["more_diagnostics"]))
            if not checked or published_diagnostics(published) != checked:
                failures.append("%s: published %s\n  --check %s" % (name, published_diagnostics(published), checked))
    return failures


class Rows(list):
    """A session's rows, with the number of each one's line in the file."""

    def __init__(self):
        super().__init__()
        self.lines = []


def sessions(path, defined):
    current, rows = None, Rows()
    with open(path, encoding="utf-8") as file:
        for number, line in enumerate(file):
            line = line.rstrip("\n")
            if line.startswith("$ "):
                name, value = line[2:].split(" ", 1)
                defined[name] = value
            elif line.startswith("## "):
                if current:
                    yield current, rows
                current, rows = line[3:], Rows()
            elif line and not line.startswith("#"):
                rows.append(line)
                rows.lines.append(number)
    if current:
        yield current, rows


def update(path, updates):
    with open(path, encoding="utf-8") as file:
        lines = file.read().split("\n")
    for number, row in updates.items():
        lines[number] = row
    with open(path, "w", encoding="utf-8", newline="") as file:
        file.write("\n".join(lines))


def main():
    tool, path, work_dir = sys.argv[1:4]
    os.makedirs(work_dir, exist_ok=True)
    failures, count, defined, updates = [], 0, {}, {}
    for name, rows in sessions(path, defined):
        count += 1
        failures += run_session(tool, name, rows, work_dir, defined, updates)
    if updates:
        update(path, updates)
    for failure in failures:
        print(failure)
    print("%d sessions, %d failures" % (count, len(failures)))
    return 1 if failures or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
