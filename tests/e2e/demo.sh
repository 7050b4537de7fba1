#!/usr/bin/env bash
# The program's demo (scripts/run --demo): the real Quorvane.exe under wine64 in the test
# sandbox (loopback only, its own Xvfb and a fresh Wine prefix), with a fake modem and local
# pages, set up to fetch a page every 5 seconds in an always-open free window and to reboot the
# modem a minute ahead. The log is followed live; at the end (after SECONDS, or Ctrl-C) it
# writes screenshots of the tray and of the settings dialog and leaves everything in OUT_DIR.
#   demo.sh QUORVANE_EXE QV_PROBE_EXE SECONDS OUT_DIR
export QV_EXE="$1" QV_PROBE="$2"
if [[ -z "${QV_E2E_NETNS:-}" ]]; then
    echo "Preparing the sandbox: loopback-only network, Xvfb and a fresh Wine prefix" \
        "(about half a minute)..."
fi
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sandbox.sh"
seconds="$3"
out="$4"
[[ "$seconds" =~ ^[0-9]+$ ]] || e2e_fail "the demo's length is a number of seconds: $seconds"

sandbox_hosts
start_web_server 2500
start_modem
write_command_file
reboot_at=$(next_whole_minute)
set_setting Time "0,0"
set_setting PingInterval 5
set_setting SrvPing 1
set_setting PingUrls "http://127.0.0.1/news.html,http://127.0.0.1/weather.html"
set_setting Reboot "$reboot_at"
set_setting SrvModem 1

cat <<EOF

Quorvane Helper demo
  program folder  $APP_DIR (Quorvane.exe, Reboot.Txt, Quorvane.log)
  free window     always open (Time 0,0): a page every 5 seconds from the local web server
                  on 127.0.0.1:80, which also answers the program's built-in page names
  modem           a fake one on 127.0.0.1:$MODEM_PORT, rebooted at $reboot_at by Reboot.Txt
  running for     $seconds seconds (Ctrl-C ends it sooner)
The log follows; [web] lines are the pages served, [modem] lines what the modem received.

EOF

followers=()
touch "$QV_LOG"
tail -F --pid=$$ -n +1 "$QV_LOG" 2>/dev/null | sed -u 's/\r$//' &
followers+=($!)
tail -F --pid=$$ -n +1 "$WEB_RECORD" 2>/dev/null | while IFS=$'\t' read -r when host path status bytes; do
    echo "    [web]   $when http://$host$path -> $status, $bytes bytes"
done &
followers+=($!)
tail -F --pid=$$ -n +1 "$MODEM_RECORD" 2>/dev/null | sed -u 's/^/    [modem] /' &
followers+=($!)
SANDBOX_PIDS+=("${followers[@]}")

start_program
stop=""
trap 'stop=1' INT
for _ in $(seq "$seconds"); do
    [[ -z "$stop" ]] || break
    kill -0 "$QV_PID" 2>/dev/null || break
    sleep 1 || true
done
trap - INT

mkdir -p "$out"
echo
if kill -0 "$QV_PID" 2>/dev/null; then
    window_shot "Wine System Tray" "$out/tray.png" 400 || echo "(no tray window to show)"
    probe post "Icon Form" 0x200 0 0x203
    if probe wait-window "Quorvane Helper Utility by Dastrel (v1.1)." 10000; then
        # A double-click on "Current Setting is ..." (CONNECTIVITY) logs the traffic so far.
        probe dblclick "Quorvane Helper Utility by Dastrel (v1.1)." @lblInterval || true
        sleep 1
        window_shot "Quorvane Helper Utility by Dastrel (v1.1)." "$out/settings.png"
    else
        echo "(the settings dialog did not open)"
    fi
    screenshot "$out/screen.png"
    probe post "Icon Form" 0x111 103 0  # the tray menu's Exit
    wait_exit "$QV_PID" 20
fi
sleep 0.5
for pid in "${followers[@]}"; do kill "$pid" 2>/dev/null || true; done
cp "$QV_LOG" "$APP_DIR/Reboot.Txt" "$out/" 2>/dev/null || true
cp "$WEB_RECORD" "$out/web-requests.txt"
cp "$MODEM_RECORD" "$out/modem-received.txt"
echo
echo "Demo finished. Left in $out:"
for f in tray.png settings.png screen.png Quorvane.log web-requests.txt modem-received.txt; do
    [[ -f "$out/$f" ]] && echo "  $out/$f"
done
