#!/bin/sh
# Runs a Windows program under Wine for CTest: a prefix of the project's own, no
# debug chatter, no installer dialogs, "\r" stripped from what it prints, and the
# program's exit code passed on.
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/wine-env.sh"
[ -f "$WINEPREFIX/system.reg" ] || "$here/scripts/wine-prefix.sh" >&2
status_file=$(mktemp)
output=$(mktemp)
{ wine "$@"; echo $? > "$status_file"; } 2>&1 | tr -d '\r' | tee "$output"
status=$(cat "$status_file")
# Under Wine a test program that crashes after an earlier failure can still exit 0;
# a GoogleTest run that never printed its closing summary did not pass.
if [ "$status" = 0 ] && grep -q '^Running main() from' "$output" && ! grep -q '^\[==========\] .* ran\.' "$output"; then
    echo "wine-run: the test program ended without its summary: counted as failed" >&2
    status=1
fi
rm -f "$status_file" "$output"
exit "$status"
