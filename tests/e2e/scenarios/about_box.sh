#!/usr/bin/env bash
# The about box: the tray's About item opens it; asked for again while another window is in
# front, the same box comes to the front and no second one opens; its version texts are those of
# Karmux.exe's version resource; its update-check button asks the local web server as the tray's
# check does; a language chosen meanwhile re-captions it; closing ends it.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-about"
kv_install_app "$app"
kv_reset_registry
KV_TOP=TAboutForm
. "$(dirname "$0")/../settings_support.sh"

site="$E2E_WORK/site-about"
rm -rf "$site" && mkdir -p "$site"
printf '9.9.9.9\r\nFaster conversions' >"$site/verkv.txt"
port=$((20000 + RANDOM % 20000))
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >"$E2E_WORK/about-server.log" 2>&1 &
server=$!
# The web server is no Wine process, so the shared clean-up would not stop it.
stop_server_and_clean_up() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; e2e_cleanup; }
trap stop_server_and_clean_up EXIT
_serving() { python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/verkv.txt')" 2>/dev/null; }
check e2e_poll 5 0.1 _serving
"$E2E_WINE" reg add "$KV_REG_KEY" /v WebHost /t REG_SZ /d "http://127.0.0.1:$port/" /f >/dev/null 2>&1 || fail "cannot set WebHost"

# A string of the version resource, read from the file itself.
version_string() {
    python3 - "$KV_BIN/Karmux.exe" "$1" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
key = (sys.argv[2] + "\0").encode("utf-16-le")
# Within the version resource, not among the program's own strings.
start = data.find("VS_VERSION_INFO".encode("utf-16-le"))
at = data.find(key, start) if start >= 0 else -1
if at < 0:
    sys.exit(1)
at += len(key)
while data[at:at + 2] == b"\0\0":
    at += 2
end = at
while data[end:end + 2] != b"\0\0":
    end += 2
print(data[at:end].decode("utf-16-le"))
PY
}
file_version=$(version_string FileVersion) || fail "Karmux.exe has no FileVersion"
product_version=$(version_string ProductVersion) || fail "Karmux.exe has no ProductVersion"

start_program
about_count() { e2e_wintool count -v TAboutForm | tr -d '\r'; }
_about_shown() { [ "$(about_count)" -ge 1 ]; }
open_about() {
    local before; before=$(menus_shown)
    check e2e_tray_click 0 3
    check wait_menu "$before"
    # About is the item above Exit. A menu that has not taken the keyboard yet gets the keys again.
    local i
    for i in 1 2 3; do
        e2e_key End Up Return
        e2e_poll 1 0.1 _menu_closed && return 0
    done
    fail "the tray menu did not take the keys"
}
_menu_closed() { [ "$(e2e_wintool count -v '#32768' | tr -d '\r')" = 0 ]; }
item() { e2e_dialog_text class:TAboutForm "$1"; }

open_about
check e2e_poll 5 0.1 _about_shown
first=$(kv_find TAboutForm | grep -o 'hwnd=0x[0-9a-f]*')
e2e_log "about box: $(kv_find TAboutForm)"
kv_window_title_is TAboutForm 'About Tolvex' || fail "caption: $(kv_find TAboutForm)"
[ "$(item 101)" = "Build: $file_version" ] || fail "version text [$(item 101)], the resource says $file_version"
[ "$(item 100)" = "Tolvex $product_version" ] || fail "name text [$(item 100)], the resource says $product_version"
[ "$(item 105)" = "http://127.0.0.1:$port/" ] || fail "web address [$(item 105)]"
[ "$(item 104)" = "Tolvex is part of the Pondrel family of programs. Learn more" ] || fail "family text [$(item 104)]"
e2e_log "version: $(item 100) / $(item 101); FileVersion of Karmux.exe $file_version"
sleep 0.3
rect=$(kv_find TAboutForm | grep -o 'rect=[-0-9,]*' | cut -d= -f2)
IFS=, read -r l t r b <<<"$rect"
e2e_screenshot "$KV_ARTIFACTS/about-box.png" "$((r - l))x$((b - t))+$l+$t"

# Another window in front (the settings window, over the box), then About again: the same box
# comes back to the front. (Another program in front would keep the X keyboard focus under Wine,
# so the tray menu could not be driven by keys.)
open_settings
_settings_in_front() { e2e_fg | tr -d '\r' | grep -q "class='TMainForm'"; }
check e2e_poll 5 0.1 _settings_in_front
open_about
_about_in_front() { e2e_fg | tr -d '\r' | grep -q "class='TAboutForm'"; }
e2e_poll 3 0.1 _about_in_front || fail "in front: $(e2e_fg | tr -d '\r'); about boxes: $(about_count); $(e2e_wintool list | tr -d '\r' | grep -v tooltips)"
sleep 0.5
[ "$(about_count)" = 1 ] || fail "$(about_count) about boxes after the second request"
[ "$(kv_find TAboutForm | grep -o 'hwnd=0x[0-9a-f]*')" = "$first" ] || fail "another box: $(kv_find TAboutForm)"
e2e_log "the second About request: $(about_count) box, in front: $(e2e_fg | tr -d '\r')"
e2e_screenshot "$KV_ARTIFACTS/about-box-in-front.png"

# The update-check button asks the local server and offers its newer version.
_box() { kv_window_title_is '#32770' "$1"; }
click_child Button 'Check for Updates'
check e2e_poll 10 0.2 _box Confirm
text=$(e2e_dialog_text 'class:#32770' 65535)
case "$text" in *"9.9.9.9"*"Faster conversions"*) ;; *) fail "question: [$text]" ;; esac
grep -q 'GET /verkv.txt' "$E2E_WORK/about-server.log" || fail "the server saw no request"
e2e_screenshot "$KV_ARTIFACTS/about-box-update-question.png"
check e2e_wintool post 'class:#32770' 273 7 0   # IDNO: not now

