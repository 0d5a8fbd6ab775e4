#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace corvani {

// The one image inside a one-image .ico file, as CreateIconFromResourceEx wants it.
struct IconImage {
  std::span<const unsigned char> bytes;  // BITMAPINFOHEADER, colours, AND mask
  int width;
  int height;  // half the stored height: the stored one counts the mask too
};

std::optional<IconImage> FirstIconImage(std::span<const unsigned char> ico_file);

}  // namespace corvani
