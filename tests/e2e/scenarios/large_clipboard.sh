#!/usr/bin/env bash
# Fifty million characters on the user's clipboard, the selection in notepad upper-cased: the
# program answers its messages throughout, notepad's text is either converted or as it was, and
# the clipboard ends exactly as the user had it. A conversion afterwards still works.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-large-clipboard"
kv_install_app "$app"
kv_reset_registry

e2e_start karmux "$app/Karmux.exe" -DEBUG
check e2e_wait_log "$app/Log.txt" ' : Run$' 10

kv_start_notepad
e2e_type "hello world"
check kv_notepad_text_is "hello world"

# chars=N fnv=H of the clipboard's text; the sequence number is left out, a restore changes it.
_clip_hash() { e2e_wintool cliphash | tr -d '\r' | sed 's/ seq=.*//'; }
_clip_seq() { e2e_wintool cliphash | tr -d '\r' | sed 's/.* seq=//'; }
t0=$(e2e_now)
check e2e_wintool clipbig 50
before=$(_clip_hash)
seq_before=$(_clip_seq)
[ "${before%% *}" = chars=50000000 ] || fail "the large text is not on the clipboard: [$before]"
e2e_log "50 million characters on the clipboard in $(e2e_elapsed "$t0") s: $before"

e2e_key ctrl+a
t0=$(e2e_now)
e2e_key super+Up    # the default upper-case hotkey: left Win + Up
# The program's main window answers within the 2 s of wintool's send, again and again, while
# the conversion runs or is refused.
slowest=0
for _ in 1 2 3 4 5 6 7 8 9 10; do
    s0=$(e2e_now)
    e2e_wintool send class:TFirstForm 0 0 0 >/dev/null || fail "the program did not answer within 2 s"
    slowest=$(awk -v a="$slowest" -v b="$(e2e_elapsed "$s0")" 'BEGIN{print (b > a) ? b : a}')
    sleep 0.2
done
e2e_log "the program answered ten messages after the hotkey, the slowest in $slowest s (wintool's start included)"

text=$(e2e_gettext "$KV_NOTEPAD_TITLE" | tr -d '\r')
case $text in
    "hello world") e2e_log "the selection was left as it was" ;;
    "HELLO WORLD") e2e_log "the selection was converted" ;;
    *) fail "notepad holds [$text]" ;;
esac
_clipboard_back() { [ "$(_clip_hash)" = "$before" ]; }
e2e_poll 5 0.25 _clipboard_back || fail "the clipboard is not as the user had it: [$(_clip_hash)], was [$before]"
e2e_log "the clipboard holds the user's text, $(e2e_elapsed "$t0") s after the hotkey"
if [ "$(_clip_seq)" = "$seq_before" ]; then
    e2e_log "the clipboard was never changed (sequence number $seq_before as before)"
else
    e2e_log "the clipboard was changed and put back (sequence number $seq_before, now $(_clip_seq))"
fi
sleep 1
check _clipboard_back

# Still working: a small clipboard and the same hotkey convert the selection and come back.
check e2e_wintool clipset "small text"
e2e_key ctrl+a
e2e_type "again"
check kv_notepad_text_is "again"
e2e_key ctrl+a
e2e_key super+Up
kv_notepad_text_is "AGAIN" 5 || fail "the next conversion: notepad holds [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"
_small_back() { [ "$(e2e_wintool clipget | tr -d '\r')" = "small text" ]; }
e2e_poll 3 0.1 _small_back || fail "the next conversion: the clipboard holds [$(e2e_wintool clipget)]"
mkdir -p "$KV_ARTIFACTS" && e2e_screenshot "$KV_ARTIFACTS/large-clipboard.png"
e2e_log "PASS large_clipboard"
