#!/usr/bin/env python3
"""Runs test_e2e_input.exe under Wine with scripts/input-agent.py beside it, which runs
xdotool for it (a program under Wine cannot start xdotool).
Usage: run.py <build>/bin [gtest options...]"""

import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
scripts = os.path.join(here, "..", "..", "scripts")
tests = os.path.join(os.path.abspath(sys.argv[1]), "..", "tests")  # the tests' logs land there too
command = [sys.executable, os.path.join(scripts, "input-agent.py"), os.path.join(scripts, "wine-run.sh"),
           os.path.join(tests, "test_e2e_input.exe"), "--gtest_brief=1"] + sys.argv[2:]
sys.exit(subprocess.call(command, cwd=tests))
