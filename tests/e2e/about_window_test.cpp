// The About window of the real program, driven with real input.
#include <gtest/gtest.h>

#include <climits>
#include <thread>

#include "driver/driver.h"
// After driver.h, which brings <windows.h>.
#include <psapi.h>
#include "resources/embedded.h"
#include "ui/about_window/jpeg_decoder.h"

namespace {

using namespace e2e;

const std::string kMainTitle = "Corvani  Mirelund论坛专版 teru_vasko";
const std::string kAboutTitle = "关于作者";

class AboutWindow : public testing::Test {
 protected:
  void SetUp() override {
    main_ = program_.WaitForWindow(kMainTitle);
    ASSERT_NE(main_, nullptr);
    Activate(main_);
    Settle(main_);
    about_button_ = ChildWithText(main_, "关于作者");
    ASSERT_NE(about_button_, nullptr);
  }

  HWND OpenAbout() {
    ClickWindow(about_button_);
    HWND about = program_.WaitForWindow(kAboutTitle, 10s);
    if (about != nullptr) Settle(about);
    return about;
  }

  bool Gone(HWND about) {
    return WaitUntil([&] { return !::IsWindow(about); }, 5s);
  }

  // After the About window has gone, the main window is usable again, active, with the
  // focus back on the button that opened the About window.
  void ExpectMainWindowBack() {
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main_) != FALSE; }, 5s));
    EXPECT_TRUE(WaitUntil([&] { return ActiveOf(main_) == main_; }, 5s));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main_) == about_button_; }, 5s))
        << "focus on \"" << Text(FocusOf(main_)) << "\" (" << ClassOf(FocusOf(main_)) << ")";
  }

  Program program_;
  HWND main_ = nullptr;
  HWND about_button_ = nullptr;
};

