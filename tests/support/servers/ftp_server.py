#!/usr/bin/python3
"""An FTP server for the tests: one account on a folder, on a free loopback
port that it prints as "PORT n" once it listens. --limit throttles uploads
to that many bytes per second."""
import argparse
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--root", required=True)
    p.add_argument("--user", required=True)
    p.add_argument("--password", required=True)
    p.add_argument("--limit", type=int, default=0)
    a = p.parse_args()
    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user(a.user, a.password, a.root, perm="elradfmw")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.banner = "test server ready"
    # A refused login answers at once (the default waits 3 s).
    handler.auth_failed_timeout = 0.01
    if a.limit > 0:
        dtp = ThrottledDTPHandler
        dtp.read_limit = a.limit
        handler.dtp_handler = dtp
    server = FTPServer(("127.0.0.1", 0), handler)
    print("PORT %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
