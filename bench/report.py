#!/usr/bin/env python3
"""Writes docs/performance.md from the results scripts/bench gathered.

   report.py RESULTS_DIR RUNS
"""
import json
import sys
from pathlib import Path

results = Path(sys.argv[1])
runs = sys.argv[2]


def pairs(name):
    out = {}
    for line in (results / name).read_text().splitlines():
        key, _, value = line.partition(" ")
        out.setdefault(key, []).append(value)
    return out


machine = {k: v[0] for k, v in pairs("machine.txt").items()}
wine = pairs("wine.txt")
sizes = [line.split() for line in (results / "sizes.txt").read_text().splitlines()]
native = json.loads((results / "native.json").read_text())
medians = {b["run_name"]: b for b in native["benchmarks"] if b.get("aggregate_name") == "median"}


def mib(n):
    return f"{float(n) / 1048576:.1f} MiB"


def kib(n):
    return f"{float(n) / 1024:.1f} KiB"


print("# Performance")
print()
print("Measured by `scripts/bench` (which rewrites this file); every figure is the median of "
      f"{runs} runs unless it says otherwise.")
print()
print("## Machine")
print()
print(f"- {machine['nproc']} processors: {machine['cpu']}")
print(f"- {int(machine['memory_kb']) // 1024} MiB of memory")
print(f"- Linux {machine['kernel']}, {machine['wine']}; measured {machine['date']}")
print("- shared with other work while it ran, so times are indicative; processor time is the "
      "steadier figure")
print()

sched = [b for n, b in medians.items() if n.startswith("BM_Scheduler")]
if sched:
    print("## Scheduler")
    print()
    print("Thirty simulated days through every timer with every service on (the timer double "
          "over a simulated clock), native Release build. *Counted*: the services behind the "
          "actions only counted, so the figure is the scheduler's own; *Modules*: the real "
          "modules behind them (page fetches, modem conversations, batch files, shutdowns) over "
          "the in-memory doubles.")
    print()
    print("| run | simulated days per second (wall) | per processor second |")
    print("|---|---|---|")
    for b in sched:
        print(f"| {b['run_name']} | {b['days_per_second']:.0f} | {b['days_per_cpu_second']:.0f} |")
    print()

print("## Page fetch: memory against page size")
print()
print("Under wine64, the program's own fetch path (`FetchPage` over WinINet, one 20480-byte "
      "buffer, messages pumped between reads) against a local page server on 127.0.0.1. "
      "*Peak above start* is the most private memory the process held during the fetch above "
      "what it held before it. `curl -o /dev/null` of the same pages for comparison (its "
      "figure is the whole process's peak resident size).")
print()
print("| page | FetchPage time | FetchPage peak above start | curl time | curl peak RSS (whole process) |")
print("|---|---|---|---|---|")
curl = {v.split()[0]: v.split()[1:] for v in wine.get("curl", [])}
for v in wine.get("fetch", []):
    size, got, seconds, peak = v.split()
    c = curl.get(size, ["?", "0"])
    print(f"| {mib(size)} ({got} bytes received) | {float(seconds):.3f} s | {kib(peak)} | "
          f"{float(c[0]):.2f} s | {float(c[1]) / 1024:.1f} MiB |")
print()
fetch_native = [b for n, b in medians.items() if n.startswith("BM_FetchPage")]
if fetch_native:
    print("Natively, over the in-memory internet double, with a counting allocator: the most "
          "heap one fetch holds. The plain double copies no bytes, so its time is only the fetch "
          "loop's own. With the page-saving diagnostic on, a built-in home page's text is kept "
          "for its .dat file, at most its first 1 MiB (and copied into the log line and the file "
          "double), so that fetch's heap grows with the page up to that cap.")
    print()
    print("| run | page | time per fetch | peak heap |")
    print("|---|---|---|---|")
    for b in fetch_native:
        name, _, size = b["run_name"].partition("/")
        saved = "saving pages" if "Saved" in name else "plain"
        print(f"| {saved} | {mib(size)} | {b['real_time']:.3f} {b['time_unit']} | "
              f"{kib(b['peak_heap_bytes'])} |")
    print()

command_file = [b for n, b in medians.items() if n.startswith("BM_ReadCommandFile")]
if command_file:
    print("The command file, read the same way: four short lines, then one long line that is no "
          "command. The heap its reading holds does not grow with the file.")
    print()
    print("| file | time per read | peak heap |")
    print("|---|---|---|")
    for b in command_file:
        size = b["run_name"].partition("/")[2]
        print(f"| {mib(size)} | {b['real_time']:.3f} {b['time_unit']} | {kib(b['peak_heap_bytes'])} |")
    print()

night_report = [b for n, b in medians.items() if n.startswith("BM_NightReport")]
if night_report:
    print("## Night report")
    print()
    print("\"&NightReport\" over a log in memory (nights of failures, reboots and traffic lines, "
          "its last line torn), native Release build: the log read a piece at a time, the last "
          "14 nights, the page and the CSV written. The peak is the heap held above the log "
          "itself; it does not grow with the log.")
    print()
    print("| log | time per report | processor time | peak heap |")
    print("|---|---|---|---|")
    for b in night_report:
        size = int(b["run_name"].partition("/")[2]) * 1048576
        print(f"| {mib(size)} | {b['real_time']:.1f} {b['time_unit']} | "
              f"{b['cpu_time']:.1f} {b['time_unit']} | {kib(b['peak_heap_bytes'])} |")
    print()

print("## Start-up under wine64")
print()
startup = wine.get("startup_ms_runs", [""])[0]
print(f"From the creation of the process to the moment its main window serves messages, which "
      f"it does right after adding the tray icon: **{float(wine['startup_ms_median'][0]):.0f} ms** "
      f"(runs: {startup} ms). A fresh prefix, default settings, Xvfb display.")
print()
print("## Executables")
print()
print("| build | size |")
print("|---|---|")
for path, size in sizes:
    print(f"| `{path}` | {int(size):,} bytes ({int(size) / 1024:.0f} KiB) |")
print()
print("## Idle processor time under wine64")
print()
seconds = float(wine["idle_seconds"][0])
cpu = float(wine["idle_cpu_seconds"][0])
server = float(wine["idle_wineserver_cpu_seconds"][0])
print(f"Default settings (every service off; the minute alarm and the 30-second icon refresh "
      f"tick), watched for {seconds:.0f} s after start-up, one run:")
print()
print(f"- the program: {cpu:.2f} s of processor time ({100 * cpu / seconds:.3f} %)")
print(f"- its wineserver: {server:.2f} s ({100 * server / seconds:.3f} %); the server of a fresh "
      "prefix, which also serves Wine's own background processes")
print(f"- resident size at the end: {int(wine['idle_rss_kb'][0]) / 1024:.1f} MiB")
