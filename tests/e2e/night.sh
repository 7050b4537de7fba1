#!/usr/bin/env bash
# A whole night of the real program under wine64, in a few minutes: the free window is always
# open and the timed events are set for the next whole minutes of the clock once everything
# before them is done, so a slow machine only makes the night longer.
#
#   night   start; the card batch files; lost connectivity at start rebooting the modem;
#           keep-alive fetches with the byte total; "&ViewErrorLog" clearing the yellow icon;
#           card on and off and a listed reboot in one minute; a failed reboot in the next
#           one shutting down, which under Wine ends only this prefix's programs.
#   morning the settings dialog showing the stored settings and saving a change, with the
#           start-with-Windows value; the program started by that value; "&Exit".
#
#   night.sh QUORVANE_EXE QV_PROBE_EXE
export QV_EXE="$1" QV_PROBE="$2"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sandbox.sh"
suite_start=$(date +%s)
passed=0
pass() {
    passed=$((passed + 1))
    e2e_ok "$1 ($(($(date +%s) - suite_start))s)"
}

WINDOWS_DIR="$WINEPREFIX/drive_c/windows"
NIC_RECORD="$SRV_DIR/nic" # .on and .off: the batch files run at the same moment
DIALOG="Quorvane Helper Utility by Dastrel (v1.1)."
NOTEPAD="Quorvane.log - Notepad"
RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
# Controls of the settings dialog without a caption, by their names in the program.
COMBO_REBOOT_HOUR=@Combo7
COMBO_REBOOT_MINUTE=@Combo8
TXT_REBOOT=@txtReboot
LST_REBOOT=@lstReboot
TXT_INTERVAL=@txtInterval

# Every line of the log in the layout "dd/mm/yyyy hh:nn:ss >   message" CR LF, stamped with a
# time of this run, in order; prints the messages.
checked_messages() {
    local messages stamp when last=0
    messages=$(log_messages) || exit 1
    while IFS= read -r stamp; do
        when=$(date -d "${stamp:6:4}-${stamp:3:2}-${stamp:0:2} ${stamp:11:8}" +%s) ||
            e2e_fail "log time $stamp"
        ((when >= suite_start - 1 && when <= $(date +%s) + 1)) || e2e_fail "log time $stamp is not now"
        ((when >= last)) || e2e_fail "log time $stamp goes back"
        last=$when
    done < <(cut -c1-19 "$QV_LOG")
    echo "$messages"
}

message_count() {
    if [[ -f "$QV_LOG" ]]; then tr -d '\r' <"$QV_LOG" | cut -c25- | grep -c -x -F -- "$1" || true; else echo 0; fi
}
has_messages() { (($(message_count "$1") >= $2)); }

# Waits until the log holds a line with exactly this message (at least N of them).
wait_message() { wait_for "the log line \"$1\"" "${2:-60}" has_messages "$1" 1; }
wait_count() { wait_for "$2 log lines \"$1\"" "${3:-60}" has_messages "$1" "$2"; }

count_message() { checked_messages | grep -c -x -F -- "$1" || true; }

# Seconds from now until the epoch second, at least 1.
until_epoch() { local left=$(($1 - $(date +%s))); echo $((left > 0 ? left : 1)); }

# Waits until the tray shows the colour; fails with what it showed instead.
TRAY_SEEN=""
tray_is() { TRAY_SEEN=$(tray_colour); [[ "$TRAY_SEEN" == "$1" ]]; }
wait_tray() {
    local deadline=$(($(date +%s) + ${2:-30}))
    until tray_is "$1"; do
        (($(date +%s) < deadline)) || e2e_fail "waited ${2:-30}s for a $1 tray icon; it shows $TRAY_SEEN"
        sleep 0.25
    done
}

modem_closed() { [[ "$(tail -1 "$MODEM_RECORD")" == "-- closed" ]]; }
lines_at_least() { [[ -f "$1" ]] && (($(wc -l <"$1") >= $2)); }

