#!/bin/sh
# Runs the stand-in client and lantern-idle under Xvfb and saves pictures of the
# screen into docs/screenshots/ (the ones the README shows).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
out=docs/screenshots
mkdir -p "$out"
exec xvfb-run -a -s "-screen 0 1024x768x24" "$here/scripts/screenshot-session.sh" "$out"
