// Loading and destroying windows: a load of a loaded window, a control that cannot be built,
// events held while a window is built, and deferred destruction asked for more than once.

#include <algorithm>

#include "shell_script.h"

namespace shell_test {
namespace {

const WindowDefinition& First() {
  static const WindowDefinition d = TestWindow("First");
  return d;
}
const WindowDefinition& Second() {
  static const WindowDefinition d = TestWindow("Second");
  return d;
}

bool Enabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }

using LoadWindowTest = ShellTest;

TEST_F(LoadWindowTest, LoadingALoadedWindowOnlyActivatesIt) {
  ASSERT_TRUE(LoadWindow(First()));
  ASSERT_TRUE(LoadWindow(Second()));
  const HWND first = Native(First());
  ASSERT_EQ(::GetActiveWindow(), Native(Second()));

  // Modal or not, nothing is built and no wait starts: the call returns at once.
  EXPECT_TRUE(LoadWindow(First(), nullptr, true));
  EXPECT_EQ(::GetActiveWindow(), first);
  EXPECT_EQ(Native(First()), first);
  EXPECT_EQ(app_->loaded_windows().size(), 2u);
  EXPECT_FALSE(Loaded(First())->modal());
  EXPECT_TRUE(Enabled(Native(Second())));
  EXPECT_EQ(app_->modal_serial(), 0u);
  EXPECT_EQ(Count("First:Created"), 1);
}

TEST_F(LoadWindowTest, LoadingAMinimisedWindowRestoresIt) {
  ASSERT_TRUE(LoadWindow(First()));
  const HWND first = Native(First());
  ::ShowWindow(first, SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(first));
  EXPECT_TRUE(LoadWindow(First()));
  EXPECT_FALSE(::IsIconic(first));
  EXPECT_TRUE(::IsWindowVisible(first));
  EXPECT_EQ(Native(First()), first);
  EXPECT_EQ(Count("First:Created"), 1);
}

const WindowDefinition& Broken() {
  // The control that cannot be built is the first of the definition, so it is built last:
  // the others exist by then and must go with the window.
  static const WindowDefinition d = TestWindow(
      "Broken", {{.event = Event::Created, .command = &Advance}},
      {{.kind = ControlKind::Button, .name = "ghost", .width = 10, .height = 10,
        .class_name = "ShellTestNoSuchClass"},
       {.kind = ControlKind::Button, .name = "real", .width = 10, .height = 10, .class_name = "BUTTON",
        .text = "Real"},
       {.kind = ControlKind::EditBox, .name = "edit", .width = 10, .height = 10, .class_name = "EDIT"}});
  return d;
}

TEST_F(LoadWindowTest, AControlThatCannotBeBuiltLeavesNoLoadedWindow) {
  ASSERT_TRUE(LoadWindow(First()));
  const std::size_t windows_before = app_->loaded_windows().size();

  EXPECT_FALSE(LoadWindow(Broken(), nullptr, true));
  EXPECT_EQ(Loaded(Broken()), nullptr);
  EXPECT_EQ(app_->loaded_windows().size(), windows_before);
  EXPECT_EQ(::FindWindowA("WTWindow", "Broken"), nullptr);
  EXPECT_EQ(::FindWindowExA(nullptr, nullptr, "BUTTON", "Real"), nullptr);
  EXPECT_TRUE(Enabled(Native(First())));  // a modal load that failed disabled nothing
  EXPECT_FALSE(app_->events_held());
  EXPECT_EQ(app_->modal_serial(), 0u);
  Pump();
  EXPECT_EQ(Count("Broken:Created"), 0);
  EXPECT_EQ(Count("Broken:WillBeDestroyed"), 0);

  // Events flow again for the next window.
  ASSERT_TRUE(LoadWindow(Second()));
  EXPECT_EQ(Count("Second:Created"), 1);
}

// A control that reports a click to its parent the moment it exists: the message is waiting
// while the window is still being built.
LRESULT CALLBACK EagerProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CREATE) {
    ::PostMessageA(::GetParent(hwnd), WM_COMMAND,
                   MAKEWPARAM(::GetDlgCtrlID(hwnd), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
  }
  return ::DefWindowProcA(hwnd, message, wparam, lparam);
}

const char* EagerClass() {
  static const ATOM atom = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = EagerProcedure;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "ShellTestEager";
    return ::RegisterClassA(&wc);
  }();
  return atom != 0 ? "ShellTestEager" : nullptr;
}

void NoteCreated();

const WindowDefinition& Building() {
  static const WindowDefinition d = TestWindow(
      "Building", {{.event = Event::Created, .command = &NoteCreated}},
      {{.kind = ControlKind::Button, .name = "eager", .left = 8, .top = 8, .width = 80, .height = 24,
        .window_class = &EagerClass, .clicked = &Advance},
       {.kind = ControlKind::Button, .name = "hidden", .left = 8, .top = 40, .width = 80, .height = 24,
        .visible = false, .class_name = "BUTTON"}});
  return d;
}

// The created handler sees every control built and placed, and the window still hidden.
void NoteCreated() {
  const LoadedWindow* w = Application::Current().FindLoaded(Building());
  const bool controls_ready = w != nullptr && ::IsWindow(w->ControlWindow("eager")) &&
                              (::GetWindowLongPtrA(w->ControlWindow("eager"), GWL_STYLE) & WS_VISIBLE) != 0 &&
                              ::IsWindow(w->ControlWindow("hidden")) &&
                              (::GetWindowLongPtrA(w->ControlWindow("hidden"), GWL_STYLE) & WS_VISIBLE) == 0;
  Note(controls_ready ? "controls ready" : "controls missing");
  Note(w != nullptr && ::IsWindowVisible(w->native()) ? "window visible" : "window hidden");
}

