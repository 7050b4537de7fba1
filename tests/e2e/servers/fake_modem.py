#!/usr/bin/env python3
"""A fake modem for the end-to-end runs: a telnet-like line server on 127.0.0.1.

It greets with "Login: ", asks for the password, then answers "help" and "reboot" at a "> "
prompt; "reboot" says "Rebooting..." and drops the line, as a modem does. No telnet option
negotiation. Every line it receives is appended to the record file, with a line "-- connect"
when a connection opens and "-- closed" when it ends, so a test can read the conversation back.

Its behaviour is read from the control file before every connection (and every 0.1 s for the
listening socket); the file holds one word:
    ok       answer as above (also when the file is missing or empty)
    refuse   do not listen at all: connections are refused
    refuse HH:MM   the same, but only during that minute of the local clock
    silent   accept and record, but never send a byte
    garble   greet with "Username: " instead of "Login: ", then behave as ok
    drip     behave as ok, but send every text a byte at a time, 30 ms apart

With --web-port it also listens there (the modem's web page) and closes each connection at once,
so a probe of that port succeeds; the listener follows "refuse" as well.

    fake_modem.py --port 23 --record FILE [--control FILE] [--web-port 80] [--ready FILE]
"""
import argparse
import os
import select
import socket
import threading
import time

HELP_TEXT = "Commands: help reboot exit\r\n"


class Modem:
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

    def refusing(self):
        word = self.mode()
        if word == "refuse":
            return True
        return word.startswith("refuse ") and word[7:] == time.strftime("%H:%M")

    def record(self, text):
        with self.lock, open(self.args.record, "a", encoding="latin-1", newline="\n") as f:
            f.write(text + "\n")

    def session(self, conn, mode):
        mode = "ok" if mode.startswith("refuse") else mode
        self.record("-- connect")
        buffer = b""

        def send(text):
            if mode == "drip":
                for byte in text.encode("latin-1"):
                    conn.sendall(bytes([byte]))
                    time.sleep(0.03)
            elif mode != "silent":
                conn.sendall(text.encode("latin-1"))

        def read_line():
            nonlocal buffer
            while b"\r\n" not in buffer:
                chunk = conn.recv(4096)
                if not chunk:
                    return None
                buffer += chunk
            line, buffer = buffer.split(b"\r\n", 1)
            text = line.decode("latin-1")
            self.record(text)
            return text

        try:
            send("Username: " if mode == "garble" else "Login: ")
            user = read_line()
            if user is None:
                return
            send("Password: ")
            password = read_line()
            if password is None:
                return
            if (user, password) != (self.args.user, self.args.password):
                send("Login incorrect\r\n")
                return
            send("Welcome\r\n> ")
            while True:
                command = read_line()
                if command is None or command == "exit":
                    return
                if command == "reboot":
                    send("Rebooting...\r\n")
                    return
                if command == "help":
                    send(HELP_TEXT + "> ")
                else:
                    send("Unknown command\r\n> ")
        except OSError:
            pass
        finally:
            try:
                conn.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            conn.close()
            self.record("-- closed")

    def web(self, conn):
        conn.close()

    def serve(self):
        ports = [(self.args.port, "telnet")]
        if self.args.web_port:
            ports.append((self.args.web_port, "web"))
        listeners = {}
        ready_written = False
        while True:
            refusing = self.refusing()
            if refusing and listeners:
                for sock in listeners:
                    sock.close()
                listeners = {}
            if not refusing and not listeners:
                for port, kind in ports:
                    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
                    sock.bind(("127.0.0.1", port))
                    sock.listen(8)
                    listeners[sock] = kind
            if not ready_written and self.args.ready:
                with open(self.args.ready, "w", encoding="ascii") as f:
                    f.write(str(os.getpid()))
                ready_written = True
            if not listeners:
                time.sleep(0.1)
                continue
            readable, _, _ = select.select(list(listeners), [], [], 0.1)
            for sock in readable:
                conn, _ = sock.accept()
                if listeners[sock] == "web":
                    self.web(conn)
                else:
                    mode = self.mode()
                    threading.Thread(target=self.session, args=(conn, mode), daemon=True).start()


def main():
    parser = argparse.ArgumentParser(description="fake modem for end-to-end runs")
    parser.add_argument("--port", type=int, default=23)
    parser.add_argument("--web-port", type=int, default=0)
    parser.add_argument("--record", required=True)
    parser.add_argument("--control")
    parser.add_argument("--ready")
    parser.add_argument("--user", default="admin")
    parser.add_argument("--password", default="secret")
    Modem(parser.parse_args()).serve()


if __name__ == "__main__":
    main()
