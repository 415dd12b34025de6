#include "app/program_model.h"

#include "app/app_singletons.h"

namespace kv {

ProgramModel::ProgramModel(AppSingletons& app, IKeyboardCanvas& canvas)
    : keys(app.platform.keyInput, app.platform.layouts, app.platform.clock),
      keyboard(canvas,
               KeyboardServices{app.platform.layouts, app.platform.keyInput, app.platform.files, keys, app.busyCursor,
                                app.messageBoxes, app.lang, app.preset.KeyNames(), charCache, app.folders.appFolder,
                                app.is64BitWindows},
               app.platform.layouts.ThreadLayout(0)),
      actions(mailbox),
      preset_(app.preset),
      langTarget_(actions) {
    preset_.SetLangActionTarget(&langTarget_);
    preset_.RebuildLangActions();
}

ProgramModel::~ProgramModel() { preset_.SetLangActionTarget(nullptr); }

}  // namespace kv
