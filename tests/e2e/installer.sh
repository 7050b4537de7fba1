#!/usr/bin/env bash
# The installer run for real under wine64 (its 64-bit build, from the same script as the released
# one), silently, in a fresh prefix:
#   install     the program, guide and sample in Program Files; the Start-menu shortcuts and the
#               uninstall entry; the card batch files with the bytes the program itself writes;
#               "Start with Windows" left out unless asked for.
#   again       over the running program, with "Start with Windows": the program is closed, the
#               user's Reboot.Txt, log and edited batch file stay, nothing is started or made
#               twice; the Run value is the one the program's own dialog writes, and the dialog
#               shows the box ticked.
#   uninstall   with the program running: it is closed; the Run value, the settings, the files,
#               shortcuts and entry go, the batch files only when unedited; the user's log and
#               Reboot.Txt stay.
#
#   installer.sh SETUP_AMD64_EXE QUORVANE_EXE QV_PROBE_EXE
export QV_SETUP="$1" QV_EXE="$2" QV_PROBE="$3"
[[ -f "$QV_SETUP" ]] || { echo "FAIL: no installer $QV_SETUP: run scripts/package" >&2; exit 1; }
source "$(dirname "$0")/lib.sh"
SOURCE="$(cd "$(dirname "$0")/../.." && pwd)"

PRODUCT="Quorvane Helper"
INSTALL_DIR="$WINEPREFIX/drive_c/Program Files/$PRODUCT"
INSTALL_DIR_WIN="C:\\Program Files\\$PRODUCT"
START_MENU="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$PRODUCT"
WINDOWS_DIR="$WINEPREFIX/drive_c/windows"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane'
RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
DIALOG="Quorvane Helper Utility by Dastrel (v1.1)."
QV_LOG="$INSTALL_DIR/Quorvane.log"
passed=0
pass() {
    passed=$((passed + 1))
    e2e_ok "$1"
}

# The data of a REG_SZ value, or nothing when there is no such value.
reg_value() {
    "$WINE64" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"
}
run_setup() {
    local status=0
    "$WINE64" "$QV_SETUP" "$@" >/dev/null 2>&1 || status=$?
    ((status == 0)) || e2e_fail "the installer $* ended with $status"
}
# Starts the installed program from its folder, as the Start-menu shortcut does, and waits for
# its start line (the Nth in the log).
start_installed() {
    (cd "$INSTALL_DIR" && exec "$WINE64" "$INSTALL_DIR_WIN\\Quorvane.exe") >/dev/null 2>&1 &
    QV_PID=$!
    wait_log_lines "$1" 120
    probe wait-window "Icon Form" 60000 || e2e_fail "no main window"
}
crlf() { sed 's/\r*$/\r/' "$1"; }
shortcuts() { (cd "$START_MENU" 2>/dev/null && ls) | tr '\n' '|'; }
# A shortcut holds its target's full path.
leads_to() { strings -a "$START_MENU/$1" | grep -q -F "$2"; }

# --- install ---------------------------------------------------------------------------------
[[ ! -e "$WINDOWS_DIR/EnbNic.bat" && ! -e "$WINDOWS_DIR/DisNic.bat" ]] ||
    e2e_fail "batch files before the install"
run_setup /S
cmp -s "$INSTALL_DIR/Quorvane.exe" "$QV_EXE" ||
    e2e_fail "Program Files does not hold the program just built (run scripts/package)"
cmp -s "$INSTALL_DIR/UserGuide.txt" <(crlf "$SOURCE/docs/UserGuide.txt") || e2e_fail "UserGuide.txt"
cmp -s "$INSTALL_DIR/sample/Reboot.Txt" <(crlf "$SOURCE/packaging/sample/Reboot.Txt") ||
    e2e_fail "sample\\Reboot.Txt"
