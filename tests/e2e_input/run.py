#!/usr/bin/env python3
"""Runs test_e2e_input.exe under Wine and, for it, xdotool (which a program under Wine
cannot start): one loopback connection a request, "xdotool<TAB>arg...<LF>", answered
"<exit code><TAB><output><LF>".  Usage: run.py <build>/bin [gtest options...]"""

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


here = os.path.dirname(os.path.abspath(__file__))
tests = os.path.join(os.path.abspath(sys.argv[1]), "..", "tests")  # the tests' logs land there too
with socket.create_server(("127.0.0.1", 0)) as listener:
    threading.Thread(target=serve, args=(listener,), daemon=True).start()
    environment = dict(os.environ, LANTERN_INPUT_AGENT=str(listener.getsockname()[1]))
    command = [os.path.join(here, "..", "..", "scripts", "wine-run.sh"), os.path.join(tests, "test_e2e_input.exe")]
    sys.exit(subprocess.call(command + ["--gtest_brief=1"] + sys.argv[2:], cwd=tests, env=environment))
