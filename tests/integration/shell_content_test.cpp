// The main window's Content: written whole, with one content-changed event per write.

#include "shell_script.h"
#include "ui/main_window/main_window.h"

namespace shell_test {
namespace {

using ContentTest = ShellTest;

std::string ChangedLine() { return std::string(MainWindowDefinition().title) + "." + kEditBoxName + ":ContentChanged"; }

TEST_F(ContentTest, WritingRaisesContentChangedOnce) {
  ASSERT_TRUE(LoadWindow(MainWindowDefinition()));
  Pump();
  Log().clear();

  SetContent("第一行\r\nsecond");
  Pump();
  EXPECT_EQ(Count(ChangedLine()), 1);
  EXPECT_EQ(Content(), "第一行\r\nsecond");

  SetContent("第一行\r\nsecond");  // the same text is written again, and said again
  SetContent("");
  Pump();
  EXPECT_EQ(Count(ChangedLine()), 3);
  EXPECT_EQ(Content(), "");
}

TEST_F(ContentTest, TypingRaisesContentChangedThroughTheControl) {
  ASSERT_TRUE(LoadWindow(MainWindowDefinition()));
  Pump();
  Log().clear();
  ::SendMessageA(Loaded(MainWindowDefinition())->ControlWindow(kEditBoxName), WM_CHAR, 'x', 1);
  Pump();
  EXPECT_EQ(Count(ChangedLine()), 1);
  EXPECT_EQ(Content(), "x");
}

}  // namespace
}  // namespace shell_test