# Russian chosen in the settings window re-captions the open about box at once.
# Chosen by messages, as the list's own selection change would tell the window: with the about
# box active, keys would go to it (and Escape would close it).
combo=$(KV_TOP=TMainForm child_line ComboBox '' | grep -o 'hwnd=0x[0-9a-f]*' | cut -d= -f2)
ru_caption=$(text_in ru 322)
for index in 0 1 2 3; do
    e2e_wintool send "$combo" 334 "$index" 0 >/dev/null               # CB_SETCURSEL
    e2e_wintool post class:TMainForm 273 $(((1 << 16) | 201)) "$combo"   # WM_COMMAND CBN_SELCHANGE
    sleep 0.5
    kv_window_title_is TAboutForm "$ru_caption" && break
done
kv_window_title_is TAboutForm "$ru_caption" || fail "about box caption after Russian: $(kv_find TAboutForm)"
[ "$(item 108)" = "$(text_in ru 321)" ] || fail "update button in Russian: [$(item 108)]"
e2e_log "in Russian: $(kv_find TAboutForm | grep -o "title='[^']*'")"
e2e_wintool setfg class:TAboutForm >/dev/null
sleep 0.3
rect=$(kv_find TAboutForm | grep -o 'rect=[-0-9,]*' | cut -d= -f2)
IFS=, read -r l t r b <<<"$rect"
e2e_screenshot "$KV_ARTIFACTS/about-box-russian.png" "$((r - l))x$((b - t))+$l+$t"

# Close ends it; the program runs on. The settings window goes without keeping the language.
check e2e_wintool post class:TAboutForm 16 0 0
_about_gone() { [ "$(about_count)" = 0 ]; }
check e2e_poll 5 0.1 _about_gone
kv_prefix_has_process Karmux.exe || fail "closing the about box ended the program"
check e2e_wintool post class:TMainForm 16 0 0
_ask_shown() { e2e_wintool list | tr -d '\r' | grep -q "class='#32770'"; }
check e2e_poll 5 0.1 _ask_shown
check e2e_wintool post 'class:#32770' 273 7 0   # IDNO: do not save
check e2e_poll 5 0.1 _settings_gone
check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
e2e_log "PASS about_box"
