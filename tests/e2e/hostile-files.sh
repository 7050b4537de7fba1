#!/usr/bin/env bash
# The real program with its log folder on a full disk: it starts, serves its window and its
# second-instance rule and ends cleanly, losing only the log lines; once there is room again
# the log is written as before.
#   hostile-files.sh QUORVANE_EXE QV_PROBE_EXE
export QV_EXE="$1" QV_PROBE="$2"
source "$(dirname "$0")/lib.sh"

# A small disk of its own (inside this run's mount namespace) holding the program, filled up.
FULL="$E2E_ROOT/full"
mkdir -p "$FULL"
mount -t tmpfs -o size=2m tmpfs "$FULL"
cp "$APP_DIR/Quorvane.exe" "$FULL/Quorvane.exe"
dd if=/dev/zero of="$FULL/filler" bs=4k >/dev/null 2>&1 || true
APP_DIR="$FULL"
QV_LOG="$FULL/Quorvane.log"

start_program
probe ready-ms "Icon Form" 60000 >/dev/null || e2e_fail "no main window on a full disk"
start_program
second=$QV_PID
probe msgbox Quorvane 60000 >/dev/null || e2e_fail "the first program did not keep running"
wait_exit "$second" 60
probe post "Icon Form" 0x10 0 0
wait_no_window "Icon Form" 60
[[ ! -s "$QV_LOG" ]] || e2e_fail "a log line reached a full disk: $(cat -A "$QV_LOG")"
e2e_ok "a full disk loses the log lines and nothing else"

rm -f "$FULL/filler"
start_program
wait_log_lines 1
[[ "$(log_messages)" == "Dastrel's Quorvane Helper Started." ]] || e2e_fail "log after room: $(log_messages)"
close_program
umount "$FULL" 2>/dev/null || true
e2e_ok "with room again the log is written"
echo "2 passed, 0 failed"
