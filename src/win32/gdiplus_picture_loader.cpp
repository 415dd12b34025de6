#include "win32/gdiplus_picture_loader.h"

#include <cstring>

#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"

namespace kv::win32app {
namespace {

// The few GDI+ flat declarations needed, so that no GDI+ header or import library is involved.
struct StartupInput {
    UINT32 version = 1;
    void* debugCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
};
struct LockRect {
    INT x, y, width, height;
};
struct LockedBits {
    UINT width;
    UINT height;
    INT stride;
    INT pixelFormat;
    void* scan0;
    UINT_PTR reserved;
};
using GpBitmap = void;
constexpr INT kFormat32bppArgb = 0x26200A;
constexpr UINT kLockRead = 1;
constexpr int kOk = 0;

using StartupFn = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
using ShutdownFn = void(WINAPI*)(ULONG_PTR);
using CreateFromFileFn = int(WINAPI*)(const WCHAR*, GpBitmap**);
using SizeFn = int(WINAPI*)(GpBitmap*, UINT*);
using LockFn = int(WINAPI*)(GpBitmap*, const LockRect*, UINT, INT, LockedBits*);
using UnlockFn = int(WINAPI*)(GpBitmap*, LockedBits*);
using DisposeFn = int(WINAPI*)(GpBitmap*);

}  // namespace

struct GdiplusPictureLoader::Api {
    StartupFn startup;
    ShutdownFn shutdown;
    CreateFromFileFn createFromFile;
    SizeFn width;
    SizeFn height;
    LockFn lock;
    UnlockFn unlock;
    DisposeFn dispose;
};

namespace {

// Frees a GDI+ bitmap on every way out.
class GpBitmapOwner {
public:
    GpBitmapOwner(DisposeFn dispose, GpBitmap* bitmap) : dispose_(dispose), bitmap_(bitmap) {}
    ~GpBitmapOwner() {
        if (bitmap_) dispose_(bitmap_);
    }
    GpBitmapOwner(const GpBitmapOwner&) = delete;
    GpBitmapOwner& operator=(const GpBitmapOwner&) = delete;

private:
    DisposeFn dispose_;
    GpBitmap* bitmap_;
};

bool FileSizeWithin(const std::wstring& path, std::uint64_t maxBytes) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return size > 0 && size <= maxBytes;
}

}  // namespace

GdiplusPictureLoader::GdiplusPictureLoader(PictureLimits limits) : limits_(limits) {}

GdiplusPictureLoader::~GdiplusPictureLoader() {
    if (api_ && token_) api_->shutdown(token_);
}

bool GdiplusPictureLoader::Started() const {
    if (tried_) return api_ != nullptr && token_ != 0;
    tried_ = true;
    library_ = win32::LoadSystemLibrary(L"gdiplus.dll");
    if (!library_) return false;
    const HMODULE m = library_.Get();
    Api api{win32::ExportOf<StartupFn>(m, "GdiplusStartup"),
            win32::ExportOf<ShutdownFn>(m, "GdiplusShutdown"),
            win32::ExportOf<CreateFromFileFn>(m, "GdipCreateBitmapFromFile"),
            win32::ExportOf<SizeFn>(m, "GdipGetImageWidth"),
            win32::ExportOf<SizeFn>(m, "GdipGetImageHeight"),
            win32::ExportOf<LockFn>(m, "GdipBitmapLockBits"),
            win32::ExportOf<UnlockFn>(m, "GdipBitmapUnlockBits"),
            win32::ExportOf<DisposeFn>(m, "GdipDisposeImage")};
    if (!api.startup || !api.shutdown || !api.createFromFile || !api.width || !api.height || !api.lock || !api.unlock ||
        !api.dispose)
        return false;
    const StartupInput input;
    ULONG_PTR token = 0;
    if (api.startup(&token, &input, nullptr) != kOk || token == 0) return false;
    api_ = std::make_unique<const Api>(api);
    token_ = token;
    return true;
}

std::optional<Pixels32> GdiplusPictureLoader::Decode(const std::u16string& path) const {
    const std::wstring wide = win32::ToWide(path);
    if (path.empty() || !FileSizeWithin(wide, limits_.maxFileBytes) || !Started()) return std::nullopt;

    GpBitmap* bitmap = nullptr;
    if (api_->createFromFile(wide.c_str(), &bitmap) != kOk || bitmap == nullptr) return std::nullopt;
    const GpBitmapOwner owner(api_->dispose, bitmap);

    // GDI+ reads only the header here; the pixels are decoded by the lock below.
    UINT width = 0, height = 0;
    if (api_->width(bitmap, &width) != kOk || api_->height(bitmap, &height) != kOk) return std::nullopt;
    if (width == 0 || height == 0 || width > limits_.maxSide || height > limits_.maxSide ||
        static_cast<std::uint64_t>(width) * height > limits_.maxPixels)
        return std::nullopt;

    const LockRect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
    LockedBits bits{};
    if (api_->lock(bitmap, &all, kLockRead, kFormat32bppArgb, &bits) != kOk) return std::nullopt;
    Pixels32 picture(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    const bool complete = bits.scan0 != nullptr && bits.width == width && bits.height == height;
    if (complete) {
        for (UINT y = 0; y < height; ++y) {
            const auto* row = static_cast<const std::uint8_t*>(bits.scan0) + static_cast<std::ptrdiff_t>(y) * bits.stride;
            std::memcpy(&picture.At(0, static_cast<std::int32_t>(y)), row, width * sizeof(std::uint32_t));
        }
    }
    api_->unlock(bitmap, &bits);
    if (!complete) return std::nullopt;
    return picture;
}

}  // namespace kv::win32app
