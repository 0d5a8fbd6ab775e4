#include "document/allocation.h"

#include <gtest/gtest.h>

namespace corvani {
namespace {

TEST(AllocationFailureText, NamesTheByteCountInDecimal) {
  // "分配 %d 字节内存失败!" in GBK.
  EXPECT_EQ(AllocationFailureText(2147483647),
            "\xB7\xD6\xC5\xE4 2147483647 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!");
  EXPECT_EQ(AllocationFailureText(0), "\xB7\xD6\xC5\xE4 0 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!");
}

}  // namespace
}  // namespace corvani
