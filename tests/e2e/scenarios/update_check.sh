#!/usr/bin/env bash
# The update check from the tray menu against a version file on a local web server: a newer
# version is offered with its release notes; with the server gone it says there is none. Then,
# in a second run, the same server answers 404 with an HTML page: the earlier answer does not
# come back from a cache and no version is offered.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-update"
kv_install_app "$app"
kv_reset_registry
site="$E2E_WORK/site"
rm -rf "$site" && mkdir -p "$site"
printf '9.9.9.9\r\nFaster conversions' >"$site/verkv.txt"
port=$((20000 + RANDOM % 20000))
start_server() {
    python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >>"$E2E_WORK/update-server.log" 2>&1 &
    server=$!
}
rm -f "$E2E_WORK/update-server.log"
start_server
# The web server is no Wine process, so the shared clean-up would not stop it.
stop_server_and_clean_up() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; e2e_cleanup; }
trap stop_server_and_clean_up EXIT
_serving() { curl -sf "http://127.0.0.1:$port/verkv.txt" >/dev/null 2>&1 || python3 -c "import urllib.request,sys; urllib.request.urlopen('http://127.0.0.1:$port/verkv.txt')" 2>/dev/null; }
check e2e_poll 5 0.1 _serving
_serving_404() { python3 -c "
import urllib.request, urllib.error
try: urllib.request.urlopen('http://127.0.0.1:$port/verkv.txt')
except urllib.error.HTTPError as e: raise SystemExit(e.code != 404)
raise SystemExit(1)" 2>/dev/null; }
"$E2E_WINE" reg add "$KV_REG_KEY" /v WebHost /t REG_SZ /d "http://127.0.0.1:$port/" /f >/dev/null 2>&1 || fail "cannot set WebHost"

_icon_shown() { e2e_tray_icon_pos 0 >/dev/null; }
start_program() {
    rm -f "$app/Log.txt"
    e2e_start karmux "$app/Karmux.exe" -DEBUG
    pid=$E2E_LAST_PID
    check e2e_wait_log "$app/Log.txt" ' : Run$' 10
    check e2e_poll 5 0.2 _icon_shown
}
start_program

# Wine's popup menus are windows of class #32768: the tray menu is one, its submenu a second.
_menus_shown() { [ "$(e2e_wintool count -v '#32768' | tr -d '\r')" = "$1" ]; }

# Tray menu > Help > Check for a new version (the last item of the submenu).
check_for_update() {
    e2e_poll 5 0.1 _menus_shown 0 || { e2e_log "a menu is still open"; return 1; }
    e2e_tray_click 0 3 || return 1
    e2e_poll 5 0.05 _menus_shown 1 || { e2e_log "the tray menu did not open"; return 1; }
    e2e_key Down Down Down Down Down Right
    e2e_poll 5 0.05 _menus_shown 2 || { e2e_log "the Help submenu did not open"; return 1; }
    e2e_key End Return
}
_box() { kv_window_title_is '#32770' "$1"; }

check check_for_update
check e2e_poll 10 0.2 _box Confirm
text=$(e2e_dialog_text 'class:#32770' 65535)
case "$text" in *"9.9.9.9"*"Faster conversions"*) ;; *) fail "question: [$text]" ;; esac
grep -q 'GET /verkv.txt' "$E2E_WORK/update-server.log" || fail "the server saw no request"
e2e_screenshot "$KV_ARTIFACTS/update-question.png"
check e2e_wintool post 'class:#32770' 273 7 0   # WM_COMMAND IDNO: not now

kill "$server" 2>/dev/null; wait "$server" 2>/dev/null
check check_for_update
check e2e_poll 10 0.2 _box Information
text=$(e2e_dialog_text 'class:#32770' 65535)
[ "$text" = "No newer version of Tolvex was found." ] || fail "offline answer: [$text]"
check e2e_wintool post 'class:#32770' 273 1 0

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"

# The same address now answers 404 with a short HTML page, whose first line is short enough
# to be taken for a version if the status were ignored.
python3 -c '
import http.server, sys
class NotFound(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = b"<html>\r\n<body>Not Found</body>\r\n</html>\r\n"
        self.send_response(404)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
http.server.HTTPServer.allow_reuse_address = True
http.server.HTTPServer(("127.0.0.1", int(sys.argv[1])), NotFound).serve_forever()
' "$port" >>"$E2E_WORK/update-server.log" 2>&1 &
server=$!
check e2e_poll 5 0.1 _serving_404
start_program
check check_for_update
check e2e_poll 10 0.2 _box Information
text=$(e2e_dialog_text 'class:#32770' 65535)
[ "$text" = "No newer version of Tolvex was found." ] || fail "answer to a 404 page: [$text]"
[ "$(grep -c '"GET /verkv.txt HTTP/1\.[01]" 404' "$E2E_WORK/update-server.log")" -ge 2 ] ||
    fail "the program's request got no 404"
check e2e_wintool post 'class:#32770' 273 1 0
check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
e2e_log "PASS update_check"
