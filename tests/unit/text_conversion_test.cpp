#include "document/text_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace corvani {
namespace {

using namespace std::string_literals;

struct ConversionCase {
  std::string bytes;
  std::string text;
};

class BytesToTextCases : public testing::TestWithParam<ConversionCase> {};

TEST_P(BytesToTextCases, KeepsTheBytesBeforeTheFirstZero) {
  const auto& c = GetParam();
  const Bytes bytes{c.bytes};
  EXPECT_EQ(BytesToText(bytes), c.text);
  EXPECT_EQ(bytes.data, c.bytes) << "the copying form leaves its argument alone";
  EXPECT_EQ(BytesToText(Bytes{c.bytes}), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BytesToTextCases,
    testing::Values(ConversionCase{"", ""}, ConversionCase{"\0"s, ""},
                    ConversionCase{"\0AB"s, ""}, ConversionCase{"A\0B"s, "A"},
                    ConversionCase{"AB\0CD\0"s, "AB"},
                    // UTF-16 text stops at its first zero byte; nothing is converted.
                    ConversionCase{"\xFF\xFE\x61\x00"s, "\xFF\xFE\x61"},
                    ConversionCase{"中文\r\nline\r\n", "中文\r\nline\r\n"},
                    // A lone GBK lead byte at the end is kept as it is.
                    ConversionCase{"x\xB1", "x\xB1"}));

TEST(BytesToText, TakingOverTheBufferMakesNoCopy) {
  Bytes bytes{std::string(1 << 20, 'a') + "\0tail"s};
  const char* buffer = bytes.data.data();
  const Text text = BytesToText(std::move(bytes));
  EXPECT_EQ(text.size(), 1u << 20);
  EXPECT_EQ(text.data(), buffer);
}

TEST(TextToBytes, RoundTripsEveryText) {
  for (const Text& text : {Text(), Text("A"), Text("中文\r\n"), Text(1000, '\xB1'),
                           Text("\x01\xFF")}) {
    const Bytes bytes = TextToBytes(text);
    EXPECT_EQ(bytes.data, text) << "no terminator is stored";
    EXPECT_EQ(bytes.size(), static_cast<int>(text.size()));
    EXPECT_EQ(BytesToText(bytes), text);
    EXPECT_EQ(BytesToText(TextToBytes(Text(text))), text);
  }
  EXPECT_TRUE(TextToBytes(Text()).empty());
}

}  // namespace
}  // namespace corvani
