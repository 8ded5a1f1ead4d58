#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// A handle to a picture as the host receives it: a number, 0 for none.
using OLE_HANDLE = std::int32_t;

// The pixels of a picture: 24 bits each (red, green, blue bytes), rows from the top.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes
    // Empty for an opaque picture, else width * height bytes from 0 (clear) to 255
    // (opaque), as icons and cursors have.
    std::vector<std::uint8_t> alpha;
};

// A picture object, as the standard OLE picture: it owns its pixels and, while it
// lives, a process-wide handle by which any module finds them. The handle dies with
// the object, so a holder of only the handle must not keep it past its owner.
class StdPicture {
public:
    explicit StdPicture(Bitmap bitmap);
    ~StdPicture();
    StdPicture(const StdPicture&) = delete;
    StdPicture& operator=(const StdPicture&) = delete;

    OLE_HANDLE Handle() const { return handle_; }
    const platform::Bitmap& Pixels() const { return *pixels_; }

private:
    std::shared_ptr<const platform::Bitmap> pixels_;
    OLE_HANDLE handle_;
};

// The pixels of the live picture that `handle` names; null for 0 or for a handle
// whose picture is gone. The pixels stay valid as long as the result is held.
std::shared_ptr<const Bitmap> BitmapFromHandle(OLE_HANDLE handle);

}  // namespace platform
