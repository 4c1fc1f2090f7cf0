#!/usr/bin/env bash
# The real program as a screen reader meets it, over AT-SPI on a private session bus: a frame
# named Form1 whose controls come in the tab order, each field labelled by its caption, and a
# picture that has a name and says whether a figure is drawn. Then both fields are asked every
# question of the text interface, each answered within a second, and the program must be idle
# afterwards.
#
#   atspi_test.sh DRAGONFOLD CONTROL_TABLE QT_VERSION
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

. "$here/../../tools/lib/private-xvfb.sh"
on_private_xvfb || run_on_private_xvfb dbus-run-session -- "$0" "$@"

dragonfold=$1
control_table=$2
qt_version=$3
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$dragonfold" 2>"$work/stderr" &
program=$!
trap 'kill "$program" "$bus" 2>/dev/null || true; rm -rf "$work"' EXIT
window=$("$here/../../tools/lib/wait-for-form1")

expected_tree() {  # the picture's description, and the news of a drawing's end on Qt before 6.8
    cat <<TREE
frame | Form1 |  |
  image | 描画領域 | $1 |
  push button | 描画 |  |
  label | 形式1最大値 |  |
  text | 形式1最大値 |  | 形式1最大値
  label | 表示最大値 |  |
  text | 表示最大値 |  | 表示最大値
  push button | 描画中止 |  |
TREE
    [ -z "${2:-}" ] || echo "  notification | $2 |  |"
}
# Qt 6.8 announces; before it, the news is a notification that appears.
news=
[ "$(printf '%s\n' "$qt_version" 6.8.0 | sort -V | head -n1)" = 6.8.0 ] || news="描画が終わりました"

tree=$(/usr/bin/python3 "$here/atspi_tree.py")
echo "$tree"
diff <(expected_tree "まだ何も描かれていません") <(echo "$tree")

xdotool mousemove --window "$window" $("$control_table" Command1) click 1
sleep 0.5
tree=$(/usr/bin/python3 "$here/atspi_tree.py")
diff <(expected_tree "二つのドラゴン曲線が描かれています" "$news") <(echo "$tree")
echo "the accessible tree over AT-SPI is as expected, before and after a drawing"

/usr/bin/python3 "$here/atspi_text_questions.py"
ticks() {  # user and system clock ticks the program has used
    awk '{ print $14 + $15 }' "/proc/$program/stat"
}
before=$(ticks)
sleep 2
used=$(( $(ticks) - before ))
echo "the program used $used clock ticks in the 2 s after the questions"
[ "$used" -le 20 ] || { echo "the program is busy after the questions: it did not answer them all" >&2; exit 1; }

# A shown window's drawing waits for each stage to reach the screen, about 73 frames; an
# unmapped one has nothing to wait for. The difference is the waiting, whatever the speed of
# the machine: at least half of 73 frames at 60 Hz.
shown=$(/usr/bin/python3 "$here/atspi_press.py")
xdotool windowunmap --sync "$window"
hidden=$(/usr/bin/python3 "$here/atspi_press.py")
echo "a drawing took $shown s in the shown window and $hidden s in the unmapped one"
awk -v shown="$shown" -v hidden="$hidden" 'BEGIN { exit !(shown - hidden >= 0.6) }' ||
    { echo "the unmapped window waited for stages nobody can see" >&2; exit 1; }
