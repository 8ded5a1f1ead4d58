#pragma once
#include <cstdint>
#include <string_view>

#include "platform/forms/Picture.h"

// The makers of the forms' pictures, each drawn from scratch when called.
namespace tessaly::pictures {

// Windows.
platform::Bitmap CornerBars();
platform::Bitmap HandCursor();
platform::Bitmap TessalyLogo();
platform::Bitmap MakerLogo();
platform::Bitmap SummarizeHelpPage();

// Dialog controls.
platform::Bitmap StatisticBox(bool ticked);
enum class FieldKind { Text, Numeric, ObjectId, Date };
platform::Bitmap FieldPicture(FieldKind kind);
platform::Bitmap BrowseFolder();
// A toolbar command's bitmap with its face colour cleared, for a picture button.
platform::Bitmap CommandPicture(std::int32_t bitmapId);
platform::Bitmap OperatorPicture(std::string_view label);

}  // namespace tessaly::pictures
