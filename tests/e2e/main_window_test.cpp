// The real program, started in the 1920 x 1080 virtual desktop and driven with real input.
#include <gtest/gtest.h>

#include "driver/driver.h"

namespace {

using namespace e2e;

const std::string kTitle = "Corvani  Mirelund论坛专版 teru_vasko";

class MainWindow : public testing::Test {
 protected:
  void SetUp() override {
    window_ = program_.WaitForWindow(kTitle);
    ASSERT_NE(window_, nullptr) << "the main window did not appear";
    Activate(window_);
    edit_ = ChildWithText(window_, "");
    ASSERT_NE(edit_, nullptr);
    ASSERT_EQ(ClassOf(edit_), "Edit");
  }
  HWND Button(const std::string& text) { return ChildWithText(window_, text); }

  Program program_;
  HWND window_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(MainWindow, StandsCentredWithItsExactFrameTitleAndControls) {
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1920);
  const RECT outer = WindowRect(window_);
  EXPECT_EQ(outer.left, 596);
  EXPECT_EQ(outer.top, 264);
  EXPECT_EQ(outer.right - outer.left, 728);
  EXPECT_EQ(outer.bottom - outer.top, 551);
  EXPECT_EQ(Hex(Text(window_)),
            "43 6F 72 76 61 6E 69 20 20 4D 69 72 65 6C 75 6E 64 C2 DB CC B3 D7 A8 B0 E6 20 74 "
            "65 72 75 5F 76 61 73 6B 6F");

  const auto style = static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_STYLE));
  const DWORD wanted = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  EXPECT_EQ(style & wanted, wanted);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_POPUP), 0u);
  EXPECT_EQ(::GetWindow(window_, GW_OWNER), nullptr);
  // No extended style of its own; the system adds the window edge to every captioned window.
  EXPECT_EQ(::GetWindowLongPtrA(window_, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_EQ(ClassOf(window_), "WTWindow");

  struct Expected {
    const char* text;
    RECT rect;
  };
  for (const Expected& e : {Expected{"关于作者", {520, 8, 720, 56}}, Expected{"打开文件", {8, 8, 240, 56}},
                            Expected{"保存文件", {248, 8, 512, 56}}}) {
    HWND button = Button(e.text);
    ASSERT_NE(button, nullptr) << e.text;
    const RECT r = RectInClient(button);
    EXPECT_EQ(r.left, e.rect.left) << e.text;
    EXPECT_EQ(r.top, e.rect.top) << e.text;
    EXPECT_EQ(r.right, e.rect.right) << e.text;
    EXPECT_EQ(r.bottom, e.rect.bottom) << e.text;
    const auto button_style = static_cast<DWORD>(::GetWindowLongPtrA(button, GWL_STYLE));
    EXPECT_EQ(button_style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << e.text;
    EXPECT_NE(button_style & WS_TABSTOP, 0u) << e.text;
  }
  const RECT edit = RectInClient(edit_);
  EXPECT_EQ(edit.left, 8);
  EXPECT_EQ(edit.top, 64);
  EXPECT_EQ(edit.right - edit.left, 704);
  EXPECT_EQ(edit.bottom - edit.top, 448);
  const auto edit_style = static_cast<DWORD>(::GetWindowLongPtrA(edit_, GWL_STYLE));
  EXPECT_NE(edit_style & ES_MULTILINE, 0u);
  EXPECT_NE(edit_style & ES_WANTRETURN, 0u);
  EXPECT_EQ(edit_style & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL), 0u);
  EXPECT_NE(::GetWindowLongPtrA(edit_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(MainWindow, TakesTypingInTheEditBoxRightAfterStart) {
  EXPECT_EQ(FocusOf(window_), edit_);
  TypeText("a");
  PressKey(VK_RETURN);
  TypeText("b");
  Settle(window_);
  EXPECT_EQ(Hex(Text(edit_)), "61 0D 0A 62");
}

TEST_F(MainWindow, TabAndShiftTabCycleWithoutTypingATab) {
  const std::vector<HWND> forward = {Button("保存文件"), Button("打开文件"), Button("关于作者"), edit_};
  for (HWND expected : forward) {
    PressKey(VK_TAB);
    Settle(window_);
    EXPECT_EQ(FocusOf(window_), expected) << Text(expected);
  }
  for (auto it = forward.rbegin() + 1; it != forward.rend(); ++it) {
    PressKey(VK_TAB, {VK_SHIFT});
    Settle(window_);
    EXPECT_EQ(FocusOf(window_), *it) << Text(*it);
  }
  PressKey(VK_TAB, {VK_SHIFT});
  Settle(window_);
  EXPECT_EQ(FocusOf(window_), edit_);
  EXPECT_EQ(Text(edit_), "");
}

TEST_F(MainWindow, EnterOnAFocusedButtonDoesNothing) {
  TypeText("x");
  for (const char* text : {"保存文件", "打开文件", "关于作者"}) {
    PressKey(VK_TAB);
    Settle(window_);
    ASSERT_EQ(Text(FocusOf(window_)), text);
    PressKey(VK_RETURN);
    Settle(window_);
    EXPECT_EQ(program_.TopLevelWindows().size(), 1u) << text;
    EXPECT_EQ(Text(FocusOf(window_)), text);
  }
  EXPECT_EQ(Text(edit_), "x");
}

TEST_F(MainWindow, SpaceOnAFocusedButtonClicksIt) {
  for (int i = 0; i < 3; ++i) PressKey(VK_TAB);
  Settle(window_);
  ASSERT_EQ(Text(FocusOf(window_)), "关于作者");
  PressKey(VK_SPACE);
  HWND about = program_.WaitForWindow("关于作者");
  ASSERT_NE(about, nullptr) << "Space did not run the About command";
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
  EXPECT_TRUE(program_.WaitForWindow(kTitle) != nullptr);
}

TEST_F(MainWindow, ALongLineWrapsOnScreenButReadsBackAsOneLine) {
  std::string line;
  for (int i = 0; i < 30; ++i) line += "word" + std::to_string(i) + " ";
  TypeText(line);
  Settle(window_);
  EXPECT_GT(::SendMessageA(edit_, EM_GETLINECOUNT, 0, 0), 1) << "the line did not wrap";
  EXPECT_EQ(Text(edit_), line);
}

struct CloseWay {
  const char* name;
  void (*close)(HWND window);
};

class ClosingTheMainWindow : public MainWindow, public testing::WithParamInterface<CloseWay> {};

TEST_P(ClosingTheMainWindow, EndsTheProcessWithExitCodeZero) {
  TypeText("unsaved");
  Settle(window_);
  GetParam().close(window_);
  EXPECT_EQ(program_.WaitForExit(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ClosingTheMainWindow,
    testing::Values(CloseWay{"EscFromTheEditBox", [](HWND) { PressKey(VK_ESCAPE); }},
                    CloseWay{"EscFromAButton",
                             [](HWND) {
                               PressKey(VK_TAB);
                               PressKey(VK_ESCAPE);
                             }},
                    CloseWay{"AltF4", [](HWND) { PressKey(VK_F4, {VK_MENU}); }},
                    CloseWay{"CloseBox",
                             [](HWND w) {
                               const auto point = NonClientPoint(w, HTCLOSE);
                               ASSERT_TRUE(point.has_value());
                               ClickAt(*point);
                             }}),
    [](const testing::TestParamInfo<CloseWay>& info) { return std::string(info.param.name); });

}  // namespace
