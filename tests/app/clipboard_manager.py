#!/usr/bin/python3
"""A minimal X11 clipboard manager for tests.

Takes over the clipboard's text when its owner asks it to (the SAVE_TARGETS hand-over a
program makes as it exits), keeps serving it, and writes what it saved to the file given.
Prints "ready" once it owns the CLIPBOARD_MANAGER selection.
"""
import sys

from Xlib import X, Xatom, display
from Xlib.protocol import event

saved_path = sys.argv[1]
d = display.Display()
atom = d.intern_atom
MANAGER, CLIPBOARD = atom("CLIPBOARD_MANAGER"), atom("CLIPBOARD")
SAVE_TARGETS, TARGETS, UTF8 = atom("SAVE_TARGETS"), atom("TARGETS"), atom("UTF8_STRING")
INCOMING = atom("GLYPHORA_TEST_INCOMING")

window = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
window.set_selection_owner(MANAGER, X.CurrentTime)
d.sync()
if d.get_selection_owner(MANAGER) != window:
    sys.exit("another clipboard manager is running")
print("ready", flush=True)

saved = None
pending = None  # the SAVE_TARGETS request, answered once the text has arrived


def reply(request, prop):
    notify = event.SelectionNotify(time=request.time, requestor=request.requestor,
                                   selection=request.selection, target=request.target,
                                   property=prop)
    request.requestor.send_event(notify)
    d.flush()


while True:
    e = d.next_event()
    if e.type == X.SelectionRequest:
        if e.selection == MANAGER and e.target == SAVE_TARGETS:
            pending = e
            window.convert_selection(CLIPBOARD, UTF8, INCOMING, e.time)
            d.flush()
        elif e.selection == CLIPBOARD and saved is not None and e.target in (TARGETS, UTF8):
            if e.target == TARGETS:
                e.requestor.change_property(e.property, Xatom.ATOM, 32, [TARGETS, UTF8])
            else:
                e.requestor.change_property(e.property, UTF8, 8, saved)
            reply(e, e.property)
        else:
            reply(e, X.NONE)
    elif e.type == X.SelectionNotify and e.selection == CLIPBOARD and pending is not None:
        if e.property != X.NONE:
            value = window.get_full_property(INCOMING, X.AnyPropertyType)
            saved = value.value if value else b""
            if isinstance(saved, str):
                saved = saved.encode()
            window.set_selection_owner(CLIPBOARD, X.CurrentTime)
            with open(saved_path, "wb") as out:
                out.write(saved)
        reply(pending, pending.property)
        pending = None
