#include "app/icon_image.h"

#include <cstdint>
#include <cstring>

namespace corvani {

namespace {
std::uint32_t ReadU32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t ReadU16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
}  // namespace

std::optional<IconImage> FirstIconImage(std::span<const unsigned char> ico) {
  constexpr std::size_t kDirectory = 6, kEntry = 16, kInfoHeader = 40;
  if (ico.size() < kDirectory + kEntry) return std::nullopt;
  if (ReadU16(&ico[0]) != 0 || ReadU16(&ico[2]) != 1 || ReadU16(&ico[4]) < 1) return std::nullopt;
  const std::uint32_t size = ReadU32(&ico[kDirectory + 8]);
  const std::uint32_t offset = ReadU32(&ico[kDirectory + 12]);
  if (offset > ico.size() || size > ico.size() - offset || size < kInfoHeader) return std::nullopt;
  const unsigned char* image = &ico[offset];
  const auto width = static_cast<std::int32_t>(ReadU32(image + 4));
  const auto stored_height = static_cast<std::int32_t>(ReadU32(image + 8));
  if (width <= 0 || stored_height <= 0) return std::nullopt;
  return IconImage{ico.subspan(offset, size), width, stored_height / 2};
}

}  // namespace corvani
