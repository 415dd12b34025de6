#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "keyboard/render/picture_decoder.h"
#include "platform/win32/win32_handles.h"

namespace kv::win32app {

// Limits a picture must keep before it is decoded, so a hostile or broken file cannot take the
// program's memory.
struct PictureLimits {
    std::uint64_t maxFileBytes = 32ull * 1024 * 1024;
    std::uint32_t maxSide = 4096;
    std::uint64_t maxPixels = 8ull * 1024 * 1024;
};

// BMP, JPEG, GIF and PNG through GDI+, whose flat functions are taken from the system folder's
// gdiplus.dll when the first picture is asked for (the program imports no such library at
// start-up). GDI+ is shut down when the loader ends.
class GdiplusPictureLoader : public IPictureDecoder {
public:
    explicit GdiplusPictureLoader(PictureLimits limits = {});
    ~GdiplusPictureLoader() override;
    GdiplusPictureLoader(const GdiplusPictureLoader&) = delete;
    GdiplusPictureLoader& operator=(const GdiplusPictureLoader&) = delete;

    std::optional<Pixels32> Decode(const std::u16string& path) const override;

private:
    struct Api;
    bool Started() const;

    PictureLimits limits_;
    mutable win32::UniqueModule library_;
    mutable std::unique_ptr<const Api> api_;
    mutable ULONG_PTR token_ = 0;
    mutable bool tried_ = false;
};

}  // namespace kv::win32app
