#!/usr/bin/env bash
# The modem reboot against real telnet servers from Debian's packages, under wine64: busybox's
# telnetd and netkit's telnetd (behind socat), each logging a test account in through
# /bin/login with a password. The account's shell plays a modem's command line and, on
# "reboot", adds a line to a mark file and ends the session. At listed reboot times the
# program plays, against each server, the shipped sample file (the word telnet on line 1,
# waiting for "login:" and "Password:"), and a plain file of WAIT "*" lines. Each reboot must reach the
# modem, and "Modem Rebooted Successfully." must be logged exactly when it did.
#
# The account exists only in this run's mount namespace: /etc/passwd, /etc/shadow and
# /etc/group are copies with one line added, PAM's "login" service is a plain pam_unix stack
# (no loginuid, motd or lastlog modules, which would write outside the run) and /var/log,
# where login keeps its records, is an empty tmpfs.
#
#   telnet-servers.sh QUORVANE_EXE QV_PROBE_EXE
#
# QV_TELNET_GAP: whole minutes between the listed reboot times (default 1).
# QV_TELNET_MEASURE=1: report the four outcomes without failing on them.
export QV_EXE="$1" QV_PROBE="$2"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sandbox.sh"

ACCOUNT=qvmodem
PASSWORD=Modem-Secret
BUSYBOX_PORT=2323
NETKIT_PORT=2324
GAP=${QV_TELNET_GAP:-1}
MARKS="$E2E_ROOT/home"
MARK="$MARKS/reboots"
MODEM_SHELL="$E2E_ROOT/modem-shell"
ETC="$E2E_ROOT/etc"

for tool in busybox socat openssl /usr/sbin/telnetd /bin/login; do
    command -v "$tool" >/dev/null || e2e_fail "$tool is missing (packages busybox-static, socat, telnetd)"
done
busybox telnetd --help 2>&1 | grep -q -- '-l LOGIN' || e2e_fail "busybox has no telnetd (package busybox-static)"

# The account and its shell, for this namespace only.
chmod 755 "$E2E_ROOT"
mkdir -p "$ETC"
mkdir -m 1777 "$MARKS"
cat >"$MODEM_SHELL" <<SHELL
#!/bin/sh
# A modem's command line: "reboot" leaves a mark and ends the session.
printf 'Test modem ready.\r\n'
while :; do
    printf 'modem> '
    IFS= read -r line || exit 0
    line=\$(printf '%s' "\$line" | tr -d '\r\0')
    case "\$line" in
    reboot) echo reboot >>"$MARK"; printf 'Rebooting...\r\n'; exit 0 ;;
    help) printf 'Commands: help, reboot\r\n' ;;
    '') ;;
    *) printf '%s: unknown command\r\n' "\$line" ;;
    esac
done
SHELL
chmod 755 "$MODEM_SHELL"
cp /etc/passwd /etc/group /etc/shadow "$ETC/"
echo "$ACCOUNT:x:4242:4242:Test modem:$MARKS:$MODEM_SHELL" >>"$ETC/passwd"
echo "$ACCOUNT:x:4242:" >>"$ETC/group"
echo "$ACCOUNT:$(openssl passwd -6 "$PASSWORD"):19000:0:99999:7:::" >>"$ETC/shadow"
printf '%s\n' 'auth required pam_unix.so' 'account required pam_unix.so' \
    'session required pam_unix.so' >"$ETC/pam-login"
for f in passwd group shadow; do mount --bind "$ETC/$f" "/etc/$f"; done
mount --bind "$ETC/pam-login" /etc/pam.d/login
mount -t tmpfs tmpfs /var/log

busybox telnetd -F -b 127.0.0.1 -p "$BUSYBOX_PORT" -l /bin/login >"$SRV_DIR/busybox.out" 2>&1 &
SANDBOX_PIDS+=($!)
socat "TCP-LISTEN:$NETKIT_PORT,bind=127.0.0.1,reuseaddr,fork" EXEC:/usr/sbin/telnetd,nofork \
    >"$SRV_DIR/netkit.out" 2>&1 &
