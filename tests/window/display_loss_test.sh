#!/usr/bin/env bash
# The display goes away under the running program, once while it is idle and once in the
# middle of drawing: it must end by itself within a few seconds, say why on stderr and
# exit with a failure status of its own (not killed by a signal, so no core dump). The
# moment "stalled" stops the X server as the program starts instead, so that the window is
# never shown: the program must end within 70 s, having said so.
#
#   display_loss_test.sh DRAGONFOLD CONTROL_TABLE [MOMENT...]    idle and drawing unless told
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/lib/private-xvfb.sh"
dragonfold=$1
control_table=$2
shift 2
work=$(mktemp -d)
# Qt ends the program with exit() from inside its event loop, so the libraries' own
# allocations are still held at exit; in a sanitizer build that is no leak to report.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
trap 'rm -rf "$work"' EXIT

# One program on one private X server, killed at the given moment.
run_once() {
    local moment=$1 bound=100
    export XDG_RUNTIME_DIR=$work
    if [ "$moment" = stalled ]; then
        kill -STOP "$XVFB_PID"
        bound=1400
    fi
    "$dragonfold" 2>"$work/stderr" &
    local program=$!
    local window
    if [ "$moment" != stalled ]; then
        window=$("$here/../../tools/lib/wait-for-form1")
        if [ "$moment" = drawing ]; then
            # Clicks queue up while each drawing runs, so the program keeps drawing for a while.
            xdotool mousemove --window "$window" $("$control_table" Command1) click --repeat 200 --delay 1 1
        fi
    fi
    [ "$moment" = stalled ] || kill -KILL "$XVFB_PID"

    local waited=0
    while kill -0 "$program" 2>/dev/null && [ "$waited" -lt "$bound" ]; do sleep 0.05; waited=$((waited + 1)); done
    if kill -0 "$program" 2>/dev/null; then
        kill -KILL "$program"
        echo "$moment: still running $((bound / 20)) s after the display went away or stopped"
        return 1
    fi
    # A stopped server takes no gentler signal, and the session waits for it to end.
    [ "$moment" != stalled ] || kill -KILL "$XVFB_PID"
    local status=0
    wait "$program" || status=$?
    echo "$moment: exit status $status after $((waited * 50)) ms; stderr: $(tr '\n' ' ' <"$work/stderr")"
    [ "$status" -ne 0 ] && [ "$status" -lt 128 ] || { echo "$moment: wanted a failure status of its own"; return 1; }
    grep -q -i -E 'X11|display' "$work/stderr" || { echo "$moment: no word about the display on stderr"; return 1; }
}

if on_private_xvfb; then
    run_once "$1"
    exit
fi
# Each moment on a server of its own, as each kills its server.
moments=("$@")
[ ${#moments[@]} -gt 0 ] || moments=(idle drawing)
for moment in "${moments[@]}"; do
    (run_on_private_xvfb "$0" "$dragonfold" "$control_table" "$moment")
done
