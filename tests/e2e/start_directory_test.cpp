// Wherever the program is started from, its current directory is its own folder.
#include <gtest/gtest.h>

#include "driver/driver.h"

namespace {

using namespace e2e;

const std::string kTitle = "Corvani  Mirelund论坛专版 teru_vasko";

struct Placement {
  const char* name;
  const char* folder;  // made under a fresh temp folder; holds the copied program
  const char* exe;     // the copy's file name
};

class StartedElsewhere : public testing::TestWithParam<Placement> {};

TEST_P(StartedElsewhere, MakesTheProgramFolderTheCurrentDirectory) {
  const std::string root = MakeTempFolder();
  const std::string folder = root + "\\" + GetParam().folder;
  ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
  const std::string exe = folder + "\\" + GetParam().exe;
  ASSERT_TRUE(::CopyFileA(CorvaniExe().c_str(), exe.c_str(), FALSE));
  const std::string elsewhere = MakeTempFolder("elsewhere");

  Program program(exe, elsewhere);
  ASSERT_NE(program.WaitForWindow(kTitle), nullptr);
  std::string current = program.CurrentDirectory();
  // The process parameters keep the directory with a trailing backslash.
  if (!current.empty() && current.back() == '\\') current.pop_back();
  EXPECT_EQ(Hex(current), Hex(folder)) << current;
}

INSTANTIATE_TEST_SUITE_P(Folders, StartedElsewhere,
                         testing::Values(Placement{"PlainFolder", "plain", "corvani.exe"},
                                         // 淺 is 9C 5C: its second byte looks like a backslash.
                                         Placement{"ChineseFolder", "中文目录", "淺水编辑器.exe"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SecondCopy, StartsItsOwnIndependentWindow) {
  Program first;
  Program second;
  HWND a = first.WaitForWindow(kTitle);
  HWND b = second.WaitForWindow(kTitle);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
}

}  // namespace