# The hh and mm of an hh:mm text as plain numbers, and the stored NIC form of it.
hour_of() { echo $((10#${1%:*})); }
minute_of() { echo $((10#${1#*:})); }

stored() { "$WINE64" reg query "$SETTINGS_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_SZ *//p"; }

# ---------------------------------------------------------------------------------------------
# The night.

sandbox_hosts
E2E_DUMP=("$MODEM_RECORD" "$WEB_RECORD")
start_web_server 3000
start_modem
write_command_file
web_mode refuse
# The timed services are on from the start, at a time half a day away; the night's times are
# stored later.
far=$(date -d "@$(($(date +%s) + 12 * 3600))" +%H:%M)
set_setting Time "0,0"
set_setting PingInterval 5
set_setting SrvPing 1
set_setting PingUrls "http://127.0.0.1/night/1.html,http://127.0.0.1/night/2.html"
set_setting NIC "$(hour_of "$far"):$(minute_of "$far"),$(hour_of "$far"):$(minute_of "$far")"
set_setting SrvNicAt 1
set_setting Reboot "$far"
set_setting SrvModem 1
set_setting SrvModemFail 1
[[ ! -e "$WINDOWS_DIR/EnbNic.bat" && ! -e "$WINDOWS_DIR/DisNic.bat" ]] ||
    e2e_fail "batch files before the first start"

start_program
wait_log_lines 1
[[ "$(checked_messages)" == "Dastrel's Quorvane Helper Started." ]] || e2e_fail "start line"
probe wait-window "Icon Form" 60000 || e2e_fail "no main window"
pass "start: the start line"

[[ "$(cat "$WINDOWS_DIR/EnbNic.bat")" == $'Devcon enable =Net\r\nRem Devcon enable =Modem\r' &&
    $(stat -c %s "$WINDOWS_DIR/EnbNic.bat") == 46 ]] || e2e_fail "EnbNic.bat: $(cat -A "$WINDOWS_DIR/EnbNic.bat")"
[[ "$(cat "$WINDOWS_DIR/DisNic.bat")" == $'Devcon disable =Net\r\nRem Devcon disable =Modem\r' &&
    $(stat -c %s "$WINDOWS_DIR/DisNic.bat") == 48 ]] || e2e_fail "DisNic.bat: $(cat -A "$WINDOWS_DIR/DisNic.bat")"
pass "the batch files in the Windows directory, 46 and 48 bytes"
# The files belong to the user from now on: these ones tell the test that they ran.
nic_record_win="Z:$(echo "$NIC_RECORD" | sed 's|/|\\|g')"
printf '@echo enable>>%s.on\r\n' "$nic_record_win" >"$WINDOWS_DIR/EnbNic.bat"
printf '@echo disable>>%s.off\r\n' "$nic_record_win" >"$WINDOWS_DIR/DisNic.bat"

# The line is down when the program starts: three failed pages reboot the modem at once.
wait_message "No Connectivity Since last 3 Minutes - Rebooting Modem." 120
web_mode ok
wait_message "Modem Rebooted Successfully." 90
expected="Dastrel's Quorvane Helper Started.
Unable to open : http://www.bing.com/
Unable to open : http://www.msn.com/
Unable to open : http://127.0.0.1/night/1.html
No Connectivity Since last 3 Minutes - Rebooting Modem.
Modem Rebooted Successfully."
[[ "$(checked_messages)" == "$expected" ]] || e2e_fail "lost connectivity: $(checked_messages)"
wait_for "the modem's line to close" 30 modem_closed
[[ "$(cat "$MODEM_RECORD")" == "$MODEM_CONVERSATION" ]] ||
    e2e_fail "the modem received: $(cat "$MODEM_RECORD")"
pass "lost connectivity at start reboots the modem with Reboot.Txt"

# The failures left the icon yellow; opening the log clears it.
wait_tray yellow
probe post "Icon Form" 0x111 101 0 # &ViewErrorLog
probe wait-window "$NOTEPAD" 60000 || e2e_fail "Notepad did not open the log"
edit=$(probe children "$NOTEPAD" | tr -d '\r' | awk -F'\t' '$2 == "Edit" { print $1; exit }')
shown=$(probe text "$NOTEPAD" "$edit" | tr -d '\r')
[[ "$shown" == "$(tr -d '\r' <"$QV_LOG" | head -6)" ]] || e2e_fail "Notepad shows: $shown"
probe post "$NOTEPAD" 0x10 0 0
wait_no_window "$NOTEPAD" 30
wait_tray blue 30
pass "&ViewErrorLog opens the log in Notepad and turns the yellow icon blue"

# The line is back: a page every 5 seconds, each home page through its search page.
wait_for "5 pages fetched" 90 lines_at_least "$WEB_RECORD" 5
cycle=("www.bing.com /search?q=weather" "www.msn.com /en-us/search?q=weather"
    "127.0.0.1 /night/1.html" "127.0.0.1 /night/2.html" "search.yahoo.com /search?p=weather")
mapfile -t fetched < <(awk -F'\t' '{ print $2 " " $3 }' "$WEB_RECORD")
start_at=-1
for i in "${!cycle[@]}"; do [[ "${cycle[$i]}" == "${fetched[0]}" ]] && start_at=$i; done
((start_at >= 0)) || e2e_fail "first page fetched: ${fetched[0]}"
for i in "${!fetched[@]}"; do
    [[ "${fetched[$i]}" == "${cycle[$(((start_at + i) % 5))]}" ]] ||
        e2e_fail "page $i: ${fetched[$i]}, expected ${cycle[$(((start_at + i) % 5))]}"
done
pass "keep-alive fetches go round the page list, home pages through their search pages"

# A bystander program in the same prefix, for the shutdown below.
(cd "$APP_DIR" && exec "$WINE64" notepad) >/dev/null 2>&1 &
bystander=$!
probe wait-window "Untitled - Notepad" 60000 || e2e_fail "no bystander Notepad"

# The night's times: the card goes on and off and the modem reboots in one minute (the card
# minute), and a reboot fails in the next one. They are stored while the settings dialog is
# open, and its close box (which stores nothing) makes the program read them again; the card
# minute begins at least 45 seconds after they were chosen, room for a busy machine's slow
# steps. The timers keep ticking meanwhile (each period is under a minute), so once the times
# are read before the card minute begins, each timer sees that minute.
night_lines=$(log_line_count)
probe post "Icon Form" 0x200 0 0x203 # double-click on the tray icon
probe wait-window "$DIALOG" 60000 || e2e_fail "no settings dialog on a double-click"
card_at=$((($(date +%s) + 45) / 60 * 60 + 60))
card_minute=$(date -d "@$card_at" +%H:%M)
fail_minute=$(date -d "@$((card_at + 60))" +%H:%M)
# The modem will not answer during the failure minute, whichever second its timer ticks at.
modem_mode "refuse $fail_minute"
set_setting NIC "$(hour_of "$card_minute"):$(minute_of "$card_minute"),$(hour_of "$card_minute"):$(minute_of "$card_minute")"
set_setting Reboot "$card_minute,$fail_minute"
probe post "$DIALOG" 0x10 0 0
wait_no_window "$DIALOG" 60
read_at=$(date +%s)
((read_at < card_at)) ||
    e2e_fail "the program read the times at $(date -d "@$read_at" +%T), too late for $card_minute"
((night_lines == $(log_line_count))) || e2e_fail "lines before the card minute: $(checked_messages)"

# The card minute, and the failure minute: the failed reboot shuts Windows down, with "Shutdown
# on Failure.", which under Wine ends this prefix's programs and nothing else.
wait_message "Disable Nic Command Issued." "$(until_epoch $((card_at + 120)))"
wait_message "Unable to Reboot Modem - Can't able to Connect 127.0.0.1:$MODEM_PORT" \
    "$(until_epoch $((card_at + 180)))"
wait_exit "$QV_PID" 60
wait_exit "$bystander" 60
kill -0 "${SANDBOX_PIDS[0]}" && kill -0 "${SANDBOX_PIDS[1]}" && kill -0 "$XVFB_PID" ||
    e2e_fail "the shutdown ended programs outside the Wine prefix"
checked_messages >/dev/null
# The night's lines, each with the minute it was written in.
night=$(tail -n +$((night_lines + 1)) "$QV_LOG" | tr -d '\r' | awk '{ m = substr($2, 1, 5); print m " " substr($0, 25) }')
bytes=$(web_bytes)
last_page=$(tail -1 "$WEB_RECORD" | cut -f5)
total_line() { echo "Total Data Downloaded for Connectivity : $(awk -v b="$1" 'BEGIN { printf "%.15g", b / 1024 }') KB."; }
# The listed reboot may end in the minute after the one it began in.
reboot=$(grep -x -E "($card_minute|$fail_minute) Modem Rebooted Successfully\." <<<"$night" || true)
card=$(grep -v -x -F "$reboot" <<<"$night" | head -2)
shutdown=$(grep -v -x -F "$reboot" <<<"$night" | tail -n +3)
[[ "$card" == "$card_minute Enable Nic Command Issued."$'\n'"$card_minute Disable Nic Command Issued." ]] ||
    e2e_fail "card minute $card_minute: $night"
# One reboot, before the failure's two lines.
[[ -n "$reboot" && $(wc -l <<<"$reboot") == 1 ]] &&
    (($(grep -n -x -F "$reboot" <<<"$night" | cut -d: -f1) < $(wc -l <<<"$night") - 1)) ||
    e2e_fail "listed reboot at $card_minute: $night"
wait_for "the batch files to run" 60 lines_at_least "$NIC_RECORD.off" 1
wait_for "the batch files to run" 60 lines_at_least "$NIC_RECORD.on" 1
[[ "$(tr -d '\r ' <"$NIC_RECORD.on")" == enable && "$(tr -d '\r ' <"$NIC_RECORD.off")" == disable ]] ||
    e2e_fail "batch files run: $(cat "$NIC_RECORD".* 2>/dev/null)"
[[ "$(cat "$MODEM_RECORD")" == "$MODEM_CONVERSATION"$'\n'"$MODEM_CONVERSATION" ]] ||
    e2e_fail "the modem received: $(cat "$MODEM_RECORD")"
pass "at $card_minute the card batch files run, enable first, and the listed reboot succeeds"

fail_line="$fail_minute Unable to Reboot Modem - Can't able to Connect 127.0.0.1:$MODEM_PORT"
[[ "$shutdown" == "$fail_line"$'\n'"$fail_minute $(total_line "$bytes")" ||
    "$shutdown" == "$fail_line"$'\n'"$fail_minute $(total_line $((bytes - last_page)))" ]] ||
    e2e_fail "shutdown lines: $shutdown (server sent $bytes bytes)"
[[ "$(count_message "Dastrel's Quorvane Helper Quitting.")" == 0 ]] || e2e_fail "quit line on shutdown"
pass "a failed reboot at $fail_minute logs the traffic total and shuts down: this prefix's programs end, nothing else"
night_lines=$(checked_messages | wc -l)
night_pages=$(wc -l <"$WEB_RECORD")

# ---------------------------------------------------------------------------------------------
# The morning.

wineserver -w 2>/dev/null || true
start_program
# Wine starts its services again after the shutdown, which a busy machine takes long over.
wait_log_lines $((night_lines + 1)) 240
[[ "$(checked_messages | tail -1)" == "Dastrel's Quorvane Helper Started." ]] || e2e_fail "morning start"
probe wait-window "Icon Form" 60000 || e2e_fail "no main window"

# The settings dialog shows what is stored, and OK stores what was changed: start with
# Windows ticked, the page service switched off, one more reboot time.
wait_for "a page fetched in the morning" 90 lines_at_least "$WEB_RECORD" $((night_pages + 1))
probe post "Icon Form" 0x200 0 0x203 # double-click on the tray icon
probe wait-window "$DIALOG" 60000 || e2e_fail "no settings dialog on a double-click"
[[ "$(probe items "$DIALOG" $LST_REBOOT | tr -d '\r')" == "$card_minute"$'\n'"$fail_minute" ]] ||
    e2e_fail "reboot times shown: $(probe items "$DIALOG" $LST_REBOOT)"
[[ "$(probe text "$DIALOG" $TXT_REBOOT | tr -d '\r')" == "$(tr -d '\r' <"$APP_DIR/Reboot.Txt")" ]] ||
    e2e_fail "command file shown: $(probe text "$DIALOG" $TXT_REBOOT | cat -A)"
[[ "$(probe text "$DIALOG" $TXT_INTERVAL | tr -d '\r')" == 5 ]] || e2e_fail "interval shown"
[[ "$(probe checked "$DIALOG" "=Use Connectivity Service at free usage time." | tr -d '\r')" == 1 &&
    "$(probe checked "$DIALOG" "=Run on Windows Startup" | tr -d '\r')" == 0 ]] ||
    e2e_fail "check boxes shown"
probe click "$DIALOG" "=Run on Windows Startup"
probe click "$DIALOG" "=Use Connectivity Service at free usage time."
probe select "$DIALOG" $COMBO_REBOOT_HOUR 6
probe select "$DIALOG" $COMBO_REBOOT_MINUTE 30
probe click "$DIALOG" "=AddTime"
probe click "$DIALOG" "=OK"
wait_no_window "$DIALOG" 60
[[ "$(stored Reboot)" == "$card_minute,$fail_minute,06:30" && "$(stored SrvPing)" == 0 &&
    "$(stored SrvStartup)" == 1 && "$(stored PingInterval)" == 5 && "$(stored SrvModem)" == 1 ]] ||
    e2e_fail "stored: $("$WINE64" reg query "$SETTINGS_KEY" | tr -d '\r')"
[[ "$(stored frmTop)" =~ ^[0-9]+$ && "$(stored frmLeft)" =~ ^[0-9]+$ ]] || e2e_fail "dialog position not stored"
run_value=$("$WINE64" reg query "$RUN_KEY" /v Quorvane 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *Quorvane *REG_SZ *//p')
[[ "$run_value" == "$APP_DIR_WIN\Quorvane.Exe /S" ]] || e2e_fail "Run value: $run_value"
pages=$(wc -l <"$WEB_RECORD")
sleep 8
(($(wc -l <"$WEB_RECORD") == pages)) || e2e_fail "pages still fetched after the service was switched off"
[[ "$(checked_messages | tail -1)" == "Dastrel's Quorvane Helper Started." ]] ||
    e2e_fail "the save wrote to the log: $(checked_messages | tail -1)"
pass "the dialog shows the stored settings; OK stores a change, which the timers follow, and the Run value"

probe post "Icon Form" 0x111 103 0 # &Exit
wait_exit "$QV_PID" 60
[[ "$(checked_messages | tail -1)" == "Dastrel's Quorvane Helper Quitting." ]] || e2e_fail "no quit line"
pass "&Exit writes the quit line last"

# Windows starts the program by the Run value's command line.
(cd "$APP_DIR" && exec "$WINE64" "${run_value% /S}" /S) >/dev/null 2>&1 &
QV_PID=$!
wait_count "Dastrel's Quorvane Helper Started with Windows." 1 120
probe post "Icon Form" 0x111 103 0
wait_exit "$QV_PID" 60
[[ "$(checked_messages | tail -2)" == "Dastrel's Quorvane Helper Started with Windows."$'\n'"Dastrel's Quorvane Helper Quitting." ]] ||
    e2e_fail "start by the Run value: $(checked_messages | tail -2)"
pass "the Run value's command line starts the program as a start with Windows"

echo "$passed passed, 0 failed in $(($(date +%s) - suite_start))s"
