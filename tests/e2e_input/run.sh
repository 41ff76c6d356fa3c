#!/bin/sh
# The input tests: lantern-idle.exe and standin-client.exe under Wine, driven by the
# real mouse and keyboard of the X server in DISPLAY.
#   tests/e2e_input/run.sh <build>/bin [gtest options...]
# Starts the input agent (xdotool on the Linux side), runs test_e2e_input.exe under
# Wine with the agent's address, stops the agent, and passes the tests' exit code on.
# Screens of failed tests are kept in <build>/tests/e2e-logs/.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=$(cd "${1:?usage: run.sh <build>/bin [gtest options]}" && pwd)
shift
tests_dir=$(cd "$bin/../tests" && pwd)
exe="$tests_dir/test_e2e_input.exe"

fail() { echo "e2e.input: $*" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || fail "DISPLAY is not set: run it inside Xvfb (make test does)"
command -v xdotool >/dev/null 2>&1 || fail "xdotool is missing (scripts/setup.sh installs it)"
command -v python3 >/dev/null 2>&1 || fail "python3 is missing"
[ -f "$exe" ] || fail "$exe is not built"

logs="$tests_dir/e2e-logs"
mkdir -p "$logs"
work=$(mktemp -d)
agent_pid=""
cleanup() {
    [ -n "$agent_pid" ] && kill "$agent_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

python3 "$here/input_agent.py" --port-file "$work/port" --shots "$logs" &
agent_pid=$!
i=0
while [ ! -s "$work/port" ]; do
    i=$((i + 1))
    [ $i -le 100 ] || fail "the input agent did not start"
    kill -0 "$agent_pid" 2>/dev/null || fail "the input agent ended at start"
    sleep 0.1
done
LANTERN_INPUT_AGENT="127.0.0.1:$(cat "$work/port")"
export LANTERN_INPUT_AGENT

# The tests' logs land beside the exe, as test_e2e's land beside its own.
cd "$tests_dir" || exit 1
"$root/scripts/wine-run.sh" "$exe" --gtest_brief=1 "$@"
status=$?
exit "$status"
