#!/usr/bin/env bash
# The real program when the system refuses what its window needs: a limit on its address
# space (ulimit -v) at screen scales 1, 2 and 3, and on the processes and threads of an
# unprivileged user (ulimit -u), on an X server (Xvfb) and on a Wayland compositor (weston,
# whose buffers are shared-memory files). Each run presses "描画", and exactly two outcomes
# pass: the core's figure on the screen, pixel for pixel, or an end with status 1 and a
# message on stderr that does not blame the display. Anything else fails and is named:
# alive with a wrong picture or with no window, killed by a signal, or a status without a
# message. One line a run: platform, limit, scale, outcome.
#
#   resource_limits_test.sh DRAGONFOLD FIGURE_IMAGE CONTROL_TABLE address-space|processes
#
# The process limit is held by another user, which only root can become: without root those
# runs are skipped, with exit status 77 and the reason.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
limits=$4
if [ "$limits" = processes ] && [ "$(id -u)" -ne 0 ]; then
    echo "a process limit of its own needs another user, which only root can run the program as"
    exit 77
fi
. "$here/../../tools/lib/private-xvfb.sh"
on_private_xvfb || XVFB_SCREEN=2560x1600x24 run_on_private_xvfb "$0" "$@"

figure_image=$2
control_table=$3
# A user id of no one, so that the process count the limit holds is the program's alone.
user=64999
work=$(mktemp -d)
chmod 755 "$work"
compositor=
trap 'kill $compositor 2>/dev/null || true; rm -rf "$work"' EXIT
# That user may not enter the build's folder (a home folder, /root), so it runs a copy here.
dragonfold=$work/dragonfold
cp "$1" "$dragonfold"
read -r button_x button_y < <("$control_table" Command1)
read -r _ _ picture_left picture_top picture_width picture_height _ < <("$control_table" | grep '^Picture1 ')

# Runs the program under one limit ("address-space KB" or "processes N") at a scale, with
# the platform's environment in the rest of the arguments; sets $program and $run.
start() {
    local limit=$1 value=$2 scale=$3
    shift 3
    run=$work/run-$RANDOM
    mkdir -m 700 "$run"
    local setting="ulimit -c 0; ulimit -v $value"
    local as=()
    if [ "$limit" = processes ]; then
        setting="ulimit -c 0; ulimit -u $value"
        chown "$user:$user" "$run"
        as=(setpriv --reuid="$user" --regid="$user" --clear-groups)
    fi
    "${as[@]}" env HOME="$run" XDG_RUNTIME_DIR="$run" "$@" \
        bash -c "$setting; exec \"\$0\"" "$dragonfold" 2>"$work/stderr" &
    program=$!
}

# Sets $outcome to how the run ended, or "alive"; waits up to $1 tenths of a second for it
# to end.
ending() {
    for _ in $(seq "$1"); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    outcome=alive
    kill -0 "$program" 2>/dev/null && return
    local status=0 said
    wait "$program" || status=$?
    program=
    # The program's own word, else whatever was said first.
    said=$(grep '^dragonfold: ' "$work/stderr" | tail -n 1 | cut -c1-240 || true)
    local own=$said
    [ -n "$said" ] || said=$(head -n 1 "$work/stderr" | cut -c1-240)
    if [ "$status" -eq 127 ] && [[ "$said" == *"error while loading shared libraries"* ]]; then
        # The system's loader could not map a library before the program began (Qt 6.11's
        # libraries at 80 MB): its own message and status, which no program can better.
        outcome="refused before it began, by the loader: ${said#*: }"
    elif [ "$status" -eq 1 ] && [[ "$own" == *"does not answer"* ]]; then
        # The display answers all along: a message that blames it sends the user astray.
        outcome="FAILS: status 1, but blaming the display, which answers: $said"
    elif [ "$status" -eq 1 ] && [ -n "$own" ]; then
        outcome="ends with status 1: $said"
    elif [ "$status" -gt 128 ]; then
        outcome="FAILS: killed by signal $((status - 128)): $said"
    else
        outcome="FAILS: status $status, saying: ${said:-nothing}"
    fi
}

# Sets $outcome for a run whose program was alive when "描画" was pressed: the figure on the
# screen, or a wrong picture. shoot takes a screenshot into $2.
judge_picture() {
    local scale=$1 shoot=$2 differing=
    local geometry="$((picture_width * scale))x$((picture_height * scale))+$((picture_left * scale))+$((picture_top * scale))"
    for _ in 1 2 3; do
        sleep 2
        ending 1
        [ "$outcome" = alive ] || return 0
        "$shoot" "$work/shot.png" || continue
        differing=$("$here/../../tools/lib/differing-pixels" "$figure_image" "$work/shot.png" "$geometry")
        if [ "$differing" = 0 ]; then
            outcome="draws the figure exactly"
            return
        fi
    done
    outcome="FAILS: alive with a wrong picture (${differing:-no screenshot}, pixels differing)"
}