void NoteFirstClicked() { Note("First clicked"); }

const WindowDefinition& FirstWithHandler() {
  static const WindowDefinition d = TestWindow(
      "Waiting", {},
      {{.kind = ControlKind::Button, .name = "go", .width = 80, .height = 24, .class_name = "BUTTON",
        .text = "Go", .clicked = &NoteFirstClicked}});
  return d;
}

TEST_F(LoadWindowTest, EventsAreHeldWhileTheWindowIsBuilt) {
  ASSERT_TRUE(LoadWindow(FirstWithHandler()));
  Pump();
  Log().clear();
  // A click that waits before the load: its command runs first, before anything is built.
  const HWND go = Loaded(FirstWithHandler())->ControlWindow("go");
  ::PostMessageA(Native(FirstWithHandler()), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(go), BN_CLICKED),
                 reinterpret_cast<LPARAM>(go));

  ASSERT_TRUE(LoadWindow(Building()));
  Pump();  // nothing of the building may still be waiting to raise an event

  const std::vector<std::string> building = [] {
    std::vector<std::string> lines;
    for (const std::string& l : Log()) {
      if (l.rfind("Building", 0) == 0 || l.find(':') == std::string::npos || l.rfind("Waiting", 0) == 0) {
        lines.push_back(l);
      }
    }
    return lines;
  }();
  ASSERT_GE(building.size(), 6u);
  // The sizes and moves of creation, and the eager click, came while events were held.
  EXPECT_EQ(std::vector<std::string>(building.begin(), building.begin() + 6),
            (std::vector<std::string>{"Waiting.go:Clicked", "First clicked", "Building:Created",
                                      "controls ready", "window hidden", "Building:Moved"}));
  EXPECT_EQ(building[6], "Building:Resized");
  EXPECT_EQ(Count("Building.eager:Clicked"), 0);
  EXPECT_FALSE(app_->events_held());
}

using DestroyTest = ShellTest;

// Counts WM_NCDESTROY for one window, whoever destroys it.
struct NcDestroyCounter {
  static HWND& Target() {
    static HWND target = nullptr;
    return target;
  }
  static int& Count() {
    static int count = 0;
    return count;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == WM_NCDESTROY && call->hwnd == Target()) ++Count();
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
  }
  explicit NcDestroyCounter(HWND target)
      : hook(::SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId())) {
    Target() = target;
    Count() = 0;
  }
  ~NcDestroyCounter() { ::UnhookWindowsHookEx(hook); }
  HHOOK hook;
};

struct SecondRequestCase {
  const char* what;
  void (*second)(LoadedWindow& window);
};

class SecondRequest : public DestroyTest, public testing::WithParamInterface<SecondRequestCase> {};

TEST_P(SecondRequest, IsSpentAndTheWindowGoesOnce) {
  ASSERT_TRUE(LoadWindow(First()));
  ASSERT_TRUE(LoadWindow(Second()));  // so the first window is not the last one
  LoadedWindow& first = *Loaded(First());
  NcDestroyCounter counter(first.native());
  ASSERT_NE(counter.hook, nullptr);

  DestroyLoadedWindow(first);
  EXPECT_EQ(Loaded(First()), &first) << "a deferred destroy waits for the loop";
  EXPECT_TRUE(first.close_pending());
  GetParam().second(first);
  Pump();

  EXPECT_EQ(Loaded(First()), nullptr);
  EXPECT_EQ(NcDestroyCounter::Count(), 1);
  EXPECT_EQ(Count("First:WillBeDestroyed"), 1);
  EXPECT_NE(Loaded(Second()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, SecondRequest,
    testing::Values(SecondRequestCase{"deferred again", [](LoadedWindow& w) { DestroyLoadedWindow(w); }},
                    SecondRequestCase{"at once", [](LoadedWindow& w) { DestroyLoadedWindow(w, true); }},
                    SecondRequestCase{"closed by the user", [](LoadedWindow& w) {
                                        ::SendMessageA(w.native(), WM_CLOSE, 0, 0);
                                      }}),
    [](const auto& info) {
      std::string name = info.param.what;
      std::replace(name.begin(), name.end(), ' ', '_');
      return name;
    });

TEST_F(DestroyTest, LoadingAgainWhileTheCloseIsPendingBuildsAFreshWindowThatStays) {
  ASSERT_TRUE(LoadWindow(First()));
  LoadedWindow& old_window = *Loaded(First());
  const HWND old_native = old_window.native();
  DestroyLoadedWindow(old_window);

  ASSERT_TRUE(LoadWindow(First()));
  EXPECT_FALSE(::IsWindow(old_native));
  ASSERT_NE(Loaded(First()), nullptr);
  const HWND fresh = Native(First());
  EXPECT_NE(fresh, old_native);
  Pump();  // the old request, still queued, must not reach the new window
  EXPECT_EQ(Native(First()), fresh);
  EXPECT_FALSE(Loaded(First())->close_pending());
  EXPECT_EQ(Count("First:Created"), 2);
  EXPECT_EQ(Count("First:WillBeDestroyed"), 1);
}

}  // namespace
}  // namespace shell_test
