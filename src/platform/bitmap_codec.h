#pragma once
// Reading and writing pixel images in the usual file formats (BMP, PNG, JPEG,
// GIF and what else the image plug-ins know), for pictures and exports.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/drawing_device.h"

namespace platform {

// The image in the bytes, or nullopt when they hold none. Images with an
// alpha channel keep it (Bitmap::HasAlpha).
std::optional<Bitmap> DecodeBitmap(const std::vector<std::uint8_t>& data);
std::optional<Bitmap> LoadBitmapFile(const std::string& path);

// The image in a format named by its usual extension ("BMP", "PNG", "JPG");
// empty when the format is unknown.
std::vector<std::uint8_t> EncodeBitmap(const Bitmap& bitmap, const std::string& format);
bool SaveBitmapFile(const Bitmap& bitmap, const std::string& path, const std::string& format);

}  // namespace platform