TEST_F(AboutWindow, OpensCentredOnTheScreenWithItsControlsWhereverTheMainWindowStands) {
  ::SetWindowPos(main_, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Settle(main_);
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  const RECT outer = WindowRect(about);
  EXPECT_EQ(outer.left, 712);
  EXPECT_EQ(outer.top, 471);
  EXPECT_EQ(outer.right - outer.left, 495);
  EXPECT_EQ(outer.bottom - outer.top, 138);

  const auto style = static_cast<DWORD>(::GetWindowLongPtrA(about, GWL_STYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_POPUP), 0u);
  // Owned by a hidden tool window of the program, not by the main window: no taskbar entry.
  HWND owner = ::GetWindow(about, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_NE(owner, main_);
  EXPECT_FALSE(::IsWindowVisible(owner));
  EXPECT_NE(::GetWindowLongPtrA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_FALSE(::IsWindowEnabled(main_));

  struct Expected {
    const char* text;
    RECT rect;
  };
  HWND close = ChildWithText(about, "关闭");
  HWND author = ChildWithText(about, "作者：teru_vasko");
  HWND community = ChildWithText(about, "Mirelund论坛·www.mirelund.example");
  ASSERT_NE(close, nullptr);
  ASSERT_NE(author, nullptr);
  ASSERT_NE(community, nullptr);
  HWND picture = nullptr;
  ::EnumChildWindows(
      about,
      [](HWND child, LPARAM found) -> BOOL {
        if (Text(child).empty()) *reinterpret_cast<HWND*>(found) = child;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&picture));
  ASSERT_NE(picture, nullptr);
  for (const auto& [window, rect] : {std::pair{close, RECT{280, 40, 480, 104}}, std::pair{author, RECT{104, 40, 280, 104}},
                                     std::pair{community, RECT{112, 8, 488, 40}}, std::pair{picture, RECT{0, 0, 104, 104}}}) {
    const RECT r = RectInClient(window);
    EXPECT_EQ(r.left, rect.left) << Text(window);
    EXPECT_EQ(r.top, rect.top) << Text(window);
    EXPECT_EQ(r.right, rect.right) << Text(window);
    EXPECT_EQ(r.bottom, rect.bottom) << Text(window);
  }
  EXPECT_EQ(FocusOf(about), close);
}

struct CloseWay {
  const char* name;
  void (*close)(HWND about);
};

class ClosingTheAboutWindow : public AboutWindow, public testing::WithParamInterface<CloseWay> {};

TEST_P(ClosingTheAboutWindow, GivesTheMainWindowBack) {
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  ASSERT_EQ(Text(FocusOf(about)), "关闭");
  GetParam().close(about);
  EXPECT_TRUE(Gone(about));
  ExpectMainWindowBack();
  EXPECT_FALSE(program_.WaitForExit(0ms).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ClosingTheAboutWindow,
    testing::Values(CloseWay{"Space", [](HWND) { PressKey(VK_SPACE); }},
                    CloseWay{"Esc", [](HWND) { PressKey(VK_ESCAPE); }},
                    CloseWay{"AltF4", [](HWND) { PressKey(VK_F4, {VK_MENU}); }},
                    CloseWay{"ClickOnClose", [](HWND about) { ClickWindow(ChildWithText(about, "关闭")); }},
                    CloseWay{"CloseBox",
                             [](HWND about) {
                               const auto point = NonClientPoint(about, HTCLOSE);
                               ASSERT_TRUE(point.has_value());
                               ClickAt(*point);
                             }}),
    [](const testing::TestParamInfo<CloseWay>& info) { return std::string(info.param.name); });

TEST_F(AboutWindow, EnterDoesNotCloseIt) {
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  PressKey(VK_RETURN);
  Settle(about);
  EXPECT_TRUE(::IsWindow(about));
  EXPECT_FALSE(::IsWindowEnabled(main_));
}

TEST_F(AboutWindow, TwoQuickClicksOnCloseDestroyItOnce) {
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  HWND close = ChildWithText(about, "关闭");
  ::PostMessageA(close, BM_CLICK, 0, 0);
  ::PostMessageA(close, BM_CLICK, 0, 0);
  EXPECT_TRUE(Gone(about));
  ExpectMainWindowBack();
  EXPECT_FALSE(program_.WaitForExit(500ms).has_value()) << "the program ended";
  // And it opens again, the same window in the same place.
  HWND again = OpenAbout();
  ASSERT_NE(again, nullptr);
  const RECT outer = WindowRect(again);
  EXPECT_EQ(outer.left, 712);
  EXPECT_EQ(outer.top, 471);
  EXPECT_EQ(Text(FocusOf(again)), "关闭");
}

TEST_F(AboutWindow, KeepsTheMainWindowOutOfUseWhileOpen) {
  HWND edit = ChildWithText(main_, "");
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  // Clicks on the main window's buttons and edit box do nothing.
  ClickWindow(ChildWithText(main_, "打开文件"));
  ClickWindow(edit);
  TypeText("zz");
  Settle(main_);
  EXPECT_EQ(Text(edit), "");
  EXPECT_EQ(program_.TopLevelWindows().size(), 2u);
  // Trying to bring the main window forward brings the About window forward instead.
  ::SetForegroundWindow(main_);
  EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == about; }, 5s));
  // Minimised, it still keeps the main window disabled.
  ::ShowWindow(about, SW_MINIMIZE);
  Settle(about);
  EXPECT_FALSE(::IsWindowEnabled(main_));
  ::ShowWindow(about, SW_RESTORE);
  Settle(about);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(Gone(about));
  ExpectMainWindowBack();
}

// The colour of the screen at a point.
COLORREF ScreenPixel(int x, int y) {
  HDC screen = ::GetDC(nullptr);
  const COLORREF colour = ::GetPixel(screen, x, y);
  ::ReleaseDC(nullptr, screen);
  return colour;
}

TEST_F(AboutWindow, ShowsThePictureUnscaledAndTheTextOnTheFaceColour) {
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  std::this_thread::sleep_for(300ms);  // let it paint
  const RECT client = ClientRectOnScreen(about);
  const auto picture = corvani::DecodeJpeg(corvani::embedded::about_picture);
  ASSERT_TRUE(picture.has_value());
  ASSERT_EQ(picture->width, 94);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);

  HDC screen = ::GetDC(nullptr);
  int differing = 0;
  for (int y = 0; y < 94; ++y) {
    for (int x = 0; x < 94; ++x) {
      const COLORREF shown = ::GetPixel(screen, client.left + x, client.top + y);
      const unsigned char* rgb = &picture->pixels[static_cast<std::size_t>((y * 94 + x) * 3)];
      const int d = std::abs(GetRValue(shown) - rgb[0]) + std::abs(GetGValue(shown) - rgb[1]) +
                    std::abs(GetBValue(shown) - rgb[2]);
      if (d > 6) ++differing;
    }
  }
  EXPECT_EQ(differing, 0) << "pixels of the picture not shown as decoded";
  // The 10-pixel bands right of and below the picture, inside the 104 x 104 box.
  for (int i = 0; i < 104; i += 7) {
    for (int band = 94; band < 104; band += 3) {
      EXPECT_EQ(::GetPixel(screen, client.left + band, client.top + i), face) << band << "," << i;
      EXPECT_EQ(::GetPixel(screen, client.left + i, client.top + band), face) << i << "," << band;
    }
  }
  ::ReleaseDC(nullptr, screen);

  // Each label: face colour around, black text on one line at the left, centred vertically.
  struct LabelCase {
    const char* text;
  };
  for (const char* text : {"作者：teru_vasko", "Mirelund论坛·www.mirelund.example"}) {
    HWND label = ChildWithText(about, text);
    ASSERT_NE(label, nullptr);
    const RECT r = WindowRect(label);
    int top = INT_MAX, bottom = -1, left = INT_MAX;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        const COLORREF c = ScreenPixel(x, y);
        if (c == face) continue;
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        left = std::min(left, x);
      }
    }
    ASSERT_LE(top, bottom) << text << ": no text drawn";
    EXPECT_LT(left - r.left, 4) << text;
    const int above = top - r.top;
    const int below = r.bottom - 1 - bottom;
    EXPECT_LE(std::abs(above - below), 3) << text << ": not centred vertically";
    EXPECT_LT(bottom - top, 20) << text << ": more than one line";
  }
  EXPECT_EQ(ScreenPixel(client.left + 200, client.bottom - 2), face);  // the window's own background
}

