#!/usr/bin/env bash
# The real program in a real X window: a click on "描画" must put exactly the core's figure
# on the screen, pixel for pixel.
#
#   real_window_test.sh DRAGONFOLD FIGURE_IMAGE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${DISPLAY_IS_PRIVATE:-}" ]; then
    DISPLAY_IS_PRIVATE=1 exec "$here/../../tools/xvfb-session" "$0" "$@"
fi

dragonfold=$1
figure_image=$2
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work
"$dragonfold" 2>"$work/stderr" &
program=$!
trap 'kill "$program" 2>/dev/null || true; rm -rf "$work"' EXIT

window=$("$here/../../tools/wait-for-form1")
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" -eq 799 ] && [ "$HEIGHT" -eq 460 ] || { echo "inner size ${WIDTH}x$HEIGHT, not 799x460"; exit 1; }

# Centre of "描画": (9600 + 1095/2, 120 + 375/2) twips, 15 twips a pixel.
xdotool mousemove --window "$window" 676 20 click 1
"$figure_image" 577 417 >"$work/expected.ppm"

# Picture1 lies at (240, 120) twips, 577 x 417 pixels. The drawing takes milliseconds; give
# the X server a moment and then compare, a few times in case the machine is slow.
for attempt in 1 2 3 4 5; do
    sleep 0.5
    import -window "$window" -crop 577x417+16+8 +repage "$work/shown.ppm"
    differing=$(compare -metric AE "$work/shown.ppm" "$work/expected.ppm" null: 2>&1 || true)
    [ "$differing" = "0" ] && break
done
echo "pixels differing from the core's figure: $differing"
[ "$differing" = "0" ]
kill -0 "$program"  # still running, idle, after the drawing
