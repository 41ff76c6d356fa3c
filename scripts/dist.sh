#!/bin/sh
# Makes dist/lantern-idle-<version>.zip with both programs and a short user README.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
version=$(sed -n 's/^#define LANTERN_VERSION_STRING "\(.*\)"/\1/p' assets/version.h 2>/dev/null | head -1)
version=${version:-0.1.0}
stage=build/dist/lantern-idle-$version
rm -rf "$stage" && mkdir -p "$stage" dist
cp build/i686/bin/lantern-idle.exe build/i686/bin/standin-client.exe "$stage/"
cp docs/USER-README.txt "$stage/README.txt"
cp assets/reg/*.reg "$stage/"
rm -f "dist/lantern-idle-$version.zip"
(cd build/dist && zip -qr "$here/dist/lantern-idle-$version.zip" "lantern-idle-$version")
echo "dist/lantern-idle-$version.zip"
