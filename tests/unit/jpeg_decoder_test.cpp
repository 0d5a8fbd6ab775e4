#include "ui/about_window/jpeg_decoder.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/embedded.h"

namespace corvani::embedded {
extern const std::span<const unsigned char> test_grey_jpeg;         // 33 x 21, one component
extern const std::span<const unsigned char> test_progressive_jpeg;  // 50 x 38, progressive
}  // namespace corvani::embedded

namespace corvani {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes AboutBytes() { return Bytes(embedded::about_picture.begin(), embedded::about_picture.end()); }

struct Segment {
  unsigned char marker;
  std::size_t offset;  // of the FF
  std::size_t length;  // the segment's length field (0 for markers without one)
};

// The markers of a JPEG file in order, skipping entropy-coded data; RSTn inside the data are
// listed too.
std::vector<Segment> Markers(const Bytes& b) {
  std::vector<Segment> out;
  std::size_t i = 2;
  out.push_back({0xD8, 0, 0});
  while (i + 1 < b.size()) {
    if (b[i] != 0xFF) {
      ADD_FAILURE() << "no marker at " << i;
      break;
    }
    const unsigned char m = b[i + 1];
    if (m == 0xD9) {
      out.push_back({m, i, 0});
      break;
    }
    const std::size_t length = std::size_t{b[i + 2]} << 8 | b[i + 3];
    out.push_back({m, i, length});
    i += 2 + length;
    if (m == 0xDA) {  // entropy-coded data up to the next marker that is not FF00 or RSTn
      while (i + 1 < b.size()) {
        if (b[i] == 0xFF && b[i + 1] != 0x00 && b[i + 1] != 0xFF) {
          if (b[i + 1] >= 0xD0 && b[i + 1] <= 0xD7) {
            out.push_back({b[i + 1], i, 0});
            i += 2;
            continue;
          }
          break;
        }
        ++i;
      }
    }
  }
  return out;
}

const Segment* Find(const std::vector<Segment>& segments, unsigned char marker) {
  for (const auto& s : segments) {
    if (s.marker == marker) return &s;
  }
  return nullptr;
}

TEST(AboutPicture, IsABaselineJfifFileOf94By94WithThreeFullResolutionComponents) {
  const Bytes b = AboutBytes();
  ASSERT_GE(b.size(), 4u);
  EXPECT_EQ(b[0], 0xFF);
  EXPECT_EQ(b[1], 0xD8);
  EXPECT_EQ(b[b.size() - 2], 0xFF);
  EXPECT_EQ(b[b.size() - 1], 0xD9);
  const auto segments = Markers(b);

  // JFIF 1.01 right after SOI: aspect ratio 1:1, no thumbnail.
  ASSERT_GE(segments.size(), 2u);
  ASSERT_EQ(segments[1].marker, 0xE0);
  const std::size_t app0 = segments[1].offset + 4;
  ASSERT_EQ(segments[1].length, 16u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[app0]), 5), std::string("JFIF\0", 5));
  EXPECT_EQ(b[app0 + 5], 1);  // version 1.01
  EXPECT_EQ(b[app0 + 6], 1);
  const int x_density = b[app0 + 8] << 8 | b[app0 + 9], y_density = b[app0 + 10] << 8 | b[app0 + 11];
  EXPECT_EQ(x_density, y_density);
  EXPECT_GT(x_density, 0);
  EXPECT_EQ(b[app0 + 12], 0);  // no thumbnail
  EXPECT_EQ(b[app0 + 13], 0);

  // Baseline sequential (SOF0) and no other frame type; 8-bit, 94 x 94, Y Cb Cr each 1 x 1.
  for (unsigned char m : {0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF}) {
    EXPECT_EQ(Find(segments, m), nullptr) << std::hex << int{m};
  }
  const Segment* sof = Find(segments, 0xC0);
  ASSERT_NE(sof, nullptr);
  const std::size_t f = sof->offset + 4;
  EXPECT_EQ(b[f], 8);
  EXPECT_EQ(b[f + 1] << 8 | b[f + 2], 94);  // height
  EXPECT_EQ(b[f + 3] << 8 | b[f + 4], 94);  // width
  ASSERT_EQ(b[f + 5], 3);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(b[f + 6 + 3 * c], c + 1) << "component ids 1, 2, 3 (Y, Cb, Cr)";
    EXPECT_EQ(b[f + 7 + 3 * c], 0x11) << "component " << c << " sampled 1 x 1";
  }

  // No restart interval, no restart markers, exactly one scan holding all three components.
  EXPECT_EQ(Find(segments, 0xDD), nullptr);
  int scans = 0;
  for (const auto& s : segments) {
    EXPECT_FALSE(s.marker >= 0xD0 && s.marker <= 0xD7) << "restart marker at " << s.offset;
    if (s.marker == 0xDA) {
      ++scans;
      EXPECT_EQ(b[s.offset + 4], 3) << "interleaved scan";
    }
  }
  EXPECT_EQ(scans, 1);
}

