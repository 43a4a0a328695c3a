#!/usr/bin/env python3
"""Loopback TCP/UDP peer for the network page tests, driven by lines on stdin.

Commands:  listen ID HOST PORT | connect ID HOST PORT [SOURCE_HOST] |
           udp ID HOST PORT | send ID HEX | sendto ID HOST PORT HEX |
           hold ID | drain ID PATH | close ID | quit   (HEX "-" is no bytes)
Events:    listening ID PORT | accepted ID HOST PORT | connected ID |
           bound ID PORT | data ID HEX | eof ID | dgram ID HOST PORT HEX |
           held ID | drained ID TOTAL | error ID TEXT
Accepted connections of listener L are named L.1, L.2, ...
"hold" stops reading a connection (the peer does not read); "drain" reads
it again and appends what arrives to the file PATH instead of reporting
"data", with a "drained" event of the running total after each read.
"""
import os
import selectors
import socket
import sys

sel = selectors.DefaultSelector()
socks = {}      # id -> socket
kinds = {}      # id -> "listen" | "tcp" | "udp"
accepted = {}   # listener id -> count
sinks = {}      # id -> [file, total] of a drained connection


def out(*words):
    sys.stdout.write(" ".join(str(w) for w in words) + "\n")
    sys.stdout.flush()


def unhex(text):
    return b"" if text == "-" else bytes.fromhex(text)


def add(ident, sock, kind):
    socks[ident] = sock
    kinds[ident] = kind
    sel.register(sock, selectors.EVENT_READ, ident)


def drop(ident):
    sock = socks.pop(ident, None)
    kinds.pop(ident, None)
    if sock is not None:
        try:
            sel.unregister(sock)
        except KeyError:
            pass  # held: not being read
        sock.close()


def command(line):
    words = line.split()
    if not words:
        return True
    cmd, args = words[0], words[1:]
    try:
        if cmd == "quit":
            return False
        if cmd == "listen":
            ident, host, port = args[0], args[1], int(args[2])
            s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
            s.bind((host, port))
            s.listen(16)
            add(ident, s, "listen")
            accepted[ident] = 0
            out("listening", ident, s.getsockname()[1])
        elif cmd == "connect":
            ident, host, port = args[0], args[1], int(args[2])
            s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
            if len(args) > 3:
                s.bind((args[3], 0))
            s.connect((host, port))
            s.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            add(ident, s, "tcp")
            out("connected", ident)
        elif cmd == "udp":
            ident, host, port = args[0], args[1], int(args[2])
            s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
            s.bind((host, port))
            add(ident, s, "udp")
            out("bound", ident, s.getsockname()[1])
        elif cmd == "send":
            socks[args[0]].sendall(unhex(args[1]))
        elif cmd == "sendto":
            socks[args[0]].sendto(unhex(args[3]), (args[1], int(args[2])))
        elif cmd == "hold":
            sel.unregister(socks[args[0]])
            out("held", args[0])
        elif cmd == "drain":
            sinks[args[0]] = [open(args[1], "ab"), 0]
            sel.register(socks[args[0]], selectors.EVENT_READ, args[0])
        elif cmd == "close":
            drop(args[0])
        else:
            out("error", "-", "unknown command", cmd)
    except (OSError, IndexError, ValueError, KeyError) as e:
        out("error", args[0] if args else "-", str(e).replace("\n", " "))
    return True


def readable(ident):
    sock, kind = socks[ident], kinds[ident]
    if kind == "listen":
        conn, addr = sock.accept()
        accepted[ident] += 1
        child = "%s.%d" % (ident, accepted[ident])
        conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        add(child, conn, "tcp")
        out("accepted", child, addr[0], addr[1])
    elif kind == "tcp":
        try:
            data = sock.recv(1 << 20 if ident in sinks else 65536)
        except OSError:
            data = b""
        if data and ident in sinks:
            sink = sinks[ident]
            sink[0].write(data)
            sink[0].flush()
            sink[1] += len(data)
            out("drained", ident, sink[1])
        elif data:
            out("data", ident, data.hex())
        else:
            if ident in sinks:
                sinks.pop(ident)[0].close()
            out("eof", ident)
            drop(ident)
    else:
        data, addr = sock.recvfrom(65536)
        out("dgram", ident, addr[0], addr[1], data.hex() if data else "-")


def main():
    sel.register(sys.stdin.fileno(), selectors.EVENT_READ, None)
    pending = ""
    while True:
        for key, _ in sel.select():
            if key.data is None:
                chunk = os.read(sys.stdin.fileno(), 65536)
                if not chunk:
                    return
                pending += chunk.decode()
                while "\n" in pending:
                    line, pending = pending.split("\n", 1)
                    if not command(line):
                        return
            elif key.data in socks:
                readable(key.data)


if __name__ == "__main__":
    main()
