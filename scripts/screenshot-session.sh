#!/bin/sh
# Plays a short session with the stand-in client and lantern-idle under Wine, driven
# by the real mouse and keyboard (xdotool), and saves three pictures into <outdir>:
#   room.png          the chat room with the styled lines, and the bar
#   menu.png          the bar with its menu open
#   style-dialog.png  the style dialog
# Runs inside an X server of 1024x768 (scripts/screenshot.sh starts one). Both
# programs share one Wine virtual desktop, so that Wine draws their title bars.
# The programs come from LANTERN_BIN (default build/i686/bin). It takes a little over
# a minute: the idle line comes a minute after idling is switched on.
set -eu
out=$(mkdir -p "${1:?usage: screenshot-session.sh <outdir>}" && cd "$1" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${LANTERN_BIN:-$here/build/i686/bin}
. "$here/scripts/wine-env.sh"
desktop="/desktop=lantern-shots,1024x768"

[ -n "${DISPLAY:-}" ] || { echo "screenshot-session: DISPLAY is not set" >&2; exit 1; }
for program in lantern-idle.exe standin-client.exe; do
    [ -f "$bin/$program" ] || { echo "screenshot-session: $bin/$program is not built" >&2; exit 1; }
done
[ -f "$WINEPREFIX/system.reg" ] || "$here/scripts/wine-prefix.sh" >&2

work=$(mktemp -d)
log="$work/standin.log"
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# wait_until <seconds> <command...>: polls the command until it succeeds.
wait_until() {
    limit=$(($1 * 5))
    shift
    n=0
    until "$@"; do
        n=$((n + 1))
        if [ $n -gt $limit ]; then
            echo "screenshot-session: gave up waiting for: $*" >&2
            exit 1
        fi
        sleep 0.2
    done
}
# Starts a program on the session's desktop and notes its process (the one that runs
# from that path and was not there before), so that it ends with the session.
started() { pgrep -f "^$1" || true; }
launch() {
    before=$(started "$1")
    wine explorer "$desktop" "$@" >/dev/null 2>&1 &
    wait_until 30 new_process "$1" "$before"
}
new_process() {
    for pid in $(started "$1"); do
        case " $2 " in
        *" $pid "*) ;;
        *) pids="$pids $pid"; return 0 ;;
        esac
    done
    return 1
}
posts() { grep -c "	posted	" "$log" 2>/dev/null || true; }
posts_reach() { [ "$(posts)" -ge "$1" ]; }
logged() { grep -q "	$1	" "$log" 2>/dev/null; }
# Another member says something: a control command to the stand-in, sent from the
# same desktop (windows of another desktop are not found); it is done once logged.
said() { grep -c "	said	" "$log" 2>/dev/null || true; }
said_reach() { [ "$(said)" -ge "$1" ]; }
say() {
    before=$(said)
    wine explorer "$desktop" "$bin/standin-client.exe" --send "say buddy\\t$1" >/dev/null 2>&1 &
    wait_until 30 said_reach $((before + 1))
}
# The bar's arrow, for the bar's top-left corner at $1,$2, opens the menu.
open_menu() { xdotool mousemove $(($1 + 176)) $(($2 + 16)) click 1; sleep 0.8; }
shot() { import -window root "$work/screen.png"; }
crop() { convert "$work/screen.png" -crop "$1" +repage "$out/$2"; }
convert() { /usr/bin/convert "$@"; }  # the real ImageMagick, not a stand-in earlier in PATH

# A fresh start: no stored style, so the lines show the default colours.
wine reg delete 'HKCU\Software\vx9' /f >/dev/null 2>&1 || true
xdotool mousemove 1000 750

launch "$bin/standin-client.exe" --log "$log"
wait_until 60 logged room-entered
say "anyone up for a round later?"

launch "$bin/lantern-idle.exe"
wait_until 60 posts_reach 1
sleep 2
xdotool mousemove 512 384 click 1  # the splash, centred
sleep 2

# Idle > On, then a reason; the minute's idle line carries it.
open_menu 0 0
xdotool key i
sleep 0.3
xdotool key o
wait_until 30 posts_reach 2
sleep 2
open_menu 0 0
xdotool key r
sleep 2
xdotool type --delay 60 "AFK Lunch"
xdotool key Return
sleep 2
say "brb, coffee"
wait_until 90 posts_reach 3
sleep 2
shot
crop 580x530+0+0 room.png

# The bar dragged onto the empty part of the client, its menu open on Idle.
xdotool mousemove 60 16 mousedown 1
sleep 0.3
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((60 + step * 75)) $((16 + step * 50))
    sleep 0.05
done
sleep 0.3
xdotool mouseup 1
sleep 1.5
open_menu 600 400
xdotool mousemove 790 435  # over Idle: its submenu opens
sleep 1.5
shot
crop 340x190+585+390 menu.png
xdotool key Escape
sleep 0.3
xdotool key Escape
sleep 1

# The style dialog as it first opens (it opens at the top-left corner).
open_menu 600 400
xdotool key m
sleep 2
shot
crop 264x146+0+0 style-dialog.png

# Exit from the menu, then close the client with its close box.
open_menu 600 400
xdotool key e
sleep 5
xdotool mousemove 946 12 click 1
sleep 5
echo "screenshot-session: saved room.png, menu.png and style-dialog.png in $out"
