#!/usr/bin/python3
"""A server that accepts connections on a free loopback port (printed as
"PORT n") and never says a word: the stalled server of the timeout tests."""
import select
import socket
import sys


def main():
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    print("PORT %d" % listener.getsockname()[1], flush=True)
    clients = []
    while True:
        ready, _, _ = select.select([listener] + clients, [], [])
        for s in ready:
            if s is listener:
                clients.append(listener.accept()[0])
            elif not s.recv(65536):
                clients.remove(s)
                s.close()


if __name__ == "__main__":
    sys.exit(main())
