#!/usr/bin/python3
"""A client of a running copy's link socket that may misbehave.
  send PATH COMMAND      sends COMMAND and a line feed, prints the answer line
  idle PATH SECONDS      connects, sends nothing; prints "closed" if the copy hangs up in time
  flood PATH MEGABYTES   sends that much without a line end; prints the bytes taken
  binary PATH            sends a line of raw bytes; prints the answer line
  halfway PATH           sends part of a command and hangs up
  crowd PATH N           N clients connect first, then each sends a command; prints the answers
  hold PATH N            keeps up to N connections open that say nothing, opening a new one
                         for each the copy closes, until killed; prints "holding" once it
                         holds N or the copy's queue is full
  refuse LOCK PATH       stands in for a running copy that refuses: holds the lock file LOCK,
                         serves PATH and answers every command with NAK, until killed;
                         prints "serving" once it does"""
import fcntl
import os
import selectors
import socket
import sys
import time


def connect(path, timeout=10):
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.settimeout(timeout)
    # A full backlog refuses for a moment instead of blocking; try again as any client would.
    deadline = time.monotonic() + timeout
    while True:
        try:
            s.connect(path)
            return s
        except BlockingIOError:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.01)


def answer(s):
    data = b""
    while not data.endswith(b"\n"):
        part = s.recv(64)
        if not part:
            break
        data += part
    return data.decode("latin-1").rstrip("\n")


def hold(path, n):
    watch = selectors.DefaultSelector()
    held = 0
    told = False
    while True:
        full = False
        while held < n:
            s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            s.setblocking(False)
            try:
                s.connect(path)
            except (BlockingIOError, ConnectionRefusedError, FileNotFoundError):
                # The copy's queue is full: the socket is flooded. Try again after
                # looking at the others.
                s.close()
                full = True
                break
            watch.register(s, selectors.EVENT_READ)
            held += 1
        if (held >= n or full) and not told:
            print("holding", flush=True)
            told = True
        for key, _ in watch.select(0.01):
            try:
                data = key.fileobj.recv(64)
            except OSError:
                data = b""
            if not data:
                watch.unregister(key.fileobj)
                key.fileobj.close()
                held -= 1


def refuse(lock, path):
    held = os.open(lock, os.O_RDWR | os.O_CREAT, 0o600)
    fcntl.flock(held, fcntl.LOCK_EX)
    if os.path.exists(path):
        os.unlink(path)
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.bind(path)
    server.listen(16)
    print("serving", flush=True)
    while True:
        c, _ = server.accept()
        data = b""
        while not data.endswith(b"\n"):
            part = c.recv(64)
            if not part:
                break
            data += part
        c.sendall(b"NAK\n" * data.count(b"\n"))
        c.close()


def main(argv):
    what, path = argv[1], argv[2]
    if what == "send":
        s = connect(path)
        s.sendall(argv[3].encode("utf-8") + b"\n")
        print(answer(s))
    elif what == "idle":
        s = connect(path, float(argv[3]))
        try:
            print("closed" if s.recv(1) == b"" else "answered")
        except socket.timeout:
            print("still open")
    elif what == "flood":
        s = connect(path)
        chunk = b"x" * 65536
        sent = 0
        try:
            while sent < int(argv[3]) * 1024 * 1024:
                sent += s.send(chunk)
        except OSError:
            pass
        print(sent)
    elif what == "binary":
        s = connect(path)
        s.sendall(bytes(range(256)).replace(b"\n", b"") + b"\xff\xfe\x00\n")
        print(answer(s))
    elif what == "halfway":
        s = connect(path)
        s.sendall(b"show")
        s.close()
    elif what == "crowd":
        clients = [connect(path) for _ in range(int(argv[3]))]
        for c in clients:
            c.sendall(b"ping\n")
        print(" ".join(answer(c) for c in clients))
    elif what == "hold":
        hold(path, int(argv[3]))
    elif what == "refuse":
        refuse(path, argv[3])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
