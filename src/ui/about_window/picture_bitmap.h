#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "ui/about_window/jpeg_decoder.h"

namespace corvani {

// A decoded picture as a 24-bit bottom-up device-independent bitmap: rows from the bottom up,
// pixels as blue, green, red, each row padded with zeros to a multiple of 4 bytes.
struct PictureBitmap {
  BITMAPINFOHEADER header{};  // 40 bytes, BI_RGB, 24 bits, positive height (bottom-up)
  std::vector<unsigned char> bits;  // header.biSizeImage bytes

  int width() const { return header.biWidth; }
  int height() const { return header.biHeight; }
};

// The bytes of one row of a 24-bit DIB `width` pixels wide: 3 a pixel, rounded up to 4.
std::size_t DibStride(int width);

// Turns RGB rows, top to bottom, into the DIB. Pure. A picture whose size and pixels disagree
// gives an empty bitmap (zero header, no bits).
PictureBitmap MakePictureBitmap(const DecodedPicture& picture);

}  // namespace corvani
