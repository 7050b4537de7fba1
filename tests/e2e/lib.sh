# Shared set-up for the end-to-end runs of Quorvane.exe under wine64.
#
# Source it from a test script. It moves the script into a network namespace of its own that
# holds only loopback, starts Xvfb, and gives a fresh Wine prefix and program folder.
# Needs: QV_EXE (path to the win64 Quorvane.exe) and QV_PROBE (path to qv_probe.exe).

if [[ -z "${QV_E2E_NETNS:-}" ]]; then
    export QV_E2E_NETNS=1
    exec unshare -n -m -- bash -c 'ip link set lo up && exec bash "$0" "$@"' "$0" "$@"
fi

set -euo pipefail

# Fails the run: what it waited for or found, the time, the whole log and any other files the
# run named in E2E_DUMP (the servers' records, say).
E2E_DUMP=()
e2e_fail() {
    echo "FAIL: $* (at $(date +%H:%M:%S))" >&2
    local file
    for file in ${QV_LOG:+"$QV_LOG"} "${E2E_DUMP[@]}"; do
        if [[ -f "$file" ]]; then
            echo "--- $file ---" >&2
            cat -A "$file" >&2 || true
        fi
    done
    exit 1
}

e2e_ok() { echo "ok - $*"; }

WINE64="$(command -v wine64 || echo /usr/lib/wine/wine64)"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko prompts, and no menu entries for the account running the tests.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

E2E_ROOT="$(mktemp -d /tmp/qv-e2e.XXXXXX)"
export WINEPREFIX="$E2E_ROOT/prefix"
APP_DIR="$E2E_ROOT/app"
mkdir -p "$APP_DIR"
cp "$QV_EXE" "$APP_DIR/Quorvane.exe"
QV_LOG="$APP_DIR/Quorvane.log"

XVFB_PID=""
e2e_cleanup() {
    wineserver -k 2>/dev/null || true
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
    if [[ -z "${QV_E2E_KEEP:-}" ]]; then rm -rf "$E2E_ROOT"; fi
}
trap e2e_cleanup EXIT

# Xvfb takes the first free display number itself (other runs may be starting theirs at the
# same moment) and writes it out once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$E2E_ROOT/display" >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 600); do
    [[ -s "$E2E_ROOT/display" ]] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
done
[[ -s "$E2E_ROOT/display" ]] || e2e_fail "Xvfb did not start"
export DISPLAY=":$(tr -d '[:space:]' <"$E2E_ROOT/display")"

wineboot -i >/dev/null 2>&1 || true
wineserver -w || true

# The program folder as Windows sees it.
APP_DIR_WIN="Z:$(echo "$APP_DIR" | sed 's|/|\\|g')"
SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\Quorvane\Quorvane'

probe() { "$WINE64" "$QV_PROBE" "$@"; }

set_setting() { "$WINE64" reg add "$SETTINGS_KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
clear_settings() {
    "$WINE64" reg delete 'HKCU\Software\VB and VBA Program Settings\Quorvane' /f >/dev/null 2>&1 || true
}

# Starts the program in the background; QV_PID is the Wine loader's pid.
start_program() {
    (cd "$APP_DIR" && exec "$WINE64" "$APP_DIR/Quorvane.exe" "$@") >/dev/null 2>&1 &
    QV_PID=$!
}

# Waits until a command succeeds (it is run again every 0.1 s), at most TIMEOUT seconds; fails
# naming what it waited for.
#   wait_for "the dialog to close" 30 no_window "$DIALOG"
wait_for() {
    local what=$1 timeout=$2
    shift 2
    local deadline=$(($(date +%s) + timeout))
    until "$@"; do
        (($(date +%s) < deadline)) || e2e_fail "waited ${timeout}s for $what"
        sleep 0.1
    done
}

log_line_count() { if [[ -f "$QV_LOG" ]]; then grep -c $'\r$' "$QV_LOG" || true; else echo 0; fi; }
log_has_lines() { (($(log_line_count) >= $1)); }

# Waits until the log holds at least N lines.
wait_log_lines() { wait_for "$1 log lines" "${2:-120}" log_has_lines "$1"; }

running() { kill -0 "$1" 2>/dev/null; }
ended() { ! running "$1"; }

# Waits for a background process to end.
wait_exit() { wait_for "process $1 to end" "${2:-60}" ended "$1"; }

window_count() { probe count "$1" | tr -d '\r'; }
no_window() { [[ "$(window_count "$1")" == 0 ]]; }
# Waits until no top-level window has the caption.
wait_no_window() { wait_for "no window \"$1\"" "${2:-60}" no_window "$1"; }

# Asks the running program's main window to close, as Windows would.
close_program() {
    probe post "Icon Form" 0x10 0 0 || true
    wait_exit "$QV_PID" 60
}

# Checks that every log line has the layout "dd/mm/yyyy hh:nn:ss >   message" CR LF and prints
# the messages.
log_messages() {
    local bad
    bad=$(grep -v -a -E $'^[0-3][0-9]/[01][0-9]/[0-9]{4} [0-2][0-9]:[0-5][0-9]:[0-5][0-9] >   .*\r$' "$QV_LOG" || true)
    [[ -z "$bad" ]] || e2e_fail "malformed log line: $bad"
    cut -c25- "$QV_LOG" | tr -d '\r'
}
