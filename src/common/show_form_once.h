#pragma once
#include <string>
#include <vector>

namespace kv {

// An open form as ShowFormOnce sees it.
class IOpenForm {
public:
    virtual ~IOpenForm() = default;
    virtual std::u16string ClassName() const = 0;
    virtual bool IsMinimized() const = 0;
    virtual void Restore() = 0;
    virtual void BringToFront() = 0;
};

class IForms {
public:
    virtual ~IForms() = default;
    // In screen (z) order, topmost first.
    virtual std::vector<IOpenForm*> OpenForms() = 0;
    // Creates the form of that class, owned by the application, and shows it modeless.
    virtual void CreateAndShow(const std::u16string& className) = 0;
};

// A dialog opens at most once: asking again brings the open one back.
void ShowFormOnce(IForms& forms, const std::u16string& className);

}  // namespace kv
