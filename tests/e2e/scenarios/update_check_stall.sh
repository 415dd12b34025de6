#!/usr/bin/env bash
# The update check against a server that takes the request and then says nothing for 60 s.
# Meanwhile the user types into notepad: every letter arrives within 200 ms, and the hotkey
# letter is swallowed, so the program's keyboard hook kept running; the check ends by its
# time-out (the program's own bound of 10 s under Wine, whose WinINet ignores the receive
# time-out for a URL it opens) and finds no newer version. Prints each letter's delay and the check's duration.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-update-stall"
kv_install_app "$app"
kv_reset_registry
kv_set_dword SCSwitchLang 81   # Q, no modifiers: swallowed by the hook
port=$((20000 + RANDOM % 20000))
requests="$E2E_WORK/stall-server.log"
rm -f "$requests"
# Answers nothing for 60 s, and ends by itself after 90 s.
python3 -c '
import http.server, os, sys, threading, time
class Stall(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        print("request", self.path, int(time.time() * 1000), flush=True)
        time.sleep(60)
    def log_message(self, *args):
        pass
threading.Timer(90, lambda: os._exit(0)).start()
http.server.ThreadingHTTPServer.daemon_threads = True
http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), Stall).serve_forever()
' "$port" >"$requests" 2>&1 &
server=$!
stop_server_and_clean_up() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; e2e_cleanup; }
trap stop_server_and_clean_up EXIT
_listening() { python3 -c "import socket,sys; socket.create_connection(('127.0.0.1', $port), 1).close()" 2>/dev/null; }
check e2e_poll 5 0.1 _listening
"$E2E_WINE" reg add "$KV_REG_KEY" /v WebHost /t REG_SZ /d "http://127.0.0.1:$port/" /f >/dev/null 2>&1 || fail "cannot set WebHost"

rm -f "$app/Log.txt"
e2e_start karmux "$app/Karmux.exe" -DEBUG
pid=$E2E_LAST_PID
check e2e_wait_log "$app/Log.txt" ' : Run$' 10
_icon_shown() { e2e_tray_icon_pos 0 >/dev/null; }
check e2e_poll 5 0.2 _icon_shown

# Tray menu > Help > Check for a new version (the last item of the submenu).
_menus_shown() { [ "$(e2e_wintool count -v '#32768' | tr -d '\r')" = "$1" ]; }
check e2e_tray_click 0 3
check e2e_poll 5 0.05 _menus_shown 1
e2e_key Down Down Down Down Down Right
check e2e_poll 5 0.05 _menus_shown 2
e2e_key End Return
_asked() { grep -q '^request /verkv.txt' "$requests"; }
check e2e_poll 5 0.05 _asked
kv_start_notepad

# One letter at a time; the tracer notes when notepad's text grew.
trace="$E2E_WORK/stall-trace.txt"
sent="$E2E_WORK/stall-sent.txt"
"$E2E_WINE" "$E2E_TOOLS/gettext.exe" -t 4000 "$KV_NOTEPAD_TITLE" >"$trace" 2>/dev/null &
tracer=$!
_tracing() { [ -s "$trace" ]; }
check e2e_poll 5 0.05 _tracing
: >"$sent"
for letter in a b q c d e f g h i; do
    printf '%s %s\n' "$(date +%s%3N)" "$letter" >>"$sent"
    xdotool key "$letter"
    sleep 0.15
done
wait "$tracer"
_box() { kv_window_title_is '#32770' "$1"; }
_box Information && fail "the check ended before the letters were typed: no stall was measured"
kv_notepad_text_is abcdefghi || fail "a letter was lost, or the hotkey letter was not swallowed"

# The n-th letter that reaches notepad makes its text n characters long.
delays=$(awk 'NR == FNR { if ($2 > 0 && !($2 in grew)) grew[$2] = $1; next }
              $2 != "q" { n++; if (!(n in grew)) { print "missing"; next } print grew[n] - $1 }' "$trace" "$sent")
e2e_log "delay of each letter in ms: $(echo $delays)"
worst=$(printf '%s\n' $delays | awk '$1 == "missing" { print 99999; next } { print }' | sort -n | tail -n1)
e2e_log "longest delay of a letter during the stalled check: $worst ms"
[ "$worst" -le 200 ] || fail "a letter took $worst ms to arrive"

check e2e_poll 20 0.1 _box Information
asked_at=$(awk '/^request/ { print $3; exit }' "$requests")
took=$(( $(date +%s%3N) - asked_at ))
e2e_log "the check ended (its answer box seen) $took ms after the server got the request"
[ "$took" -le 15000 ] || fail "the check outlasted its time-out: $took ms"
text=$(e2e_dialog_text 'class:#32770' 65535)
[ "$text" = "No newer version of Tolvex was found." ] || fail "answer: [$text]"
check e2e_wintool post 'class:#32770' 273 1 0
check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
e2e_log "PASS update_check_stall"
