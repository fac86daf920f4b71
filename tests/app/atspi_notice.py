#!/usr/bin/python3
"""Prints the main window's labels as a screen reader reads them, one a line: among them
the notice line's text while it is shown.

    atspi_notice.py <main window title>
    (DISPLAY and the session bus must be those of the program)
"""

import sys

import pyatspi


def walk(node):
    yield node
    # The lists' rows are many and never the notice.
    if node.getRoleName() == "list":
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


for app in pyatspi.Registry.getDesktop(0):
    if app is None or app.name != "Glyphora":
        continue
    for frame in (app.getChildAtIndex(i) for i in range(app.childCount)):
        if frame is None or frame.name != sys.argv[1]:
            continue
        for node in walk(frame):
            if node.getRoleName() == "label" and node.getState().contains(pyatspi.STATE_SHOWING):
                print(node.name)
