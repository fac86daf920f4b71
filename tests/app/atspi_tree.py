#!/usr/bin/python3
"""Reads the running Glyphora over AT-SPI, as a screen reader does, and checks what it finds.

Lists the main window's accessible tree, then checks the names and roles of its controls,
that choosing a smiley describes the emoticon display, that a screen reader can press a
button, that Tab reaches every button and that the menu answers its access keys (the keys
are typed with xdotool, as a user would).

    atspi_tree.py <main window title> <faces.txt>
    (DISPLAY and the session bus must be those of the program)
"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TITLE = sys.argv[1]
# The picture buttons' names, from the list the program's face table is made of.
with open(sys.argv[2], encoding="ascii") as faces:
    FACES = [line.rstrip("\n").split("\t")[2] for line in faces
             if line.strip() and not line.startswith("#")]
# Roles whose controls a user operates: each needs a name.
NAMED_ROLES = {"push button", "toggle button", "check box", "radio button", "text", "entry",
               "list", "list item", "menu item", "link", "page tab", "combo box",
               "password text", "spin button"}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def pump(seconds=0.0):
    """Lets AT-SPI deliver its events, for at least `seconds`."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= end:
            return
        time.sleep(0.02)


def wait_for(what, find, timeout=10.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        pump(0.1)
    print("FAIL: gave up waiting for", what)
    failures.append("gave up waiting for " + what)
    return None


def states(node):
    return node.getState()


def showing(node):
    return states(node).contains(pyatspi.STATE_SHOWING)


def children(node, limit=None):
    count = node.childCount if limit is None else min(limit, node.childCount)
    for i in range(count):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child


def walk(node, depth=0, entries=0):
    """(depth, node) for the node and everything below it, but only the first `entries`
    entries of a list (None: all of them): asking for each of hundreds is slow."""
    yield depth, node
    limit = entries if node.getRoleName() == "list" else None
    for child in children(node, limit):
        yield from walk(child, depth + 1, entries)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Glyphora":
            return app
    return None


def window(app, title, role="frame"):
    for child in children(app):
        if child.name == title and showing(child) and child.getRoleName() == role:
            return child
    return None


def find(root, role, name=None, description=None, visible=True):
    for _, node in walk(root):
        if node.getRoleName() != role or (visible and not showing(node)):
            continue
        if name is not None and node.name != name:
            continue
        if description is not None and node.description != description:
            continue
        return node
    return None


def focused(root):
    for _, node in walk(root):
        if states(node).contains(pyatspi.STATE_FOCUSED):
            return node
    return None


def is_focused(root, role, name):
    node = focused(root)
    return node is not None and node.getRoleName() == role and node.name == name


def listing(root):
    lines = []
    for depth, node in walk(root, entries=3):  # the lists' first entries stand for the rest
        flags = "".join(mark for mark, state in (("showing", pyatspi.STATE_SHOWING),
                                                 ("focusable", pyatspi.STATE_FOCUSABLE),
                                                 ("enabled", pyatspi.STATE_SENSITIVE))
                        if states(node).contains(state))
        lines.append("%s%s %r desc=%r [%s]" % ("  " * depth, node.getRoleName(), node.name,
                                              node.description, flags))
    return "\n".join(lines)


def showing_nodes(node):
    """The node, if it is showing, and everything showing below it."""
    if not showing(node):
        return
    yield node
    for child in children(node):
        yield from showing_nodes(child)


def check_every_control_named(root, where, labels=True):
    """Every control has a name; with `labels`, an empty label at least a description."""
    for node in showing_nodes(root):
        role = node.getRoleName()
        if role in NAMED_ROLES:
            check(node.name.strip() != "", "%s: a %s has no name" % (where, role))
        elif role == "label" and labels:
            extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            if extents.width > 0 and extents.height > 0 and node.name == "":
                check(node.description != "", "%s: a label says nothing at %s"
                      % (where, (extents.x, extents.y)))


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "60", *keys], check=True)
    pump(0.3)


