"""Presses dragonfold's "描画" through its accessible action, as a screen reader's user may,
and prints how many seconds passed until the program answered again: Qt carries out the action
after replying, and answers nothing while the drawing runs."""

import time

import pyatspi

from atspi_tree import find_application


def find_button(node, name):
    if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name == name:
        return node
    for index in range(node.childCount):
        found = find_button(node.getChildAtIndex(index), name)
        if found is not None:
            return found
    return None


if __name__ == "__main__":
    button = find_button(find_application("dragonfold", 10), "描画")
    action = button.queryAction()
    start = time.monotonic()
    action.doAction(0)
    # The button shows itself pressed for 100 ms before it clicks.
    time.sleep(0.3)
    button.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print(f"{time.monotonic() - start:.3f}")
