#pragma once
#include <cstdint>
#include <memory>

#include "platform/forms/Picture.h"

namespace tessaly {

// The library's bitmap resource `id` as a new picture object: the command
// bitmaps 101 to 120, each 16 by 16 pixels at 24 bits. Any other id raises
// error 326 (no such resource).
// Loading one makes the forms' pictures known to the platform as well
// (RegisterFormPictures).
std::unique_ptr<platform::StdPicture> LoadResPicture(std::int32_t id);

// The pixels of bitmap resource `id`, with the same error for another id.
platform::Bitmap ResourceBitmap(std::int32_t id);

}  // namespace tessaly
