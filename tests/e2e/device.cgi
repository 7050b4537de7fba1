#!/usr/bin/env python3
# The web device of e2e.sh's web case: lighttpd runs it (mod_cgi) for every path it serves,
# after its own login check. It appends what arrived to device.rec beside the document root:
#
#     METHOD /path?query user=REMOTE_USER
#     NAME: value     (each header but Authorization, as the server names them, sorted; the
#                     body's type and length only with a body)
#     body:BYTES
#     --
#
# and answers 200 with "done METHOD /path".
import os, sys

env = os.environ
body = sys.stdin.buffer.read(int(env.get("CONTENT_LENGTH") or 0)).decode("latin-1")
headers = {k[5:]: v for k, v in env.items() if k.startswith("HTTP_") and k != "HTTP_AUTHORIZATION"}
headers.update({k: env[k] for k in ("CONTENT_TYPE", "CONTENT_LENGTH") if env.get(k) and body})
lines = [f"{env['REQUEST_METHOD']} {env['REQUEST_URI']} user={env.get('REMOTE_USER', '')}"]
lines += [f"{k}: {v}" for k, v in sorted(headers.items())]
with open(os.path.join(env["DOCUMENT_ROOT"], "..", "device.rec"), "a", encoding="latin-1") as f:
    f.write("\n".join(lines) + f"\nbody:{body}\n--\n")
sys.stdout.write(f"Status: 200\r\nContent-Type: text/plain\r\n\r\ndone {env['REQUEST_METHOD']} {env['SCRIPT_NAME']}")
