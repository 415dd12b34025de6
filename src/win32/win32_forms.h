#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "common/show_form_once.h"

namespace kv::win32app {

// The thread's visible top-level windows as ShowFormOnce sees them, topmost first, and a way to
// make a form of a class. Only a window of our own thread can be a form of ours.
class Win32Forms : public IForms {
public:
    using Factory = std::function<void(const std::u16string& className)>;
    explicit Win32Forms(Factory create);
    ~Win32Forms() override;

    std::vector<IOpenForm*> OpenForms() override;
    void CreateAndShow(const std::u16string& className) override { create_(className); }

private:
    class OpenWindow;
    Factory create_;
    std::vector<std::unique_ptr<OpenWindow>> open_;
};

}  // namespace kv::win32app
