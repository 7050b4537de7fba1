#!/usr/bin/env bash
# End-to-end cases of the real Quorvane.exe under wine64, each in its own loopback-only network
# namespace with its own Xvfb and a fresh Wine prefix (lib.sh). Every wait is for an event (a log
# line, a file, a window), never for a clock second.
#
#   e2e.sh CASE QUORVANE_EXE QV_PROBE_EXE [ARGS]
#
#   smoke      start lines, the tray icon and its menu, the single-instance rule, a bad stored
#              setting, and a program folder where the log cannot be written (read-only, full)
#   night      a whole night in a few minutes against the fake modem and web server: lost
#              connectivity rebooting the modem, keep-alive fetches, "&ViewErrorLog", card and
#              listed reboot in one minute (times stored while the settings dialog is open and
#              read at its close), a failed reboot shutting down in the next
#   telnet     listed reboots against busybox's and netkit's telnetd logging a test account in
#   installer  SETUP_AMD64_EXE (from scripts/package): install, again over the program in the
#              middle of a conversation with "Shutdown on Failure." and "Start with Windows",
#              uninstall with the program running
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
listening() { ss -ltn | grep -q "127.0.0.1:$1 "; }
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
    # and closed by Windows, which writes no quit line: arguments|NIC|the lines logged.
    for row in "/S||Dastrel's Quorvane Helper Started with Windows." \
        "|1:59|GetSettings Unknown Error : 9;Dastrel's Quorvane Helper Started."; do
        IFS='|' read -r arg nic lines <<<"$row"
        rm -f "$QV_LOG"
        [[ -z "$nic" ]] || set_setting NIC "$nic"
        start_program $arg
        wait_message "${lines##*;}"
        close_program
        [[ "$(messages)" == "${lines//;/$'\n'}" ]] || e2e_fail "start \"$arg\", NIC \"$nic\": $(messages)"
    done
    e2e_ok "a start with an argument, a bad stored NIC, a close by Windows"

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
total_line() { echo "Total Data Downloaded for Connectivity : $(awk -v b="$1" 'BEGIN { printf "%.15g", b / 1024 }') KB."; }
until_epoch() { echo $(($1 - $(date +%s) > 1 ? $1 - $(date +%s) : 1)); }

case_night() {
    local far bystander lines card_at card fail night reboot rest bytes last cycle
    local nic="$E2E_ROOT/nic" expected
    sandbox
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
Unable to open : http://www.bing.com/
Unable to open : http://www.msn.com/
Unable to open : http://127.0.0.1/night/1.html
No Connectivity Since last 3 Minutes - Rebooting Modem.
Modem Rebooted Successfully."
    [[ "$(messages)" == "$expected" ]] || e2e_fail "lost connectivity: $(messages)"
    wait_for "the modem's line to close" 30 grep -q -x -- "-- closed" "$SRV/modem.rec"
    [[ "$(cat "$SRV/modem.rec")" == "$CONVERSATION" ]] || e2e_fail "the modem received"
    e2e_ok "lost connectivity at the start reboots the modem with Reboot.Txt"

    # The failures left the icon yellow; opening the log in Notepad turns it blue.
    wait_tray yellow
    probe post "Icon Form" 0x111 101 0 # &ViewErrorLog
    wait_window "$NOTEPAD"
    [[ "$(probe text "$NOTEPAD" 0)" == "$(tr -d '\r' <"$QV_LOG" | head -6)" ]] ||
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
    probe post "$DIALOG" 0x10 0 0
    wait_no_window "$DIALOG"
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
    reboot=$(grep -x -E "($card|$fail) Modem Rebooted Successfully\." <<<"$night" || true)
    bytes=$(awk '{ n += $4 } END { print n }' "$SRV/web.rec") last=$(tail -1 "$SRV/web.rec" | cut -d' ' -f4)
    expected="$card Enable Nic Command Issued.
$card Disable Nic Command Issued.
$fail Unable to Reboot Modem - Can't able to Connect 127.0.0.1:23"
    rest=$(grep -v -x -F "$reboot" <<<"$night")
    [[ $(grep -c . <<<"$reboot") == 1 && "$(tail -2 <<<"$night" | head -1)" == "${expected##*$'\n'}" &&
        ("$rest" == "$expected"$'\n'"$fail $(total_line "$bytes")" ||
        "$rest" == "$expected"$'\n'"$fail $(total_line $((bytes - last)))") ]] ||
        e2e_fail "the night ($bytes bytes sent): $night"
    wait_for "the batch files to run" 60 test -s "$nic.on" -a -s "$nic.off"
    [[ "$(tr -d '\r ' <"$nic.on")$(tr -d '\r ' <"$nic.off")" == enabledisable ]] || e2e_fail "batch files ran"
    [[ "$(cat "$SRV/modem.rec")" == "$CONVERSATION"$'\n'"$CONVERSATION" ]] || e2e_fail "the modem received"
    e2e_ok "at $card the card's batch files run and the listed reboot succeeds; at $fail a failed reboot logs the total and shuts down"
}

