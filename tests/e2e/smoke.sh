#!/usr/bin/env bash
# Start-up smoke test of the real program: start lines, the single-instance rule and a bad
# stored setting.
#   smoke.sh QUORVANE_EXE QV_PROBE_EXE
export QV_EXE="$1" QV_PROBE="$2"
source "$(dirname "$0")/lib.sh"

# A first start writes the start line beside the program.
start_program
wait_log_lines 1
[[ "$(log_messages)" == "Dastrel's Quorvane Helper Started." ]] || e2e_fail "start line"
e2e_ok "first start logs the start line"

# A second start only shows its message and leaves no trace in the log.
start_program
second=$QV_PID
text=$(probe msgbox Quorvane 60000) || e2e_fail "no message box from the second start"
[[ "$(echo "$text" | tr -d '\r')" == "This Application is Already Running." ]] || e2e_fail "message: $text"
wait_exit "$second" 60
[[ "$(log_messages)" == "Dastrel's Quorvane Helper Started." ]] || e2e_fail "second start left a trace"
e2e_ok "second start refused with its message"

# Closed by Windows: no quit line.
probe post "Icon Form" 0x10 0 0
wait_no_window "Icon Form" 60
[[ "$(log_messages | wc -l)" == 1 ]] || e2e_fail "close wrote a line"
e2e_ok "a close by Windows ends the program without a quit line"

# Any argument means a start by Windows.
rm -f "$QV_LOG"
start_program /S
wait_log_lines 1
[[ "$(log_messages)" == "Dastrel's Quorvane Helper Started with Windows." ]] || e2e_fail "with Windows"
close_program
e2e_ok "a start with an argument logs the with-Windows line"

# A stored NIC value without its second time is reported with error 9.
rm -f "$QV_LOG"
set_setting NIC 1:59
start_program
wait_log_lines 2
expected=$'GetSettings Unknown Error : 9\nDastrel\'s Quorvane Helper Started.'
[[ "$(log_messages)" == "$expected" ]] || e2e_fail "bad setting: $(log_messages)"
close_program
clear_settings
e2e_ok "a stored NIC of 1:59 logs GetSettings Unknown Error : 9"
# A log folder that cannot be written: the program runs on and the line is lost silently.
rm -f "$QV_LOG"
mount --bind "$APP_DIR" "$APP_DIR"
mount -o remount,bind,ro "$APP_DIR"
start_program
probe wait-window "Icon Form" 60000 || e2e_fail "no main window with a read-only folder"
start_program
second=$QV_PID
text=$(probe msgbox Quorvane 60000) || e2e_fail "the first program did not keep running"
wait_exit "$second" 60
probe post "Icon Form" 0x10 0 0
wait_no_window "Icon Form" 60
umount "$APP_DIR"
[[ ! -e "$QV_LOG" ]] || e2e_fail "a log was written into a read-only folder"
e2e_ok "a read-only program folder loses the log lines and nothing else"
echo "6 passed, 0 failed"
