#include "settings/elevated_options.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "platform/error.h"

namespace kv {
namespace {

// The machine as the options program sees it: which files exist, the Run value, the class key.
class FakeMachine : public IMachineOptions {
public:
    std::set<std::u16string> files{u"C:\\Program Files\\Tolvex\\Karmux.exe", u"C:\\Tools\\Other.exe",
                                   u"C:\\Tools\\karmux.EXE"};
    std::optional<std::u16string> runValue;
    bool contextMenuRegistered = false;
    bool registryRefuses = false;
    int writes = 0;

    bool IsExistingFile(const std::u16string& path) const override { return files.count(path) > 0; }
    bool IsContextMenuRegistered() const override { return contextMenuRegistered; }
    void WriteRunValue(const std::u16string& programPath) override {
        ++writes;
        if (registryRefuses) throw KvError(u"Access is denied.");
        runValue = programPath;
    }
    void RemoveRunValue() override {
        ++writes;
        if (registryRefuses) throw KvError(u"Access is denied.");
        runValue.reset();
    }
};

TEST(ElevatedOptions, StartWithWindowsWritesTheUnquotedPathAndZeroRemovesIt) {
    FakeMachine machine;
    EXPECT_EQ(RunElevatedOptions(u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 1 0", machine), ElevoptExit::Done);
    EXPECT_EQ(machine.runValue, u"C:\\Program Files\\Tolvex\\Karmux.exe");
    // The wizard's "2": the context menu stays as it is.
    EXPECT_EQ(RunElevatedOptions(u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 0 2", machine), ElevoptExit::Done);
    EXPECT_FALSE(machine.runValue.has_value());
    // The file name is compared without case, as Windows does.
    EXPECT_EQ(RunElevatedOptions(u"  \"C:\\Tools\\karmux.EXE\"\t1   2 ", machine), ElevoptExit::Done);
    EXPECT_EQ(machine.runValue, u"C:\\Tools\\karmux.EXE");
}

TEST(ElevatedOptions, RefusedArgumentsChangeNothingAndEachHasItsOwnCode) {
    struct Case {
        const char16_t* arguments;
        ElevoptExit expected;
    };
    const Case cases[] = {
        {u"", ElevoptExit::BadCommandLine},
        {u"C:\\Program Files\\Tolvex\\Karmux.exe 1 0", ElevoptExit::BadCommandLine},  // not quoted
        {u"\"C:\\Program Files\\Tolvex\\Karmux.exe 1 0", ElevoptExit::BadCommandLine},  // no closing quote
        {u"\"\" 1 0", ElevoptExit::BadCommandLine},
        {u"\"C:\\Program Files\\Tolvex\\Karmux.exe\"1 0", ElevoptExit::BadCommandLine},
        {u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 1", ElevoptExit::BadCommandLine},
        {u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 1 0 0", ElevoptExit::BadCommandLine},
        {u"\"C:\\Tools\\Other.exe\" 1 0", ElevoptExit::NotTheProgram},
        {u"\"C:\\Missing\\Karmux.exe\" 1 0", ElevoptExit::NotTheProgram},
        {u"\"Karmux.exe\" 1 0", ElevoptExit::NotTheProgram},  // relative: resolved against whose folder?
        {u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 2 0", ElevoptExit::BadStartFlag},
        {u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" yes 0", ElevoptExit::BadStartFlag},
        {u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 01 0", ElevoptExit::BadStartFlag},
        {u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 1 3", ElevoptExit::BadContextMenuFlag},
        {u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 1 -1", ElevoptExit::BadContextMenuFlag},
        {u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 1 1", ElevoptExit::ContextMenuNotShipped},
    };
    for (const Case& c : cases) {
        FakeMachine machine;
        machine.runValue = u"C:\\Old\\Karmux.exe";
        EXPECT_EQ(RunElevatedOptions(c.arguments, machine), c.expected) << Utf16ToUtf8(c.arguments);
        EXPECT_EQ(machine.writes, 0) << Utf16ToUtf8(c.arguments);
        EXPECT_EQ(machine.runValue, u"C:\\Old\\Karmux.exe") << Utf16ToUtf8(c.arguments);
    }
}

TEST(ElevatedOptions, ContextMenuOneIsAcceptedOnlyWhereTheClassIsAlreadyThere) {
    // The settings window passes the current registration state; a machine where the class is
    // registered must still be able to change start-up.
    FakeMachine machine;
    machine.contextMenuRegistered = true;
    EXPECT_EQ(RunElevatedOptions(u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 1 1", machine), ElevoptExit::Done);
    EXPECT_EQ(machine.runValue, u"C:\\Program Files\\Tolvex\\Karmux.exe");
    EXPECT_TRUE(machine.contextMenuRegistered);
}

TEST(ElevatedOptions, ARegistryThatRefusesIsReportedAsFailure) {
    FakeMachine machine;
    machine.registryRefuses = true;
    EXPECT_EQ(RunElevatedOptions(u"\"C:\\Program Files\\Tolvex\\Karmux.exe\" 1 0", machine), ElevoptExit::WriteFailed);
}

TEST(ElevatedOptions, TheProgramNameIsSkippedQuotedOrNot) {
    EXPECT_EQ(SkipProgramName(u"\"C:\\Program Files\\Tolvex\\Elevopt.exe\" \"C:\\a\\Karmux.exe\" 1 0"),
              u"\"C:\\a\\Karmux.exe\" 1 0");
    EXPECT_EQ(SkipProgramName(u"Elevopt.exe  \"C:\\a\\Karmux.exe\" 1 0"), u"\"C:\\a\\Karmux.exe\" 1 0");
    EXPECT_EQ(SkipProgramName(u"Elevopt.exe"), u"");
    EXPECT_EQ(SkipProgramName(u"\"C:\\unterminated"), u"");
}

}  // namespace
}  // namespace kv
