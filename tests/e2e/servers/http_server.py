#!/usr/bin/env python3
"""A test web server for the end-to-end runs, on 127.0.0.1.

Every request gets a page of --size bytes (HTML filler), whatever its path and host, and closes
the connection. Each request is appended to the record file as one tab-separated line:
    time (hh:mm:ss.mmm)  Host header  path  status  body bytes sent
Connections that send no request (a port probe) are not recorded.

Its behaviour is read from the control file at every request (and every 0.1 s for the
listening socket); the file holds one word:
    ok        200 with the page (also when the file is missing or empty)
    error500  500 with an error page of the same size (a body still counts as a page)
    empty     200 with no body
    drop      close the connection without an answer
    drip      200 with the page sent in 100-byte pieces 20 ms apart
    refuse    do not listen at all: connections are refused

    http_server.py --port 80 --record FILE [--control FILE] [--size BYTES] [--ready FILE]
"""
import argparse
import os
import select
import socket
import threading
import time
from http.server import BaseHTTPRequestHandler


def page(size, title):
    head = f"<html><head><title>{title}</title></head><body>\n"
    tail = "</body></html>\n"
    filler = "keep the line busy " * (size // 19 + 1)
    body = (head + filler)[: max(0, size - len(tail))] + tail
    return body.encode("ascii")[:size]


class Server:
    def __init__(self, args):
        self.args = args
        self.lock = threading.Lock()

    def mode(self):
        try:
            with open(self.args.control, encoding="ascii") as f:
                word = f.read().strip()
        except (OSError, TypeError):
            word = ""
        return word or "ok"

    def record(self, host, path, status, sent):
        now = time.time()
        stamp = time.strftime("%H:%M:%S", time.localtime(now)) + f".{int(now * 1000) % 1000:03d}"
        with self.lock, open(self.args.record, "a", encoding="latin-1", newline="\n") as f:
            f.write(f"{stamp}\t{host}\t{path}\t{status}\t{sent}\n")

    def handler(self):
        server = self

        class Handler(BaseHTTPRequestHandler):
            def do_GET(self):
                mode = server.mode()
                host = self.headers.get("Host", "")
                if mode == "drop":
                    server.record(host, self.path, "drop", 0)
                    self.close_connection = True
                    return
                status = 500 if mode == "error500" else 200
                body = b"" if mode == "empty" else page(server.args.size, f"{status} {self.path}")
                self.send_response(status)
                self.send_header("Content-Type", "text/html")
                self.send_header("Content-Length", str(len(body)))
                self.send_header("Connection", "close")
                self.send_header("Cache-Control", "no-store")
                self.end_headers()
                step = 100 if mode == "drip" else max(1, len(body))
                for start in range(0, len(body), step):
                    self.wfile.write(body[start : start + step])
                    self.wfile.flush()
                    if mode == "drip":
                        time.sleep(0.02)
                self.wfile.flush()
                server.record(host, self.path, status, len(body))
                self.close_connection = True

            def log_message(self, *args):
                pass

        return Handler

    def connection(self, conn, addr, handler):
        try:
            handler(conn, addr, self)
        except OSError:
            pass
        finally:
            try:
                conn.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            conn.close()

    def serve(self):
        handler = self.handler()
        listener = None
        ready_written = False
        while True:
            refusing = self.mode() == "refuse"
            if refusing and listener is not None:
                listener.close()
                listener = None
            if not refusing and listener is None:
                listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
                listener.bind(("127.0.0.1", self.args.port))
                listener.listen(16)
            if not ready_written and self.args.ready:
                with open(self.args.ready, "w", encoding="ascii") as f:
                    f.write(str(os.getpid()))
                ready_written = True
            if listener is None:
                time.sleep(0.1)
                continue
            readable, _, _ = select.select([listener], [], [], 0.1)
            if readable:
                conn, addr = listener.accept()
                threading.Thread(
                    target=self.connection, args=(conn, addr, handler), daemon=True
                ).start()


def main():
    parser = argparse.ArgumentParser(description="test web server for end-to-end runs")
    parser.add_argument("--port", type=int, default=80)
    parser.add_argument("--record", required=True)
    parser.add_argument("--control")
    parser.add_argument("--ready")
    parser.add_argument("--size", type=int, default=3000)
    Server(parser.parse_args()).serve()


if __name__ == "__main__":
    main()
