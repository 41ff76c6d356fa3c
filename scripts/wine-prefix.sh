#!/bin/sh
# Creates the project's Wine prefix once: initialised, crash dialog off (a crash
# must fail a test, not hang it), and checked to speak code page 1252.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/wine-env.sh"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wine wineboot --init >/dev/null 2>&1 || true
    wineserver -w
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
fi
# The prefix file says it once wineserver has written it out.
acp=$(sed -n 's/^"ACP"="\([0-9]*\)"/\1/p' "$WINEPREFIX/system.reg" | head -1)
if [ "$acp" != "1252" ]; then
    echo "wine-prefix: the prefix's ANSI code page is '$acp', not 1252" >&2
    exit 1
fi
