# The local world of an end-to-end run: a web server and a fake modem on 127.0.0.1, the
# program's public page names pointed at 127.0.0.1, and the command file beside the program.
#
# Source it after lib.sh (which has moved the run into its own network and mount namespaces).
# The web server listens on port 80, which is also the modem's web port that the program
# probes; the fake modem answers telnet on port 23.

SANDBOX_SERVERS="$(cd "$(dirname "${BASH_SOURCE[0]}")/servers" && pwd)"
SANDBOX_SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
SRV_DIR="$E2E_ROOT/servers"
mkdir -p "$SRV_DIR"
WEB_RECORD="$SRV_DIR/web.rec"
WEB_CONTROL="$SRV_DIR/web.ctl"
MODEM_RECORD="$SRV_DIR/modem.rec"
MODEM_CONTROL="$SRV_DIR/modem.ctl"
MODEM_PORT=23
: >"$WEB_RECORD"
: >"$MODEM_RECORD"
SANDBOX_PIDS=()

# No proxy may take the program's requests elsewhere.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY no_proxy NO_PROXY

sandbox_cleanup() {
    local pid
    for pid in "${SANDBOX_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    e2e_cleanup
}
trap sandbox_cleanup EXIT

# Points every host name of the program's built-in and default pages at 127.0.0.1, for this
# mount namespace only.
sandbox_hosts() {
    local hosts="$E2E_ROOT/hosts" names
    names=$(grep -ho 'http://[^/"]*' "$SANDBOX_SOURCE/app/Globals.cpp" \
        "$SANDBOX_SOURCE/settings/Settings.h" | sed 's|http://||' | sort -u | tr '\n' ' ')
    [[ -n "$names" ]] || e2e_fail "no built-in page names found"
    printf '127.0.0.1 localhost %s\n::1 localhost\n' "$names" >"$hosts"
    mount --bind "$hosts" /etc/hosts
}

wait_ready() {
    local file=$1
    for _ in $(seq 100); do
        [[ -s "$file" ]] && return 0
        sleep 0.1
    done
    e2e_fail "server did not start ($file)"
}

# The web server: every page is SIZE bytes (default 3000).
start_web_server() {
    rm -f "$SRV_DIR/web.ready"
    python3 "$SANDBOX_SERVERS/http_server.py" --port 80 --record "$WEB_RECORD" \
        --control "$WEB_CONTROL" --size "${1:-3000}" --ready "$SRV_DIR/web.ready" \
        >"$SRV_DIR/web.out" 2>&1 &
    SANDBOX_PIDS+=($!)
    wait_ready "$SRV_DIR/web.ready"
}

start_modem() {
    rm -f "$SRV_DIR/modem.ready"
    python3 "$SANDBOX_SERVERS/fake_modem.py" --port "$MODEM_PORT" --record "$MODEM_RECORD" \
        --control "$MODEM_CONTROL" --user admin --password secret \
        --ready "$SRV_DIR/modem.ready" >"$SRV_DIR/modem.out" 2>&1 &
    SANDBOX_PIDS+=($!)
    wait_ready "$SRV_DIR/modem.ready"
}

# Tells a server how to behave (see the servers' own notes): ok, refuse, ...
web_mode() { echo "$1" >"$WEB_CONTROL"; sleep 0.3; }
modem_mode() { echo "$1" >"$MODEM_CONTROL"; sleep 0.3; }

# Bytes of page bodies the web server has sent.
web_bytes() { awk -F'\t' '$4 == 200 || $4 == 500 { n += $5 } END { print n + 0 }' "$WEB_RECORD"; }

# The command file for the fake modem, with Windows line ends.
write_command_file() {
    printf '%s\r\n' "127.0.0.1 $MODEM_PORT" 'WAIT "Login:"' 'SEND "admin\m"' \
        'WAIT "Password:"' 'SEND "secret\m"' 'WAIT ""' 'SEND "help\m"' 'WAIT "*"' \
        'SEND "reboot\m"' 'WAIT "*"' 'SEND ""' >"$APP_DIR/Reboot.Txt"
}

# What the fake modem receives in one reboot conversation of that file.
MODEM_CONVERSATION=$'-- connect\nadmin\nsecret\nhelp\nreboot\n-- closed'

# hh:mm of the first minute that a service timer armed now is sure to see whole: the next
# minute, or the one after when the next one starts within 10 s.
next_whole_minute() {
    local now
    now=$(date +%s)
    date -d "@$(((now + 10) / 60 * 60 + 60 + ${1:-0} * 60))" +%H:%M
}

# The colour that fills most of the first tray icon: red, green, blue, yellow, animation (a
# frame of the animation, the only picture with cyan in it) or none. Read from the X screen, where Wine's tray window shows the icons.
tray_colour() {
    local rect x y
    rect=$(probe client-rect "Wine System Tray" | tr -d '\r') || { echo none; return; }
    read -r x y _ _ <<<"$rect"
    import -window root -crop "20x20+$x+$y" -depth 8 txt:- 2>/dev/null |
        sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | awk '
        {
            r = $1; g = $2; b = $3
            if (r > 180 && g > 150 && b < 100) n["yellow"]++
            else if (r > 150 && g < 90 && b < 90) n["red"]++
            else if (g > 130 && r < 100 && b < 100) n["green"]++
            else if (b > 150 && r < 100 && g < 130) n["blue"]++
            else if (g > 150 && b > 150 && r < 100) n["cyan"]++
        }
        END {
            best = "none"; most = 10
            for (k in n) if (n[k] > most) { best = k; most = n[k] }
            print (n["cyan"] > 10 ? "animation" : best)
        }'
}

# Screenshots of the whole screen, and of one window enlarged by SCALE percent (PNG).
screenshot() { import -window root "$1" 2>/dev/null; }
window_shot() {
    local rect x y w h
    rect=$(probe rect "$1" | tr -d '\r') || return 1
    read -r x y w h <<<"$rect"
    import -window root -crop "${w}x${h}+$x+$y" png:- 2>/dev/null |
        convert png:- +repage -scale "${3:-100}%" "$2"
}