// Handle and GDI counts are checked in-process (integration tests); across processes Wine
// reports no counts, so here the figure is the process's committed memory.
TEST_F(AboutWindow, OpeningAndClosing200TimesDoesNotGrowTheProcess) {
  auto cycle = [&] {
    ::PostMessageA(about_button_, BM_CLICK, 0, 0);
    HWND about = program_.WaitForWindow(kAboutTitle, 10s);
    ASSERT_NE(about, nullptr);
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Gone(about));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main_) != FALSE; }, 5s));
  };
  auto committed = [&] {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(program_.process(), &counters, sizeof counters);
    return counters.PagefileUsage;
  };
  for (int i = 0; i < 5; ++i) cycle();  // warm-up: classes registered, first-use allocations made
  Settle(main_);
  const SIZE_T before = committed();
  for (int i = 0; i < 200; ++i) {
    cycle();
    if (HasFatalFailure()) return;
  }
  Settle(main_);
  const SIZE_T after = committed();
  std::printf("About window opened and closed 200 times: committed memory %zu -> %zu bytes\n",
              static_cast<std::size_t>(before), static_cast<std::size_t>(after));
  ASSERT_GT(before, 0u) << "no memory figure from the system";
  // One leaked picture a round would be 200 x 26 KB; allow for the heap's own slack.
  EXPECT_LT(after, before + 256 * 1024);
}

}  // namespace
