#include "ui/about_window/picture_bitmap.h"

#include <gtest/gtest.h>

namespace corvani {
namespace {

// A picture whose pixel (x, y) is (x, y, 100 + x + 10 * y), so each byte tells where it came from.
DecodedPicture Ramp(int width, int height) {
  DecodedPicture p;
  p.width = width;
  p.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      p.pixels.push_back(static_cast<unsigned char>(x));
      p.pixels.push_back(static_cast<unsigned char>(y));
      p.pixels.push_back(static_cast<unsigned char>(100 + x + 10 * y));
    }
  }
  return p;
}

TEST(DibStride, RoundsThreeBytesAPixelUpToFour) {
  EXPECT_EQ(DibStride(1), 4u);
  EXPECT_EQ(DibStride(2), 8u);
  EXPECT_EQ(DibStride(3), 12u);
  EXPECT_EQ(DibStride(4), 12u);
  EXPECT_EQ(DibStride(5), 16u);
  EXPECT_EQ(DibStride(33), 100u);
  EXPECT_EQ(DibStride(94), 284u);
}

TEST(MakePictureBitmap, HeaderDescribesA24BitBottomUpDib) {
  const PictureBitmap b = MakePictureBitmap(Ramp(94, 94));
  EXPECT_EQ(b.header.biSize, sizeof(BITMAPINFOHEADER));
  EXPECT_EQ(b.header.biSize, 40u);
  EXPECT_EQ(b.header.biWidth, 94);
  EXPECT_EQ(b.header.biHeight, 94);  // positive: bottom-up
  EXPECT_EQ(b.header.biPlanes, 1);
  EXPECT_EQ(b.header.biBitCount, 24);
  EXPECT_EQ(b.header.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(b.header.biSizeImage, 284u * 94u);
  EXPECT_EQ(b.header.biClrUsed, 0u);
  EXPECT_EQ(b.bits.size(), 284u * 94u);
  EXPECT_EQ(b.width(), 94);
  EXPECT_EQ(b.height(), 94);
}

class OddWidths : public testing::TestWithParam<int> {};

TEST_P(OddWidths, RowsAreBottomUpBgrAndZeroPadded) {
  const int width = GetParam(), height = 3;
  const PictureBitmap b = MakePictureBitmap(Ramp(width, height));
  const std::size_t stride = DibStride(width);
  ASSERT_EQ(b.bits.size(), stride * height);
  for (int row = 0; row < height; ++row) {
    const int y = height - 1 - row;  // the first row in memory is the picture's last
    const unsigned char* r = b.bits.data() + row * stride;
    for (int x = 0; x < width; ++x) {
      EXPECT_EQ(r[3 * x], 100 + x + 10 * y) << "blue first";
      EXPECT_EQ(r[3 * x + 1], y) << "then green";
      EXPECT_EQ(r[3 * x + 2], x) << "then red";
    }
    for (std::size_t pad = std::size_t(width) * 3; pad < stride; ++pad) EXPECT_EQ(r[pad], 0) << "padding";
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, OddWidths, testing::Values(1, 2, 3, 4, 5, 7, 33));

TEST(MakePictureBitmap, APictureWhoseSizeAndPixelsDisagreeGivesNoBitmap) {
  DecodedPicture p = Ramp(4, 4);
  p.pixels.pop_back();
  EXPECT_TRUE(MakePictureBitmap(p).bits.empty());
  EXPECT_TRUE(MakePictureBitmap(DecodedPicture{}).bits.empty());
}

}  // namespace
}  // namespace corvani
