#pragma once
#include <optional>
#include <string>

#include "common/pixels32.h"

namespace kv {

// Reads a picture file into 32-bit pixels; nothing when the file is missing, too large or not a
// picture it can read.
class IPictureDecoder {
public:
    virtual ~IPictureDecoder() = default;
    virtual std::optional<Pixels32> Decode(const std::u16string& path) const = 0;
};

}  // namespace kv
