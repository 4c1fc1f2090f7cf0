#!/usr/bin/env bash
# The real program on sway, a tiling Wayland desktop, headless with its pixman renderer, at
# the output scales laptops use. Return on the focused "描画" draws the figure; then, at each
# scale and with the window moved to several places, grim's picture of the output must hold
# the core's figure at the picture's device size, pixel for pixel. Last the window moves to a
# second output of another scale and must be exact there too.
#
#   sway_test.sh DRAGONFOLD FIGURE_IMAGE QT_VERSION
#
# Qt draws at fractional scales from 6.5 on. With an older Qt, sway shrinks what Qt drew at
# the next whole scale, and nothing in the program can keep that 1:1; such a Qt also takes
# a new scale only when its window enters another output. So with it only scale 1 is
# checked in place, and scale 2 on the second output. sway refuses to run as root; as
# root, it runs as the user nobody.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dragonfold=$1
figure_image=$2
qt_version=$3

scales=(1 1.25 1.5 1.75 2)
second=1.5 first=1.25
if [ "$(printf '%s\n' "$qt_version" 6.5 | sort -V | head -n1)" != 6.5 ]; then
    echo "Qt $qt_version draws no fractional scale on Wayland: checking whole scales only"
    scales=(1)
    second=2 first=1
fi

work=$(mktemp -d)
chmod 755 "$work"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
as_compositor_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$XDG_RUNTIME_DIR"
    as_compositor_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$work")
fi
cd "$work"

# Two outputs side by side whose logical sizes are whole at every scale here, so that grim
# takes each one's device pixels as they are.
width=2520
height=1680
app='[app_id="org.dragonfold.Dragonfold"]'
cat >config <<EOF
output HEADLESS-1 resolution ${width}x${height} position 0 0 scale 1
output HEADLESS-2 resolution ${width}x${height} position $width 0 scale 1.5
default_border none
default_floating_border none
focus_follows_mouse no
for_window $app floating enable
EOF
WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=2 WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    "${as_compositor_user[@]}" sway --config "$work/config" >sway.log 2>&1 &
compositor=$!
program=
trap 'kill "$program" "$compositor" 2>/dev/null || true; cd /; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n1) && [ -n "$SWAYSOCK" ] && break
    sleep 0.1
done
[ -n "${SWAYSOCK:-}" ] || { echo "sway did not start:"; cat sway.log; exit 1; }
export SWAYSOCK
socket=$(cd "$XDG_RUNTIME_DIR" && ls wayland-* | grep -v lock | head -n1)
export WAYLAND_DISPLAY=$socket

# A new window opens on the focused output.
swaymsg focus output HEADLESS-1 >/dev/null
env -u DISPLAY QT_QPA_PLATFORM=wayland "$dragonfold" 2>program.log &
program=$!

# The window's content rectangle on the outputs' common logical layout: x y width height.
window_rect() {
    swaymsg -t get_tree | python3 -c '
import json, sys
def find(node):
    if node.get("app_id") == "org.dragonfold.Dragonfold":
        return node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        found = find(child)
        if found:
            return found
window = find(json.load(sys.stdin))
if window:
    r = window["rect"]
    print(r["x"], r["y"], r["width"], r["height"])'
}
for _ in $(seq 100); do
    [ -n "$(window_rect)" ] && break
    kill -0 "$program" || { echo "dragonfold ended:"; cat program.log; exit 1; }
    sleep 0.1
done
[ -n "$(window_rect)" ] || { echo "the window never appeared"; cat sway.log; exit 1; }

# Picture1 lies at logical (16, 8) to (593, 425) in the window; each edge falls on the
# device pixel edge nearest to it, as the program places it. The compositor puts a surface
# at logical x on device column round((x - the output's x) * scale) of its output.
picture_on() {  # output -> crop geometry WxH+X+Y on the output's own picture
    local x y
    read -r x y _ _ < <(window_rect)
    swaymsg -t get_outputs | python3 -c '
import json, math, sys
name, x, y = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
output = next(o for o in json.load(sys.stdin) if o["name"] == name)
s, ox, oy = output["scale"], output["rect"]["x"], output["rect"]["y"]
edge = lambda v: math.floor(v * s + 0.5)  # wlroots rounds halves up here; v > 0
left, top = edge(x - ox) + edge(16), edge(y - oy) + edge(8)
print("%dx%d+%d+%d" % (edge(593) - edge(16), edge(425) - edge(8), left, top))' "$1" "$x" "$y"
}

# Compares the picture on an output with the core's figure until they agree, as a change
# of scale draws the figure anew: prints the differing pixels last seen.
differing_on() {  # output
    local geometry differing=unknown
    for _ in $(seq 20); do
        sleep 0.5
        geometry=$(picture_on "$1")
        grim -o "$1" shot.png
        differing=$("$here/../../tools/lib/differing-pixels" "$figure_image" shot.png "$geometry")
        [ "$differing" = 0 ] && break
    done
    echo "$differing"
}

# The window takes a moment to map and take the focus: press Return until it draws.
swaymsg "$app focus" >/dev/null
for attempt in $(seq 20); do
    wtype -s 300 -k Return -s 300
    [ "$(differing_on HEADLESS-1)" = 0 ] && break
    kill -0 "$program" || { echo "dragonfold ended:"; cat program.log; exit 1; }
done

failures=0
report() {  # what differing
    echo "$1: $2 pixels differ from the core's figure"
    [ "$2" = 0 ] || failures=$((failures + 1))
}
for scale in "${scales[@]}"; do
    swaymsg output HEADLESS-1 scale "$scale" >/dev/null
    for x in center 401 402 403; do
        if [ "$x" = center ]; then
            swaymsg "$app move position center" >/dev/null
        else
            swaymsg "$app move absolute position $x 100" >/dev/null
        fi
        differing=$(differing_on HEADLESS-1)
        read -r wx _ ww wh < <(window_rect)
        report "scale $scale, window at logical x $wx, $ww x $wh" "$differing"
    done
done

# To the second output at one scale, and back to the first at another.
swaymsg output HEADLESS-2 scale "$second" >/dev/null
swaymsg output HEADLESS-1 scale "$first" >/dev/null
swaymsg "$app move absolute position $((width + 301)) 100" >/dev/null
read -r wx _ _ _ < <(window_rect)
report "moved to the second output at scale $second, logical x $wx" "$(differing_on HEADLESS-2)"
swaymsg "$app move absolute position 301 100" >/dev/null
report "back on the first output at scale $first" "$(differing_on HEADLESS-1)"

kill -0 "$program" || { echo "dragonfold ended:"; cat program.log; exit 1; }
[ "$failures" -eq 0 ] || { echo "$failures pictures were not the core's figure"; exit 1; }
