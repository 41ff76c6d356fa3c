#!/usr/bin/env python3
"""Moves the real mouse and presses real keys for the input tests.

The tests run as a Windows program under Wine and cannot start xdotool themselves,
so they ask this agent over a loopback TCP connection, one request per connection:

    request:  fields separated by tabs, ending in a newline
              xdotool<TAB>arg<TAB>arg...   runs xdotool with those arguments
              screenshot<TAB>name           saves the screen as <shots>/<name>.png
    answer:   <exit code><TAB><what it printed, newlines as \\n><NEWLINE>

It listens on 127.0.0.1 only, writes its port into --port-file once it listens, and
ends when it gets SIGTERM or when the parent that started it is gone.
"""

import argparse
import os
import re
import signal
import socket
import subprocess
import sys

COMMAND_TIMEOUT_SECONDS = 30


def run(fields, shots):
    if fields[0] == "xdotool":
        command = ["xdotool"] + fields[1:]
    elif fields[0] == "screenshot" and len(fields) == 2:
        # The name comes from a test's name: nothing in it may leave the folder.
        name = re.sub(r"[^A-Za-z0-9_.-]", "_", fields[1])
        command = ["import", "-window", "root", os.path.join(shots, name + ".png")]
    else:
        return 2, "unknown request: " + " ".join(fields)
    try:
        done = subprocess.run(command, capture_output=True, text=True, timeout=COMMAND_TIMEOUT_SECONDS)
    except (OSError, subprocess.TimeoutExpired) as error:
        return 127, str(error)
    return done.returncode, (done.stdout + done.stderr).strip()


def read_request(connection):
    data = b""
    while not data.endswith(b"\n"):
        chunk = connection.recv(4096)
        if not chunk:
            break
        data += chunk
    return data.decode("utf-8", "replace").rstrip("\r\n").split("\t")


def serve(listener, shots, parent):
    listener.settimeout(1.0)
    while os.getppid() == parent:
        try:
            connection, _ = listener.accept()
        except socket.timeout:
            continue
        with connection:
            connection.settimeout(COMMAND_TIMEOUT_SECONDS + 5)
            try:
                fields = read_request(connection)
                code, output = run(fields, shots) if fields and fields[0] else (2, "empty request")
                connection.sendall(("%d\t%s\n" % (code, output.replace("\n", "\\n"))).encode("utf-8"))
            except OSError as error:
                print("input agent: %s" % error, file=sys.stderr)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--shots", default=".", help="folder for screenshots")
    arguments = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    parent = os.getppid()
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as listener:
        listener.bind(("127.0.0.1", 0))
        listener.listen(4)
        temporary = arguments.port_file + ".part"
        with open(temporary, "w") as port_file:
            port_file.write("%d\n" % listener.getsockname()[1])
        os.replace(temporary, arguments.port_file)
        serve(listener, arguments.shots, parent)


if __name__ == "__main__":
    main()
