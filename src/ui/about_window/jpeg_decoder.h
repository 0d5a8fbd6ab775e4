#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace corvani {

// A decoded picture: 24-bit RGB, 3 bytes a pixel (red, green, blue), rows top to bottom with
// no padding, so pixels.size() == width * height * 3.
struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;
  bool warned = false;  // libjpeg warned (for instance: the data ended early) but finished
};

// The largest picture DecodeJpeg accepts: a side of at most kMaxJpegSide pixels and at most
// kMaxJpegPixels pixels in all (48 MiB of RGB), so a hostile header cannot make it allocate
// gigabytes. Larger pictures fail like corrupt ones.
inline constexpr int kMaxJpegSide = 16384;
inline constexpr std::size_t kMaxJpegPixels = std::size_t{16} * 1024 * 1024;

// The bytes fed to libjpeg at a time.
inline constexpr std::size_t kJpegChunkSize = 4096;

// Decodes a JPEG file held in memory with libjpeg (6b interface). Data that does not start with
// FF D8 is not JPEG; empty data, an error from libjpeg, a picture with other than one or three
// components and one over the limits above give nothing. When the data ends before the end
// marker, an end marker is supplied: libjpeg warns, and the picture is returned with warned set.
// A greyscale picture gives three equal bytes a pixel. Pure: no state, no output.
std::optional<DecodedPicture> DecodeJpeg(std::span<const unsigned char> bytes);

}  // namespace corvani
