#!/usr/bin/python3
"""An HTTP server for the tests. Every request is recorded as one JSON line
(method, path, raw query, content type, raw body, and the form fields of the
body and the query decoded as Windows-1252) before it is answered. A file in
--serve named like the path is sent back; other requests get --status."""
import argparse
import json
import mimetypes
import os
import sys
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


def fields(text):
    return {k: v[0] for k, v in urllib.parse.parse_qs(text, keep_blank_values=True,
                                                        encoding="cp1252").items()}


def make_handler(args):
    class Handler(BaseHTTPRequestHandler):
        def log_message(self, *a):
            pass

        def handle_any(self):
            url = urllib.parse.urlsplit(self.path)
            length = int(self.headers.get("Content-Length") or 0)
            body = self.rfile.read(length) if length else b""
            record = {
                "method": self.command,
                "path": url.path,
                "query": url.query,
                "content_type": self.headers.get("Content-Type", ""),
                "body": body.decode("latin-1"),
                "fields": fields(body.decode("latin-1")),
                "query_fields": fields(url.query),
            }
            with open(args.record, "a", encoding="utf-8") as f:
                f.write(json.dumps(record) + "\n")
                f.flush()
                os.fsync(f.fileno())
            name = os.path.join(args.serve, urllib.parse.unquote(url.path).lstrip("/")) if args.serve else ""
            if name and os.path.isfile(name):
                with open(name, "rb") as f:
                    data = f.read()
                kind = "text/html" if name.endswith((".asp", ".html")) else (
                    mimetypes.guess_type(name)[0] or "application/octet-stream")
                self.send_response(200)
                self.send_header("Content-Type", kind)
            else:
                data = b"<html><body>recorded</body></html>"
                self.send_response(args.status)
                self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        do_GET = handle_any
        do_POST = handle_any

    return Handler


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--record", required=True)
    p.add_argument("--status", type=int, default=200)
    p.add_argument("--serve", default="")
    a = p.parse_args()
    server = ThreadingHTTPServer(("127.0.0.1", 0), make_handler(a))
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