def main():
    app = wait_for("the program on the accessibility bus", application, 20)
    if not app:
        return 1
    main_window = wait_for("the main window", lambda: window(app, TITLE))
    if not main_window:
        return 1
    print(listing(main_window))

    # Names and roles of the controls a user meets at start.
    expected = [("push button", face) for face in FACES] + [
        ("push button", "Copy to clipboard"), ("push button", "Clear search"),
        ("push button", "Quit"), ("check box", "Play sounds"), ("check box", "On Top"),
        ("text", "Search text"), ("list", "Smileys"), ("push button", "Open the translator"),
        ("menu item", "Smiley"), ("menu item", "Acronyms"),
        ("menu item", "English to ebonic translator"), ("menu item", "Help"),
        ("menu item", "About"),
    ]
    for role, name in expected:
        check(find(main_window, role, name) is not None, "no %s named %r" % (role, name))
    for face in FACES:
        button = find(main_window, "push button", face)
        if button:
            check(button.description == "Shows this picture, ready to copy",
                  "%r is described as %r" % (face, button.description))
    smiley_item = find(main_window, "menu item", "Smiley")
    if smiley_item:
        check(not states(smiley_item).contains(pyatspi.STATE_SENSITIVE),
              "the Smiley menu item is available in the smiley view")
    smileys = find(main_window, "list", "Smileys")
    if smileys:
        check(smileys.childCount == 205, "the smiley list has %d entries" % smileys.childCount)
    check(find(main_window, "list", "Acronyms") is None, "the hidden acronym list is showing")
    check(find(main_window, "text", "Message") is None, "the closed translator is showing")
    check_every_control_named(main_window, "main window")

    # Choosing a smiley: the display's name is the face, its description what it means.
    changes = []

    def on_description(event):
        changes.append((event.source.name, event.source.description))

    pyatspi.Registry.registerEventListener(on_description,
                                           "object:property-change:accessible-description")
    if smileys:
        # Qt's lists answer as tables: selecting the first row chooses the first smiley.
        smileys.queryTable().addRowSelection(0)
    angel = "Angel - User is an angel. At heart - at least."
    display = wait_for("the display to describe the angel",
                       lambda: find(main_window, "label", "0 :-)", angel))
    check(display is not None, "the display does not show the angel with its caption")
    pump(0.3)
    check(any(description == angel for _, description in changes),
          "no description change was announced: %r" % changes)
    pyatspi.Registry.deregisterEventListener(on_description,
                                             "object:property-change:accessible-description")

    # A screen reader presses a button: the translator opens with its controls named.
    opener = find(main_window, "push button", "Open the translator")
    if opener:
        action = opener.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check("Press" in names, "the button offers %r" % names)
        if "Press" in names:
            action.doAction(names.index("Press"))
    message = wait_for("the translator to open", lambda: find(main_window, "text", "Message"))
    for name in ("Clear message", "Open", "Save", "Save as", "Translate now", "Add Text face",
                 "Close the translator"):
        check(find(main_window, "push button", name) is not None, "no button %r" % name)
    check(find(main_window, "label", "English to ebonic Translator") is not None,
          "no translator title")
    check_every_control_named(main_window, "main window with the translator")

    # Tab, as a user types it, goes round every button and back to the list.
    subprocess.run(["xdotool", "search", "--name", "^%s$" % TITLE, "windowfocus", "--sync"],
                   check=False)
    if smileys:
        smileys.queryComponent().grabFocus()
    wait_for("the smiley list to take the focus", lambda: is_focused(main_window, "list", "Smileys"))
    reached = []
    for _ in range(60):
        key("Tab")
        now = focused(main_window)
        if now is None:
            continue
        if now.getRoleName() == "list" and now.name == "Smileys":
            break
        reached.append((now.getRoleName(), now.name))
    print("Tab order:", ", ".join(name for _, name in reached))
    for _, node in walk(main_window):
        if (node.getRoleName() in ("push button", "check box") and showing(node)
                and states(node).contains(pyatspi.STATE_SENSITIVE)):
            check((node.getRoleName(), node.name) in reached,
                  "Tab never reaches %r" % node.name)
    check(("text", "Message") in reached, "Tab never reaches the message")

    # The menu by its access keys: Alt+H opens the help; the acronyms and About share A.
    key("alt+h")
    help_window = wait_for("Quick Help", lambda: window(app, "Quick Help"))
    if help_window:
        print(listing(help_window))
        check(find(help_window, "text", "Help text") is not None, "no help text")
        check(find(help_window, "push button", "Ok") is not None, "no Ok in the help")
        check_every_control_named(help_window, "Quick Help")
    subprocess.run(["xdotool", "search", "--name", "^%s$" % TITLE, "windowfocus", "--sync"],
                   check=False)
    key("alt+a")
    wait_for("the acronym list", lambda: find(main_window, "list", "Acronyms"))
    key("alt+a")
    about = wait_for("the About window", lambda: window(app, "About This Freeware ...", "dialog"))
    if about:
        print(listing(about))
        for name in ("E-mail the author", "Visit the program's web page",
                     "Visit the author's freeware page"):
            link = find(about, "link", name)
            check(link is not None, "no link %r" % name)
            if link:
                check(states(link).contains(pyatspi.STATE_FOCUSABLE), "%r takes no focus" % name)
        check(find(about, "push button", "Ok") is not None, "no Ok in About")
        check(find(about, "push button", "System Info...") is not None, "no System Info")
        # The version's blink copies its blank phase from a label that never has text.
        check_every_control_named(about, "About", labels=False)

    print("%d problems" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
