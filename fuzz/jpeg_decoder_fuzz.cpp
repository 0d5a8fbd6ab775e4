// Any bytes given to the decoder give a picture of exactly width x height x 3 bytes within its
// size limits, or nothing.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "support/check.h"
#include "ui/about_window/jpeg_decoder.h"

namespace corvani::fuzz {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<DecodedPicture> picture = DecodeJpeg(std::span<const unsigned char>(data, size));
  if (!picture) return 0;
  FUZZ_CHECK(size >= 2 && data[0] == 0xFF && data[1] == 0xD8);
  FUZZ_CHECK(picture->width >= 1 && picture->width <= kMaxJpegSide);
  FUZZ_CHECK(picture->height >= 1 && picture->height <= kMaxJpegSide);
  const std::size_t pixels = static_cast<std::size_t>(picture->width) * static_cast<std::size_t>(picture->height);
  FUZZ_CHECK(pixels <= kMaxJpegPixels);
  FUZZ_CHECK(picture->pixels.size() == pixels * 3);
  return 0;
}

}  // namespace corvani::fuzz
