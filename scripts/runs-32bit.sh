#!/bin/sh
# Succeeds when this machine can run 32-bit Linux programs, so Wine's 32-bit loader
# (and with it the i686 Windows builds) can start. Answers no when Wine is missing.
[ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
