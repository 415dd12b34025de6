#include "settings/form_placement.h"

#include <exception>

#include "platform/windowing_api.h"
#include "settings/app_ini.h"

namespace kv {

void FormPlacement::SaveFormPlacement(const IPlacedForm& form, bool positionOnly) {
    const std::u16string prefix = form.ClassName();
    const Rect bounds = form.Bounds();
    try {
        if (positionOnly) {
            ini_.WriteInteger(prefix + u"Top", bounds.top);
            ini_.WriteInteger(prefix + u"Left", bounds.left);
            return;
        }
        if (form.State() != WindowState::Normal) {
            // Keep the last normal position and size for when it is restored.
            ini_.WriteInteger(prefix + u"State", 1);
            return;
        }
        ini_.WriteInteger(prefix + u"Top", bounds.top);
        ini_.WriteInteger(prefix + u"Left", bounds.left);
        if (form.HasMaximizeButton()) {
            ini_.WriteInteger(prefix + u"Height", bounds.Height());
            ini_.WriteInteger(prefix + u"Width", bounds.Width());
        }
        ini_.WriteInteger(prefix + u"State", 0);
    } catch (const std::exception&) {
    }
}

void FormPlacement::RestoreFormPlacement(IPlacedForm& form, bool positionOnly) {
    if (form.StartsCentred()) {
        form.UseDesignedPosition();
        CenterOnWorkArea(form);
    }
    const std::u16string prefix = form.ClassName();
    const std::int32_t state = ini_.ReadIntegerDef(prefix + u"State", 0);
    Rect bounds = form.Bounds();
    form.MoveTo(ini_.ReadIntegerDef(prefix + u"Left", bounds.left), ini_.ReadIntegerDef(prefix + u"Top", bounds.top));
    if (positionOnly) return;
    if (form.IsResizable()) {
        bounds = form.Bounds();
        form.Resize(ini_.ReadIntegerDef(prefix + u"Width", bounds.Width()),
                    ini_.ReadIntegerDef(prefix + u"Height", bounds.Height()));
    }
    form.SetState(state != 0 && form.HasMaximizeButton() ? WindowState::Maximized : WindowState::Normal);
}

void FormPlacement::CenterOnWorkArea(IPlacedForm& form) {
    const Rect bounds = form.Bounds();
    const Rect area = windows_.WorkAreaNearest(bounds);
    // Integer division truncates toward zero, so a form larger than the area lands before its origin.
    form.MoveTo(area.left + (area.Width() - bounds.Width()) / 2, area.top + (area.Height() - bounds.Height()) / 2);
}

}  // namespace kv
