"""Prints the accessible tree of the running dragonfold as a screen reader sees it over
AT-SPI: one line a node, "role | name | description | labelled by", children indented in
the order they come."""

import sys
import time

import pyatspi


def find_application(name, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is not None and application.name == name and application.childCount > 0:
                return application
        time.sleep(0.2)
    return None


def labels_of(node):
    return ",".join(
        target.name
        for relation in node.getRelationSet()
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
        for target in (relation.getTarget(i) for i in range(relation.getNTargets()))
    )


# The names of the roles met here, the same on every AT-SPI version (their own names vary:
# "push button" became "button").
ROLES = {
    pyatspi.ROLE_FRAME: "frame",
    pyatspi.ROLE_IMAGE: "image",
    pyatspi.ROLE_PUSH_BUTTON: "push button",
    pyatspi.ROLE_LABEL: "label",
    pyatspi.ROLE_TEXT: "text",
    pyatspi.ROLE_NOTIFICATION: "notification",
}


def show(node, depth):
    role = ROLES.get(node.getRole(), node.getRoleName())
    print(("  " * depth + " | ".join([role, node.name, node.description, labels_of(node)])).rstrip())
    for index in range(node.childCount):
        show(node.getChildAtIndex(index), depth + 1)


if __name__ == "__main__":
    application = find_application("dragonfold", 20)
    if application is None:
        sys.exit("no application dragonfold on the accessibility bus")
    for index in range(application.childCount):
        show(application.getChildAtIndex(index), 0)
