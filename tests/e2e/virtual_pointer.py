#!/usr/bin/env python3
"""A pointer for a headless wlroots compositor, driven by lines on a FIFO.

A compositor with no input device has a seat without the pointer capability: its clients
(XWayland among them) get no pointer at all. And sway's own `seat cursor move` sends no
motion to the window under a held button, so it cannot drag what a program drags itself.
A virtual pointer (the zwlr_virtual_pointer_manager_v1 protocol) is a real device of the
seat: its moves reach the window as a hand's would, pressed or not. This client makes one
and keeps it, as the device goes with the connection, speaking the Wayland wire protocol
itself so that it needs nothing beyond Python.

Usage: virtual_pointer.py FIFO. Reads lines from FIFO:
    to X Y     the pointer to X, Y of the output layout, WIDTH x HEIGHT (from $POINTER_AREA,
               "1280x1024" unless set)
    move DX DY the pointer by DX, DY
    press | release    the left button
Prints "ready" once the compositor has the device, and "done N" once it has handled the
Nth line.
"""
import os
import select
import socket
import struct
import sys
import time

BTN_LEFT = 0x110
DISPLAY = 1


class connection:
    def __init__(self):
        name = os.environ.get("WAYLAND_DISPLAY", "wayland-0")
        path = name if name.startswith("/") else os.path.join(os.environ["XDG_RUNTIME_DIR"], name)
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.buffer = b""
        self.next_id = 2

    def new_id(self):
        i = self.next_id
        self.next_id += 1
        return i

    def send(self, obj, opcode, payload=b""):
        self.sock.sendall(struct.pack("<II", obj, ((8 + len(payload)) << 16) | opcode) + payload)

    def pending_event(self):
        if len(self.buffer) < 8:
            return None
        obj, word = struct.unpack_from("<II", self.buffer)
        size = word >> 16
        if len(self.buffer) < size:
            return None
        payload = self.buffer[8:size]
        self.buffer = self.buffer[size:]
        if obj == DISPLAY and (word & 0xFFFF) == 0:
            sys.exit("protocol error: %s" % read_string(payload, 8)[0])
        return obj, word & 0xFFFF, payload

    def receive(self):
        chunk = self.sock.recv(65536)
        if not chunk:
            sys.exit("the compositor closed the connection")
        self.buffer += chunk

    def event(self):
        while True:
            e = self.pending_event()
            if e:
                return e
            self.receive()

    # Returns once the compositor has handled every request sent before.
    def roundtrip(self):
        callback = self.new_id()
        self.send(DISPLAY, 0, struct.pack("<I", callback))  # wl_display.sync
        events = []
        while True:
            e = self.event()
            if e[0] == callback:
                return events
            events.append(e)


def string(s):
    data = s.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def read_string(payload, at):
    (length,) = struct.unpack_from("<I", payload, at)
    text = payload[at + 4 : at + 4 + length - 1].decode()
    return text, at + 4 + length + (-length % 4)


def fixed(v):
    return int(round(v * 256))


def main():
    fifo = os.open(sys.argv[1], os.O_RDWR)  # read-write: never at its end between writers
    width, height = (int(v) for v in os.environ.get("POINTER_AREA", "1280x1024").split("x"))
    c = connection()
    registry = c.new_id()
    c.send(DISPLAY, 1, struct.pack("<I", registry))  # wl_display.get_registry
    globals_ = {}
    for obj, opcode, payload in c.roundtrip():
        if obj == registry and opcode == 0:  # wl_registry.global
            (name,) = struct.unpack_from("<I", payload)
            interface, at = read_string(payload, 4)
            globals_.setdefault(interface, name)
    manager_name = "zwlr_virtual_pointer_manager_v1"
    if "wl_seat" not in globals_ or manager_name not in globals_:
        sys.exit("the compositor offers no virtual pointer")

    def bind(interface):
        i = c.new_id()
        c.send(registry, 0, struct.pack("<I", globals_[interface]) + string(interface) + struct.pack("<II", 1, i))
        return i

    seat = bind("wl_seat")
    manager = bind(manager_name)
    pointer = c.new_id()
    c.send(manager, 0, struct.pack("<II", seat, pointer))  # create_virtual_pointer
    c.roundtrip()
    print("ready", flush=True)

    def now():
        return int(time.monotonic() * 1000) & 0xFFFFFFFF

    lines = b""
    handled = 0
    while True:
        ready, _, _ = select.select([c.sock, fifo], [], [])
        if c.sock in ready:
            c.receive()
            while c.pending_event():
                pass
        if fifo not in ready:
            continue
        lines += os.read(fifo, 4096)
        while b"\n" in lines:
            line, lines = lines.split(b"\n", 1)
            words = line.decode().split()
            if not words:
                continue
            if words[0] == "to":
                x, y = int(words[1]), int(words[2])
                c.send(pointer, 1, struct.pack("<IIIII", now(), x, y, width, height))  # motion_absolute
            elif words[0] == "move":
                c.send(pointer, 0, struct.pack("<Iii", now(), fixed(float(words[1])), fixed(float(words[2]))))
            elif words[0] in ("press", "release"):
                c.send(pointer, 2, struct.pack("<III", now(), BTN_LEFT, 1 if words[0] == "press" else 0))
            else:
                sys.exit("unknown command: %s" % line.decode())
            c.send(pointer, 4)  # frame
            c.roundtrip()
            handled += 1
            print("done %d" % handled, flush=True)


if __name__ == "__main__":
    main()
