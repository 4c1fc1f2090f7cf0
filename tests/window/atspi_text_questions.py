"""Asks both text fields of the running dragonfold every question of AT-SPI's text interface,
at every offset from one before the start to one past the end and with every boundary, for
several contents set through the editable-text interface. Every question must be answered
within a second, each span must lie within the text and carry the text it names, and the
attribute runs must cover the whole text. Prints the number of questions asked.

    atspi_text_questions.py PID"""

import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import pyatspi  # noqa: E402

from atspi_tree import find_application  # noqa: E402

CONTENTS = [
    "60",
    "",
    "   ",
    "日本語テスト",
    "日本語 テスト",
    "abc, def. Ghi! 日本語。テスト",
    "\U0002000b\U00021235x",        # characters beyond the basic plane: surrogate pairs
    "e\u0301a\u0308 o",             # combining marks
    "-- 90 ...",
]
BOUNDARIES = [
    pyatspi.TEXT_BOUNDARY_CHAR,
    pyatspi.TEXT_BOUNDARY_WORD_START,
    pyatspi.TEXT_BOUNDARY_WORD_END,
    pyatspi.TEXT_BOUNDARY_SENTENCE_START,
    pyatspi.TEXT_BOUNDARY_SENTENCE_END,
    pyatspi.TEXT_BOUNDARY_LINE_START,
    pyatspi.TEXT_BOUNDARY_LINE_END,
]
COORDS = [pyatspi.DESKTOP_COORDS, pyatspi.WINDOW_COORDS]

asked = 0
failures = []


class Unanswered(Exception):
    pass


def ask(what, call, *arguments):
    global asked
    asked += 1
    try:
        return call(*arguments)
    except GLib.Error as error:
        # A program that left one question unanswered may answer none after it.
        raise Unanswered(f"{what}{arguments} got no answer: {error.message}")


def utf16_length(text):
    return len(text.encode("utf-16-le")) // 2


def utf16_slice(text, start, end):
    # Qt counts offsets in UTF-16 code units.
    return text.encode("utf-16-le", "surrogatepass")[2 * start:2 * end].decode("utf-16-le", "surrogatepass")


def check_span(what, content, answer):
    if answer is None:
        return
    text, start, end = answer
    length = utf16_length(content)
    if not (0 <= start <= end <= length) or text != utf16_slice(content, start, end):
        failures.append(f"{what} on {content!r}: {answer!r}")


def question_everything(field, content):
    text = field.queryText()
    ask("SetTextContents", field.queryEditableText().setTextContents, content)
    if ask("GetText", text.getText, 0, -1) != content:
        failures.append(f"the field holds {text.getText(0, -1)!r}, not {content!r}")
    length = utf16_length(content)
    for offset in range(-1, length + 2):
        for boundary in BOUNDARIES:
            for name in ("getTextAtOffset", "getTextBeforeOffset", "getTextAfterOffset"):
                call = getattr(text, name)
                check_span(f"{name}({offset}, {boundary})", content, ask(name, call, offset, boundary))
        ask("GetCharacterAtOffset", text.getCharacterAtOffset, offset)
        run = ask("GetAttributeRun", text.getAttributeRun, offset, True)
        if run is not None and 0 <= offset <= length and (run[1], run[2]) != (0, length):
            failures.append(f"the attribute run at {offset} of {content!r} is {run[1]}-{run[2]}")
        ask("GetAttributes", text.getAttributes, offset)
        ask("GetAttributeValue", text.getAttributeValue, offset, "family-name")
        for coords in COORDS:
            ask("GetCharacterExtents", text.getCharacterExtents, offset, coords)
            ask("GetRangeExtents", text.getRangeExtents, offset, offset + 1, coords)
            ask("GetOffsetAtPoint", text.getOffsetAtPoint, offset * 7, 5, coords)
        ask("SetCaretOffset", text.setCaretOffset, offset)
        ask("AddSelection", text.addSelection, 0, offset)
        ask("SetSelection", text.setSelection, 0, offset, length)
        ask("GetSelection", text.getSelection, 0)
        ask("RemoveSelection", text.removeSelection, 0)
    ask("GetNSelections", text.getNSelections)
    ask("GetDefaultAttributes", text.getDefaultAttributes)
    ask("GetDefaultAttributeSet", text.getDefaultAttributeSet)
    for coords in COORDS:
        ask("GetBoundedRanges", text.getBoundedRanges, 0, 0, 500, 500, coords,
            pyatspi.TEXT_CLIP_NONE, pyatspi.TEXT_CLIP_NONE)
    ask("CaretOffset", lambda: text.caretOffset)
    ask("CharacterCount", lambda: text.characterCount)


def main():
    # Every question gets a second; a call past it raises a time-out instead of waiting for
    # D-Bus's own 25 seconds.
    Atspi.set_timeout(1000, 1000)
    application = find_application("dragonfold", 20)
    if application is None:
        sys.exit("no application dragonfold on the accessibility bus")
    fields = pyatspi.findAllDescendants(application, lambda node: node.getRole() == pyatspi.ROLE_TEXT)
    if len(fields) != 2:
        sys.exit(f"expected two text fields, found {len(fields)}")
    try:
        for field in fields:
            for content in CONTENTS:
                question_everything(field, content)
            field.queryEditableText().setTextContents("60")
    except Unanswered as unanswered:
        failures.append(str(unanswered))
    print(f"{asked} text questions asked of both fields, {len(failures)} not answered as they should be")
    for failure in failures[:20]:
        print("  " + failure)
    sys.exit(1 if failures else 0)


main()
