#!/usr/bin/env python3
# The fake modem and the web server of the end-to-end runs, on 127.0.0.1.
#
#     servers.py DIR web|modem...
#
# web (port 80, also the modem's web port that the program probes): every request gets a page of
# 3000 bytes, whatever its host and path, and is recorded in DIR/web.rec as "host path status
# bytes". modem (port 23): greets with "Login: ", asks for the password, then answers at a "> "
# prompt; "reboot" says "Rebooting..." and drops the line. Every line it receives goes to
# DIR/modem.rec, between "-- connect" and "-- closed".
#
# Each reads its manner from DIR/web.ctl or DIR/modem.ctl at every connection: ok (or no file),
# drip (a byte at a time, 30 ms apart; the web in 100-byte pieces, 20 ms apart), and for the web
# error500 (the page as a 500) and empty (no body); for the modem silent (never a byte), garble
# ("Username: " for "Login: ") and deaf (a burst of 8 MiB of telnet option requests, then it
# holds the line for 90 s without ever reading, so the answers fill the line and stop).
# Refusing is the firewall's job (nft in the scripts).
import os, socketserver, sys, threading, time

DIR = sys.argv[1]
PAGE = (b"<html><body>" + b"keep the line busy " * 200)[:3000]


def manner(name):
    path = f"{DIR}/{name}.ctl"
    return (open(path, encoding="ascii").read().strip() if os.path.exists(path) else "") or "ok"


def record(name, line):
    with open(f"{DIR}/{name}.rec", "a", encoding="latin-1") as f:
        f.write(line + "\n")


class Web(socketserver.StreamRequestHandler):
    def handle(self):
        request, host = self.rfile.readline().split(), ""
        while (line := self.rfile.readline().strip()) and len(request) > 1:
            if line.lower().startswith(b"host:"):
                host = line[5:].strip().decode("latin-1")
        if len(request) < 2:
            return  # a port probe
        mode = manner("web")
        status, body = 500 if mode == "error500" else 200, b"" if mode == "empty" else PAGE
        self.wfile.write(b"HTTP/1.0 %d X\r\nCache-Control: no-store\r\nContent-Length: %d\r\n\r\n" % (status, len(body)))
        step = 100 if mode == "drip" else 3000
        for start in range(0, len(body), step):
            self.wfile.write(body[start : start + step])
            time.sleep(0.02 if mode == "drip" else 0)
        record("web", f"{host} {request[1].decode('latin-1')} {status} {len(body)}")


class Modem(socketserver.StreamRequestHandler):
    def send(self, mode, text):
        for piece in [text] if mode != "drip" else text:
            self.wfile.write(b"" if mode == "silent" else piece.encode("latin-1"))
            time.sleep(0.03 if mode == "drip" else 0)

    def handle(self):
        mode, answers = manner("modem"), ["Password: ", "Welcome\r\n> "]
        record("modem", "-- connect")
        try:
            if mode == "deaf":
                self.wfile.write(b"\xff\xfd\x01" * ((8 << 20) // 3))
                time.sleep(90)
                return
            self.send(mode, "Username: " if mode == "garble" else "Login: ")
            while line := self.rfile.readline():
                record("modem", line.decode("latin-1").rstrip("\r\n\0"))
                if line.strip() == b"reboot":
                    self.send(mode, "Rebooting...\r\n")
                    return
                self.send(mode, answers.pop(0) if answers else "Commands: help reboot\r\n> ")
        except OSError:
            pass
        finally:
            record("modem", "-- closed")


socketserver.ThreadingTCPServer.allow_reuse_address = True
socketserver.ThreadingTCPServer.daemon_threads = True
for name in sys.argv[2:]:
    port, handler = {"web": (80, Web), "modem": (23, Modem)}[name]
    threading.Thread(target=socketserver.ThreadingTCPServer(("127.0.0.1", port), handler).serve_forever).start()
