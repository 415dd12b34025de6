#!/usr/bin/env bash
# The first-run wizard: on a first start it opens in front while the tray icon shows; each step
# is photographed; closing before the last step (close box or Escape) asks and "No" keeps it; Russian re-captions it at
# once; its start-with-Windows box runs Elevopt.exe with "2"; in step 2 a click into the try-it
# box starts a fresh typed record and the convert hotkey erases and replays exactly what was
# typed after the click; Finish closes it without a question, and the next start opens none.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-wizard"
kv_install_app "$app"
kv_reset_registry_first_start
# The machine's Run key in the registry view of the build under test.
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
"$E2E_WINE" reg delete "$run_key" /v Karmux /f "/reg:$KV_BUILD_BITS" >/dev/null 2>&1
KV_TOP=TWizardForm
. "$(dirname "$0")/../settings_support.sh"

wizard_shown() { kv_find TWizardForm | grep -q 'visible=1'; }
wizard_gone() { ! wizard_shown; }
shot_wizard() {
    local rect; rect=$(kv_find TWizardForm | grep -o 'rect=[-0-9,]*' | cut -d= -f2)
    IFS=, read -r l t r b <<<"$rect"
    e2e_screenshot "$KV_ARTIFACTS/$1.png" "$((r - l))x$((b - t))+$l+$t"
}
item() { e2e_dialog_text class:TWizardForm "$1"; }
_question_shown() { e2e_wintool list | tr -d '\r' | grep -q "class='#32770'"; }

start_program
check e2e_poll 10 0.2 wizard_shown
e2e_log "wizard: $(kv_find TWizardForm); tray icon at $(e2e_tray_icon_pos 0)"
kv_window_title_is TWizardForm 'Setup Wizard' || fail "wizard caption: $(kv_find TWizardForm)"
_wizard_in_front() { e2e_fg | tr -d '\r' | grep -q "class='TWizardForm'"; }
check e2e_poll 3 0.1 _wizard_in_front
[ "$(e2e_reg_value "$KV_REG_KEY" FirstStart)" = 0x1 ] || fail "the first-start balloon did not count itself"
e2e_reg_value "$KV_REG_KEY" SoundEnabled >/dev/null || fail "showing the wizard did not save the settings"
[ "$(item 204)" = "Start Tolvex with Windows" ] || fail "step 1 box: [$(item 204)]"
case "$(item 200)" in "Welcome to Tolvex!"*) ;; *) fail "step 1 text: [$(item 200)]" ;; esac
[ "$(item 1)" = "Next >" ] || fail "Next: [$(item 1)]"
sleep 0.3
shot_wizard wizard-step-1-welcome

# Russian from the language list re-captions the wizard at once; English again afterwards.
ru_caption=$(text_in ru 380)
# pick_language KEY CAPTION : moves through the list with KEY until the wizard's caption is CAPTION
pick_language() {
    click_child ComboBox ''
    e2e_key Escape
    local i
    for i in 1 2 3 4; do
        e2e_key "$1"
        sleep 0.5
        kv_window_title_is TWizardForm "$2" && return 0
    done
    return 1
}
pick_language Down "$ru_caption" || fail "Russian caption: $(kv_find TWizardForm), expected [$ru_caption]"
[ "$(item 204)" = "$(text_in ru 336)" ] || fail "Russian box: [$(item 204)]"
shot_wizard wizard-step-1-russian
de_caption=$(text_in de 380)
pick_language Up "$de_caption" || fail "German caption: $(kv_find TWizardForm), expected [$de_caption]"
shot_wizard wizard-step-1-german
pick_language Down 'Setup Wizard' || fail "back to English: $(kv_find TWizardForm)"

# Closing on step 1 asks text 311; No keeps the wizard.
check e2e_wintool post class:TWizardForm 16 0 0
check e2e_poll 5 0.1 _question_shown
question=$(e2e_dialog_text 'class:#32770' 65535)
[ "$question" = "Do you want to leave the setup wizard?" ] || fail "close question: [$question]"
e2e_screenshot "$KV_ARTIFACTS/wizard-close-question.png"
check e2e_wintool post 'class:#32770' 273 7 0   # IDNO
_no_question() { ! _question_shown; }
check e2e_poll 5 0.1 _no_question
sleep 0.3
wizard_shown || fail "No closed the wizard"

