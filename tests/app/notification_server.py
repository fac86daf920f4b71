#!/usr/bin/python3
"""A stand-in for the desktop's notification service on the session bus: each notification
asked for is written to FILE as one line, its summary, a TAB and its body with line ends as
"\\n". It takes the name only once FILE exists, empty.

    notification_server.py FILE
"""

import sys

from gi.repository import Gio, GLib

INTERFACE = """
<node>
  <interface name="org.freedesktop.Notifications">
    <method name="GetCapabilities"><arg type="as" direction="out"/></method>
    <method name="Notify">
      <arg type="s" direction="in"/><arg type="u" direction="in"/>
      <arg type="s" direction="in"/><arg type="s" direction="in"/>
      <arg type="s" direction="in"/><arg type="as" direction="in"/>
      <arg type="a{sv}" direction="in"/><arg type="i" direction="in"/>
      <arg type="u" direction="out"/>
    </method>
    <method name="CloseNotification"><arg type="u" direction="in"/></method>
    <method name="GetServerInformation">
      <arg type="s" direction="out"/><arg type="s" direction="out"/>
      <arg type="s" direction="out"/><arg type="s" direction="out"/>
    </method>
  </interface>
</node>
"""
record = sys.argv[1]
shown = 0


def called(_bus, _sender, _path, _interface, method, args, invocation):
    global shown
    if method == "GetCapabilities":
        invocation.return_value(GLib.Variant("(as)", (["body"],)))
    elif method == "Notify":
        shown += 1
        with open(record, "a", encoding="utf-8") as out:
            out.write(args[3] + "\t" + args[4].replace("\n", "\\n") + "\n")
        invocation.return_value(GLib.Variant("(u)", (shown,)))
    elif method == "GetServerInformation":
        invocation.return_value(GLib.Variant("(ssss)", ("stand-in", "test", "1", "1.2")))
    else:
        invocation.return_value(None)


def acquired(bus, _name):
    open(record, "w", encoding="utf-8").close()


bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)
bus.register_object("/org/freedesktop/Notifications", node.interfaces[0], called, None, None)
Gio.bus_own_name_on_connection(bus, "org.freedesktop.Notifications",
                               Gio.BusNameOwnerFlags.NONE, acquired, None)
GLib.MainLoop().run()
