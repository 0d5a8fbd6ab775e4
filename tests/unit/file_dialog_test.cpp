#include "ui/file_dialog/file_dialog.h"

#include <string>

#include <gtest/gtest.h>

namespace corvani {
namespace {

using namespace std::string_literals;

TEST(FileDialogProperties, StartWithTheLoadValues) {
  const std::unique_ptr<ControlObject> made = MakeFileDialog();
  const auto* dialog = dynamic_cast<const FileDialog*>(made.get());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->Type(), FileDialog::kOpen);
  EXPECT_EQ(dialog->Title(), "");
  EXPECT_EQ(dialog->FileName(), "");
  EXPECT_EQ(dialog->Filter(), "");
  EXPECT_EQ(dialog->InitialFilter(), 0);
  EXPECT_EQ(dialog->InitialDir(), "");
  EXPECT_EQ(dialog->DefaultExt(), "");
  EXPECT_FALSE(dialog->CreatePrompt());
  EXPECT_TRUE(dialog->FileMustExist());
  EXPECT_TRUE(dialog->OverwritePrompt());
  EXPECT_TRUE(dialog->PathMustExist());
  EXPECT_FALSE(dialog->NoChangeDir());
}

TEST(FileDialogProperties, SettersStoreCopiesOfText) {
  FileDialog dialog;
  std::string filter = "文本文件（.txt）|*.txt";
  dialog.SetFilter(filter);
  filter[0] = 'X';
  EXPECT_EQ(dialog.Filter(), "文本文件（.txt）|*.txt");
  // A Text holds no zero byte: a value with one keeps what comes before it.
  dialog.SetFileName("C:\\a.txt\0junk"s);
  EXPECT_EQ(dialog.FileName(), "C:\\a.txt");
}

TEST(FileDialogProperties, NegativeInitialFilterIsStoredAsZero) {
  FileDialog dialog;
  dialog.SetInitialFilter(2);
  EXPECT_EQ(dialog.InitialFilter(), 2);
  dialog.SetInitialFilter(-1);
  EXPECT_EQ(dialog.InitialFilter(), 0);
}

TEST(FileDialogShow, KindOtherThanOpenOrSaveShowsNothing) {
  FileDialog dialog;
  dialog.SetFileName("C:\\a.txt");
  dialog.SetType(2);
  EXPECT_FALSE(dialog.Show());
  EXPECT_EQ(dialog.FileName(), "C:\\a.txt");
}

}  // namespace
}  // namespace corvani
