#!/usr/bin/python3
"""A client of a running copy's link socket that may misbehave.
  send PATH COMMAND      sends COMMAND and a line feed, prints the answer line
  idle PATH SECONDS      connects, sends nothing; prints "closed" if the copy hangs up in time
  flood PATH MEGABYTES   sends that much without a line end; prints the bytes taken
  binary PATH            sends a line of raw bytes; prints the answer line
  halfway PATH           sends part of a command and hangs up
  crowd PATH N           N clients connect first, then each sends a command; prints the answers"""
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
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
