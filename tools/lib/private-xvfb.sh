# Sourced by a script that needs an X server of its own. tools/xvfb-session starts a private
# Xvfb server for a command and stops it afterwards; the script runs itself again under one:
#
#   . tools/lib/private-xvfb.sh
#   on_private_xvfb || run_on_private_xvfb [WRAPPER...] "$0" "$@"
#
# WRAPPER is a command to run the script in, such as dbus-run-session -- for a session bus
# of its own; XVFB_SCREEN sets the screen's size and depth. The mark is the script's own
# path, so a script that another such script starts still gets a server of its own.

# Whether this script already runs on the server started for it.
on_private_xvfb() {
    [ "${PRIVATE_XVFB_OF:-}" = "$0" ]
}

# Runs the command under a private Xvfb server; for a script, exits with its status.
run_on_private_xvfb() {
    local status=0
    PRIVATE_XVFB_OF=$0 "$(dirname "${BASH_SOURCE[0]}")/../xvfb-session" "$@" || status=$?
    exit "$status"
}
