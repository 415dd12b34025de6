#pragma once
// The program's model: the state every other part reads or feeds. It comes first in the
// composition, before any window's behaviour and before the engine, so that all of them can take
// it by reference.
#include "common/foreground_flags.h"
#include "common/synthetic_input.h"
#include "hotkeys/action_mailbox.h"
#include "hotkeys/kv_actions.h"
#include "hotkeys/lang_action_adapter.h"
#include "keyboard/kv_keyboard.h"
#include "keyboard/layout_char_cache.h"
#include "keyboard/typing_run.h"

namespace kv {

class AppSingletons;
class IKeyboardCanvas;
class TPreset;

class ProgramModel {
public:
    // The keyboard model draws on `canvas`; it has no keys until the settings load the geometry
    // they name (TPreset::SetKeyboardName).
    ProgramModel(AppSingletons& app, IKeyboardCanvas& canvas);
    ~ProgramModel();
    ProgramModel(const ProgramModel&) = delete;
    ProgramModel& operator=(const ProgramModel&) = delete;

    TKvLayoutCharCache charCache;
    KeySender keys;
    TKvKeyboard keyboard;
    // The hook hands matched actions to the executor through it.
    ActionMailbox mailbox;
    TKvActions actions;
    // The keys typed since the last break, which a conversion replays.
    TypingRun typed;
    // What the foreground tracker learnt about the application in front.
    ForegroundFlags applicationFlags;

private:
    TPreset& preset_;
    // The settings' language hotkeys land in the action list through it.
    LangActionAdapter langTarget_;
};

}  // namespace kv
