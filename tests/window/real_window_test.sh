#!/usr/bin/env bash
# The real program in a real X window at a screen scale, set as QT_SCALE_FACTOR or as the X
# resource Xft.dpi (as desktops set it: 120 is 125 %), 1 unless given: a click on "描画" must
# put exactly the core's figure on the screen, pixel for pixel, filling the device pixels
# that the picture covers, in stages that each reach the screen. Below 1, where Qt's widgets
# cannot be laid out, the window must show at scale 1.
#
#   real_window_test.sh DRAGONFOLD FIGURE_IMAGE SHOWN_UPDATES [SCALE | xft-dpi=DPI]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${DISPLAY_IS_PRIVATE:-}" ]; then
    DISPLAY_IS_PRIVATE=1 XVFB_SCREEN=2560x1600x24 exec "$here/../../tools/xvfb-session" "$0" "$@"
fi

dragonfold=$1
figure_image=$2
shown_updates=$3
setting=${4:-1}
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work
if [[ "$setting" == xft-dpi=* ]]; then
    dpi=${setting#xft-dpi=}
    echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
    scale=$(awk -v dpi="$dpi" 'BEGIN { print dpi / 96 }')
    "$dragonfold" 2>"$work/stderr" &
else
    scale=$setting
    QT_SCALE_FACTOR=$scale "$dragonfold" 2>"$work/stderr" &
fi
program=$!
trap 'kill "$program" 2>/dev/null || true; rm -rf "$work"' EXIT

window=$("$here/../../tools/wait-for-form1")
eval "$(xdotool getwindowgeometry --shell "$window")"
shown=$(awk -v s="$scale" 'BEGIN { print (s < 1) ? 1 : s }')
read -r width_expected height_expected < <(awk -v s="$shown" 'BEGIN { printf "%d %d\n", int(799 * s + 0.5), int(460 * s + 0.5) }')
[ "$WIDTH" -eq "$width_expected" ] && [ "$HEIGHT" -eq "$height_expected" ] ||
    { echo "inner size ${WIDTH}x$HEIGHT, not ${width_expected}x$height_expected"; exit 1; }
# Nothing drawn yet: the picture is black and its surroundings are not, so the black runs
# through a point well inside it give the device pixels it covers, as the screen shows them.
sleep 0.5
import -window "$window" "$work/before.ppm"
black_run() {  # CROP AXIS_START INSIDE: the start and length of the black run around INSIDE
    convert "$work/before.ppm" -crop "$1" +repage -depth 8 txt:- |
        awk -F'[,: ]+' -v axis="$2" -v inside="$3" '
            NR > 1 { position = (axis == "x") ? $1 : $2; black[position] = ($0 ~ /#000000/) }
            END {
                if (!black[inside]) exit 1
                for (first = inside; black[first - 1]; first--) {}
                for (last = inside; black[last + 1]; last++) {}
                print first, last - first + 1
            }'
}
inside_x=$(awk -v s="$shown" 'BEGIN { printf "%d", 300 * s }')
inside_y=$(awk -v s="$shown" 'BEGIN { printf "%d", 200 * s }')
read -r left width < <(black_run "${WIDTH}x1+0+$inside_y" x "$inside_x")
read -r top height < <(black_run "1x${HEIGHT}+$inside_x+0" y "$inside_y")
echo "at scale $scale ($setting) the picture covers ${width}x$height device pixels from ($left, $top)"

# The X server's own notices of what changed on the window, from before the click until the
# window has been still for a second, when the drawing is over.
"$shown_updates" "$window" 1000 >"$work/updates" &
watcher=$!
for _ in $(seq 100); do
    grep -q ready "$work/updates" && break
    sleep 0.1
done
# Centre of "描画": (9600 + 1095/2, 120 + 375/2) twips, 15 twips a window pixel.
xdotool mousemove --window "$window" "$(awk -v s="$shown" 'BEGIN { printf "%d", 676 * s }')" \
    "$(awk -v s="$shown" 'BEGIN { printf "%d", 20 * s }')" click 1
wait "$watcher"
# Each of the drawing's 73 stages reached the screen on its own, a vertical blank apart.
read -r _ updates _ span _ _ gap _ < <(grep '^updates' "$work/updates")
echo "the X server showed $updates separate updates of the window over $span ms, typically $gap ms apart"
[ "$updates" -ge 70 ] && [ "$gap" -ge 10 ]

"$figure_image" "$width" "$height" >"$work/expected.ppm"
import -window "$window" -crop "${width}x$height+$left+$top" +repage "$work/shown.ppm"
differing=$(compare -metric AE "$work/shown.ppm" "$work/expected.ppm" null: 2>&1 || true)
echo "pixels differing from the core's figure: $differing"
[ "$differing" = "0" ]
kill -0 "$program"  # still running, idle, after the drawing
