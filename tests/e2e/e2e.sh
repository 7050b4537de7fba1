#!/usr/bin/env bash
# End-to-end cases of the real Quorvane.exe under wine64, each in its own loopback-only network
# namespace with its own Xvfb and a fresh Wine prefix (lib.sh). Every wait is for an event (a log
# line, a file, a window), never for a clock second.
#
#   e2e.sh CASE QUORVANE_EXE QV_PROBE_EXE [ARGS]
#
#   smoke      start lines, the tray icon and its menu, the single-instance rule, a bad stored
#              setting, a quit message from outside, and a program folder where the log cannot
#              be written (read-only, full)
#   night      a whole night in a few minutes against the fake modem and web server: lost
#              connectivity rebooting the modem, keep-alive fetches, "&ViewErrorLog",
#              "&NightReport" (a recorder as the browser), card and
#              listed reboot in one minute (times stored while the settings dialog is open and
#              read at its close), a failed reboot shutting down in the next
#   telnet     listed reboots against busybox's and netkit's telnetd logging a test account in
#   sleep      the program frozen from outside for two minutes and more inside the window while
#              the line goes down, the line back 40 s after it is let go: one wake, no reboot
#   pacing     the line dead with the reboot limit 3,1: three reboots, the limit line and no
#              fourth; each reboot proved by the modem's web port going silent and coming back
#   web        listed reboots of web-mode command files against lighttpd (Digest MD5 and
#              SHA-256 logins, a recorder behind them): a TR-064 SOAP POST, a Shelly Plus GET and a
#              Tasmota GET arriving whole, the restart proof after them, a wrong password tried
#              once, a device that never answers
#   installer  SETUP_AMD64_EXE (from scripts/package) QV_RECORD_EXE: install, again over the
#              program in the middle of a conversation with "Shutdown on Failure." and "Start
#              with Windows" (the folder's rights and the Run value each time), the program's own
#              save of the Run value, uninstall with the program running
#
# scripts/demo (scripts/run --demo) and bench/soak.sh (scripts/soak) define cases of their own and
# run them through this harness.
export QV_EXE="$2" QV_PROBE="$3"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
CASE=$1
shift 3
SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
SRV="$E2E_ROOT/servers"
NOTEPAD="Quorvane.log - Notepad"
WINDOWS_DIR="$WINEPREFIX/drive_c/windows"
mkdir -p "$SRV"

# The local world of a run: the program's public page names pointed at 127.0.0.1 (in this
# mount namespace only), no proxy, and the command file for the fake modem beside the program.
sandbox() {
    local names=$(grep -ho 'http://[^/"]*' "$SOURCE/app/Globals.cpp" "$SOURCE/settings/Settings.h" |
        sed 's|http://||' | sort -u | tr '\n' ' ')
    [[ -n "$names" ]] || e2e_fail "no built-in page names found"
    printf '127.0.0.1 localhost %s\n::1 localhost\n' "$names" >"$E2E_ROOT/hosts"
    mount --bind "$E2E_ROOT/hosts" /etc/hosts
    unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY no_proxy NO_PROXY
    printf '%s\r\n' "127.0.0.1 23" 'WAIT "Login:"' 'SEND "admin\m"' 'WAIT "Password:"' \
        'SEND "secret\m"' 'WAIT ""' 'SEND "help\m"' 'WAIT "*"' 'SEND "reboot\m"' 'WAIT "*"' \
        'SEND ""' >"$APP_DIR/Reboot.Txt"
    touch "$SRV/web.rec" "$SRV/modem.rec"
    E2E_DUMP=("$SRV/modem.rec" "$SRV/web.rec")
}
# What the fake modem receives in one conversation of that file.
CONVERSATION=$'-- connect\nadmin\nsecret\nhelp\nreboot\n-- closed'
listening_on() { ss -ltn | grep -q " $1:$2 "; }
listening() { listening_on 127.0.0.1 "$1"; }
# Starts the fake servers (web, modem) and waits until they listen.
start_servers() {
    python3 "$SOURCE/tests/e2e/servers.py" "$SRV" "$@" >>"$SRV/out" 2>&1 &
    E2E_PIDS+=($!)
    [[ " $* " != *" web "* ]] || wait_for "the web server" 10 listening 80
    [[ " $* " != *" modem "* ]] || wait_for "the modem" 10 listening 23
}
# New connections to PORT refused (reject with tcp reset) or dropped (drop) until unblock PORT.
block() { nft -f - <<<"table inet qv$1 { chain out { type filter hook output priority 0; tcp dport $1 tcp flags syn counter $2; }; }"; }
unblock() { nft delete table inet "qv$1" 2>/dev/null || true; }
lines_at_least() { [[ -f "$1" ]] && (($(wc -l <"$1") >= $2)); }
# The free window half a day away, whatever the hour of the run (the stored default is 2 to 8):
# its lines stay out of the case's log.
window_away() { set_setting Time "$(((10#$(date +%H) + 12) % 24)),$(((10#$(date +%H) + 13) % 24))"; }

# The tray shows the fish of a colour: 10 pixels or more of its body colour (as the icons are
# drawn) in Wine's tray window on the X screen.
declare -A FISH=([red]=DC2828 [green]=28B43C [blue]=3264E6 [yellow]=F5D21E)
tray_is() {
    local x y w h
    read -r x y w h <<<"$(probe rect "Wine System Tray")" &&
        (($(import -window root -crop "${w}x$h+$x+$y" -depth 8 txt:- 2>/dev/null | grep -c "#${FISH[$1]}") >= 10))
}
wait_tray() { wait_for "a $1 tray icon" 60 tray_is "$1"; }

# The settings dialog's check boxes and buttons by caption: ticked prints 1 or 0.
ticked() { probe send "$DIALOG" "=$1" 0xF0 0 0; }     # BM_GETCHECK
click() { probe send "$DIALOG" "=$1" 0xF5 0 0 >/dev/null; } # BM_CLICK
# A double-click on the tray icon opens the settings dialog.
open_dialog() { probe post "Icon Form" 0x200 0 0x203 && wait_window "$DIALOG"; }
box_says() { [[ "$(probe text Quorvane 0xffff)" == "$1" ]]; }
# A second start only shows its message and ends.
second_start() {
    local first=$QV_PID
    start_program
    wait_for "the second start's message" 60 box_says "This Application is Already Running."
    probe post Quorvane 0x111 1 0 # OK
    wait_exit "$QV_PID"
    QV_PID=$first
}

