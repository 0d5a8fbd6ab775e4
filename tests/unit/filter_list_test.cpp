#include "ui/file_dialog/filter_list.h"

#include <string>

#include <gtest/gtest.h>

namespace corvani {
namespace {

using namespace std::string_literals;

struct FilterCase {
  const char* name;
  std::string filter;
  std::string list;
};

class FilterList : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterList, BuildsZeroSeparatedListEndedByTwoZeroBytes) {
  const auto& c = GetParam();
  EXPECT_EQ(BuildFilterList(c.filter, IsGbkLeadByte), c.list);
  // The system's own predicate agrees while the code page is 936.
  EXPECT_EQ(BuildFilterList(c.filter, IsSystemLeadByte), c.list);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterList,
    testing::Values(
        FilterCase{"TwoEntries", "文本文件（.txt）|*.txt|所有文件（*.*）|*.*",
                   "文本文件（.txt）\0*.txt\0所有文件（*.*）\0*.*\0\0"s},
        FilterCase{"OneEntry", "文本文件（.txt）|*.txt", "文本文件（.txt）\0*.txt\0\0"s},
        FilterCase{"AlreadyEndsInTwoBars", "A|*.a||", "A\0*.a\0\0"s},
        FilterCase{"TrailingWhiteSpace", "A|*.a \t\r\n", "A\0*.a\0\0"s},
        FilterCase{"WhiteSpaceAfterTwoBars", "A|*.a||  ", "A\0*.a\0\0"s},
        // "晐" is 95 7C in GBK: its trail byte is not a separator.
        FilterCase{"TrailByteIsBar", "\x95\x7c|*.txt", "\x95\x7c\0*.txt\0\0"s},
        // Ends in the bytes 7C 7C, but the first belongs to "晐": not "||", so both are added.
        FilterCase{"TrailByteThenBarIsNotTwoBars", "A|\x95\x7c|", "A\0\x95\x7c\0\0\0"s},
        // A stray lead byte at the end cannot swallow a terminator.
        FilterCase{"LoneLeadByteAtEnd", "A|*.\x95", "A\0*.\x95\0\0"s}, FilterCase{"Empty", "", ""s},
        FilterCase{"OnlyWhiteSpace", " \t ", ""s}),
    [](const testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

TEST(SelectedFilterIndex, IsOneBasedWithListAndZeroWithout) {
  EXPECT_EQ(SelectedFilterIndex(true, 0), 1u);
  EXPECT_EQ(SelectedFilterIndex(true, 2), 3u);
  EXPECT_EQ(SelectedFilterIndex(true, -5), 1u);
  EXPECT_EQ(SelectedFilterIndex(false, 0), 0u);
  EXPECT_EQ(SelectedFilterIndex(false, 3), 0u);
}

}  // namespace
}  // namespace corvani