SANDBOX_PIDS+=($!)
for port in "$BUSYBOX_PORT" "$NETKIT_PORT"; do
    for _ in $(seq 100); do
        ss -ltn | grep -q "127.0.0.1:$port " && break
        sleep 0.1
    done
    ss -ltn | grep -q "127.0.0.1:$port " || e2e_fail "no server on port $port"
done

# The command files: the shipped sample (the word telnet, waiting for "login:" and
# "Password:") with this modem's address and account, and one of WAIT "*" lines.
SAMPLE="$SANDBOX_SOURCE/packaging/sample/Reboot.Txt"
telnet_file() {
    grep -q -x '192.0.2.1 23 telnet' "$SAMPLE" || e2e_fail "the sample's line 1 has changed"
    sed -e "s/^192.0.2.1 23 /127.0.0.1 $1 /" -e "s/\"admin/\"$ACCOUNT/" \
        -e "s/\"secret/\"$PASSWORD/" -e 's/$/\r/' "$SAMPLE" >"$APP_DIR/Reboot.Txt"
}
star_file() {
    printf '%s\r\n' "127.0.0.1 $1" 'WAIT "*"' "SEND \"$ACCOUNT\\m\"" 'WAIT "*"' \
        "SEND \"$PASSWORD\\m\"" 'WAIT "*"' 'SEND "reboot\m"' 'WAIT "*"' 'SEND ""' \
        >"$APP_DIR/Reboot.Txt"
}

messages() { [[ -f "$QV_LOG" ]] && tr -d '\r' <"$QV_LOG" | cut -c25- | tr -d '\377' || true; }
marks() { [[ -f "$MARK" ]] && wc -l <"$MARK" || echo 0; }
# Waits until the log holds more than N lines that end a reboot (success or failure).
wait_outcome() {
    local before=$1
    for _ in $(seq 3000); do
        (($(messages | grep -a -c -E '^(Modem Rebooted Successfully\.|Unable to )' || true) > before)) &&
            return 0
        sleep 0.1
    done
    e2e_fail "no reboot outcome logged in 300 s"
}

CASES=("busybox telnet $BUSYBOX_PORT" "busybox star $BUSYBOX_PORT" "netkit telnet $NETKIT_PORT"
    "netkit star $NETKIT_PORT")
times=()
# Two more minutes than cases: the cases follow the outcomes, not the minutes, so a program that
# starts too late for the first minute serves its first case in the next one.
for ((i = 0; i < ${#CASES[@]} + 2; i++)); do times+=("$(next_whole_minute $((i * GAP)))"); done
set_setting SrvPing 0
set_setting SrvModemFail 0
set_setting SrvModem 1
set_setting Reboot "$(IFS=,; echo "${times[*]}")"
read -r _ kind port <<<"${CASES[0]}"
"${kind}_file" "$port"
start_program
probe wait-window "Icon Form" 20000 || e2e_fail "no main window"

failed=0
outcomes=0
for i in "${!CASES[@]}"; do
    read -r server kind port <<<"${CASES[$i]}"
    marks_before=$(marks)
    wait_outcome "$outcomes"
    outcomes=$((outcomes + 1))
    last=$(messages | grep -a -E '^(Modem Rebooted Successfully\.|Unable to )' | tail -1)
    # The next case's file, before its minute comes.
    if ((i + 1 < ${#CASES[@]})); then
        read -r _ next_kind next_port <<<"${CASES[$((i + 1))]}"
        "${next_kind}_file" "$next_port"
    fi
    reached=$(($(marks) > marks_before))
    logged=$([[ "$last" == "Modem Rebooted Successfully." ]] && echo 1 || echo 0)
    echo "outcome: $server ${kind} file: modem rebooted=$reached, logged: $last"
    if ((!reached || reached != logged)); then failed=$((failed + 1)); fi
done
close_program

if [[ -z "${QV_TELNET_MEASURE:-}" ]]; then
    ((failed == 0)) || e2e_fail "$failed of ${#CASES[@]} reboots did not reach the modem or were misreported"
    e2e_ok "busybox and netkit telnetd: both kinds of command file reboot the modem and are logged as such"
fi
