# Sourced by the Wine scripts: the project's own prefix (a 64-bit one runs both the
# i686 and the x86_64 builds), no debug chatter, no installer dialogs.
# Expects $here, the repository's root.
export WINEPREFIX="${WINEPREFIX:-$here/build/wine64}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH="${WINEARCH:-win64}"