TEST(DecodeJpeg, DecodesTheAboutPictureTo94By94Rgb) {
  const auto picture = DecodeJpeg(embedded::about_picture);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 94);
  EXPECT_EQ(picture->height, 94);
  EXPECT_EQ(picture->pixels.size(), 94u * 94u * 3u);
  EXPECT_FALSE(picture->warned);
  // The corner lies outside the round emblem: light grey (240, 240, 240) when drawn.
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(picture->pixels[c], 240, 8);
  // The middle of the moon is light yellow (252, 236, 190) when drawn.
  const std::size_t moon = (58u * 94u + 72u) * 3u;  // x 72, y 58
  EXPECT_NEAR(picture->pixels[moon], 252, 10);
  EXPECT_NEAR(picture->pixels[moon + 1], 236, 10);
  EXPECT_NEAR(picture->pixels[moon + 2], 190, 12);
}

TEST(DecodeJpeg, IsPureTheSameBytesGiveTheSamePixels) {
  const auto a = DecodeJpeg(embedded::about_picture);
  const auto b = DecodeJpeg(embedded::about_picture);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->pixels, b->pixels);
}

TEST(DecodeJpeg, ATruncatedCopyStillDecodesWithAWarning) {
  const Bytes whole = AboutBytes();
  const auto full = DecodeJpeg(whole);
  ASSERT_TRUE(full);
  // Cut inside the first chunk, at a chunk boundary and in the second chunk, and only the EOI.
  for (std::size_t length : {whole.size() / 2, std::size_t{4096}, whole.size() - 100, whole.size() - 2}) {
    SCOPED_TRACE(length);
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    const auto picture = DecodeJpeg(cut);
    ASSERT_TRUE(picture.has_value());
    EXPECT_TRUE(picture->warned);
    EXPECT_EQ(picture->width, 94);
    EXPECT_EQ(picture->height, 94);
    EXPECT_EQ(picture->pixels.size(), 94u * 94u * 3u);
    if (length == whole.size() - 2) {
      EXPECT_EQ(picture->pixels, full->pixels);
    }
  }
}

TEST(DecodeJpeg, EveryPrefixEitherFailsOrGivesAWholePicture) {
  const Bytes whole = AboutBytes();
  const std::size_t sos = Find(Markers(whole), 0xDA)->offset;
  for (std::size_t length = 0; length < whole.size(); length += 37) {
    SCOPED_TRACE(length);
    const auto picture = DecodeJpeg(std::span(whole.data(), length));
    if (length > sos + 14) {  // past the scan header: the picture is completed with a warning
      ASSERT_TRUE(picture.has_value());
      EXPECT_TRUE(picture->warned);
    }
    if (picture) {
      EXPECT_EQ(picture->pixels.size(), std::size_t(picture->width) * picture->height * 3);
    }
  }
}

TEST(DecodeJpeg, EmptyDataIsAnError) {
  EXPECT_FALSE(DecodeJpeg({}).has_value());
  EXPECT_FALSE(DecodeJpeg(std::span<const unsigned char>()).has_value());
}

