#!/usr/bin/env bash
# The real program under settings it cannot work with, and hit by a fault the system
# signals. Each must end at once with exit status 1 and, last on stderr, one line that names
# the cause: never an abort or a core dump, never a window that stays black.
#
#   start_failure_test.sh DRAGONFOLD [sanitized]
#
# A sanitized build leaves faults to AddressSanitizer, which reports them its own way.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dragonfold=$1
sanitized=${2:-}
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

# Runs the program with the settings given as NAME=VALUE words and expects its failure.
expect_failure() {
    local expected=$1 status=0 output last
    shift
    output=$(env "$@" timeout 20 "$dragonfold" 2>&1 >/dev/null) || status=$?
    last=${output##*$'\n'}
    if [ "$status" -ne 1 ] || [[ "$last" != "dragonfold: "*"$expected"* ]]; then
        echo "FAILED with $*: exit status $status, expected 1 and a last line naming '$expected'; it said:"
        echo "$output"
        return 1
    fi
    echo "with $*: $last"
}
export -f expect_failure
export dragonfold

tools=$here/../../tools
failed=0
XVFB_SCREEN=1280x800x24 "$tools/xvfb-session" bash -euc '
    failed=0
    for scale in 0 nan inf -1; do
        expect_failure "leaves the window no pixels" QT_SCALE_FACTOR=$scale || failed=1
    done
    expect_failure "QT_SCALE_FACTOR=100) the picture cannot be made" QT_SCALE_FACTOR=100 || failed=1
    expect_failure "QT_SCREEN_SCALE_FACTORS=100) the picture cannot be made" QT_SCREEN_SCALE_FACTORS=100 || failed=1
    expect_failure "QT_FONT_DPI=10000) the picture cannot be made" QT_FONT_DPI=10000 || failed=1
    echo "Xft.dpi: 6000" | xrdb -nocpp -merge
    expect_failure "such as Xft.dpi) the picture cannot be made" DISPLAY=$DISPLAY || failed=1
    exit $failed
' || failed=1
# A fault the system signals, here sent from outside to the running window, ends it the same
# way: one line that names it, status 1, no core dump.
[ -n "$sanitized" ] || XVFB_SCREEN=1280x800x24 "$tools/xvfb-session" bash -euc '
    failed=0
    for fault in SEGV BUS ABRT; do
        "$dragonfold" 2>"$XDG_RUNTIME_DIR/stderr" &
        program=$!
        "$0" >/dev/null
        kill -"$fault" "$program"
        status=0
        wait "$program" || status=$?
        last=$(tail -n 1 "$XDG_RUNTIME_DIR/stderr")
        if [ "$status" -ne 1 ] || [[ "$last" != "dragonfold: "*"(SIG$fault)"* ]]; then
            echo "FAILED on SIG$fault: exit status $status, expected 1 and a line naming it; it said: $last"
            failed=1
        else
            echo "on SIG$fault: $last"
        fi
    done
    exit $failed
' "$tools/lib/wait-for-form1" || failed=1
XVFB_SCREEN=1280x800x8 "$tools/xvfb-session" bash -euc '
    expect_failure "needs a screen of at least 15-bit colour" DISPLAY=$DISPLAY
' || failed=1
# Qt's linuxfb plugin leaves its input handlers (libinput, xkbcommon) unfreed at exit, which
# the leak checker of a sanitizer build would report as the program's own.
expect_failure "offers no screen to show the window on" -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=linuxfb \
    QT_QPA_FB_DEVICE=/nonexistent/fb ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" || failed=1
exit $failed
