# Sourced by the Wine scripts: the project's own prefix (a 64-bit one runs both the
# i686 and the x86_64 builds), no debug chatter, no installer dialogs.
# Expects $here, the repository's root.
export WINEPREFIX="${WINEPREFIX:-$here/build/wine64}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH="${WINEARCH:-win64}"

# Some kernels (virtual machines without 32-bit support) cannot start Wine's 32-bit
# loader, which `wine` prefers; there the 64-bit loader runs every 64-bit program
# (the i686 builds cannot run at all: see scripts/runs-32bit.sh and the Makefile).
if [ -x /usr/lib/wine/wine64 ] && ! "$here/scripts/runs-32bit.sh"; then
    export WINELOADER=/usr/lib/wine/wine64
    wine() { /usr/lib/wine/wine64 "$@"; }
fi
