#!/usr/bin/env bash
# The real program on a real Wayland compositor, Debian's weston, run as a window of a
# private X server so that a key can reach it, with no X display for the program itself:
# Return on the focused "描画" must draw the core's figure, weston's timeline must show each
# of its stages for about one repaint, weston's own screenshot must show it exactly and
# opaque, and the program must end with a message and status 1 when the
# compositor goes away.
#
#   wayland_test.sh DRAGONFOLD FIGURE_IMAGE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

. "$here/../../tools/lib/private-xvfb.sh"
on_private_xvfb || run_on_private_xvfb "$0" "$@"

dragonfold=$1
figure_image=$2
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=dragonfold-test
cd "$work"
weston --backend=x11-backend.so --use-pixman --shell=kiosk-shell.so --socket="$socket" --width=1000 \
    --height=700 --idle-time=0 --debug >weston.log 2>&1 &
compositor=$!
program=
timeline=
trap 'kill "$program" "$timeline" "$compositor" 2>/dev/null || true; cd /; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    grep -q "kiosk-shell.so" weston.log && break
    sleep 0.1
done
grep -q "kiosk-shell.so" weston.log || { echo "weston did not start:"; cat weston.log; exit 1; }
sleep 0.3
# The compositor's own window on the X server, which passes keys on to the focused client.
output_window=$(sed -n 's/.*window id \([0-9]*\).*/\1/p' weston.log)
# weston's own record of what it showed, and when.
WAYLAND_DISPLAY=$socket weston-debug -o timeline.json timeline 2>/dev/null &
timeline=$!

env -u DISPLAY WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$dragonfold" 2>program.log &
program=$!

# Picture1 lies at (16, 8), 577 x 417 pixels, in the window that kiosk-shell puts at the
# output's corner. The window takes a moment to map and take the focus: press Return until
# weston shows a drawing under way (a run of at least 10 pictures of the window), then wait
# for the window to be still.
drawings() { "$here/weston_stages.py" timeline.json | awk '$1 >= 10' | wc -l; }
settled() {  # until weston's timeline has had nothing new for a second
    local size=-1
    for _ in $(seq 20); do
        [ "$(stat -c %s timeline.json)" = "$size" ] && return 0
        size=$(stat -c %s timeline.json)
        sleep 1
    done
}
for attempt in $(seq 20); do
    sleep 0.5
    kill -0 "$program" || { echo "dragonfold ended:"; cat program.log; exit 1; }
    xdotool key --window "$output_window" Return 2>/dev/null
    for _ in $(seq 10); do
        sleep 0.2
        [ "$(drawings)" -gt 0 ] && break 2
    done
done
settled
# Each of the drawing's 73 stages reached the screen, about one of weston's repaints apart.
read -r pictures span period < <("$here/weston_stages.py" timeline.json | awk '$1 >= 10' | tail -n1)
echo "weston showed $pictures pictures of the window in $span ms, repainting every $period ms"
[ "$pictures" -ge 70 ]
awk -v span="$span" -v period="$period" 'BEGIN { exit !(period > 0 && span >= 60 * period && span <= 150 * period) }' ||
    { echo "the drawing did not last about 73 of weston's repaints"; exit 1; }

rm -f wayland-screenshot-*.png
WAYLAND_DISPLAY=$socket weston-screenshooter
shot=$(ls wayland-screenshot-*.png)
differing=$("$here/../../tools/lib/differing-pixels" "$figure_image" "$shot" 577x417+16+8)
echo "pixels of weston's screenshot differing from the core's figure: $differing"
[ "$differing" = "0" ]
least_alpha=$(convert "$shot" -crop 577x417+16+8 +repage -alpha extract -format '%[fx:minima]' info:)
echo "least alpha in the picture: $least_alpha"
[ "$least_alpha" = "1" ]

# The compositor goes away: the program says so and ends with status 1.
kill "$compositor"
status=0
wait "$program" || status=$?
program=
echo "after the compositor went away: exit status $status, said: $(cat program.log)"
[ "$status" -eq 1 ]
grep -q -i wayland program.log
