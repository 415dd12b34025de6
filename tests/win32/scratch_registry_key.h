#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/win32_text.h"

namespace kv::testing {

// A registry key of the current user for one test alone: test processes run in parallel.
class ScratchRegistryKey {
public:
    ScratchRegistryKey() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::string(test->test_suite_name()) + "." + test->name();
        wide_ = L"SOFTWARE\\OrlentaSoftware\\KarmuxTests\\" + std::wstring(name.begin(), name.end()) + L"." +
                std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, wide_.c_str());
    }
    ~ScratchRegistryKey() { RegDeleteTreeW(HKEY_CURRENT_USER, wide_.c_str()); }
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    // For RegOpenKeyEx and friends: relative to HKEY_CURRENT_USER.
    const wchar_t* Wide() const { return wide_.c_str(); }
    // For the program's store: with the leading backslash it uses.
    std::u16string Path() const { return u"\\" + win32::FromWide(wide_); }

private:
    std::wstring wide_;
};

}  // namespace kv::testing
