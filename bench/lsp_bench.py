#!/usr/bin/env python3
"""The language server's speed and memory: a 10,000-line description is
opened, then changed CHANGES times (one character, as typing does); prints
the time from each didChange to its publishDiagnostics (median, 95th
percentile, worst) and the server's resident memory after the open and
after the changes (Linux: /proc/PID/status).

usage: lsp_bench.py TOOL [CHANGES]   (default 10000)
"""
import json
import statistics
import subprocess
import sys
import time

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

    def resident_kb(self):
        with open("/proc/%d/status" % self.process.pid) as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        return 0


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
    return status


if __name__ == "__main__":
    sys.exit(main())
