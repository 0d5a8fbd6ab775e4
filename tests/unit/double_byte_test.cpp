#include "base/double_byte.h"

#include <gtest/gtest.h>

namespace corvani {
namespace {

struct LastBackslashCase {
  const char* path;
  std::size_t expected;
};

class LastBackslash : public testing::TestWithParam<LastBackslashCase> {};

TEST_P(LastBackslash, SkipsTrailBytesOfDoubleByteCharacters) {
  const auto& c = GetParam();
  EXPECT_EQ(FindLastCharacter(c.path, '\\', IsGbkLeadByte), c.expected) << c.path;
  // The system's own predicate agrees while the code page is 936.
  EXPECT_EQ(FindLastCharacter(c.path, '\\', IsSystemLeadByte), c.expected) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LastBackslash,
    testing::Values(LastBackslashCase{"C:\\a\\b.exe", 4}, LastBackslashCase{"b.exe", std::string_view::npos},
                    LastBackslashCase{"", std::string_view::npos},
                    // "表" is B1 ED; "\x95\x5c" is a GBK character whose trail byte is a backslash.
                    LastBackslashCase{"D:\\\x95\x5c.exe", 2},
                    LastBackslashCase{"D:\\\x95\x5c\\x.exe", 5},
                    // A lone lead byte at the very end has no trail byte to swallow.
                    LastBackslashCase{"D:\\\x95", 2}));

}  // namespace
}  // namespace corvani