TEST(DecodeJpeg, DataNotStartingWithFfD8IsNotJpeg) {
  const std::string gif = "GIF89a\x01\x00\x01\x00";
  EXPECT_FALSE(DecodeJpeg(std::span(reinterpret_cast<const unsigned char*>(gif.data()), gif.size())));
  Bytes b = AboutBytes();
  b[1] = 0xD9;
  EXPECT_FALSE(DecodeJpeg(b));
  b = AboutBytes();
  b.insert(b.begin(), 0x00);  // one byte of junk before SOI
  EXPECT_FALSE(DecodeJpeg(b));
  const Bytes one{0xFF};
  EXPECT_FALSE(DecodeJpeg(one));
}

TEST(DecodeJpeg, ASoiAloneIsAnError) {
  const Bytes soi{0xFF, 0xD8};
  EXPECT_FALSE(DecodeJpeg(soi));
  const Bytes soi_eoi{0xFF, 0xD8, 0xFF, 0xD9};
  EXPECT_FALSE(DecodeJpeg(soi_eoi));
}

// The About picture with one byte of the segment with marker `marker` changed.
Bytes WithSegmentByte(unsigned char marker, std::size_t index, unsigned char value) {
  Bytes b = AboutBytes();
  const Segment* s = Find(Markers(b), marker);
  EXPECT_NE(s, nullptr);
  b[s->offset + 4 + index] = value;
  return b;
}

TEST(DecodeJpeg, ABadFrameHeaderIsAnError) {
  EXPECT_FALSE(DecodeJpeg(WithSegmentByte(0xC0, 0, 12))) << "12-bit samples";
  EXPECT_FALSE(DecodeJpeg(WithSegmentByte(0xC0, 2, 0))) << "height 0 (DNL is not supported)";
  EXPECT_FALSE(DecodeJpeg(WithSegmentByte(0xC0, 4, 0))) << "width 0";
  EXPECT_FALSE(DecodeJpeg(WithSegmentByte(0xC0, 5, 0))) << "no components";
  EXPECT_FALSE(DecodeJpeg(WithSegmentByte(0xC0, 7, 0x00))) << "sampling factor 0";
  EXPECT_FALSE(DecodeJpeg(WithSegmentByte(0xC0, 8, 9))) << "quantisation table 9";
}

TEST(DecodeJpeg, ABrokenHuffmanTableIsAnError) {
  // The first DHT's code counts add up to more than the table holds.
  Bytes b = AboutBytes();
  const Segment* dht = Find(Markers(b), 0xC4);
  ASSERT_NE(dht, nullptr);
  for (std::size_t i = 0; i < 16; ++i) b[dht->offset + 5 + i] = 0x40;
  EXPECT_FALSE(DecodeJpeg(b));
}

TEST(DecodeJpeg, AScanNamingAMissingHuffmanTableIsAnError) {
  Bytes b = AboutBytes();
  const Segment* sos = Find(Markers(b), 0xDA);
  ASSERT_NE(sos, nullptr);
  b[sos->offset + 6] = 0x33;  // Y: DC and AC table 3, never defined
  EXPECT_FALSE(DecodeJpeg(b));
}

TEST(DecodeJpeg, CorruptEntropyCodedDataGivesAWholePictureOrNothing) {
  // libjpeg treats bad Huffman codes inside the scan as a warning and goes on, so this may
  // decode (with the warning) or fail; either way cleanly, and never a partial buffer.
  const Bytes whole = AboutBytes();
  const std::size_t data = Find(Markers(whole), 0xDA)->offset + 14;
  std::srand(7);
  for (int round = 0; round < 20; ++round) {
    Bytes b = whole;
    for (std::size_t i = data + 50; i < b.size() - 2; i += 3) b[i] = static_cast<unsigned char>(std::rand() % 255);
    const auto picture = DecodeJpeg(b);
    if (picture) {
      EXPECT_EQ(picture->pixels.size(), 94u * 94u * 3u);
      EXPECT_TRUE(picture->warned);
    }
  }
}

