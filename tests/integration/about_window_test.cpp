// The About window built and taken down inside this process, where every handle, GDI object and
// icon can be counted.
#include "ui/about_window/about_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "app/application.h"
#include "app/loaded_window.h"
#include "commands/commands.h"
#include "support/resource_counts.h"
#include "ui/main_window/main_window.h"

namespace corvani {
namespace {

using testing_support::CountResources;

// Paints the window, frame and controls included, before going on: what painting makes the
// first time must be made during the warm-up, not at some later round.
void PaintNow(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Closes the About window from inside its modal wait, as a user would; it keeps trying until
// the window is there, since the timer may fire while the window is still being built.
void CALLBACK CloseAboutSoon(HWND, UINT, UINT_PTR, DWORD) {
  if (LoadedWindow* about = Application::Current().FindLoaded(AboutWindowDefinition())) {
    PaintNow(about->native());  // every round paints all of it, so painting is counted too
    ::PostMessageA(about->native(), WM_CLOSE, 0, 0);
  }
}

void OpenAndCloseAbout() {
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 1, CloseAboutSoon);
  AboutCommand();  // returns once the About window is gone
  ::KillTimer(nullptr, timer);
}

TEST(AboutWindowResources, OpeningAndClosing200TimesLeavesEveryCountWhereItWas) {
  Application app;
  ASSERT_TRUE(app.Initialize());
  ASSERT_TRUE(LoadWindow(MainWindowDefinition()));
  HWND main = app.FindLoaded(MainWindowDefinition())->native();
  auto counts_after = [&](int rounds) {
    for (int i = 0; i < rounds; ++i) OpenAndCloseAbout();
    PaintNow(main);
    return CountResources();
  };
  // Warm-up: classes registered, and the system's own first-use objects made (Wine makes some
  // of them only at the second opening).
  auto before = counts_after(3);
  auto after = counts_after(200);
  if (after != before) {
    // Wine now and then makes a set of objects of its own once, at some later round, when
    // timing brings it there (23 GDI objects and an icon). Something made once is not a leak:
    // a leak grows again over the next 200 rounds.
    std::printf("counts moved once (%s -> %s); measuring 200 more rounds\n", before.ToString().c_str(),
                after.ToString().c_str());
    before = after;
    after = counts_after(200);
  }
  EXPECT_EQ(after, before) << after.ToString() << " vs " << before.ToString();
  EXPECT_EQ(app.FindLoaded(AboutWindowDefinition()), nullptr);
  EXPECT_TRUE(::IsWindowEnabled(main));
}

}  // namespace
}  // namespace corvani
