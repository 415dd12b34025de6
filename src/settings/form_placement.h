#pragma once
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace kv {

class IWindowing;
class TAppIni;

enum class WindowState { Normal, Minimized, Maximized };

// What placement needs to know of a form; a Win32 window or a simulated one.
class IPlacedForm {
public:
    virtual ~IPlacedForm() = default;
    virtual std::u16string ClassName() const = 0;
    // Screen rectangle of the form in its current (or, when not normal, last normal) state.
    virtual Rect Bounds() const = 0;
    virtual void MoveTo(std::int32_t left, std::int32_t top) = 0;
    virtual void Resize(std::int32_t width, std::int32_t height) = 0;
    virtual WindowState State() const = 0;
    virtual void SetState(WindowState state) = 0;
    virtual bool HasMaximizeButton() const = 0;
    virtual bool IsResizable() const = 0;
    // The form asks to be centred on the desktop when first shown.
    virtual bool StartsCentred() const = 0;
    virtual void UseDesignedPosition() = 0;
};

// Window state and position under "<class name>Top/Left/Height/Width/State".
class FormPlacement {
public:
    FormPlacement(TAppIni& ini, const IWindowing& windows) : ini_(ini), windows_(windows) {}

    // Never fails: a placement that cannot be written is not worth an error.
    void SaveFormPlacement(const IPlacedForm& form, bool positionOnly);
    void RestoreFormPlacement(IPlacedForm& form, bool positionOnly);
    void CenterOnWorkArea(IPlacedForm& form);

private:
    TAppIni& ini_;
    const IWindowing& windows_;
};

}  // namespace kv
