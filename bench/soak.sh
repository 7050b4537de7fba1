#!/usr/bin/env bash
# The soak that scripts/soak measures (and CTest's soak runs for 90 s), in the sandbox of the
# end-to-end tests (tests/e2e): the real program against varied servers for a long stretch, its
# memory, descriptors and message waits after a warm-up, tabled for docs/performance.md.
#
#   bench/soak.sh soak QUORVANE_EXE QV_PROBE_EXE [SECONDS]
# SECONDS (default 810) the program runs: a sixth of it (40 to 90 s) outside the free window,
# the rest inside, the first minute (a fifth of short runs) the warm-up. The last quarter of the
# time inside (at most 180 s) is a dead line: the listed pages' port drops every connect, and
# the modem takes the connection and never speaks, then (from the stretch's second minute)
# floods the line with option requests and stops reading. Fails when the program stops, logs an
# unexpected error, or its memory or descriptors grow after the warm-up; a run of 600 s or more
# also on a message waiting 250 ms or more after the warm-up (the settings dialog's building
# and closing, reported apart, excepted), or fewer than 500 page fetches or 50 modem
# conversations per 720 s of live line.
case_soak() {
    local duration=${1:-810} start m n=0 n_times i list="" hhmm watch run_start outside_from dead_from
    ((duration >= 60)) || e2e_fail "a soak needs at least 60 s"
    local outside=$((duration / 6 > 90 ? 90 : duration / 6 > 40 ? duration / 6 : 40))
    local inside=$((duration - outside)) warmup=$((duration / 5 < 60 ? duration / 5 : 60))
    local dead=$((inside / 4 < 180 ? inside / 4 : 180))
    sandbox
    start_servers web modem
    # Reboots every whole minute inside the free window, in a manner changing by the minute: a
    # time listed twice reboots twice; a silent modem holds a conversation for its time-out. On
    # the dead line the modem is silent in its first minute and deaf after.
    local modes=(ok drip ok garble ok refuse ok silent ok drip) web_modes=(ok ok drip ok error500 ok empty ok)
    declare -A manner
    start=$(date +%s)
    dead_from=$((start + 20 + inside - dead))
    for ((m = (start + 20) / 60 * 60 + 60; m + 60 <= start + inside - 5; m += 60)); do
        hhmm=$(date -d "@$m" +%H:%M) manner[$hhmm]=${modes[n++ % 10]}
        ((m + 60 <= dead_from)) || manner[$hhmm]=$( ((m < dead_from + 60)) && echo silent || echo deaf)
        case ${manner[$hhmm]} in silent | deaf) n_times=1 ;; ok) n_times=2 ;; *) n_times=12 ;; esac
        for ((i = 0; i < n_times; i++)); do list+="${list:+,}$hhmm"; done
    done
    set_setting Time 0,0 PingInterval 1 SrvPing 1 PingUrls "http://127.0.0.1/soak/1.html,http://127.0.0.1/soak/2.html"
    [[ -z "$list" ]] || set_setting Reboot "$list" SrvModem 1
    start_program
    probe watch "Icon Form" $((duration + 60)) >"$E2E_ROOT/waits" &
    watch=$!
    wait_message "Dastrel's Quorvane Helper Started." 1 60
    run_start=$(date +%s)
    # As Linux sees the program: its anonymous resident memory (KiB) and open descriptors.
    while sleep 1 && kill -0 "$QV_PID" 2>/dev/null; do
        echo "$(date +%s) $(awk '/^RssAnon:/ { print $2 }' "/proc/$QV_PID/status") $(ls "/proc/$QV_PID/fd" | wc -l)"
    done >"$E2E_ROOT/linux" 2>/dev/null &
    E2E_PIDS+=($!)
    # The servers' manners, turned every 15 s and every minute; the line dies at dead_from.
    dead_from=$((run_start + inside - dead))
    while sleep 1; do
        (($(date +%s) < dead_from)) || nft list table inet qv80 >/dev/null 2>&1 || block 80 drop
        echo "${web_modes[$(($(date +%s) / 15 % 8))]}" >"$SRV/web.ctl"
        echo "${manner[$(date +%H:%M)]:-ok}" >"$SRV/modem.ctl"
        unblock 23
        [[ "$(cat "$SRV/modem.ctl")" != refuse ]] || block 23 "reject with tcp reset"
    done &
    E2E_PIDS+=($!)
    alive() { kill -0 "$QV_PID" 2>/dev/null || e2e_fail "the program ended"; }
    while (($(date +%s) < run_start + inside)); do sleep 5 && alive; done
    # Outside the free window, the modem's web port dropping every packet: the dialog's close
    # rereads the settings, and "&ViewErrorLog" leaves the error state so the tray probes again.
    # The port drops only once the window is left: a page fetch already under way would wait
    # on the dropped port for its whole time-out, and the window with it.
    kill "${E2E_PIDS[-1]}"
    local pages=$(wc -l <"$SRV/web.rec")
    echo ok >"$SRV/web.ctl" && echo ok >"$SRV/modem.ctl" && unblock 23 && unblock 80
    set_setting Time "$(((10#$(date +%H) + 1) % 24)),$(((10#$(date +%H) + 2) % 24))" SrvModem 0
    # The page held on the dead line comes once its connect is tried again; then two more, so
    # that no fetch or conversation of the window is under way when the dialog opens.
    wait_for "pages after the dead line" 120 lines_at_least "$SRV/web.rec" $((pages + 3))
    open_dialog
    # The dialog serves a close only once it has loaded the settings: asked until it closes.
    close_window "$DIALOG"
    block 80 drop
    probe post "Icon Form" 0x111 101 0
    wait_window "$NOTEPAD"
    probe post "$NOTEPAD" 0x10 0 0
    outside_from=$(($(date +%s) + 2))
    while (($(date +%s) < run_start + duration)); do sleep 5 && alive; done
    close_program
    wait "$watch" # it ends with the window

    # The table, which scripts/soak puts into docs/performance.md.
    local fetches=$(wc -l <"$SRV/web.rec") rebooted failed unexpected dropped growth=""
    read -r rebooted failed unexpected <<<"$(messages | awk '/^Modem Rebooted Successfully\.$/ { r++ }
        /^Unable to Reboot Modem - / { f++ } /^Unexpected Error : / { u++ } END { print r + 0, f + 0, u + 0 }')"
    dropped=$(nft list table inet qv80 | sed -n 's/.*counter packets \([0-9]*\).*/\1/p')
    # The longest message wait from second A to second B of the run.
    longest() { awk -v a=$((($1 - run_start) * 1000)) -v b=$((($2 - run_start) * 1000)) '$2 >= a && $2 < b && $3 > m { m = $3 } END { print m + 0 }' "$E2E_ROOT/waits"; }
    local w_out=$(longest "$outside_from" $((run_start + duration)))
    local w_in=$(longest $((run_start + warmup)) "$dead_from") w_dead=$(longest "$dead_from" $((run_start + inside)))
    local w_most=$((w_in > w_dead ? (w_in > w_out ? w_in : w_out) : (w_dead > w_out ? w_dead : w_out)))
    printf '\nSoak: %s s under wine64 (%s s inside the free window, %s s outside; warm-up %s s), %s processors, load average at the end %s\n\n' \
        "$duration" "$inside" "$outside" "$warmup" "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)"
    printf '%s\n' "| counter (Linux) | start | after warm-up | end | range after warm-up |" "|---|---|---|---|---|"
    # Flat: the end no higher than after the warm-up plus Wine's own noise (2 MiB, 4 descriptors).
    for row in "2|anonymous resident memory, KiB|2048" "3|file descriptors|4"; do
        IFS='|' read -r f name slack <<<"$row"
        awk -v t=$((run_start + warmup)) -v f="$f" -v name="$name" -v slack="$slack" '
            NF < 3 { next } !s { s = $f } $1 >= t && !n++ { w = $f; lo = $f }
            $1 >= t { lo = $f < lo ? $f : lo; hi = $f > hi ? $f : hi; e = $f }
            END { printf "| %s | %s | %s | %s | %s .. %s |\n", name, s, w, e, lo, hi; exit e > w + slack }' "$E2E_ROOT/linux" ||
            growth+=" $name"
    done
    printf '\n'
    printf '%s\n' "| | longest wait for an answer from the main window |" "|---|---|" \
        "| warm-up | $(longest "$run_start" $((run_start + warmup))) ms |" \
        "| inside the free window, after the warm-up (modem conversations included) | $w_in ms |" \
        "| inside the free window, dead line: pages dropped, a silent modem, then one that stops reading | $w_dead ms |" \
        "| leaving the window: the settings dialog built, shown and closed, Notepad started (not judged) | $(longest $((run_start + inside)) "$outside_from") ms |" \
        "| outside the free window, modem port 80 dropped | $w_out ms |"
    printf '\npage fetches: %s; modem conversations: %s (%s rebooted, %s failed); probe packets dropped: %s; unexpected errors: %s\n\n' \
        "$fetches" $((rebooted + failed)) "$rebooted" "$failed" "${dropped:-0}" "$unexpected"
    ((unexpected == 0)) || e2e_fail "unexpected errors were logged"
    [[ -z "$growth" ]] || e2e_fail "grew after the warm-up:$growth"
    ((${dropped:-0} > 0)) || e2e_fail "no probe reached the dropped port"
    # The short run in the test suite only reports the waits: a busy machine's scheduling is not
    # the program's doing.
    ((duration < 600 || w_most < 250)) || e2e_fail "a message waited $w_most ms after the warm-up"
    # Fetches and conversations come on a live line: at least 500 and 50 per 720 s of it.
    local live=$((inside - dead))
    ((duration < 600 || (fetches * 720 >= 500 * live && (rebooted + failed) * 720 >= 50 * live &&
        rebooted > 0 && failed > 0))) || e2e_fail "too few fetches or conversations"
    e2e_ok "soak of $duration s"
}

source "$(dirname "$0")/../tests/e2e/e2e.sh" "$@"
