#!/usr/bin/env bash
# The real program as a blind user hears it: the Orca screen reader, with speech-dispatcher and
# espeak-ng speaking to ALSA's null device, on a private X server and accessibility bus. It
# Tabs through the window, moves by word in a field and draws with Space, and checks what Orca
# says, read from Orca's own debug log: each field's caption before its whole value, the word
# at the caret, and the end of the drawing, which has no focus of its own.
#
#   orca_test.sh DRAGONFOLD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

. "$here/../../tools/lib/private-xvfb.sh"
on_private_xvfb || run_on_private_xvfb dbus-run-session -- "$0" "$@"

dragonfold=$1
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work HOME=$work XDG_CONFIG_HOME=$work/.config
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "alsa"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
CONF
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$HOME/.asoundrc"
log=$work/orca.log
# There is no braille display, and Orca looks for one again at every caret move. After some
# failed attempts BrlAPI's own connect can hang for good, and Orca with braille switched off
# never starts, so Orca gets a BrlAPI that finds no display at once. Orca 48 puts the
# system's modules ahead of PYTHONPATH, so this one goes first from sitecustomize. Orca also
# writes its log through a block buffer, which holds its last words until it says more:
# the log is opened line-buffered, so every utterance can be read as soon as it is said.
mkdir "$work/python"
cat >"$work/python/brlapi.py" <<'PY'
class ConnectionError(Exception):
    pass
class Connection:
    def __init__(self, *arguments, **options):
        raise ConnectionError("no braille display here")
def __getattr__(name):
    return 0
PY
cat >"$work/python/sitecustomize.py" <<'PY'
import builtins
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
_open = builtins.open
_log = os.environ["ORCA_LOG"]

def _open_log_line_buffered(file, mode="r", buffering=-1, *arguments, **options):
    if file == _log and "w" in mode:
        buffering = 1
    return _open(file, mode, buffering, *arguments, **options)

builtins.open = _open_log_line_buffered
PY

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
pids=("$bus")
# Orca starts speech-dispatcher itself, which leaves its process id under this test's own
# runtime folder: that one is stopped, and no other user's or session's speech server.
speech_server() { cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null || true; }
trap 'kill "${pids[@]}" $(speech_server) 2>/dev/null || true; rm -rf "$work"' EXIT

utterances() {
    sed -n "s/^.* - SPEECH OUTPUT: '\\(.*\\)' *{'established.*$/\\1/p" "$log" 2>/dev/null
}
# Whether Orca says something that matches within the seconds, after what it had said so far.
heard_within() {  # pattern, utterances already heard, seconds
    for _ in $(seq $(( $3 * 10 ))); do
        utterances | tail -n +"$(( $2 + 1 ))" | grep -q -- "$1" && return 0
        sleep 0.1
    done
    return 1
}
# Waits until Orca has said something that matches, after what it had said so far.
wait_for_utterance() {  # pattern, utterances already heard, seconds to wait (20)
    heard_within "$1" "$2" "${3:-20}" && return 0
    echo "Orca did not say '$1'; it said:" >&2
    utterances >&2
    exit 1
}
press() {  # xdotool's key arguments, then what Orca must say
    local heard
    # As a listener would, lets Orca finish what it was saying: a key that comes while Orca
    # is still handling the last one's events can stall Orca's event queue.
    sleep 1
    heard=$(utterances | wc -l)
    xdotool "${@:1:$#-1}"
    wait_for_utterance "${!#}" "$heard"
}

PATH=/usr/bin:$PATH PYTHONPATH=$work/python ORCA_LOG=$log orca --replace --debug-file="$log" >"$work/orca.out" 2>&1 &
pids+=($!)
wait_for_utterance "Screen reader on" 0 90
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$dragonfold" 2>"$work/stderr" &
pids+=($!)
window=$("$here/../../tools/lib/wait-for-form1")
# Orca must know the program before the window takes the focus, or it misses the focus.
for _ in $(seq 300); do
    grep -q "children-changed:add .*\[application | dragonfold\]" "$log" && break
    sleep 0.1
done
sleep 1
# Xvfb has no window manager to give the window the focus. Orca 49 names the window without
# its role. On a loaded machine Orca may take the program in only after the focus came, and
# miss it: the focus then goes to the root window and back, at most three times.
greeting="Form1\( frame\)\?\([ .]\|$\)"
root_window=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
for attempt in 1 2 3; do
    heard=$(utterances | wc -l)
    xdotool windowfocus "$window"
    heard_within "$greeting" "$heard" 15 && break
    [ "$attempt" -lt 3 ] || wait_for_utterance "$greeting" "$heard" 0
    xdotool windowfocus "$root_window"
    sleep 1
done
sleep 3

press key Tab "60 selected"
press key Tab "90 selected"
press key shift+Tab "60 selected"
# A user holds Ctrl while Orca reads the move; a press and release at once would be a plain
# arrow key by the time Orca looks.
# Orca 48 speaks the selection that the move ends, not the word.
press keydown ctrl key Left sleep 1 keyup ctrl "^60$\|^Text unselected"
press keydown ctrl key Right sleep 1 keyup ctrl "^60$"
press key shift+Tab "描画 .*button"
press key space "描画が終わりました"

said=$(utterances)
echo "Orca said:"
echo "$said" | sed 's/^/  /'
# Each field's caption comes just before its value, and the value is whole. Orca 49 ends
# the selection's words without a full stop.
for field in "形式1最大値:60" "表示最大値:90"; do
    echo "$said" | grep -B1 -x -E -- "${field#*:} selected\.?" | head -n1 | grep -q "^${field%%:*} " ||
        { echo "Orca did not say '${field%%:*}' just before '${field#*:} selected.'" >&2; exit 1; }
done
if echo "$said" | grep -q -x -E -- '[0-9] selected\.?'; then
    echo "Orca read a field's value cut short" >&2
    exit 1
fi
echo "Orca reads the window, the fields by caption and whole value, the words and the end of a drawing"
