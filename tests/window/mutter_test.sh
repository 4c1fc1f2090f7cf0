#!/usr/bin/env bash
# The real program on GNOME's compositor, mutter, headless with fractional scaling switched
# on as GNOME's settings switch it, on a private session bus with PipeWire for its screen
# cast. "描画" is pressed through its accessible action; then, at each scale and with the
# window dragged by its title bar (which Qt draws itself here) to several places, mutter's
# picture of the monitor must hold the core's figure at the picture's device size, pixel for
# pixel.
#
#   mutter_test.sh DRAGONFOLD FIGURE_IMAGE QT_VERSION
#
# Skipped (77) where there is no mutter that can be driven so (gdctl, from GNOME 48) or Qt
# draws no fractional scale on Wayland (before 6.5): Debian 12 has neither.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dragonfold=$1
figure_image=$2
qt_version=$3

if [ "$(printf '%s\n' "$qt_version" 6.5 | sort -V | head -n1)" != 6.5 ]; then
    echo "Qt $qt_version draws no fractional scale on Wayland: nothing to check on mutter"
    exit 77
fi
for tool in mutter gdctl pipewire wireplumber gst-launch-1.0; do
    command -v "$tool" >/dev/null || { echo "no $tool here: mutter is not checked"; exit 77; }
done
if [ -z "${DBUS_SESSION_IS_PRIVATE:-}" ]; then
    DBUS_SESSION_IS_PRIVATE=1 exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime HOME=$work GSETTINGS_BACKEND=keyfile
mkdir -m 700 "$XDG_RUNTIME_DIR"
cd "$work"
width=2520
height=1680
started=()
trap 'kill "${started[@]}" 2>/dev/null || true; cd /; rm -rf "$work"' EXIT
start() {  # log command...: in the background, ended with the test
    local log=$1
    shift
    "$@" >"$log" 2>&1 &
    started+=($!)
}

gsettings set org.gnome.mutter experimental-features "['scale-monitor-framebuffer']"
start pipewire.log pipewire
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break; sleep 0.1; done
start wireplumber.log wireplumber
# Without its session manager's links PipeWire carries no screen cast.
for _ in $(seq 100); do wpctl status >/dev/null 2>&1 && break; sleep 0.1; done
start mutter.log mutter --headless --wayland --no-x11 --virtual-monitor "${width}x${height}"
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-0" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/wayland-0" ] || { echo "mutter did not start:"; cat mutter.log; exit 1; }
monitor=$(gdctl show | grep -o 'Monitor [^ ]* (' | head -n1 | cut -d' ' -f2)
start atspi.log /usr/libexec/at-spi-bus-launcher --launch-immediately
start program.log env -u DISPLAY WAYLAND_DISPLAY=wayland-0 QT_QPA_PLATFORM=wayland \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$dragonfold"
program=${started[-1]}
/usr/bin/python3 "$here/atspi_press.py" >/dev/null

remote() { /usr/bin/python3 "$here/mutter_remote.py" "$@"; }

# Compares the picture with the core's figure until they agree, as a change of scale draws
# the figure anew: prints the differing pixels last seen and the geometry.
differing() {  # scale
    local geometry result=unknown
    for _ in $(seq 20); do
        sleep 0.5
        remote shot "$monitor" "$width" "$height" shot.ppm
        geometry=$(remote picture shot.ppm "$1")
        result=$("$here/../../tools/lib/differing-pixels" "$figure_image" shot.ppm "$geometry")
        [ "$result" = 0 ] && break
    done
    echo "$result $geometry"
}

failures=0
for scale in 1 1.25 1.5 1.75 2; do
    gdctl set --logical-monitor --primary --monitor "$monitor" --scale "$scale" >/dev/null
    for step in 0 1 2 3; do
        if [ "$step" -gt 0 ]; then
            # By the title bar, 20 logical pixels above the picture last seen, further right
            # at each step.
            remote drag $(python3 -c '
import sys
s, step = float(sys.argv[1]), int(sys.argv[2])
left, top = (int(v) for v in sys.argv[3].split("+")[1:])
x, y = left / s + 100, top / s - 20
print(x, y, x + 7 * step, y)' "$scale" "$step" "$geometry")
        fi
        read -r result geometry < <(differing "$scale")
        echo "scale $scale, picture at device ${geometry#*+}: $result pixels differ from the core's figure"
        [ "$result" = 0 ] || failures=$((failures + 1))
    done
done

kill -0 "$program" || { echo "dragonfold ended:"; cat program.log; exit 1; }
[ "$failures" -eq 0 ] || { echo "$failures pictures were not the core's figure"; exit 1; }
