#include "ui/about_window/picture_bitmap.h"

namespace corvani {

std::size_t DibStride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

PictureBitmap MakePictureBitmap(const DecodedPicture& picture) {
  PictureBitmap bitmap;
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height) * 3) {
    return bitmap;  // no picture: all zero, no bits
  }
  const std::size_t width = static_cast<std::size_t>(picture.width);
  const std::size_t height = static_cast<std::size_t>(picture.height);
  const std::size_t stride = DibStride(picture.width);
  bitmap.header.biSize = sizeof(BITMAPINFOHEADER);
  bitmap.header.biWidth = picture.width;
  bitmap.header.biHeight = picture.height;
  bitmap.header.biPlanes = 1;
  bitmap.header.biBitCount = 24;
  bitmap.header.biCompression = BI_RGB;
  bitmap.header.biSizeImage = static_cast<DWORD>(stride * height);
  bitmap.bits.assign(stride * height, 0);
  for (std::size_t y = 0; y < height; ++y) {
    const unsigned char* in = picture.pixels.data() + y * width * 3;
    unsigned char* out = bitmap.bits.data() + (height - 1 - y) * stride;
    for (std::size_t x = 0; x < width; ++x) {
      out[3 * x] = in[3 * x + 2];
      out[3 * x + 1] = in[3 * x + 1];
      out[3 * x + 2] = in[3 * x];
    }
  }
  return bitmap;
}

}  // namespace corvani
