#!/bin/sh
# Installs the Debian packages that building and testing need, only when they are missing.
# Safe to run again: it checks for each tool first and does nothing when all are present.
#   scripts/setup.sh        everything make test needs
#   scripts/setup.sh demo   only what the native build of make demo needs
set -eu

need=""
have() { command -v "$1" >/dev/null 2>&1; }

have cmake || need="$need cmake"
have g++ || need="$need g++"
have make || need="$need make"
[ -f /usr/src/googletest/CMakeLists.txt ] || need="$need googletest"
if [ "${1:-}" != demo ]; then
have i686-w64-mingw32-g++-posix || have i686-w64-mingw32-g++ || need="$need g++-mingw-w64-i686"
have x86_64-w64-mingw32-g++ || need="$need g++-mingw-w64-x86-64"
[ -x /usr/lib/wine/wine64 ] || need="$need wine64"
have xvfb-run || need="$need xvfb xauth"
have xdotool || need="$need xdotool"
have import || need="$need imagemagick"
have zip || need="$need zip"
# the real-input end-to-end run serves xdotool to the tests from a small Python script
[ -x /usr/bin/python3 ] || need="$need python3"
have clang++ || need="$need clang"
# the layout check of make test
have clang-format || need="$need clang-format"
# libFuzzer's runtime, for the short fuzzing run
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need="$need libclang-rt-14-dev"
[ -x /usr/lib/wine/wine ] || [ -x /usr/bin/wine ] || need="$need wine"
dpkg -s wine32:i386 >/dev/null 2>&1 || need="$need wine32:i386"
fi

if [ -z "$need" ]; then
    exit 0
fi

echo "setup: installing$need" >&2
if [ "$(id -u)" != 0 ]; then
    echo "setup: root is needed to install$need" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
case "$need" in
    *i386*) dpkg --add-architecture i386 ;;
esac
apt-get update -qq
apt-get install -y -qq --no-install-recommends $need >/dev/null