finish() {
    [ -z "$program" ] || { kill -KILL "$program" 2>/dev/null || true; wait "$program" 2>/dev/null || true; }
    program=
}

outcome=
failures=0
report() {  # PLATFORM LIMIT VALUE SCALE OUTCOME
    printf '%-7s %-13s %7s  scale %s  %s\n' "$1" "$2" "$3" "$4" "$5"
    [[ "$5" != FAILS* ]] || failures=$((failures + 1))
}

# X11: the window appears on the private X server.
x11_shot() { import -window root "$1"; }
x11_run() {
    local limit=$1 value=$2 scale=$3 window=
    start "$limit" "$value" "$scale" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale"
    for _ in $(seq 100); do
        window=$(xdotool search --name '^Form1$' 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && break
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    ending 1
    if [ "$outcome" = alive ] && [ -z "$window" ]; then
        outcome="FAILS: alive with no window after 10 s"
    elif [ "$outcome" = alive ]; then
        sleep 0.5
        xdotool mousemove --window "$window" $((button_x * scale)) $((button_y * scale)) click 1 2>/dev/null || true
        judge_picture "$scale" x11_shot
    fi
    finish
    report X11 "$limit" "$value" "$scale" "$outcome"
}

# Wayland: weston in a window of the X server, its output at the scale; kiosk-shell puts the
# program's window at the output's corner, and a key on weston's window reaches the focused
# "描画".
weston_up() {
    local scale=$1
    kill $compositor 2>/dev/null || true
    mkdir -p -m 711 "$work/weston"
    rm -f "$work/weston/"*
    (cd "$work/weston" && XDG_RUNTIME_DIR=$work/weston exec weston --backend=x11-backend.so --use-pixman \
        --shell=kiosk-shell.so --socket=wayland-0 --width=$((1000 * scale)) --height=$((700 * scale)) \
        --scale="$scale" --idle-time=0 --debug >log 2>&1) &
    compositor=$!
    for _ in $(seq 100); do
        grep -q "kiosk-shell.so" "$work/weston/log" 2>/dev/null && break
        sleep 0.1
    done
    sleep 0.3
    chmod 777 "$work/weston/wayland-0"
    output_window=$(sed -n 's/.*window id \([0-9]*\).*/\1/p' "$work/weston/log")
    # Weston draws the pointer where it last saw it, which may be over the picture: it is
    # put in the output's far corner, clear of the window.
    xdotool mousemove --window "$output_window" $((995 * scale)) $((695 * scale)) 2>/dev/null || true
}
wayland_shot() {
    rm -f "$work/weston/"wayland-screenshot-*.png
    (cd "$work/weston" && XDG_RUNTIME_DIR=$work/weston WAYLAND_DISPLAY=wayland-0 weston-screenshooter) &&
        mv "$work/weston/"wayland-screenshot-*.png "$1"
}
wayland_run() {
    local limit=$1 value=$2 scale=$3
    start "$limit" "$value" "$scale" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$work/weston/wayland-0"
    ending 30
    if [ "$outcome" = alive ]; then
        xdotool key --window "$output_window" Return 2>/dev/null || true
        judge_picture "$scale" wayland_shot
        [[ "$outcome" != *"wrong picture"* ]] || outcome="$outcome, or no window"
    fi
    finish
    report Wayland "$limit" "$value" "$scale" "$outcome"
}

program=
# The limits where Qt 6.4 and 6.8 went wrong or the program ends (80 and 120 MB, and 160 MB at
# scale 3, where the picture is largest), and one with room to spare; more runs that draw
# would only cost time.
if [ "$limits" = address-space ]; then
    for scale in 1 2 3; do
        for kilobytes in 80000 120000 $([ "$scale" -eq 3 ] && echo 160000) 500000; do
            x11_run address-space "$kilobytes" "$scale"
        done
    done
    for scale in 1 3; do
        weston_up "$scale"
        for kilobytes in 120000 300000; do
            wayland_run address-space "$kilobytes" "$scale"
        done
    done
else
    for count in 1 2 3 5; do
        x11_run processes "$count" 1
    done
    weston_up 1
    for count in 1 2 3 5; do
        wayland_run processes "$count" 1
    done
fi
echo "$failures runs failed"
[ "$failures" -eq 0 ]
