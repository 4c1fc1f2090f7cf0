# Sourced by the checks of a real window on an X server: the server's own notices of what
# changed on the window (shown_updates, from the DAMAGE extension) tell whether each of a
# drawing's 73 stages reached the screen on its own.
#
#   watch_shown_updates SHOWN_UPDATES WINDOW FILE    before the drawing starts
#   expect_each_stage_shown FILE                     after: waits until the window has been
#                                                    still for a second

watch_shown_updates() {
    "$1" "$2" 1000 >"$3" &
    shown_updates_watcher=$!
    for _ in $(seq 100); do
        grep -q ready "$3" && return 0
        sleep 0.1
    done
    echo "shown_updates did not start watching"
    return 1
}

expect_each_stage_shown() {
    wait "$shown_updates_watcher"
    local updates span gap
    read -r _ updates _ span _ _ gap _ < <(grep '^updates' "$1")
    echo "the X server showed $updates separate updates of the window over $span ms, typically $gap ms apart"
    # About a vertical blank apart.
    [ "$updates" -ge 70 ] && [ "$gap" -ge 10 ] || { echo "the drawing's stages were not each shown"; return 1; }
}
