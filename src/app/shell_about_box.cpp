// The about box as the composition root wires it: the tray's About item asks the windows side,
// whose ShowFormOnce makes one box or brings the open one to the front.
#include "app/app_singletons.h"
#include "app/app_windows.h"
#include "app/application_shell.h"
#include "common/system_services.h"
#include "dialogs/about_box_content.h"
#include "settings/preset.h"

namespace kv {

void ApplicationShell::OpenAboutBox() { windows_.ShowAboutBox(*this); }

AboutBoxContent ApplicationShell::AboutContent() const {
    const std::u16string program = app_.platform.processes.ExecutablePath();
    AboutBoxInputs inputs;
    if (links_) {
        inputs.makerHost = links_->Addresses().host;
        inputs.supportMail = links_->Addresses().supportMail;
    }
    inputs.language = app_.preset.Language();
    inputs.productVersion = GetProductVersion(app_.platform.files, program);
    inputs.fileVersion = GetFileVersionString(app_.platform.files, program, u"FileVersion");
    return BuildAboutBoxContent(app_.lang, inputs);
}

void ApplicationShell::OpenAddress(const std::u16string& address) {
    // A page or mail client that does not open is not reported: the box simply stays.
    (void)app_.platform.shell.Open(applicationWindow_, address, u"");
}

}  // namespace kv
