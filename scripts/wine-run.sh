#!/bin/sh
# Runs a Windows program under Wine for CTest: a prefix of the project's own, no
# debug chatter, no installer dialogs, "\r" stripped from what it prints, and the
# program's exit code passed on.
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/wine-env.sh"
[ -f "$WINEPREFIX/system.reg" ] || "$here/scripts/wine-prefix.sh" >&2
status_file=$(mktemp)
{ wine "$@"; echo $? > "$status_file"; } 2>&1 | tr -d '\r'
status=$(cat "$status_file"); rm -f "$status_file"
exit "$status"
