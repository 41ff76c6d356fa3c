#!/usr/bin/env python3
"""Runs a command (a benchmark under Wine) with an agent beside it that runs xdotool
for it, since a program under Wine cannot start xdotool: one loopback connection a
request, "xdotool<TAB>arg...<LF>", answered "<exit code><TAB><output><LF>"; the port
is in LANTERN_INPUT_AGENT.  Usage: input-agent.py <command> [arguments...]"""

import os
import socket
import subprocess
import sys
import threading


def run(fields):
    if fields[0] != "xdotool":
        return 2, "unknown request: " + " ".join(fields)
    try:
        done = subprocess.run(fields, capture_output=True, text=True, timeout=30)
    except (OSError, subprocess.TimeoutExpired) as error:
        return 127, str(error)
    return done.returncode, (done.stdout + done.stderr).strip().replace("\n", " ")


def serve(listener):
    while True:
        connection, _ = listener.accept()
        with connection, connection.makefile("rw", encoding="utf-8", errors="replace", newline="\n") as stream:
            try:
                code, output = run(stream.readline().rstrip("\r\n").split("\t"))
                stream.write("%d\t%s\n" % (code, output))
                stream.flush()
            except OSError as error:
                print("input agent:", error, file=sys.stderr)


with socket.create_server(("127.0.0.1", 0)) as listener:
    threading.Thread(target=serve, args=(listener,), daemon=True).start()
    environment = dict(os.environ, LANTERN_INPUT_AGENT=str(listener.getsockname()[1]))
    sys.exit(subprocess.call(sys.argv[1:], env=environment))