case_telnet() {
    local account=qvmodem password=Modem-Secret marks="$E2E_ROOT/home" etc="$E2E_ROOT/etc" f i
    local sample="$SOURCE/packaging/sample/Reboot.Txt" server kind seen=0 before failed=0
    for f in busybox socat openssl /usr/sbin/telnetd /bin/login; do command -v "$f" >/dev/null || e2e_fail "$f is missing (packages busybox-static, socat, telnetd)"; done
    # The account exists only in this mount namespace: copies of /etc/passwd, shadow and group
    # with one line added, a plain pam_unix "login" service (no module writing outside the run)
    # and an empty /var/log. Its shell plays a modem's command line: "reboot" leaves a mark.
    chmod 755 "$E2E_ROOT"
    mkdir -p "$etc" && mkdir -m 1777 "$marks"
    printf '%s\n' '#!/bin/sh' "printf 'Test modem ready.\\r\\n'" \
        "while printf 'modem> ' && IFS= read -r line; do case \$(printf %s \"\$line\" | tr -d '\\r\\0') in" \
        "reboot) echo reboot >>$marks/reboots; printf 'Rebooting...\\r\\n'; exit 0 ;;" \
        "help) printf 'Commands: help, reboot\\r\\n' ;; esac; done" >"$E2E_ROOT/shell"
    chmod 755 "$E2E_ROOT/shell"
    cp /etc/passwd /etc/group /etc/shadow "$etc/"
    echo "$account:x:4242:4242:Test modem:$marks:$E2E_ROOT/shell" >>"$etc/passwd"
    echo "$account:x:4242:" >>"$etc/group"
    echo "$account:$(openssl passwd -6 "$password"):19000:0:99999:7:::" >>"$etc/shadow"
    printf '%s required pam_unix.so\n' auth account session >"$etc/pam-login"
    for f in passwd group shadow; do mount --bind "$etc/$f" "/etc/$f"; done
    mount --bind "$etc/pam-login" /etc/pam.d/login
    mount -t tmpfs tmpfs /var/log
    busybox telnetd -F -b 127.0.0.1 -p 2323 -l /bin/login >"$SRV/busybox.out" 2>&1 &
    E2E_PIDS+=($!)
    socat TCP-LISTEN:2324,bind=127.0.0.1,reuseaddr,fork EXEC:/usr/sbin/telnetd,nofork >"$SRV/netkit.out" 2>&1 &
    E2E_PIDS+=($!)
    wait_for "busybox telnetd" 10 listening 2323
    wait_for "netkit telnetd" 10 listening 2324
    grep -q -x '192.0.2.1 23 telnet' "$sample" || e2e_fail "the sample's line 1 has changed"

    # Each server plays the shipped sample (the word telnet, waiting for "login:" and
    # "Password:") with this account, and a plain file of WAIT "*" lines: server kind port.
    local cases=("busybox sample 2323" "busybox star 2323" "netkit sample 2324" "netkit star 2324")
    write_file() {
        if [[ $1 == sample ]]; then
            sed -e "s/^192.0.2.1 23 /127.0.0.1 $2 /" -e "s/\"admin/\"$account/" \
                -e "s/\"secret/\"$password/" -e 's/$/\r/' "$sample"
        else
            printf '%s\r\n' "127.0.0.1 $2" 'WAIT "*"' "SEND \"$account\\m\"" 'WAIT "*"' \
                "SEND \"$password\\m\"" 'WAIT "*"' 'SEND "reboot\m"' 'WAIT "*"' 'SEND ""'
        fi >"$APP_DIR/Reboot.Txt"
    }
    outcomes() { messages | grep -c -E '^(Modem Rebooted Successfully\.|Unable to )' || true; }
    reboots() { if [[ -f "$marks/reboots" ]]; then wc -l <"$marks/reboots"; else echo 0; fi; }
    more_outcomes() { (($(outcomes) > seen)); }
    # Two more minutes than cases: the cases follow the outcomes, not the minutes.
    local times=""
    for ((i = 1; i <= ${#cases[@]} + 2; i++)); do
        times+="${times:+,}$(date -d "@$((($(date +%s) + 10) / 60 * 60 + i * 60 * ${QV_TELNET_GAP:-1}))" +%H:%M)"
    done
    set_setting SrvPing 0 SrvModemFail 0 SrvModem 1 Reboot "$times"
    write_file sample 2323
    start_program
    wait_window "Icon Form"
    for i in "${!cases[@]}"; do
        read -r server kind _ <<<"${cases[$i]}"
        before=$(reboots)
        wait_for "a reboot outcome" 300 more_outcomes
        seen=$((seen + 1))
        # The next case's file, before its minute comes.
        [[ -z "${cases[$((i + 1))]:-}" ]] || write_file $(cut -d' ' -f2,3 <<<"${cases[$((i + 1))]}")
        last=$(messages | grep -E '^(Modem Rebooted Successfully\.|Unable to )' | tail -1)
        [[ $(($(reboots) > before)) == 1 && "$last" == "Modem Rebooted Successfully." ]] || { failed=$((failed + 1)) && echo "failed: $server $kind file, logged: $last"; }
    done
    close_program
    [[ -n "${QV_TELNET_MEASURE:-}" ]] || ((failed == 0)) || e2e_fail "$failed of ${#cases[@]} reboots failed or were misreported"
    e2e_ok "busybox and netkit telnetd: both kinds of command file reboot the modem and are logged as such"
}

case_installer() {
    local installer=$1 product="Quorvane Helper" row run_value
    [[ -f "$installer" ]] || e2e_fail "no installer $installer: run scripts/package"
    local dir="$WINEPREFIX/drive_c/Program Files/$product" dir_win="C:\\Program Files\\$product"
    local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$product"
    local uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane'
    local kept="$E2E_ROOT/kept"
    APP_DIR=$dir QV_LOG="$dir/Quorvane.log" APP_EXE="$dir_win\\Quorvane.exe" # as the shortcut starts it
    mkdir -p "$kept"
    setup() { "$WINE64" "$@" >/dev/null 2>&1 || e2e_fail "the installer $* ended with $?"; }
    crlf() { sed 's/\r*$/\r/' "$1"; }
    shortcuts() { ls "$menu" 2>/dev/null | tr '\n' '|'; }
    same_files() { for f in "$@"; do cmp -s "$f" "$kept/${f##*/}" || e2e_fail "${f##*/} changed"; done; }

    [[ ! -e "$WINDOWS_DIR/EnbNic.bat" ]] || e2e_fail "batch files before the install"
    setup "$installer" /S
    cmp -s "$dir/Quorvane.exe" "$QV_EXE" || e2e_fail "Program Files does not hold the program just built (run scripts/package)"
    cmp -s "$dir/UserGuide.txt" <(crlf "$SOURCE/docs/UserGuide.txt") &&
        cmp -s "$dir/sample/Reboot.Txt" <(crlf "$SOURCE/packaging/sample/Reboot.Txt") &&
        [[ "$(ls "$dir" | tr '\n' '|')" == "Quorvane.exe|UserGuide.txt|sample|uninstall.exe|" ]] ||
        e2e_fail "program folder: $(ls -R "$dir")"
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
    e2e_ok "install: the program, guide, sample, shortcuts, uninstall entry and batch files; no Run value"

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
    wait_exit "$QV_PID" 30
    no_window "Icon Form" || e2e_fail "a program runs after the install"
    wait_for "the modem's line to close" 30 grep -q -x -- "-- closed" "$SRV/modem.rec"
    kill -0 "$bystander" 2>/dev/null || e2e_fail "the computer was shut down"
    kill "$bystander"
    same_files "$dir/Reboot.Txt" "$QV_LOG" "$WINDOWS_DIR/DisNic.bat"
    cmp -s "$dir/Quorvane.exe" "$QV_EXE" && [[ "$(shortcuts)" == "$product.lnk|Uninstall $product.lnk|User Guide.lnk|" ]] ||
        e2e_fail "installed again: $(shortcuts)"
    run_value=$(stored "$RUN_KEY" Quorvane)
    [[ "$run_value" == "$dir_win\\Quorvane.Exe /S" && "$(stored SrvStartup)" == 1 ]] || e2e_fail "Run value $run_value"
    e2e_ok "again over the program in the middle of a conversation: closed with no line and no shutdown, the user's files kept; \"Start with Windows\" writes the Run value"

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
