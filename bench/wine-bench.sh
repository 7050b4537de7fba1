#!/usr/bin/env bash
# The benchmarks that need the real program under wine64, in a loopback-only network namespace
# with a fresh prefix (tests/e2e/lib.sh). Prints "name value" lines for scripts/bench.
#
#   wine-bench.sh QUORVANE_EXE QV_PROBE_EXE QV_FETCH_BENCH_EXE RUNS IDLE_SECONDS
export QV_EXE="$1" QV_PROBE="$2"
FETCH_BENCH="$3" RUNS="$4" IDLE_SECONDS="$5"
source "$(dirname "$0")/../tests/e2e/lib.sh"
[[ -n "${QV_BENCH_TRACE:-}" ]] && set -x
here="$(cd "$(dirname "$0")" && pwd)"

median() { sort -g | awk '{v[NR]=$1} END {if (NR % 2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }

# Process start to tray icon: the probe waits for the main window to serve its messages, which
# it does only after Form_Load and the tray icon's NIM_ADD.
"$WINE64" "$QV_PROBE" count x >/dev/null 2>&1  # warm the prefix
startup=()
for _ in $(seq "$RUNS"); do
    rm -f "$QV_LOG"
    probe ready-ms "Icon Form" 30000 >"$E2E_ROOT/ready" &
    probe_pid=$!
    sleep 1
    start_program
    wait "$probe_pid" || e2e_fail "no ready main window"
    startup+=("$(tr -d '\r' <"$E2E_ROOT/ready")")
    close_program
done
echo "startup_ms_runs ${startup[*]}"
echo "startup_ms_median $(printf '%s\n' "${startup[@]}" | median)"

# Idle processor time: default settings, every service off; the always-on timers tick.
rm -f "$QV_LOG"
start_program
probe ready-ms "Icon Form" 30000 >/dev/null || e2e_fail "no main window"
sleep 5
pid=$QV_PID  # the Wine loader becomes the Windows process
[[ "$(cat "/proc/$pid/comm")" == Quorvane.exe ]] || e2e_fail "pid $pid is $(cat "/proc/$pid/comm")"
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# This prefix's wineserver (other runs on the machine have their own).
server_pid=""
for p in $(pgrep wineserver); do
    if tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; then
        server_pid=$p
    fi
done
[[ -n "$server_pid" ]] || e2e_fail "no wineserver for $WINEPREFIX"
cpu0=$(ticks "$pid") srv0=$(ticks "$server_pid")
sleep "$IDLE_SECONDS"
cpu1=$(ticks "$pid") srv1=$(ticks "$server_pid")
hz=$(getconf CLK_TCK)
echo "idle_seconds $IDLE_SECONDS"
echo "idle_cpu_seconds $(awk -v a="$cpu0" -v b="$cpu1" -v hz="$hz" 'BEGIN {printf "%.2f", (b - a) / hz}')"
echo "idle_wineserver_cpu_seconds $(awk -v a="$srv0" -v b="$srv1" -v hz="$hz" 'BEGIN {printf "%.2f", (b - a) / hz}')"
echo "idle_rss_kb $(awk '/VmRSS/ {print $2}' "/proc/$pid/status")"
close_program

# The fetch path's peak memory against page size, and curl on the same pages.
python3 "$here/page-server.py" "$E2E_ROOT/port" &
server=$!
for _ in $(seq 50); do [[ -s "$E2E_ROOT/port" ]] && break; sleep 0.1; done
port=$(cat "$E2E_ROOT/port")
urls=()
for size in 1048576 10485760 104857600; do urls+=("http://127.0.0.1:$port/size/$size"); done
"$WINE64" "$FETCH_BENCH" "$RUNS" "${urls[@]}" | tr -d '\r' | while read -r url bytes seconds peak; do
    echo "fetch ${url##*/} $bytes $seconds $peak"
done
for url in "${urls[@]}"; do
    times=() rss=()
    for _ in $(seq "$RUNS"); do
        out=$(/usr/bin/time -f '%e %M' curl -s -o /dev/null "$url" 2>&1 | tail -1)
        times+=("${out% *}") rss+=("${out#* }")
    done
    echo "curl ${url##*/} $(printf '%s\n' "${times[@]}" | median) $(printf '%s\n' "${rss[@]}" | median)"
done
kill "$server" 2>/dev/null || true