case_smoke() {
    local row arg nic lines kind
    window_away
    start_program
    wait_message "Dastrel's Quorvane Helper Started."
    wait_tray green
    second_start
    # A right click on the icon (the callback message with WM_RBUTTONUP) opens the popup menu;
    # Wine keeps menus per process, so its entries are checked by the Windows-side tests.
    probe post "Icon Form" 0x200 1 0x205
    probe menu-key esc 30000 || e2e_fail "no popup menu after a right click"
    probe post "Icon Form" 0x200 1 0x205
    probe menu-key e 30000 || e2e_fail "no popup menu the second time" # &Exit
    wait_exit "$QV_PID"
    [[ "$(messages)" == "Dastrel's Quorvane Helper Started."$'\n'"Dastrel's Quorvane Helper Quitting." ]] || e2e_fail "log: $(messages)"
    e2e_ok "start line, green tray icon, its menu and &Exit; a second start only shows its message"

    # Started with an argument (as Windows does) or with a stored NIC lacking its second time,
    # and closed by Windows, which writes no quit line; or ended by a quit message that another
    # program posts, as "&Exit" ends it: arguments|NIC|how it ends|the lines logged.
    for row in "/S||close|Dastrel's Quorvane Helper Started with Windows." \
        "||quit|Dastrel's Quorvane Helper Started.;Dastrel's Quorvane Helper Quitting." \
        "|1:59|close|GetSettings Unknown Error : 9;Dastrel's Quorvane Helper Started."; do
        IFS='|' read -r arg nic end lines <<<"$row"
        rm -f "$QV_LOG"
        [[ -z "$nic" ]] || set_setting NIC "$nic"
        start_program $arg
        wait_window "Icon Form" # its start lines are written
        "${end}_program"
        [[ "$(messages)" == "${lines//;/$'\n'}" ]] || e2e_fail "start \"$arg\", NIC \"$nic\", $end: $(messages)"
    done
    e2e_ok "a start with an argument, a bad stored NIC, a close by Windows, a quit from outside ending as &Exit does with exit code 0"

    # A program folder where the log cannot be written: the program serves on, loses the lines.
    for kind in read-only full; do
        APP_DIR="$E2E_ROOT/$kind" QV_LOG="$E2E_ROOT/$kind/Quorvane.log"
        mkdir "$APP_DIR"
        [[ $kind == read-only ]] || mount -t tmpfs -o size=2m tmpfs "$APP_DIR"
        cp "$QV_EXE" "$APP_DIR/Quorvane.exe"
        [[ $kind == read-only ]] || dd if=/dev/zero of="$APP_DIR/filler" bs=4k >/dev/null 2>&1 || true
        [[ $kind == full ]] || { mount --bind "$APP_DIR" "$APP_DIR" && mount -o remount,bind,ro "$APP_DIR"; }
        start_program
        wait_window "Icon Form"
        second_start
        close_program
        [[ ! -s "$QV_LOG" ]] || e2e_fail "a log line reached the $kind folder"
        umount "$APP_DIR"
    done
    e2e_ok "a read-only folder or a full disk loses the log lines and nothing else"
}

# The stored NIC value for an hh:mm: both times, in plain numbers.
nic_of() { echo "$((10#${1%:*})):$((10#${1#*:})),$((10#${1%:*})):$((10#${1#*:}))"; }
kb_of() { awk -v b="$1" 'BEGIN { printf "%.15g", b / 1024 }'; }
ended_line() { echo "Free Usage Time Ended : $(kb_of "$1") KB in $2 Pages, 3 Failed."; }
total_line() { echo "Total Data Downloaded for Connectivity : $(awk -v b="$1" 'BEGIN { printf "%.15g", b / 1024 }') KB."; }
until_epoch() { echo $(($1 - $(date +%s) > 1 ? $1 - $(date +%s) : 1)); }

