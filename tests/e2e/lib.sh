# Shared set-up for runs of Quorvane.exe under wine64 (the end-to-end cases and the benchmarks).
#
# Source it from a script. It moves the script into a network namespace of its own that holds
# only loopback (and a mount namespace), starts Xvfb, and gives a fresh Wine prefix and program
# folder. Needs QV_EXE (the win64 Quorvane.exe) and QV_PROBE (qv_probe.exe).

if [[ -z "${QV_E2E_NETNS:-}" ]]; then
    export QV_E2E_NETNS=1
    exec unshare -n -m -- bash -c 'ip link set lo up && exec bash "$0" "$@"' "$0" "$@"
fi
set -Eeuo pipefail
[[ -z "${QV_E2E_TRACE:-}" ]] || set -x
export LC_ALL=C

# Fails the run: what it waited for or found, the time, the whole log and the files named in
# E2E_DUMP (the servers' records, say).
E2E_DUMP=()
e2e_fail() {
    echo "FAIL: $* (at $(date +%H:%M:%S)); Wine's programs: $(pgrep -l -f '\.exe' | tr '\n' ' ')" >&2
    for file in "$QV_LOG" "${E2E_DUMP[@]}" "$E2E_ROOT/wine.out"; do
        [[ ! -f "$file" ]] || { echo "--- $file ---" && cat -A "$file"; } >&2
    done
    exit 1
}
e2e_ok() { echo "ok - $*"; }
# A command of the run's own shell that fails outside a test ends the run naming itself, never in
# silence (a failure inside a command substitution is told by the command that used it).
E2E_SHELL=$BASHPID
trap '[[ $BASHPID != "$E2E_SHELL" ]] || e2e_fail "${BASH_SOURCE[0]##*/} line $LINENO failed: $BASH_COMMAND"' ERR

WINE64="$(command -v wine64 || echo /usr/lib/wine/wine64)"
# No Mono or Gecko prompts, and no menu entries for the account running the tests.
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
E2E_ROOT="$(mktemp -d /tmp/qv-e2e.XXXXXX)"
export WINEPREFIX="$E2E_ROOT/prefix"
APP_DIR="$E2E_ROOT/app"
mkdir -p "$APP_DIR"
cp "$QV_EXE" "$APP_DIR/Quorvane.exe"
QV_LOG="$APP_DIR/Quorvane.log"
APP_DIR_WIN="Z:${APP_DIR//\//\\}"
SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\Quorvane\Quorvane'
RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
# The settings dialog's title names the project's version as major.minor (CMakeLists.txt).
QV_VERSION_SHORT=$(sed -n 's/^project(Quorvane VERSION \([0-9]*\.[0-9]*\).*/\1/p' \
    "$(dirname "${BASH_SOURCE[0]}")/../../CMakeLists.txt")
DIALOG="Quorvane Helper Utility by Dastrel (v$QV_VERSION_SHORT)."

# Background processes of the run (servers, samplers), ended with it.
E2E_PIDS=()
e2e_cleanup() {
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wineserver -k 2>/dev/null || true
    [[ -n "${QV_E2E_KEEP:-}" ]] || rm -rf "$E2E_ROOT"
}
trap e2e_cleanup EXIT

# Xvfb takes the first free display number itself and writes it out once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$E2E_ROOT/display" >/dev/null 2>&1 &
XVFB_PID=$!
E2E_PIDS+=("$XVFB_PID")
for _ in $(seq 600); do [[ ! -s "$E2E_ROOT/display" ]] && kill -0 "$XVFB_PID" && sleep 0.1 || break; done
[[ -s "$E2E_ROOT/display" ]] || e2e_fail "Xvfb did not start"
export DISPLAY=":$(tr -d '[:space:]' <"$E2E_ROOT/display")"
wineboot -i >/dev/null 2>&1 || true
# A fresh server that stays for the whole run (e2e_cleanup ends it), with Wine's own services
# running before the program starts: a program or a registry write started just as an idle
# server goes away can end before it does anything.
wine_ready() {
    wineserver -w || true
    wineserver -p
    "$WINE64" "$QV_PROBE" count x >/dev/null 2>&1 || true
}
wine_ready

probe() { "$WINE64" "$QV_PROBE" "$@" | tr -d '\r'; }
# Sets stored settings: NAME VALUE [NAME VALUE...].
set_setting() {
    while (($#)); do
        "$WINE64" reg add "$SETTINGS_KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1
        shift 2
    done
}
# The data of a REG_SZ value (KEY NAME, or NAME of the settings), or nothing.
stored() {
    (($# == 2)) || set -- "$SETTINGS_KEY" "$1"
    "$WINE64" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"
}

# Starts the program in the background from its folder; QV_PID is the Wine loader's pid.
start_program() {
    (cd "$APP_DIR" && exec "$WINE64" "${APP_EXE:-$APP_DIR/Quorvane.exe}" "$@") >>"$E2E_ROOT/wine.out" 2>&1 &
    QV_PID=$!
}

# Waits until a command succeeds (run again every 0.1 s), at most TIMEOUT seconds; fails naming
# what it waited for:   wait_for "the dialog to close" 30 no_window "$DIALOG"
wait_for() {
    local what=$1 deadline=$(($(date +%s) + $2))
    shift 2
    until "$@"; do
        (($(date +%s) < deadline)) || e2e_fail "waited for $what"
        sleep 0.1
    done
}

# The log's messages, each line checked for the layout "dd/mm/yyyy hh:nn:ss >   message" CR LF.
messages() {
    [[ -f "$QV_LOG" ]] || return 0
    local bad
    bad=$(grep -v -a -E $'^[0-3][0-9]/[01][0-9]/[0-9]{4} [0-2][0-9]:[0-5][0-9]:[0-5][0-9] >   .*\r$' "$QV_LOG" || true)
    [[ -z "$bad" ]] || e2e_fail "malformed log line: $bad"
    cut -c25- "$QV_LOG" | tr -d '\r'
}
has_message() { (($(messages | grep -c -x -F -- "$1") >= ${2:-1})); }
# Waits until the log holds the message (at least N times).
wait_message() { wait_for "the log line \"$1\"" "${3:-120}" has_message "$1" "${2:-1}"; }

ended() { ! kill -0 "$1" 2>/dev/null; }
wait_exit() { wait_for "process $1 to end" "${2:-60}" ended "$1"; }
no_window() { [[ "$(probe count "$1")" == 0 ]]; }
wait_no_window() { wait_for "no window \"$1\"" "${2:-60}" no_window "$1"; }
# Waits until the window serves its messages.
wait_window() { probe ready-ms "$1" "${2:-60}000" >/dev/null || e2e_fail "no window \"$1\""; }
# Asks the window to close until it has gone: counted and asked by one probe, so a window that
# goes between the two (a close takes a second or two under Wine) is closed, not waited for.
close_window() { probe close "$1" "${2:-60}000" || e2e_fail "waited for \"$1\" to close"; }

# Asks the running program's main window to close, as Windows would.
close_program() { probe post "Icon Form" 0x10 0 0 || true && wait_exit "$QV_PID"; }
# Posts a quit message to the main window's thread, as another program may: the program ends,
# with exit code 0.
quit_program() {
    local code=0
    probe quit "Icon Form" || e2e_fail "no main window to post the quit message to"
    wait_exit "$QV_PID"
    wait "$QV_PID" || code=$?
    ((code == 0)) || e2e_fail "the program ended with exit code $code"
}
