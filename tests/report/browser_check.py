#!/usr/bin/env python3
# The night report as a reader sees it: the report of a sample log of three nights, rendered by
# headless Chromium to a PNG, must show the chart's bars where the nights put them.
#
#   browser_check.py REPORT_PAGE_TOOL SAMPLE_LOG WORK_DIR
#
# Chromium runs inside a network namespace of its own that holds only loopback. The picture is
# left in WORK_DIR/report.png (docs/report.png is a copy of it); ImageMagick reads its pixels.
import os
import shutil
import subprocess
import sys

WIDTH, HEIGHT = 1000, 900
ONLINE, OUTAGE, PARTIAL = (0x2E, 0x9D, 0x48), (0xD9, 0x30, 0x25), (0x9C, 0xC9, 0xA6)


def fail(message):
    sys.exit("FAIL: " + message)


def near(pixel, colours):
    return any(all(abs(a - b) <= 6 for a, b in zip(pixel, c)) for c in colours)


def render(tool, sample, work):
    """Writes the page and its picture; returns the picture's rows of pixels."""
    shutil.rmtree(work, ignore_errors=True)  # no page, picture or profile of an earlier run
    os.makedirs(work)
    page, png, profile = (os.path.join(work, n)
                          for n in ("NightReport.html", "report.png", "chromium-profile"))
    subprocess.run([tool, sample, page, os.path.join(work, "NightReport.csv")], check=True)
    browser = shutil.which("chromium") or fail("no chromium (Debian's chromium package)")
    command = [browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
               "--no-first-run", "--disable-background-networking", "--disable-component-update",
               "--disable-sync", "--hide-scrollbars", "--user-data-dir=" + profile,
               "--window-size=%d,%d" % (WIDTH, HEIGHT), "--screenshot=" + png, "file://" + page]
    result = subprocess.run(["unshare", "-n", "sh", "-c", 'ip link set lo up && exec "$@"', "sh"] +
                            command, capture_output=True, text=True, timeout=120)
    if not os.path.exists(png):
        fail("chromium wrote no picture (%d): %s" % (result.returncode, result.stderr[-2000:]))
    ppm = subprocess.run(["convert", png, "-depth", "8", "ppm:-"], capture_output=True,
                         check=True).stdout
    _, size, _, data = ppm.split(b"\n", 3)
    if size != b"%d %d" % (WIDTH, HEIGHT):
        fail("the picture is %s" % size.decode())
    return [[tuple(data[i:i + 3]) for i in range(y * WIDTH * 3, (y + 1) * WIDTH * 3, 3)]
            for y in range(HEIGHT)]


def main():
    # The page's text is the golden three-nights.html of the unit tests; here, what it draws.
    rows = render(*sys.argv[1:4])
    # The whole page fits the picture: blank rows and columns at its bottom and right.
    inked = [y for y, row in enumerate(rows)
             if any(max(p) - min(p) > 30 or max(p) < 200 for p in row)]
    if not inked or inked[-1] > HEIGHT - 40:
        fail("the page does not end inside the picture (last ink at row %s)" % inked[-1:])
    if any(max(p) < 200 for row in rows for p in row[WIDTH - 20:]):
        fail("the page is wider than the picture")
    # The bars: runs of rows with at least 300 pixels of a bar's colours, each 600 pixels wide.
    # Newest night first: 02:00-08:00 with an outage from 03:00 to 03:30 and three reboots in it,
    # then a clean night but for a half-minute outage, then the older log's night from its
    # failures (partial), each with its traffic in dark text right of its bar.
    wide = [sum(near(p, (ONLINE, OUTAGE, PARTIAL)) for p in row) >= 300 for row in rows] + [False]
    tops = [y for y in range(HEIGHT) if wide[y] and (y == 0 or not wide[y - 1])]
    bars = [(top, wide.index(False, top)) for top in tops]
    if len(bars) != 3:
        fail("%d bars instead of 3: %s" % (len(bars), bars))
    seen = []
    for top, bottom in bars:
        row = rows[(top + bottom) // 2]
        xs = [x for x, p in enumerate(row) if near(p, (ONLINE, OUTAGE, PARTIAL))]
        left, right = xs[0], xs[-1] + 1
        red = [(x - left) / 600 for x in xs if near(row[x], (OUTAGE,))]
        partial = sum(near(row[x], (PARTIAL,)) for x in xs)
        ink = sum(max(p) < 120 for y in range(top - 4, bottom + 4)
                  for p in rows[y][right + 10:right + 150])
        seen.append((right - left, red, partial, ink))
    if any(width != 600 for width, _, _, _ in seen):
        fail("bars of %s pixels, not 600" % [width for width, _, _, _ in seen])
    newest = seen[0][1]
    if not newest or abs(newest[0] - 1 / 6) > 0.01 or abs(newest[-1] + 1 / 600 - 1.5 / 6) > 0.01:
        fail("the newest night's outage is drawn at %s of its bar" % newest[::50])
    if not 1 <= len(seen[1][1]) <= 4:
        fail("the second night's short outage shows as %d red pixels" % len(seen[1][1]))
    if seen[2][2] < 500 or seen[0][2] or seen[1][2]:
        fail("only the oldest night should be drawn as partial")
    if any(ink < 20 for _, _, _, ink in seen):
        fail("no traffic text beside a bar: %s" % [ink for _, _, _, ink in seen])
    print("report.png: bars at %s" % bars)


if __name__ == "__main__":
    main()
