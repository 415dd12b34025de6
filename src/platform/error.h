#pragma once
#include <stdexcept>
#include <string>

#include "platform/text.h"

namespace kv {

// The program's error: carries the user-facing text exactly as it is to be shown.
class KvError : public std::runtime_error {
public:
    explicit KvError(std::u16string message)
        : std::runtime_error(Utf16ToUtf8(message)), message_(std::move(message)) {}
    const std::u16string& Message() const { return message_; }

private:
    std::u16string message_;
};

}  // namespace kv