[[ -f "$INSTALL_DIR/uninstall.exe" && ! -e "$INSTALL_DIR/Reboot.Txt" && ! -e "$QV_LOG" ]] ||
    e2e_fail "program folder: $(ls -R "$INSTALL_DIR")"
pass "the program, the guide and the sample are in Program Files\\$PRODUCT"

[[ "$(shortcuts)" == "$PRODUCT.lnk|Uninstall $PRODUCT.lnk|User Guide.lnk|" ]] ||
    e2e_fail "Start menu: $(shortcuts)"
for row in "$PRODUCT.lnk|Quorvane.exe" "User Guide.lnk|UserGuide.txt" \
    "Uninstall $PRODUCT.lnk|uninstall.exe"; do
    leads_to "${row%|*}" "$INSTALL_DIR_WIN\\${row#*|}" ||
        e2e_fail "${row%|*} does not lead to ${row#*|}"
done
[[ "$(reg_value "$UNINSTALL_KEY" DisplayName)" == "$PRODUCT" &&
    "$(reg_value "$UNINSTALL_KEY" UninstallString)" == "\"$INSTALL_DIR_WIN\\uninstall.exe\"" &&
    "$(reg_value "$UNINSTALL_KEY" InstallLocation)" == "$INSTALL_DIR_WIN" ]] ||
    e2e_fail "uninstall entry: $("$WINE64" reg query "$UNINSTALL_KEY" 2>&1 | tr -d '\r')"
pass "the Start-menu shortcuts and the uninstall entry"

[[ -z "$(reg_value "$RUN_KEY" Quorvane)" && -z "$(reg_value "$SETTINGS_KEY" SrvStartup)" ]] ||
    e2e_fail "\"Start with Windows\" was installed without being asked for"
pass "\"Start with Windows\" is left out by default"

# The batch files: the installer's bytes are the ones the program writes when they are missing.
mkdir -p "$E2E_ROOT/installed"
mv "$WINDOWS_DIR/EnbNic.bat" "$WINDOWS_DIR/DisNic.bat" "$E2E_ROOT/installed/" ||
    e2e_fail "the installer wrote no batch files"
start_installed 1
for bat in EnbNic.bat DisNic.bat; do
    cmp -s "$WINDOWS_DIR/$bat" "$E2E_ROOT/installed/$bat" ||
        e2e_fail "$bat: the installer wrote $(cat -A "$E2E_ROOT/installed/$bat"), the program $(cat -A "$WINDOWS_DIR/$bat")"
done
pass "the installer's batch files hold the program's own bytes"

# --- again, over the running program, with "Start with Windows" ------------------------------
printf '%s\r\n' "127.0.0.1 23" 'WAIT "Login:"' 'SEND "admin\m"' >"$INSTALL_DIR/Reboot.Txt"
cp "$INSTALL_DIR/Reboot.Txt" "$E2E_ROOT/Reboot.Txt"
# An edit that keeps the size: the second line switches ports instead of modems.
printf 'Devcon disable =Net\r\nRem Devcon disable =Ports\r\n' >"$WINDOWS_DIR/DisNic.bat"
cp "$WINDOWS_DIR/DisNic.bat" "$E2E_ROOT/DisNic.bat"
cp "$QV_LOG" "$E2E_ROOT/Quorvane.log"
run_setup /S /STARTUP
wait_exit "$QV_PID" 30
no_window "Icon Form" || e2e_fail "a program runs after the install"
cmp -s "$QV_LOG" "$E2E_ROOT/Quorvane.log" ||
    e2e_fail "the log changed: $(diff "$E2E_ROOT/Quorvane.log" "$QV_LOG")"
