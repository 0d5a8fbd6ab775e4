// Modal windows: nested waits, a quit request met inside a wait, the redirect of activation to
// the modal window, and a close request that reaches a disabled window from outside.

#include "shell_script.h"

namespace shell_test {
namespace {

const WindowDefinition& Main() {
  static const WindowDefinition d = TestWindow("Main", {{.event = Event::FirstActivated, .command = &Advance}});
  return d;
}
const WindowDefinition& Outer() {
  static const WindowDefinition d = TestWindow("Outer", {{.event = Event::FirstActivated, .command = &Advance}});
  return d;
}
const WindowDefinition& Inner() {
  static const WindowDefinition d = TestWindow("Inner", {{.event = Event::FirstActivated, .command = &Advance}});
  return d;
}

bool Enabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }

using ModalWaitTest = ShellTest;

TEST_F(ModalWaitTest, NestedWaitsEndInnermostFirstAndGiveBackEnabledStatesInOrder) {
  Script({
      [&] {  // Main is up: open the outer modal window; this step returns when it is gone
        Note("open Outer");
        EXPECT_TRUE(LoadWindow(Outer(), nullptr, true));
        Note("Outer returned");
        EXPECT_TRUE(Enabled(Native(Main())));
        EXPECT_EQ(app_->modal_serial(), 0u);
        DestroyLoadedWindow(*Loaded(Main()));
      },
      [&] {  // inside Outer's wait
        EXPECT_FALSE(Enabled(Native(Main())));
        Note("open Inner");
        EXPECT_TRUE(LoadWindow(Inner(), nullptr, true));
        Note("Inner returned");
        // Outer's wait goes on: it is the modal window again, enabled; Main stays disabled.
        ASSERT_NE(Loaded(Outer()), nullptr);
        EXPECT_EQ(app_->modal_serial(), Loaded(Outer())->serial());
        EXPECT_TRUE(Enabled(Native(Outer())));
        EXPECT_FALSE(Enabled(Native(Main())));
        Advance();
      },
      [&] {  // inside Inner's wait
        EXPECT_EQ(app_->modal_serial(), Loaded(Inner())->serial());
        EXPECT_FALSE(Enabled(Native(Main())));
        EXPECT_FALSE(Enabled(Native(Outer())));
        EXPECT_TRUE(Enabled(Native(Inner())));
        DestroyLoadedWindow(*Loaded(Inner()));
      },
      [&] {  // back inside Outer's wait
        DestroyLoadedWindow(*Loaded(Outer()));
      },
  });
  ASSERT_TRUE(LoadWindow(Main()));
  const int code = RunMessageLoop();
  Note("loop returned " + std::to_string(code));
  EXPECT_EQ(Only({"WillBeDestroyed"}),
            (std::vector<std::string>{"open Outer", "open Inner", "Inner:WillBeDestroyed", "Inner returned",
                                      "Outer:WillBeDestroyed", "Outer returned", "Main:WillBeDestroyed",
                                      "loop returned 0"}));
}

TEST_F(ModalWaitTest, QuitRequestDuringTheWaitStaysQueuedAndEndsTheMainLoop) {
  Script({
      [&] {
        EXPECT_TRUE(LoadWindow(Outer(), nullptr, true));
        Note("wait returned");
        // The wait has ended though its window is still there: the request is next.
        EXPECT_NE(Loaded(Outer()), nullptr);
        MSG next;
        EXPECT_TRUE(::PeekMessageA(&next, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
      },
      [&] {
        QuitRequest(7);
        Note("quit posted");
      },
  });
  ASSERT_TRUE(LoadWindow(Main()));
  const int code = RunMessageLoop();
  Note("loop returned " + std::to_string(code));
  EXPECT_EQ(code, 7);
  EXPECT_EQ(Only({"WillBeDestroyed"}),
            (std::vector<std::string>{"quit posted", "wait returned", "loop returned 7"}));
}

TEST_F(ModalWaitTest, ActivatingTheDisabledWindowBringsTheModalWindowToTheFront) {
  Script({
      [&] {
        EXPECT_TRUE(LoadWindow(Outer(), nullptr, true));
        DestroyLoadedWindow(*Loaded(Main()));
      },
      [&] {  // inside Outer's wait: someone activates Main, as its taskbar entry would
        ASSERT_EQ(::GetActiveWindow(), Native(Outer()));
        ::SetActiveWindow(Native(Main()));
        Note(::GetActiveWindow() == Native(Main()) ? "Main active" : "Main not active");
        Advance();  // after the redirect, which was posted first
      },
      [&] {
        EXPECT_EQ(::GetActiveWindow(), Native(Outer()));
        EXPECT_FALSE(Enabled(Native(Main())));
        DestroyLoadedWindow(*Loaded(Outer()));
      },
  });
  ASSERT_TRUE(LoadWindow(Main()));
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_EQ(Only({"Activated"}),
            (std::vector<std::string>{"Main:Activated", "Outer:Activated", "Main:Activated", "Main active",
                                      "Outer:Activated", "Main:Activated"}));
}

TEST_F(ModalWaitTest, CloseRequestFromOutsideActsOnlyAfterTheModalWindowIsGone) {
  Script({
      [&] {
        EXPECT_TRUE(LoadWindow(Outer(), nullptr, true));
        Note("Outer returned");
      },
      [&] {  // inside Outer's wait: a close request reaches Main from outside
        ::PostMessageA(Native(Main()), WM_CLOSE, 0, 0);
        Advance();
      },
      [&] {
        EXPECT_NE(Loaded(Main()), nullptr);
        Note("Main still loaded");
        DestroyLoadedWindow(*Loaded(Outer()));
      },
  });
  ASSERT_TRUE(LoadWindow(Main()));
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_EQ(Only({"WillBeDestroyed"}),
            (std::vector<std::string>{"Main still loaded", "Outer:WillBeDestroyed", "Outer returned",
                                      "Main:WillBeDestroyed"}));
}

}  // namespace
}  // namespace shell_test