# Start with Windows: Elevopt.exe "<program>" 1 2 writes the machine's Run value.
click_child Button 'Start Tolvex with Windows'
run_value() { e2e_reg_value "$run_key" Karmux "$KV_BUILD_BITS"; }
_run_value_is_program() { [ "$(run_value)" = "$(e2e_winpath "$app/Karmux.exe")" ]; }
e2e_poll 5 0.2 _run_value_is_program || fail "Run value [$(run_value)], expected $(e2e_winpath "$app/Karmux.exe")"
e2e_log "Run value: $(run_value)"
box=$(child_line Button 'Start Tolvex with Windows' | grep -o 'hwnd=0x[0-9a-f]*' | cut -d= -f2)
sleep 0.5
[ "$(e2e_wintool send "$box" 240 0 0 | tr -d '\r')" = 1 ] || fail "the box is not ticked after Elevopt succeeded"

# Step 2.
click_child Button 'Next >'
sleep 0.4
shot_wizard wizard-step-2-layout-correction
info=$(item 300)
case "$info" in *"Just press "*) ;; *) fail "step 2 text: [$info]" ;; esac
case "$info" in *%1*) fail "step 2 text has no hotkey: [$info]" ;; esac
e2e_log "step 2 names the hotkey: $(printf '%s' "$info" | head -n1)"
[ "$(item 701)" = "< Back" ] || fail "Back: [$(item 701)]"

# The try-it box: "qq", a click into the box (a fresh typed record), "ghbdtn", then the convert
# hotkey. Wine offers one keyboard layout (GetKeyboardLayoutList gives 04090409 alone and
# LoadKeyboardLayout adds none), and converting the text typed last needs a next layout, so the
# program leaves the text as it is: the hotkey is swallowed and nothing is erased or retyped.
# That the click starts a fresh record and the six keys after it are replayed in the next layout
# is shown on the simulated Windows (WizardTypingTest).
# Step 2 shows two edits: its text, then the box.
box_line=$(e2e_wintool children class:TWizardForm | tr -d '\r' | grep "class='Edit'" | grep 'visible=1' | sed -n 2p)
box=$(grep -o 'hwnd=0x[0-9a-f]*' <<<"$box_line" | cut -d= -f2)
[ -n "$box" ] || fail "no try-it box: $(e2e_wintool children class:TWizardForm)"
IFS=, read -r l t r b <<<"$(grep -o 'rect=[-0-9,]*' <<<"$box_line" | cut -d= -f2)"
box_text() { "$E2E_WINE" "$E2E_TOOLS/gettext.exe" -c - "$box" 2>/dev/null; }
_box_is() { [ "$(box_text)" = "$1" ]; }
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
sleep 0.3
e2e_type qq
e2e_poll 3 0.1 _box_is qq || fail "qq did not arrive: [$(box_text)]"
sleep 0.8   # not a double click, which would select the word
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
sleep 0.3
e2e_type ghbdtn
e2e_poll 3 0.1 _box_is qqghbdtn || fail "typing in the box: [$(box_text)]"
xdotool keydown 133 keydown 50 keyup 50 keyup 133   # left Win + left Shift, the default hotkey
sleep 1
e2e_log "try-it box after the hotkey: [$(box_text)] (one layout under Wine)"
_box_is qqghbdtn || fail "with one layout the hotkey changed the box: [$(box_text)]"
e2e_type a
e2e_poll 3 0.1 _box_is qqghbdtna || fail "typing after the hotkey: [$(box_text)]"
shot_wizard wizard-step-2-typed

# Escape in the box is a close request as well; No keeps the wizard on step 2.
e2e_key Escape
check e2e_poll 5 0.1 _question_shown
check e2e_wintool post 'class:#32770' 273 7 0
check e2e_poll 5 0.1 _no_question
sleep 0.3
[ "$(item 1)" = "Next >" ] || fail "not on step 2 after No: Next says [$(item 1)]"
e2e_wintool children class:TWizardForm | tr -d '\r' | grep -F "$box" | grep -q 'visible=1' || fail "the try-it box is gone after No"

# Step 3: Finish closes at once.
click_child Button 'Next >'
sleep 0.4
[ "$(item 1)" = "Finish" ] || fail "Finish: [$(item 1)]"
case "$(item 400)" in "Tolvex is set up and ready."*) ;; *) fail "step 3 text: [$(item 400)]" ;; esac
shot_wizard wizard-step-3-all-done
click_child Button 'Finish'
check e2e_poll 5 0.1 wizard_gone
_question_shown && fail "Finish asked a question"

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"

# The next start opens no wizard.
rm -f "$app/Log.txt"
start_program
sleep 1.5
kv_find TWizardForm | grep -q hwnd= && fail "a wizard opened on the second start: $(kv_find TWizardForm)"
check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
"$E2E_WINE" reg delete "$run_key" /v Karmux /f "/reg:$KV_BUILD_BITS" >/dev/null 2>&1
e2e_log "PASS wizard"
