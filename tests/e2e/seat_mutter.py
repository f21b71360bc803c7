#!/usr/bin/python3
"""Drives mutter's own seat pointer through its remote-desktop D-Bus service.

Reads one command a line on standard input and answers each with "ok" (or "error ..."):
  move DX DY         relative motion, as a mouse moves the pointer
  press BUTTON       BUTTON is an evdev code: 272 left, 273 right
  release BUTTON
The session lives as long as this process: mutter closes a remote-desktop session when the
connection that created it leaves the bus.
"""
import sys

import dbus

bus = dbus.SessionBus()
service = "org.gnome.Mutter.RemoteDesktop"
manager = dbus.Interface(bus.get_object(service, "/org/gnome/Mutter/RemoteDesktop"), service)
session = dbus.Interface(bus.get_object(service, manager.CreateSession()), service + ".Session")
session.Start()
print("ready", flush=True)

for line in sys.stdin:
    words = line.split()
    try:
        if words[0] == "move":
            session.NotifyPointerMotionRelative(float(words[1]), float(words[2]))
        elif words[0] in ("press", "release"):
            session.NotifyPointerButton(int(words[1]), words[0] == "press")
        else:
            raise ValueError("unknown command")
        print("ok", flush=True)
    except (IndexError, ValueError, dbus.DBusException) as error:
        print("error", line.strip(), error, flush=True)
