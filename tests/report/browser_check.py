#!/usr/bin/env python3
"""The night report as a reader sees it: the report of a sample log of three nights, rendered by
headless Chromium to a PNG, must show the chart's bars where the nights put them.

browser_check.py REPORT_PAGE_TOOL SAMPLE_LOG WORK_DIR

Chromium runs inside a network namespace of its own that holds only loopback. The picture is
left in WORK_DIR/report.png (docs/report.png is a copy of it).
"""
import os
import shutil
import struct
import subprocess
import sys
import zlib

WIDTH, HEIGHT = 1000, 900
ONLINE, OUTAGE, PARTIAL = (0x2E, 0x9D, 0x48), (0xD9, 0x30, 0x25), (0x9C, 0xC9, 0xA6)


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def read_png(path):
    """Width, height and rows of (r, g, b) of an 8-bit RGB or RGBA PNG without interlace."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail(path + " is no PNG")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                fail("unexpected PNG kind %d/%d/%d" % (depth, colour, interlace))
            step = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, stride, rows, previous = zlib.decompress(idat), width * step, [], bytearray(width * step)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - step] if i >= step else 0
            up, corner = previous[i], previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append([tuple(line[x * step:x * step + 3]) for x in range(width)])
        previous = line
    return width, height, rows


def near(pixel, colour):
    return all(abs(a - b) <= 6 for a, b in zip(pixel, colour))


def bands(rows, colours):
    """The bars: runs of rows with a stretch of at least 300 pixels of the colours."""
    found, start = [], None
    for y, row in enumerate(rows + [[]]):
        wide = sum(1 for p in row if any(near(p, c) for c in colours)) >= 300
        if wide and start is None:
            start = y
        elif not wide and start is not None:
            found.append((start, y))
            start = None
    return found


def main():
    tool, sample, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    page, csv, png = (os.path.join(work, n) for n in ("NightReport.html", "NightReport.csv", "report.png"))
    for stale in (page, csv, png):
        if os.path.exists(stale):
            os.remove(stale)
    subprocess.run([tool, sample, page, csv], check=True)
    # The restart proof's three verdicts, each on the reboot it follows (docs/report.png shows them).
    text = open(page, encoding="latin-1").read()
    for verdict in ("03:03:00 after no connectivity, rebooted, did not restart",
                    "03:14:00 after no connectivity, rebooted, did not come back",
                    "03:25:00 after no connectivity, rebooted, restarted in 48 s"):
        if verdict not in text:
            fail("the page does not tell: " + verdict)
    browser = shutil.which("chromium") or fail("no chromium (Debian's chromium package)")
    profile = os.path.join(work, "chromium-profile")
    shutil.rmtree(profile, ignore_errors=True)
    command = [browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
               "--no-first-run", "--disable-background-networking", "--disable-component-update",
               "--disable-sync", "--hide-scrollbars", "--user-data-dir=" + profile,
               "--window-size=%d,%d" % (WIDTH, HEIGHT), "--screenshot=" + png, "file://" + page]
    script = 'ip link set lo up && exec "$@"'
    result = subprocess.run(["unshare", "-n", "sh", "-c", script, "sh"] + command,
                            capture_output=True, text=True, timeout=120)
    if not os.path.exists(png):
        fail("chromium wrote no picture (%d): %s" % (result.returncode, result.stderr[-2000:]))

    width, height, rows = read_png(png)
    if (width, height) != (WIDTH, HEIGHT):
        fail("the picture is %dx%d" % (width, height))
    # The whole page fits the picture: blank rows and columns at its bottom and right.
    inked = [y for y, row in enumerate(rows) if any(max(p) - min(p) > 30 or max(p) < 200 for p in row)]
    if not inked or inked[-1] > HEIGHT - 40:
        fail("the page does not end inside the picture (last ink at row %s)" % (inked[-1:] or "none"))
    if any(max(p) < 200 for row in rows for p in row[WIDTH - 20:]):
        fail("the page is wider than the picture")
    found = bands(rows, (ONLINE, OUTAGE, PARTIAL))
    if len(found) != 3:
        fail("%d bars instead of 3: %s" % (len(found), found))
    # Newest night first: 02:00-08:00 with an outage from 03:00 to 03:30 and three reboots in
    # it (the verdicts above), then a clean night
    # but for a half-minute outage, then the older log's night from its failures (partial).
    kinds = []
    for top, bottom in found:
        row = rows[(top + bottom) // 2]
        xs = [x for x, p in enumerate(row) if any(near(p, c) for c in (ONLINE, OUTAGE, PARTIAL))]
        left, right = xs[0], xs[-1] + 1
        if right - left != 600:
            fail("a bar is %d pixels wide, not 600" % (right - left))
        red = [x for x in xs if near(row[x], OUTAGE)]
        partial = sum(1 for x in xs if near(row[x], PARTIAL))
        kinds.append((left, right, red, partial))
    left, right, red, _ = kinds[0]
    start, end = (red[0] - left) / (right - left), (red[-1] + 1 - left) / (right - left)
    if abs(start - 1 / 6) > 0.01 or abs(end - 1.5 / 6) > 0.01:
        fail("the newest night's outage is drawn from %.3f to %.3f of its bar" % (start, end))
    if not kinds[1][2] or len(kinds[1][2]) > 4:
        fail("the second night's short outage shows as %d red pixels" % len(kinds[1][2]))
    if kinds[2][3] < 500 or kinds[0][3] or kinds[1][3]:
        fail("only the oldest night should be drawn as partial")
    # The traffic beside each bar: dark text to the right of it.
    for (top, bottom), (_, right, _, _) in zip(found, kinds):
        ink = sum(1 for y in range(top - 4, bottom + 4) for p in rows[y][right + 10:right + 150]
                  if max(p) < 120)
        if ink < 20:
            fail("no traffic text beside the bar at y %d" % top)
    print("report.png: %dx%d, bars at %s" % (width, height, found))


if __name__ == "__main__":
    main()
