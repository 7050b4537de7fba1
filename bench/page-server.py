#!/usr/bin/env python3
"""A local page server for the benchmarks: GET /size/N answers 200 with N bytes.

   page-server.py PORT_FILE      listens on 127.0.0.1 on a free port and writes it to PORT_FILE
"""
import http.server
import socketserver
import sys

BLOCK = b"q" * 65536


class Pages(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        if not self.path.startswith("/size/"):
            self.send_error(404)
            return
        size = int(self.path[6:])
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(size))
        self.send_header("Connection", "close")
        self.end_headers()
        while size > 0:
            part = min(size, len(BLOCK))
            self.wfile.write(BLOCK[:part])
            size -= part

    def log_message(self, *args):
        pass


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


server = Server(("127.0.0.1", 0), Pages)
with open(sys.argv[1], "w") as f:
    f.write(str(server.server_address[1]))
server.serve_forever()
