#pragma once

namespace kv {

// The first-run wizard while it is open.
class IWizardPort {
public:
    virtual ~IWizardPort() = default;
    virtual void SetWizardAutoHideCheck(bool checked) = 0;
};

}  // namespace kv
