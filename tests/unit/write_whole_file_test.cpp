#include "document/write_whole_file.h"

#include <gtest/gtest.h>

namespace corvani {
namespace {

TEST(TemporaryFileName, LiesInTheTargetsFolder) {
  EXPECT_EQ(TemporaryFileName("C:\\docs\\a.txt", 0x1A2B), "C:\\docs\\~cv00001A2B.tmp");
  EXPECT_EQ(TemporaryFileName("C:\\a.txt", 1), "C:\\~cv00000001.tmp");
  // "\x95\x5c" is one GBK character whose second byte is a backslash, not a separator.
  EXPECT_EQ(TemporaryFileName("D:\\\x95\x5c.txt", 2), "D:\\~cv00000002.tmp");
  EXPECT_EQ(TemporaryFileName("D:\\\x95\x5c\\x.txt", 2), "D:\\\x95\x5c\\~cv00000002.tmp");
  EXPECT_EQ(TemporaryFileName("a.txt", 1), std::nullopt);
  EXPECT_EQ(TemporaryFileName("C:\\" + std::string(250, 'd') + "\\a.txt", 1), std::nullopt);
}

TEST(IsTemporaryFileName, KnowsOnlyItsOwnNames) {
  EXPECT_TRUE(IsTemporaryFileName("~cv00001A2B.tmp"));
  EXPECT_TRUE(IsTemporaryFileName(TemporaryFileName("C:\\a.txt", 0xFFFFFFFF)->substr(3)));
  for (const char* other : {"~cv00001a2b.tmp", "~cv0001A2B.tmp", "~cv00001A2B.txt", "~cv00001A2G.tmp",
                            "x~cv00001A2B.tmp", "~cv00001A2B.tmp.bak", ""}) {
    EXPECT_FALSE(IsTemporaryFileName(other)) << other;
  }
}

TEST(AttributesToKeep, KeepsWhatCanBeSetAndNeverReturnsZero) {
  EXPECT_EQ(AttributesToKeep(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(AttributesToKeep(FILE_ATTRIBUTE_NORMAL), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(AttributesToKeep(FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_SPARSE_FILE),
            static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(AttributesToKeep(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_REPARSE_POINT),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

}  // namespace
}  // namespace corvani
