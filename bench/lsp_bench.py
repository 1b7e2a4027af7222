#!/usr/bin/env python3
"""The language server's speed and memory: a 10,000-line description is
opened, then changed CHANGES times (one character, as typing does); prints
the time from each didChange to its publishDiagnostics (median, 95th
percentile, worst) and the server's resident memory after the open and
after the changes (Linux: /proc/PID/status).

Then the diagnostics of whole texts, each as the time from its didOpen to
its publishDiagnostics against the time of `TOOL --check` on the same
bytes, in the same run: the shipped example and texts of 1 MB and 16 MB
made of a unit with three warnings; and the server's peak resident memory
answering references on a 1 MB text of "X" lines.

usage: lsp_bench.py TOOL [CHANGES]   (default 10000)
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

UNIT = "@begin regs\n@reg 0 WamWord A\n@end\n@begin tags\n@tag A address 0\n@end\n"
EXAMPLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "wam_arch.def")

LINES = 10000


def description():
    lines = ["@begin regs"] + ["@reg %d WamWord R%d_%d" % (g, g, i) for g in range(10) for i in range(50)] + ["@end"]
    lines += ["@begin tags"] + ["@tag T%d short_uns %d" % (i, i) for i in range(100)] + ["@end"]
    lines += ["@begin stacks"] + ['@stack s%d "stack %d" 1 R0_%d' % (i, i, i) for i in range(12)] + ["@end"]
    lines += ["/* ordinary line %d, copied as it is */" % i for i in range(LINES - len(lines))]
    return "\n".join(lines) + "\n"


class Server:
    def __init__(self, tool):
        self.process = subprocess.Popen([tool, "--lsp"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)

    def send(self, message):
        body = json.dumps(message).encode()
        self.process.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
        self.process.stdin.flush()

    def receive(self):
        length = 0
        while True:
            line = self.process.stdout.readline()
            if line in (b"\r\n", b""):
                break
            if line.lower().startswith(b"content-length:"):
                length = int(line.split(b":")[1])
        return json.loads(self.process.stdout.read(length))

    def resident_kb(self, field="VmRSS:"):
        with open("/proc/%d/status" % self.process.pid) as status:
            for line in status:
                if line.startswith(field):
                    return int(line.split()[1])
        return 0

    def open(self, uri, text):
        self.send({"jsonrpc": "2.0", "method": "textDocument/didOpen", "params": {
            "textDocument": {"uri": uri, "languageId": "wam-arch", "version": 1, "text": text}}})

    def stop(self):
        self.send({"jsonrpc": "2.0", "id": 99, "method": "shutdown"})
        self.receive()
        self.send({"jsonrpc": "2.0", "method": "exit"})
        return self.process.wait()


def started(tool):
    server = Server(tool)
    server.send({"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {"capabilities": {}}})
    server.receive()
    return server


def check_seconds(tool, text):
    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, "wam_arch.def")
        with open(path, "w") as file:
            file.write(text)
        began = time.perf_counter()
        subprocess.run([tool, "--check", "--description", path], capture_output=True)
        return time.perf_counter() - began


def diagnostics_rows(tool):
    with open(EXAMPLE) as file:
        texts = [("the example", file.read())]
    for megabytes in (1, 16):
        texts.append(("%d MB of warnings" % megabytes, UNIT * (megabytes * 1000 * 1000 // len(UNIT))))
    server = started(tool)
    for i, (name, text) in enumerate(texts):
        checked = check_seconds(tool, text)
        began = time.perf_counter()
        server.open("file:///bench/d%d.def" % i, text)
        published = server.receive()
        seconds = time.perf_counter() - began
        server.send({"jsonrpc": "2.0", "method": "textDocument/didClose",
                     "params": {"textDocument": {"uri": "file:///bench/d%d.def" % i}}})
        server.receive()
        print("diagnostics of %s (%d bytes): %.3f s, --check %.3f s, ratio %.2f; %d published"
              % (name, len(text), seconds, checked, seconds / checked, len(published["params"]["diagnostics"])))
    server.stop()


def references_memory(tool):
    server = started(tool)
    uri = "file:///bench/x.def"
    server.open(uri, "X\n" * (512 * 1024))
    server.receive()
    began = time.perf_counter()
    server.send({"jsonrpc": "2.0", "id": 2, "method": "textDocument/references", "params": {
        "textDocument": {"uri": uri}, "position": {"line": 0, "character": 0}, "context": {"includeDeclaration": True}}})
    found = len(server.receive()["result"])
    seconds = time.perf_counter() - began
    peak = server.resident_kb("VmHWM:")
    server.stop()
    print("references on 1 MB of X lines: %d found in %.2f s, peak resident memory %d kB" % (found, seconds, peak))


def main():
    tool = sys.argv[1]
    changes = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    server = Server(tool)
    uri = "file:///bench/wam_arch.def"
    server.send({"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {"capabilities": {}}})
    server.receive()
    server.send({"jsonrpc": "2.0", "method": "textDocument/didOpen", "params": {
        "textDocument": {"uri": uri, "languageId": "wam-arch", "version": 1, "text": description()}}})
    first = server.receive()
    assert first["params"]["diagnostics"] == [], str(first)[:300]
    after_open = server.resident_kb()
    times = []
    for i in range(changes):
        # Types a character into the last ordinary line, then takes it out.
        start = {"line": LINES - 1, "character": 3}
        end = start if i % 2 == 0 else {"line": LINES - 1, "character": 4}
        change = {"range": {"start": start, "end": end}, "text": "x" if i % 2 == 0 else ""}
        began = time.perf_counter()
        server.send({"jsonrpc": "2.0", "method": "textDocument/didChange",
                     "params": {"textDocument": {"uri": uri, "version": i + 2}, "contentChanges": [change]}})
        reply = server.receive()
        times.append((time.perf_counter() - began) * 1000)
        assert reply["method"] == "textDocument/publishDiagnostics", reply
    after_changes = server.resident_kb()
    server.send({"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
    server.receive()
    server.send({"jsonrpc": "2.0", "method": "exit"})
    status = server.process.wait()
    times.sort()
    print("%d changes of a %d-line description: median %.2f ms, 95th percentile %.2f ms, worst %.2f ms"
          % (changes, LINES, statistics.median(times), times[int(len(times) * 0.95)], times[-1]))
    print("resident memory: %d kB after the open, %d kB after the changes; exit status %d"
          % (after_open, after_changes, status))
    diagnostics_rows(tool)
    references_memory(tool)
    return status


if __name__ == "__main__":
    sys.exit(main())
