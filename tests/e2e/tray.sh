#!/usr/bin/env bash
# The tray icon of the real program: it shows in the notification area in the colour of its
# state, the right button opens the popup menu and "&Exit" ends the program with its quit line.
#   tray.sh QUORVANE_EXE QV_PROBE_EXE
export QV_EXE="$1" QV_PROBE="$2"
source "$(dirname "$0")/lib.sh"

# The green fish's body colour: the first icon shown is the one of state 3.
GREEN='28B43C'

green_pixels() { convert "$1" txt:- 2>/dev/null | grep -c "#$GREEN" || true; }
import -window root "$E2E_ROOT/before.png"
(( $(green_pixels "$E2E_ROOT/before.png") < 20 )) || e2e_fail "the screen is green already"

green_fish_shown() {
    import -window root "$E2E_ROOT/shot.png" 2>/dev/null && (($(green_pixels "$E2E_ROOT/shot.png") >= 20))
}
start_program
wait_log_lines 1
wait_for "a green fish on the screen" 60 green_fish_shown
e2e_ok "the state icon shows in the notification area"

# A right click on the icon: the shell sends the callback message with WM_RBUTTONUP in lParam.
probe post "Icon Form" 0x200 1 0x205
# (Wine keeps menus per process, so the entries are checked by the Windows-side tests.)
probe menu-key esc 30000 >/dev/null || e2e_fail "no popup menu after a right click"
e2e_ok "a right click opens the popup menu"

# The menu again, and "&Exit" chosen by its mnemonic.
probe post "Icon Form" 0x200 1 0x205
probe menu-key e 30000 >/dev/null || e2e_fail "no popup menu the second time"
wait_exit "$QV_PID" 60
[[ "$(log_messages | tail -1)" == "Dastrel's Quorvane Helper Quitting." ]] ||
    e2e_fail "last line: $(log_messages | tail -1)"
e2e_ok "&Exit writes the quit line and ends the program"
echo "3 passed, 0 failed"
