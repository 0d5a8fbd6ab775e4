#include "app/icon_image.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "resources/embedded.h"

namespace corvani {
namespace {

std::uint32_t U32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void PutU32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

TEST(FirstIconImage, FindsTheProgramIconsOneImage) {
  const auto icon = embedded::program_icon;
  ASSERT_EQ(icon.size(), 9662u);
  const auto image = FirstIconImage(icon);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, 48);
  EXPECT_EQ(image->height, 48);  // the stored 96 counts the mask too
  ASSERT_EQ(image->bytes.size(), 9640u);
  EXPECT_EQ(image->bytes.data(), icon.data() + 22);  // right after the directory
  EXPECT_EQ(U32(image->bytes.data()), 40u);           // BITMAPINFOHEADER
  EXPECT_EQ(image->bytes[14] | (image->bytes[15] << 8), 32);  // bits per pixel
}

// The program icon with one field changed.
std::vector<unsigned char> Broken(std::size_t at, std::uint32_t value, int width = 4) {
  std::vector<unsigned char> b(embedded::program_icon.begin(), embedded::program_icon.end());
  if (width == 2) {
    b[at] = static_cast<unsigned char>(value);
    b[at + 1] = static_cast<unsigned char>(value >> 8);
  } else {
    PutU32(b, at, value);
  }
  return b;
}

struct MalformedCase {
  const char* what;
  std::vector<unsigned char> bytes;
};

class MalformedIcon : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedIcon, GivesNothing) {
  EXPECT_FALSE(FirstIconImage(GetParam().bytes).has_value()) << GetParam().what;
}

std::vector<unsigned char> Cut(std::size_t size) {
  return {embedded::program_icon.begin(), embedded::program_icon.begin() + static_cast<std::ptrdiff_t>(size)};
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedIcon,
    testing::Values(MalformedCase{"empty", {}}, MalformedCase{"shorter than one entry", Cut(21)},
                    MalformedCase{"image cut short", Cut(9661)},
                    MalformedCase{"reserved field set", Broken(0, 1, 2)},
                    MalformedCase{"a cursor file", Broken(2, 2, 2)},
                    MalformedCase{"no images", Broken(4, 0, 2)},
                    MalformedCase{"offset past the end", Broken(18, 9663)},
                    MalformedCase{"size past the end", Broken(14, 9641)},
                    // offset + size would wrap around in 32 bits
                    MalformedCase{"size that wraps", Broken(14, 0xFFFFFFF0u)},
                    MalformedCase{"size smaller than a header", Broken(14, 39)},
                    MalformedCase{"zero width", Broken(22 + 4, 0)},
                    MalformedCase{"negative height", Broken(22 + 8, static_cast<std::uint32_t>(-96))}));

}  // namespace
}  // namespace corvani