TEST(DecodeJpeg, GreyscaleGivesThreeEqualBytesAPixel) {
  const auto picture = DecodeJpeg(embedded::test_grey_jpeg);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 33);
  EXPECT_EQ(picture->height, 21);
  ASSERT_EQ(picture->pixels.size(), 33u * 21u * 3u);
  EXPECT_FALSE(picture->warned);
  int distinct = 0;
  for (std::size_t i = 0; i < picture->pixels.size(); i += 3) {
    EXPECT_EQ(picture->pixels[i], picture->pixels[i + 1]);
    EXPECT_EQ(picture->pixels[i], picture->pixels[i + 2]);
    if (picture->pixels[i] != picture->pixels[0]) ++distinct;
  }
  EXPECT_GT(distinct, 100) << "a drawing, not a flat grey";
}

TEST(DecodeJpeg, ATruncatedGreyscalePictureStillDecodes) {
  const auto& g = embedded::test_grey_jpeg;
  const auto picture = DecodeJpeg(g.first(g.size() - 200));
  ASSERT_TRUE(picture.has_value());
  EXPECT_TRUE(picture->warned);
  EXPECT_EQ(picture->pixels.size(), 33u * 21u * 3u);
}

TEST(DecodeJpeg, ProgressiveDecodesToo) {
  const auto picture = DecodeJpeg(embedded::test_progressive_jpeg);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 50);
  EXPECT_EQ(picture->height, 38);
  EXPECT_EQ(picture->pixels.size(), 50u * 38u * 3u);
  EXPECT_FALSE(picture->warned);
  for (int c = 0; c < 3; ++c) EXPECT_GT(picture->pixels[c], 180) << "the light corner";
  // Cut in its middle scans: completed with a warning.
  const auto& p = embedded::test_progressive_jpeg;
  const auto cut = DecodeJpeg(p.first(p.size() / 2));
  ASSERT_TRUE(cut.has_value());
  EXPECT_TRUE(cut->warned);
  EXPECT_EQ(cut->pixels.size(), 50u * 38u * 3u);
}

TEST(DecodeJpeg, SkipsLongSegmentsAcrossChunks) {
  // An APP15 segment of 10000 bytes after SOI: libjpeg skips it through the source manager,
  // over more than two 4096-byte chunks.
  const Bytes whole = AboutBytes();
  Bytes b(whole.begin(), whole.begin() + 2);
  b.insert(b.end(), {0xFF, 0xEF, 0x27, 0x10});  // length 10000 with itself
  b.insert(b.end(), 10000 - 2, 0xAB);
  b.insert(b.end(), whole.begin() + 2, whole.end());
  const auto picture = DecodeJpeg(b);
  const auto expected = DecodeJpeg(whole);
  ASSERT_TRUE(picture && expected);
  EXPECT_FALSE(picture->warned);
  EXPECT_EQ(picture->pixels, expected->pixels);
  // The same segment, cut short by the end of the data: a warning, then nothing to decode.
  EXPECT_FALSE(DecodeJpeg(std::span(b.data(), 6000)));
}

TEST(DecodeJpeg, RefusesPicturesOverTheSizeLimits) {
  // A hostile frame header: 20000 x 20000, or 16384 x 16384 (each side allowed, too many
  // pixels in all). Refused before libjpeg or we allocate anything of that size.
  auto with_size = [](int width, int height) {
    Bytes b = AboutBytes();
    const Segment* sof = Find(Markers(b), 0xC0);
    b[sof->offset + 5] = static_cast<unsigned char>(height >> 8);
    b[sof->offset + 6] = static_cast<unsigned char>(height);
    b[sof->offset + 7] = static_cast<unsigned char>(width >> 8);
    b[sof->offset + 8] = static_cast<unsigned char>(width);
    return b;
  };
  EXPECT_FALSE(DecodeJpeg(with_size(20000, 20000)));
  EXPECT_FALSE(DecodeJpeg(with_size(16384, 16384)));
  EXPECT_FALSE(DecodeJpeg(with_size(kMaxJpegSide + 1, 8)));
  EXPECT_FALSE(DecodeJpeg(with_size(8, kMaxJpegSide + 1)));
  // Within the limits, a bigger frame than the data holds is completed with a warning.
  const auto big = DecodeJpeg(with_size(300, 200));
  ASSERT_TRUE(big.has_value());
  EXPECT_TRUE(big->warned);
  EXPECT_EQ(big->pixels.size(), 300u * 200u * 3u);
}

}  // namespace
}  // namespace corvani