[[ "$(log_messages)" == "Dastrel's Quorvane Helper Started." ]] || e2e_fail "log: $(log_messages)"
cmp -s "$INSTALL_DIR/Reboot.Txt" "$E2E_ROOT/Reboot.Txt" || e2e_fail "Reboot.Txt changed"
cmp -s "$WINDOWS_DIR/DisNic.bat" "$E2E_ROOT/DisNic.bat" || e2e_fail "the edited DisNic.bat changed"
cmp -s "$INSTALL_DIR/Quorvane.exe" "$QV_EXE" || e2e_fail "the program was not installed again"
[[ "$(shortcuts)" == "$PRODUCT.lnk|Uninstall $PRODUCT.lnk|User Guide.lnk|" ]] ||
    e2e_fail "Start menu: $(shortcuts)"
pass "installing over the running program closes it and keeps the user's files; nothing starts"

run_value=$(reg_value "$RUN_KEY" Quorvane)
[[ "$run_value" == "$INSTALL_DIR_WIN\\Quorvane.Exe /S" ]] || e2e_fail "Run value: $run_value"
[[ "$(reg_value "$SETTINGS_KEY" SrvStartup)" == 1 ]] || e2e_fail "SrvStartup is not \"1\""
# The program's own "Run on Windows Startup" writes the very same value, and its dialog shows
# the installer's choice.
"$WINE64" reg delete "$RUN_KEY" /v Quorvane /f >/dev/null 2>&1 || e2e_fail "Run value not deleted"
start_installed 2
probe post "Icon Form" 0x200 0 0x203 # double-click on the tray icon
probe wait-window "$DIALOG" 60000 || e2e_fail "no settings dialog"
[[ "$(probe checked "$DIALOG" "=Run on Windows Startup" | tr -d '\r')" == 1 ]] ||
    e2e_fail "\"Run on Windows Startup\" is not ticked"
probe click "$DIALOG" "=OK"
wait_no_window "$DIALOG" 60
[[ "$(reg_value "$RUN_KEY" Quorvane)" == "$run_value" ]] ||
    e2e_fail "the program writes the Run value $(reg_value "$RUN_KEY" Quorvane), the installer $run_value"
pass "\"Start with Windows\" writes the program's own Run value and ticks the dialog's box"

# --- uninstall, with the program running ------------------------------------------------------
cp "$QV_LOG" "$E2E_ROOT/Quorvane.log"
# The uninstaller copies itself to the temporary folder and runs from there: wait for its work.
"$WINE64" "$INSTALL_DIR_WIN\\uninstall.exe" /S >/dev/null 2>&1 || e2e_fail "the uninstaller did not start"
uninstalled() { ! "$WINE64" reg query "$UNINSTALL_KEY" >/dev/null 2>&1; }
wait_for "the uninstaller to remove its entry" 180 uninstalled
wait_exit "$QV_PID" 30
[[ -z "$(reg_value "$RUN_KEY" Quorvane)" ]] || e2e_fail "the Run value stays"
! "$WINE64" reg query "${SETTINGS_KEY%\*}" >/dev/null 2>&1 || e2e_fail "the settings stay"
[[ "$(ls -A "$INSTALL_DIR" | tr '\n' '|')" == "Quorvane.log|Reboot.Txt|" ]] ||
    e2e_fail "left in the program folder: $(ls -A "$INSTALL_DIR")"
cmp -s "$QV_LOG" "$E2E_ROOT/Quorvane.log" && cmp -s "$INSTALL_DIR/Reboot.Txt" "$E2E_ROOT/Reboot.Txt" ||
    e2e_fail "the user's log or Reboot.Txt changed"
[[ ! -e "$START_MENU" ]] || e2e_fail "Start menu: $(shortcuts)"
[[ ! -e "$WINDOWS_DIR/EnbNic.bat" ]] || e2e_fail "the unedited EnbNic.bat stays"
cmp -s "$WINDOWS_DIR/DisNic.bat" "$E2E_ROOT/DisNic.bat" || e2e_fail "the edited DisNic.bat is gone"
pass "the uninstaller closes the program and removes it, its Run value and the unedited batch file; the user's files stay"
echo "$passed passed, 0 failed"
