#include "app/application.h"

#include <gtest/gtest.h>

namespace corvani {
namespace {

struct DirectoryCase {
  const char* path;
  const char* expected;
};

class ProgramDirectory : public testing::TestWithParam<DirectoryCase> {};

TEST_P(ProgramDirectory, IsThePathBeforeTheLastBackslash) {
  EXPECT_EQ(ProgramDirectoryFromPath(GetParam().path), GetParam().expected) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProgramDirectory,
    testing::Values(DirectoryCase{"D:\\工具\\编辑器.exe", "D:\\工具"},
                    DirectoryCase{"D:\\编辑器.exe", "D:"},  // the root: a bare drive
                    DirectoryCase{"编辑器.exe", ""}, DirectoryCase{"", ""},
                    DirectoryCase{"C:\\Program Files\\Corvani\\corvani.exe", "C:\\Program Files\\Corvani"},
                    // 0x95 0x5C is one GBK character whose trail byte looks like a backslash.
                    DirectoryCase{"C:\\dir\\\x95\x5c.exe", "C:\\dir"},
                    DirectoryCase{"C:\\\x95\x5c\\a.exe", "C:\\\x95\x5c"},
                    DirectoryCase{"\x95\x5c.exe", ""},
                    DirectoryCase{"\\\\server\\share\\a.exe", "\\\\server\\share"}));

}  // namespace
}  // namespace corvani