case_night() {
    local far bystander lines card_at card fail night reboot rest bytes last cycle
    local nic="$E2E_ROOT/nic" expected page csv outage pages verdict
    sandbox
    # The user's browser is a recorder registered for .html files in this run's prefix.
    export QV_OPENED="$E2E_ROOT/opened.txt"
    local recorder="$(dirname "$QV_PROBE")/qv_open_recorder.exe"
    "$WINE64" reg add 'HKCR\.html' /ve /d QvTest.Page /f >/dev/null 2>&1
    "$WINE64" reg add 'HKCR\QvTest.Page\shell\open\command' /ve \
        /d "\"Z:${recorder//\//\\}\" \"%1\"" /f >/dev/null 2>&1
    start_servers modem
    # The timed services are on from the start, half a day away; the night's times come later.
    far=$(date -d "+12 hours" +%H:%M)
    set_setting Time 0,0 PingInterval 5 SrvPing 1 NIC "$(nic_of "$far")" SrvNicAt 1 \
        PingUrls "http://127.0.0.1/night/1.html,http://127.0.0.1/night/2.html" \
        Reboot "$far" SrvModem 1 SrvModemFail 1
    start_program
    wait_message "Dastrel's Quorvane Helper Started."
    wait_window "Icon Form"
    # The program wrote the card's batch files at its start (their bytes are the unit tests' and
    # the installer's business); the files are the user's from now on: these tell that they ran.
    wait_for "the batch files" 10 test -s "$WINDOWS_DIR/EnbNic.bat" -a -s "$WINDOWS_DIR/DisNic.bat"
    printf '@echo enable>>%s.on\r\n' "Z:${nic//\//\\}" >"$WINDOWS_DIR/EnbNic.bat"
    printf '@echo disable>>%s.off\r\n' "Z:${nic//\//\\}" >"$WINDOWS_DIR/DisNic.bat"
    
    # The line is down at the start: three failed pages reboot the modem at once.
    wait_message "No Connectivity Since last 3 Minutes - Rebooting Modem."
    start_servers web
    wait_message "Modem Rebooted Successfully."
    expected="Dastrel's Quorvane Helper Started.
Free Usage Time Started.
Keeping the Computer Awake in Free Usage Time.
Unable to open : http://www.bing.com/
Unable to open : http://www.msn.com/
Unable to open : http://127.0.0.1/night/1.html
No Connectivity Since last 3 Minutes - Rebooting Modem.
Modem Rebooted Successfully."
    [[ "$(messages | head -8)" == "$expected" ]] || e2e_fail "lost connectivity: $(messages)"
    wait_message "Connectivity Restored after 3 Failed Pages."
    wait_for "the modem's line to close" 30 grep -q -x -- "-- closed" "$SRV/modem.rec"
    [[ "$(cat "$SRV/modem.rec")" == "$CONVERSATION" ]] || e2e_fail "the modem received"
    e2e_ok "lost connectivity at the start reboots the modem with Reboot.Txt"

    # The failures left the icon yellow; opening the log in Notepad turns it blue.
    wait_tray yellow
    probe post "Icon Form" 0x111 101 0 # &ViewErrorLog
    wait_window "$NOTEPAD"
    [[ "$(probe text "$NOTEPAD" 0)" == "$(tr -d '\r' <"$QV_LOG" | head -9)" ]] ||
        e2e_fail "Notepad shows: $(probe text "$NOTEPAD" 0)"
    probe post "$NOTEPAD" 0x10 0 0
    wait_tray blue
    e2e_ok "&ViewErrorLog opens the log in Notepad and turns the yellow icon blue"

    # The line is back: a page every 5 seconds round the list, home pages by their search pages.
    wait_for "5 pages fetched" 90 lines_at_least "$SRV/web.rec" 5
    cycle="www.bing.com /search?q=weather|www.msn.com /en-us/search?q=weather|127.0.0.1 /night/1.html|127.0.0.1 /night/2.html|search.yahoo.com /search?p=weather|"
    [[ "$cycle$cycle" == *"$(head -5 "$SRV/web.rec" | cut -d' ' -f1,2 | tr '\n' '|')"* ]] ||
        e2e_fail "pages fetched out of turn"
    e2e_ok "keep-alive fetches go round the page list"

    # "&NightReport": the page and its CSV in the user's temporary folder, never beside the
    # program, handed to the browser; the open night's figures are the log's.
    probe post "Icon Form" 0x111 104 0
    wait_for "the browser to be asked for the report" 60 test -s "$QV_OPENED"
    page=$("$WINE64" winepath -u "$(sed -n 's/^.* "\(.*\)"\r*$/\1/p' "$QV_OPENED" | head -1)" 2>/dev/null | tr -d '\r')
    page=$(realpath -m "$page") csv="${page%.html}.csv"
    [[ "$page" == "$WINEPREFIX"/drive_c/users/*/Temp/NightReport.html && -s "$page" && -s "$csv" &&
        ! -e "$APP_DIR/NightReport.html" ]] || e2e_fail "the report at $page: $(cat "$QV_OPENED")"
    # The date and time of the first line with the text, as the report writes them.
    stamp() { tr -d '\r' <"$QV_LOG" | grep -F -- "$1" | head -1 | awk '{ split($1, d, "/"); print d[3] "-" d[2] "-" d[1] " " $2 }'; }
    outage="$(stamp "Free Usage Time Started." | cut -d' ' -f1),$(stamp "Unable to open : "),$(stamp "Connectivity Restored after ")"
    grep -q -F "Last 1 night: " "$page" && grep -q -F ", 1 outage, 1 reboot, 1 helped.</p>" "$page" &&
        grep -q -F " 3 failed &middot; " "$page" ||
        e2e_fail "the page's figures: $(grep -o '<p[^<]*' "$page" | head -3)"
    [[ "$(tr -d '\r' <"$csv" | tail -n +2)" == "$outage,"*",\"$(stamp "No Connectivity" | cut -d' ' -f2) after no connectivity, rebooted\",helped,outage" ]] ||
        e2e_fail "the outages' CSV: $(cat "$csv")"
    e2e_ok "&NightReport writes the page and its CSV into the temporary folder and opens the page; its outage is the log's"

    # A bystander in the same prefix, for the shutdown below.
    (cd "$APP_DIR" && exec "$WINE64" notepad) >/dev/null 2>&1 &
    bystander=$!
    wait_window "Untitled - Notepad"
    # The night's times: card and listed reboot in one minute, a failing reboot in the next,
    # stored while the dialog is open; its close box (which stores nothing) rereads them. The
    # card minute begins at least 45 s after, room for a busy machine's slow steps.
    lines=$(messages | wc -l)
    open_dialog
    card_at=$((($(date +%s) + 45) / 60 * 60 + 60))
    card=$(date -d "@$card_at" +%H:%M) fail=$(date -d "@$((card_at + 60))" +%H:%M)
    set_setting NIC "$(nic_of "$card")" Reboot "$card,$fail"
    close_window "$DIALOG"
    (($(date +%s) < card_at)) || e2e_fail "the times were read too late for $card"
    wait_message "Modem Rebooted Successfully." 2 "$(until_epoch $((card_at + 150)))"
    block 23 "reject with tcp reset" # the modem is gone in the failure minute
    wait_message "Unable to Reboot Modem - Can't able to Connect 127.0.0.1:23" 1 "$(until_epoch $((card_at + 180)))"
    # The shutdown ends this prefix's programs under Wine, and nothing else.
    wait_exit "$QV_PID"
    wait_exit "$bystander"
    listening 80 && listening 23 && kill -0 "$XVFB_PID" || e2e_fail "the shutdown ended other programs"
    # The night's lines, each with the minute it was written in; the reboot may end in the
    # minute after it began, and come before, between or after the card's lines.
    night=$(tail -n +$((lines + 1)) "$QV_LOG" | tr -d '\r' | awk '{ print substr($2, 1, 5) " " substr($0, 25) }')
    # After the shutdown's lines the window is over and the keep-awake request may be given back
    # before Windows ends the program.
    night=$(sed '${/^[0-9:]* Computer may Sleep Again\.$/d}' <<<"$night")
    reboot=$(grep -x -E "($card|$fail) Modem Rebooted Successfully\." <<<"$night" || true)
    # The failing reboot first tells how the listed one's proof stands: the modem's web port
    # never went silent (none when the port had not answered before the listed reboot).
    verdict=$(grep -x -F "$fail Modem did not Restart." <<<"$night" || true)
    bytes=$(awk '{ n += $4 } END { print n }' "$SRV/web.rec") last=$(tail -1 "$SRV/web.rec" | cut -d' ' -f4)
    expected="$card Enable Nic Command Issued.
$card Disable Nic Command Issued.
$fail Unable to Reboot Modem - Can't able to Connect 127.0.0.1:23"
    rest=$(grep -v -x -F -e "$reboot" -e "$verdict" <<<"$night")
    # The window's end line, for the whole run, comes before the shutdown's traffic line.
    pages=$(wc -l <"$SRV/web.rec")
    [[ $(grep -c . <<<"$reboot") == 1 && $(grep -c . <<<"$verdict") -le 1 && "$(tail -3 <<<"$night" | head -1)" == "${expected##*$'\n'}" &&
        ("$rest" == "$expected"$'\n'"$fail $(ended_line "$bytes" "$pages")"$'\n'"$fail $(total_line "$bytes")" ||
        "$rest" == "$expected"$'\n'"$fail $(ended_line $((bytes - last)) $((pages - 1)))"$'\n'"$fail $(total_line $((bytes - last)))") ]] ||
        e2e_fail "the night ($bytes bytes sent): $night"
    wait_for "the batch files to run" 60 test -s "$nic.on" -a -s "$nic.off"
    [[ "$(tr -d '\r ' <"$nic.on")$(tr -d '\r ' <"$nic.off")" == enabledisable ]] || e2e_fail "batch files ran"
    [[ "$(cat "$SRV/modem.rec")" == "$CONVERSATION"$'\n'"$CONVERSATION" ]] || e2e_fail "the modem received"
    e2e_ok "at $card the card's batch files run and the listed reboot succeeds; at $fail a failed reboot logs the total and shuts down"
}

# A test account that exists only in this mount namespace: copies of /etc/passwd, shadow and
# group with one line added, a plain pam_unix "login" service (no module writing outside the run)
# and an empty /var/log. Its shell plays a modem's command line: "reboot" leaves a line in
# $MODEM_MARKS/reboots. Then busybox telnetd listens on ADDRESS:PORT.
MODEM_ACCOUNT=qvmodem MODEM_PASSWORD=Modem-Secret MODEM_MARKS="$E2E_ROOT/home"
modem_account() {
    local etc="$E2E_ROOT/etc" f
    for f in busybox socat openssl /usr/sbin/telnetd /bin/login; do command -v "$f" >/dev/null || e2e_fail "$f is missing (packages busybox-static, socat, telnetd)"; done
    chmod 755 "$E2E_ROOT"
    mkdir -p "$etc" && mkdir -m 1777 "$MODEM_MARKS"
    printf '%s\n' '#!/bin/sh' "printf 'Test modem ready.\\r\\n'" \
        "while printf 'modem> ' && IFS= read -r line; do case \$(printf %s \"\$line\" | tr -d '\\r\\0') in" \
        "reboot) echo reboot >>$MODEM_MARKS/reboots; printf 'Rebooting...\\r\\n'; exit 0 ;;" \
        "help) printf 'Commands: help, reboot\\r\\n' ;; esac; done" >"$E2E_ROOT/shell"
    chmod 755 "$E2E_ROOT/shell"
    cp /etc/passwd /etc/group /etc/shadow "$etc/"
    echo "$MODEM_ACCOUNT:x:4242:4242:Test modem:$MODEM_MARKS:$E2E_ROOT/shell" >>"$etc/passwd"
    echo "$MODEM_ACCOUNT:x:4242:" >>"$etc/group"
    echo "$MODEM_ACCOUNT:$(openssl passwd -6 "$MODEM_PASSWORD"):19000:0:99999:7:::" >>"$etc/shadow"
    printf '%s required pam_unix.so\n' auth account session >"$etc/pam-login"
    for f in passwd group shadow; do mount --bind "$etc/$f" "/etc/$f"; done
    mount --bind "$etc/pam-login" /etc/pam.d/login
    mount -t tmpfs tmpfs /var/log
    busybox telnetd -F -b "$1" -p "$2" -l /bin/login >"$SRV/busybox.out" 2>&1 &
    E2E_PIDS+=($!)
    wait_for "busybox telnetd" 10 listening_on "$1" "$2"
}
modem_reboots() { if [[ -f "$MODEM_MARKS/reboots" ]]; then wc -l <"$MODEM_MARKS/reboots"; else echo 0; fi; }
# The shipped sample Reboot.Txt for the test account on ADDRESS PORT.
sample_file() {
    sed -e "s/^192.0.2.1 23 /$1 $2 /" -e "s/\"admin/\"$MODEM_ACCOUNT/" \
        -e "s/\"secret/\"$MODEM_PASSWORD/" -e 's/$/\r/' "$SOURCE/packaging/sample/Reboot.Txt"
}

# Listed reboots played as rows, one a minute from the next whole minute (QV_TELNET_GAP minutes
# apart if set): ROW_FILES holds each row's command file, written before its minute, and after
# each row's outcome the case's row_done I OUTCOME checks it. Two minutes more than rows: the
# rows follow the outcomes, not the minutes.
outcomes() { messages | grep -E '^(Modem Rebooted Successfully\.|Unable to )' || true; }
more_outcomes() { (($(outcomes | wc -l) > $1)); }
reboot_rows() {
    local i times=""
    for ((i = 1; i <= ${#ROW_FILES[@]} + 2; i++)); do
        times+="${times:+,}$(date -d "@$((($(date +%s) + 10) / 60 * 60 + i * 60 * ${QV_TELNET_GAP:-1}))" +%H:%M)"
    done
    set_setting SrvPing 0 SrvModemFail 0 SrvModem 1 Reboot "$times"
    printf '%s\n' "${ROW_FILES[0]}" >"$APP_DIR/Reboot.Txt"
    start_program
    wait_window "Icon Form"
    for i in "${!ROW_FILES[@]}"; do
        wait_for "reboot $((i + 1))'s outcome" 300 more_outcomes "$i"
        [[ -z "${ROW_FILES[$((i + 1))]:-}" ]] || printf '%s\n' "${ROW_FILES[$((i + 1))]}" >"$APP_DIR/Reboot.Txt"
        row_done "$i" "$(outcomes | tail -1)"
    done
    close_program
}

case_telnet() {
    local sample="$SOURCE/packaging/sample/Reboot.Txt" server kind row failed=0 before=0
    modem_account 127.0.0.1 2323
    socat TCP-LISTEN:2324,bind=127.0.0.1,reuseaddr,fork EXEC:/usr/sbin/telnetd,nofork >"$SRV/netkit.out" 2>&1 &
    E2E_PIDS+=($!)
    wait_for "netkit telnetd" 10 listening 2324
    grep -q -x '192.0.2.1 23 telnet' "$sample" || e2e_fail "the sample's line 1 has changed"
    # Each server plays the shipped sample (the word telnet, waiting for "login:" and
    # "Password:") with this account, and a plain file of WAIT "*" lines: server kind port.
    local rows=("busybox sample 2323" "busybox star 2323" "netkit sample 2324" "netkit star 2324")
    ROW_FILES=()
    for row in "${rows[@]}"; do
        read -r server kind port <<<"$row"
        if [[ $kind == sample ]]; then
            ROW_FILES+=("$(sample_file 127.0.0.1 "$port")")
        else
            ROW_FILES+=("$(printf '%s\r\n' "127.0.0.1 $port" 'WAIT "*"' "SEND \"$MODEM_ACCOUNT\\m\"" 'WAIT "*"' \
                "SEND \"$MODEM_PASSWORD\\m\"" 'WAIT "*"' 'SEND "reboot\m"' 'WAIT "*"' 'SEND ""')")
        fi
    done
    row_done() {
        (($(modem_reboots) > before)) && [[ "$2" == "Modem Rebooted Successfully." ]] ||
            { failed=$((failed + 1)) && echo "failed: ${rows[$1]}, logged: $2"; }
        before=$(modem_reboots)
    }
    reboot_rows
    [[ -n "${QV_TELNET_MEASURE:-}" ]] || ((failed == 0)) || e2e_fail "$failed of ${#rows[@]} reboots failed or were misreported"
    e2e_ok "busybox and netkit telnetd: both kinds of command file reboot the modem and are logged as such"
}

# The line dead all night, the rule paced to 3 reboots and a rest of 1 hour, and a modem (busybox
# telnetd on 127.0.0.2) whose web port goes silent for a while at each reboot, as a restarting
# modem's does. Takes about ten minutes: the rule's three minutes are the clock's.
case_pacing() {
    local down=12 limit restarts n at
    sandbox # the built-in pages on 127.0.0.1, where nothing listens: every page fails
    modem_account 127.0.0.2 2323
    sample_file 127.0.0.2 2323 >"$APP_DIR/Reboot.Txt"
    # The modem's web port, silent for $down seconds after each reboot the modem receives.
    modem_web() {
        local seen=0 web
        trap 'kill $web 2>/dev/null' EXIT
        while :; do
            socat TCP-LISTEN:80,bind=127.0.0.2,reuseaddr,fork SYSTEM:'printf "HTTP/1.0 200 OK\\r\\n\\r\\n"' &
            web=$!
            until (($(modem_reboots) > seen)); do sleep 0.1; done
            seen=$(modem_reboots)
            kill $web; wait $web 2>/dev/null || true
            sleep $down
        done
    }
    modem_web &
    E2E_PIDS+=($!)
    wait_for "the modem's web port" 10 listening_on 127.0.0.2 80
    set_setting Time 0,0 PingInterval 5 SrvPing 1 PingUrls "" RebootLimit 3,1 SrvModem 0 SrvModemFail 0
    start_program
    limit="No Connectivity - Reboot Limit Reached, Next Reboot after "
    has_limit() { messages | grep -q -F -- "$limit"; }
    wait_for "the reboot limit" 900 has_limit
    # A minute more of failing pages, and still no fourth reboot.
    n=$(messages | grep -c -x -F "Unable to open : http://www.msn.com/")
    wait_message "Unable to open : http://www.msn.com/" $((n + 4)) 120
    [[ $(messages | grep -c -x -F "No Connectivity Since last 3 Minutes - Rebooting Modem.") == 3 &&
        $(messages | grep -c -x -F "Modem Rebooted Successfully.") == 3 && $(modem_reboots) == 3 ]] ||
        e2e_fail "not three reboots ($(modem_reboots) received)"
    at=$(grep -a -F -- "$limit" "$QV_LOG" | head -1 | cut -c12-16)
    [[ "$(messages | grep -F -- "$limit")" == "$limit$(date -d "$at 1 hour" +%H:%M)." ]] ||
        e2e_fail "the limit line at $at"
    e2e_ok "3,1: three reboots, then the limit line naming the time an hour on, and no fourth"
    # Each reboot: the web port went silent and answered again within the watch.
    # The last reboot's watch may still be under way: its verdict is waited for.
    proved() { (($(messages | grep -c -E "^Modem (Restarted in [0-9]+ Seconds|did not .*)\.$") >= 3)); }
    wait_for "the third reboot's verdict" 360 proved
    restarts=$(messages | sed -n 's/^Modem Restarted in \([0-9]*\) Seconds\.$/\1/p')
    (($(grep -c . <<<"$restarts") == 3)) || e2e_fail "restarts proved: $restarts"
    for n in $restarts; do ((n >= 1 && n <= down + 20)) || e2e_fail "restarted in $n seconds"; done
    ! messages | grep -q -E "^Modem did not" || e2e_fail "a restart was missed"
    close_program
    e2e_ok "each reboot proved by the web port: restarted in $(tr '\n' ' ' <<<"$restarts")seconds"
}

case_sleep() {
    local h woke n
    sandbox
    start_servers web modem
    # The window open now and for two hours more; keeping awake is on unless stored off.
    h=$((10#$(date +%H)))
    set_setting Time "$h,$(((h + 2) % 24))" PingInterval 5 SrvPing 1 PingUrls "" SrvWake 1
    export WINEDEBUG=${QV_E2E_WINEDEBUG:--all}
    start_program
    wait_message "Keeping the Computer Awake in Free Usage Time."
    wait_for "a page fetched" 60 lines_at_least "$SRV/web.rec" 1
    export WINEDEBUG=-all
    # The line goes down and the program is frozen (a sleep Windows did not announce) for the
    # two minutes after which a gap between ticks is a wake, and a little more.
    block 80 "reject with tcp reset"
    kill -STOP "$QV_PID"
    sleep 130
    kill -CONT "$QV_PID"
    wait_message "Computer Woke Up." 1 60
    woke=$(messages | grep -n -x -F "Computer Woke Up." | cut -d: -f1)
    # Forty seconds of failing pages after the wake (a page every 5 s), then the line is back.
    after_wake() { (($(messages | tail -n +"$woke" | grep -c -F -- "$1") >= $2)); }
    wait_for "8 failed pages after the wake" 120 after_wake "Unable to open : " 8
    unblock 80
    wait_for "a page after the wake" 120 after_wake "Connectivity Restored after " 1
    n=$(messages | grep -c -x -F "No Connectivity Since last 3 Minutes - Rebooting Modem." || true)
    [[ $n == 0 && ! -s "$SRV/modem.rec" && $(messages | grep -c -x -F "Computer Woke Up.") == 1 ]] ||
        e2e_fail "after the freeze: $n reboots"
    close_program
    [[ "$(messages | tail -1)" == "Computer may Sleep Again." ]] || e2e_fail "the request kept at the end"
    e2e_ok "frozen 130 s in the window with the line down: one \"Computer Woke Up.\", the line back 40 s after, no reboot; the request given back at the end"
}

# A web device on 127.0.0.2 and 127.0.0.3 (ports 80 and 49000): Debian's lighttpd with Digest
# logins over its plain user file, MD5 under /upnp/ (a TR-064 box) and SHA-256 under /rpc/ (a
# Shelly Plus plug), no login elsewhere, every path played by device.cgi, which records what
# arrives in $DEVICE/device.rec; the server's access log ($DEVICE/access.log) has the status,
# method, path and Authorization of every request.
DEVICE="$E2E_ROOT/device"
web_device() {
    local path
    command -v lighttpd >/dev/null || e2e_fail "lighttpd is missing (package lighttpd)"
    mkdir -p "$DEVICE/www/upnp/control" "$DEVICE/www/rpc" "$DEVICE/www/relay"
    for path in upnp/control/deviceconfig rpc/Switch.Set cm relay/0; do
        ln -s "$SOURCE/tests/e2e/device.cgi" "$DEVICE/www/$path"
    done
    printf '%s\n' dslf-config:Box-Secret admin:Plug-Secret >"$DEVICE/users"
    cat >"$DEVICE/lighttpd.conf" <<CONF
server.document-root = "$DEVICE/www"
server.bind = "127.0.0.2"
server.port = 80
\$SERVER["socket"] == "127.0.0.2:49000" { }
\$SERVER["socket"] == "127.0.0.3:80" { }
server.errorlog = "$DEVICE/error.log"
server.modules = ("mod_auth", "mod_authn_file", "mod_cgi", "mod_accesslog")
accesslog.filename = "$DEVICE/access.log"
accesslog.format = "%s %m %U %{Authorization}i"
auth.backend = "plain"
auth.backend.plain.userfile = "$DEVICE/users"
auth.require = (
    "/upnp/" => ("method" => "digest", "algorithm" => "MD5", "realm" => "F!Box SOAP-Auth",
                 "require" => "user=dslf-config"),
    "/rpc/" => ("method" => "digest", "algorithm" => "SHA-256",
                "realm" => "shellyplus1pm-a8032ab12345", "require" => "user=admin"),
)
cgi.assign = ("" => "")
CONF
    touch "$DEVICE/device.rec"
    lighttpd -D -f "$DEVICE/lighttpd.conf" >"$DEVICE/out" 2>&1 &
    E2E_PIDS+=($!)
    wait_for "lighttpd" 10 listening_on 127.0.0.3 80
    E2E_DUMP=("$DEVICE/device.rec" "$DEVICE/access.log" "$DEVICE/error.log")
}

# Listed reboots of web-mode command files against the web device, the modem being the TR-064
# box on 127.0.0.2: a SOAP POST under Digest MD5, a Shelly Plus GET under Digest SHA-256 and a
# Tasmota GET without a login in one reboot, the modem's web port then going away and coming
# back; a wrong password, tried once; a device that never answers.
case_web() {
    web_device
    block 81 drop # the device that never answers
    window_away
    local soap='<?xml version=\"1.0\"?>\m<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\"><s:Body><u:Reboot xmlns:u=\"urn:dslforum-org:service:DeviceConfig:1\"/></s:Body></s:Envelope>'
    ROW_FILES=(
        "$(printf '%s\r\n' '127.0.0.2 80 web' 'USER "dslf-config" "Box-Secret"' \
            'HEADER "Content-Type: text/xml; charset=\"utf-8\""' \
            'HEADER "SoapAction: urn:dslforum-org:service:DeviceConfig:1#Reboot"' \
            "POST \"http://127.0.0.2:49000/upnp/control/deviceconfig\" \"$soap\"" \
            'EXPECT "done POST /upnp/control/deviceconfig"' 'USER "admin" "Plug-Secret"' \
            'GET "http://127.0.0.3/rpc/Switch.Set?id=0&on=false&toggle_after=30"' \
            'GET "http://127.0.0.3/cm?cmnd=Backlog%20Power%20Off%3BDelay%20100%3BPower%20On&user=admin&password=Tasmota-Secret"')"
        "$(printf '%s\r\n' '127.0.0.2 80 web' 'USER "admin" "Wrong-Secret"' \
            'GET "http://127.0.0.3/rpc/Switch.Set?id=0&on=false&toggle_after=30"')"
        "$(printf '%s\r\n' '127.0.0.2 80 web' 'USER "admin" "Plug-Secret"' \
            'GET "http://127.0.0.3:81/relay/0?turn=off&timer=30"')"
    )
    local results=("Modem Rebooted Successfully."
        "Unable to Reboot Modem - Web Request Refused : 401 http://127.0.0.3/rpc/Switch.Set"
        "Unable to Reboot Modem - No Answer from http://127.0.0.3:81/relay/0")
    # The server writes its access log in batches: the test's own requests mark where the run
    # stands in it.
    mark() {
        curl -s -o /dev/null "http://127.0.0.3/$1"
        wait_for "the access log" 30 grep -q " /$1 " "$DEVICE/access.log"
    }
    row_done() {
        [[ "$2" == "${results[$1]}" ]] || e2e_fail "row $1: $2"
        "web_row_$1"
    }
    # The three devices in one reboot, each request arriving whole.
    web_row_0() {
        local expected="POST /upnp/control/deviceconfig user=dslf-config
CONTENT_LENGTH: $(($(printf '%s' "$soap" | sed 's/\\"/"/g; s/\\m/\r\n/' | wc -c)))
CONTENT_TYPE: text/xml; charset=\"utf-8\"
HOST: 127.0.0.2:49000
SOAPACTION: urn:dslforum-org:service:DeviceConfig:1#Reboot
USER_AGENT: Quorvane
body:$(printf '%s' "$soap" | sed 's/\\"/"/g; s/\\m/\r\n/')
--
GET /rpc/Switch.Set?id=0&on=false&toggle_after=30 user=admin
HOST: 127.0.0.3
USER_AGENT: Quorvane
body:
--
GET /cm?cmnd=Backlog%20Power%20Off%3BDelay%20100%3BPower%20On&user=admin&password=Tasmota-Secret user=
HOST: 127.0.0.3
USER_AGENT: Quorvane
body:
--"
        # Besides them, WinINet may ask caches on the way not to answer for the device.
        [[ "$(grep -v -E '^(CACHE_CONTROL|PRAGMA): no-cache$' "$DEVICE/device.rec")" == "$expected" ]] ||
            e2e_fail "the devices received"
        e2e_ok "a TR-064 SOAP POST under Digest MD5, a Shelly Plus GET under Digest SHA-256 and a Tasmota GET without a login arrive whole in one reboot"

        # The modem's web port goes away (refused) until a probe of the restart proof has met it
        # closed, and comes back.
        nft -f - <<<"table inet qvmodem { chain out { type filter hook output priority 0; ip daddr 127.0.0.2 tcp dport 80 tcp flags syn counter reject with tcp reset; }; }"
        refused() { nft list table inet qvmodem | grep -q -E 'counter packets [1-9]'; }
        wait_for "a probe refused by the modem's web port" 60 refused
        nft delete table inet qvmodem
        restarted() { messages | grep -q -E '^Modem Restarted in [0-9]+ Seconds\.$'; }
        wait_for "the restart proof" 60 restarted
        e2e_ok "the reboot proved by the modem's web port: $(messages | grep -E '^Modem Restarted in ')"

        mark before-wrong-password
    }
    # A wrong password is tried once: one request with a login, refused.
    web_row_1() {
        mark after-wrong-password
        [[ "$(sed -n '/ \/before-wrong-password /,/ \/after-wrong-password /p' "$DEVICE/access.log" |
            grep -F ' /rpc/' | cut -d' ' -f1-4)" == "401 GET /rpc/Switch.Set -
401 GET /rpc/Switch.Set Digest" ]] || e2e_fail "the device was asked with the wrong password other than once"
        e2e_ok "a wrong password is sent once: ${results[1]}"
    }
    web_row_2() { e2e_ok "a device that never answers: ${results[2]}"; }
    reboot_rows
    [[ "$(messages | sed 's/^Modem Restarted in [0-9]* Seconds\.$/Modem Restarted in N Seconds./')" == "Dastrel's Quorvane Helper Started.
${results[0]}
Modem Restarted in N Seconds.
${results[1]}
${results[2]}" ]] || e2e_fail "the log: $(messages)"
    ! grep -a -F 'Secret' "$QV_LOG" || e2e_fail "a password reached the log"
    e2e_ok "the log holds the outcomes and the proof, with no query and no password"
}

case_installer() {
    local installer=$1 recorder=$2 product="Quorvane Helper" row path
    [[ -f "$installer" ]] || e2e_fail "no installer $installer: run scripts/package"
    local dir="$WINEPREFIX/drive_c/Program Files/$product" dir_win="C:\\Program Files\\$product"
    local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$product"
    local uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane'
    local kept="$E2E_ROOT/kept"
    APP_DIR=$dir QV_LOG="$dir/Quorvane.log" APP_EXE="$dir_win\\Quorvane.exe" # as the shortcut starts it
    mkdir -p "$kept"
    window_away
    setup() { "$WINE64" "$@" >/dev/null 2>&1 || e2e_fail "the installer $* ended with $?"; }
    crlf() { sed 's/\r*$/\r/' "$1"; }
    shortcuts() { ls "$menu" 2>/dev/null | tr '\n' '|'; }
    same_files() { for f in "$@"; do cmp -s "$f" "$kept/${f##*/}" || e2e_fail "${f##*/} changed"; done; }
    # The rights. Wine keeps no access list (it answers every file with one made of the Unix
    # mode, and its icacls does nothing), so the installer's icacls calls are recorded (qv_record
    # stands in for icacls) and compared whole, as the commands Windows would carry out: the
    # folder and all in it reset to what Program Files gives (which also takes back an earlier
    # installer's grant to Users over the folder), then Users may append to the log, nothing more.
    cp "$recorder" "$WINDOWS_DIR/system32/icacls.exe"
    export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;icacls.exe=n" QV_RECORD="Z:${E2E_ROOT//\//\\}\\icacls.rec"
    local rights_calls="\"$dir_win\" /reset /T /C /Q
\"$dir_win\\Quorvane.log\" /grant *S-1-5-32-545:(AD)"
    check_rights() {
        [[ "$(tr -d '\r' <"$E2E_ROOT/icacls.rec")" == "$rights_calls" ]] ||
            e2e_fail "the installer's icacls calls: $(cat "$E2E_ROOT/icacls.rec")"
        rm "$E2E_ROOT/icacls.rec"
    }
    # The Run value as stored: REG_SZ (1), then its bytes with the terminating NUL.
    run_value_is() {
        local want="1 $(printf '%s\0' "$1" | od -An -tx1 | tr -d ' \n')" got
        got=$(probe value "$RUN_KEY" Quorvane) || true
        [[ "$got" == "$want" ]] || e2e_fail "Run value $got, not $want (\"$1\")"
    }
    local run_data="\"$dir_win\\Quorvane.Exe\" /S"

    [[ ! -e "$WINDOWS_DIR/EnbNic.bat" ]] || e2e_fail "batch files before the install"
    setup "$installer" /S
    check_rights
    cmp -s "$dir/Quorvane.exe" "$QV_EXE" || e2e_fail "Program Files does not hold the program just built (run scripts/package)"
    cmp -s "$dir/UserGuide.txt" <(crlf "$SOURCE/docs/UserGuide.txt") &&
        cmp -s "$dir/sample/Reboot.Txt" <(crlf "$SOURCE/packaging/sample/Reboot.Txt") &&
        [[ "$(ls "$dir" | tr '\n' '|')" == "Quorvane.exe|Quorvane.log|UserGuide.txt|sample|uninstall.exe|" ]] &&
        [[ ! -s "$dir/Quorvane.log" ]] || e2e_fail "program folder: $(ls -R "$dir")"
    [[ "$(shortcuts)" == "$product.lnk|Uninstall $product.lnk|User Guide.lnk|" ]] || e2e_fail "Start menu: $(shortcuts)"
    # A shortcut holds its target's full path.
    for row in "$product.lnk|Quorvane.exe" "User Guide.lnk|UserGuide.txt" "Uninstall $product.lnk|uninstall.exe"; do
        strings -a "$menu/${row%|*}" | grep -q -F "$dir_win\\${row#*|}" || e2e_fail "${row%|*} does not lead to ${row#*|}"
    done
    for row in "DisplayName=$product" "UninstallString=\"$dir_win\\uninstall.exe\"" "InstallLocation=$dir_win"; do
        [[ "$(stored "$uninstall_key" "${row%%=*}")" == "${row#*=}" ]] || e2e_fail "uninstall entry ${row%%=*}"
    done
    [[ -z "$(stored "$RUN_KEY" Quorvane)$(stored SrvStartup)" ]] || e2e_fail "\"Start with Windows\" unasked for"
    # The installer's batch files hold the bytes the program writes when they are missing.
    mv "$WINDOWS_DIR/EnbNic.bat" "$WINDOWS_DIR/DisNic.bat" "$kept/" || e2e_fail "no batch files installed"
    start_program
    wait_message "Dastrel's Quorvane Helper Started."
    wait_window "Icon Form"
    same_files "$WINDOWS_DIR/EnbNic.bat" "$WINDOWS_DIR/DisNic.bat"
    e2e_ok "install: the program, guide, sample, empty log, shortcuts, uninstall entry and batch files; no Run value; icacls resets the folder, Users may append to the log"

    # Again, over the running program in the middle of a listed reboot that waits for a modem
    # that never speaks, with "Shutdown on Failure." and "Start with Windows": the program ends
    # with no line (no failure, no quit line), nothing is shut down (a bystander in the prefix
    # would end with it), the user's files stay (a DisNic.bat edited to the same size), nothing
    # is made twice, nothing starts.
    printf '%s\r\n' "127.0.0.1 23" 'WAIT "Login:"' 'SEND "admin\m"' >"$dir/Reboot.Txt"
    printf 'Devcon disable =Net\r\nRem Devcon disable =Ports\r\n' >"$WINDOWS_DIR/DisNic.bat"
    touch "$SRV/modem.rec" && echo silent >"$SRV/modem.ctl"
    start_servers modem
    E2E_DUMP=("$SRV/modem.rec")
    close_program
    (cd "$dir" && exec "$WINE64" notepad) >/dev/null 2>&1 &
    local bystander=$! at=$((($(date +%s) + 20) / 60 * 60 + 60))
    wait_window "Untitled - Notepad"
    set_setting Reboot "$(date -d "@$at" +%H:%M)" SrvModem 1 SrvModemFail 1
    start_program
    wait_message "Dastrel's Quorvane Helper Started." 2
    wait_window "Icon Form"
    (($(date +%s) < at)) || e2e_fail "the program started too late for its reboot"
    wait_for "the listed reboot to connect" $((at - $(date +%s) + 90)) grep -q -x -- "-- connect" "$SRV/modem.rec"
    cp "$dir/Reboot.Txt" "$QV_LOG" "$WINDOWS_DIR/DisNic.bat" "$kept/"
    setup "$installer" /S /STARTUP
    check_rights
    wait_exit "$QV_PID" 30
    no_window "Icon Form" || e2e_fail "a program runs after the install"
    wait_for "the modem's line to close" 30 grep -q -x -- "-- closed" "$SRV/modem.rec"
    kill -0 "$bystander" 2>/dev/null || e2e_fail "the computer was shut down"
    kill "$bystander"
    same_files "$dir/Reboot.Txt" "$QV_LOG" "$WINDOWS_DIR/DisNic.bat"
    cmp -s "$dir/Quorvane.exe" "$QV_EXE" && [[ "$(shortcuts)" == "$product.lnk|Uninstall $product.lnk|User Guide.lnk|" ]] ||
        e2e_fail "installed again: $(shortcuts)"
    run_value_is "$run_data"
    [[ "$(stored SrvStartup)" == 1 ]] || e2e_fail "SrvStartup $(stored SrvStartup)"
    e2e_ok "again over the program in the middle of a conversation: closed with no line and no shutdown, the user's files kept, the rights reset again; \"Start with Windows\" writes the Run value $run_data"

    # Started by Windows with that value's command line, the box shows ticked; the program's own
    # save rewrites a value of an earlier version (the path unquoted) quoted.
    "$WINE64" reg add "$RUN_KEY" /v Quorvane /t REG_SZ /d "$dir_win\\Quorvane.Exe /S" /f >/dev/null 2>&1
    start_program /S
    wait_message "Dastrel's Quorvane Helper Started with Windows."
    open_dialog
    [[ "$(ticked "Run on Windows Startup")" == 1 ]] || e2e_fail "the box is clear after a start by Windows"
    probe send "$DIALOG" @CmdMiscOK 0xF5 0 0 >/dev/null # BM_CLICK
    wait_no_window "$DIALOG"
    run_value_is "$run_data"
    close_program
    e2e_ok "started by Windows, the box shows ticked; the program's save writes the Run value $run_data"

    # Uninstall with the program running. The uninstaller runs from a copy: wait for its work.
    start_program
    wait_message "Dastrel's Quorvane Helper Started." 3
    wait_window "Icon Form"
    cp "$QV_LOG" "$kept/"
    setup "$dir_win\\uninstall.exe" /S
    uninstalled() { [[ -z "$(stored "$uninstall_key" DisplayName)" ]]; }
    wait_for "the uninstaller to remove its entry" 180 uninstalled
    wait_exit "$QV_PID" 30
    [[ -z "$(stored "$RUN_KEY" Quorvane)" ]] || e2e_fail "the Run value stays"
    ! "$WINE64" reg query "$SETTINGS_KEY" >/dev/null 2>&1 || e2e_fail "the settings stay"
    [[ "$(ls -A "$dir" | tr '\n' '|')" == "Quorvane.log|Reboot.Txt|" && ! -e "$menu" && ! -e "$WINDOWS_DIR/EnbNic.bat" ]] ||
        e2e_fail "left: $(ls -A "$dir") $(shortcuts) $(ls "$WINDOWS_DIR"/*.bat)"
    same_files "$QV_LOG" "$dir/Reboot.Txt" "$WINDOWS_DIR/DisNic.bat"
    e2e_ok "uninstall: the program closed and gone with its Run value, settings and unedited batch file; the user's files stay"
}

# (exit here: bash reads no further lines of this file, which may have changed meanwhile)
"case_$CASE" "$@"; exit
