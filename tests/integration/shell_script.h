#pragma once

// What the shell's integration tests share: an Application of their own per test, a log of the
// events the shell raises, and a scripted sequence of steps that runs inside the running loop.
// A handler bound to a window's event calls Advance(), which posts a message to a small helper
// window; its procedure runs the next step. So every step runs from a real dispatched message,
// in a known order, and the test compares the log with the one it expects.

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/loaded_window.h"
#include "app/window_definition.h"

namespace shell_test {

using namespace corvani;

inline const char* EventName(Event event) {
  switch (event) {
    case Event::Created: return "Created";
    case Event::Moved: return "Moved";
    case Event::Resized: return "Resized";
    case Event::Shown: return "Shown";
    case Event::Hidden: return "Hidden";
    case Event::FirstActivated: return "FirstActivated";
    case Event::Activated: return "Activated";
    case Event::Deactivated: return "Deactivated";
    case Event::QueryClose: return "QueryClose";
    case Event::QueryUnload: return "QueryUnload";
    case Event::WillBeDestroyed: return "WillBeDestroyed";
    case Event::Clicked: return "Clicked";
    case Event::ContentChanged: return "ContentChanged";
  }
  return "?";
}

// Everything that happened, in order: "title:Event", "title.control:Event", and the notes the
// steps add themselves.
inline std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}
inline void Note(const std::string& line) { Log().push_back(line); }

inline void RecordEvent(const LoadedWindow& window, int control_index, Event event) {
  std::string line(window.definition().title);
  if (control_index >= 0) {
    line += ".";
    line += window.controls()[static_cast<std::size_t>(control_index)].definition->name;
  }
  Note(line + ":" + EventName(event));
}

// The log lines that end with one of the given events, or are notes (no colon).
inline std::vector<std::string> Only(std::initializer_list<const char*> events) {
  std::vector<std::string> kept;
  for (const std::string& line : Log()) {
    const auto colon = line.rfind(':');
    if (colon == std::string::npos) {
      kept.push_back(line);
      continue;
    }
    for (const char* e : events) {
      if (line.compare(colon + 1, std::string::npos, e) == 0) kept.push_back(line);
    }
  }
  return kept;
}

inline int Count(const std::string& line) {
  int n = 0;
  for (const std::string& l : Log()) n += l == line;
  return n;
}

inline constexpr UINT kStepMessage = WM_APP + 0x42;

inline std::deque<std::function<void()>>& Steps() {
  static std::deque<std::function<void()>> steps;
  return steps;
}

inline HWND& ScriptWindow() {
  static HWND window = nullptr;
  return window;
}

inline LRESULT CALLBACK ScriptProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != kStepMessage) return ::DefWindowProcA(hwnd, message, wparam, lparam);
  if (Steps().empty()) {
    ADD_FAILURE() << "a step was asked for, but the script has ended";
    return 0;
  }
  std::function<void()> step = std::move(Steps().front());
  Steps().pop_front();
  step();
  return 0;
}

// Runs the next step once the loop reaches it. Bound to events as a command handler.
inline void Advance() { ::PostMessageA(ScriptWindow(), kStepMessage, 0, 0); }

// Takes every message waiting in the queue, the quit request too, through the shell's
// pre-translation as the loops do.
inline void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    if (PreTranslateMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// A window definition of the tests: small, titled, one push button unless told otherwise.
inline WindowDefinition TestWindow(std::string_view title, std::vector<EventBinding> events = {},
                                   std::vector<ControlDefinition> controls = {}) {
  if (controls.empty()) {
    controls.push_back({.kind = ControlKind::Button, .name = "go", .left = 8, .top = 8, .width = 80,
                        .height = 24, .tab_stop = true, .class_name = "BUTTON", .text = "Go",
                        .style = BS_PUSHBUTTON | WS_CHILD | WS_VISIBLE});
  }
  return WindowDefinition{.title = title, .width = 300, .height = 200, .events = std::move(events),
                          .controls = std::move(controls)};
}

class ShellTest : public testing::Test {
 protected:
  void SetUp() override {
    Pump();
    Log().clear();
    Steps().clear();
    static const ATOM atom = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = ScriptProcedure;
      wc.hInstance = ::GetModuleHandleA(nullptr);
      wc.lpszClassName = "ShellTestScript";
      return ::RegisterClassA(&wc);
    }();
    ASSERT_NE(atom, 0);
    ScriptWindow() = ::CreateWindowExA(0, "ShellTestScript", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(ScriptWindow(), nullptr);
    app_ = std::make_unique<Application>();
    ASSERT_TRUE(app_->Initialize());
    app_->set_event_observer(&RecordEvent);
  }

  void TearDown() override {
    app_.reset();
    ::DestroyWindow(ScriptWindow());
    ScriptWindow() = nullptr;
    Pump();
    EXPECT_TRUE(Steps().empty()) << Steps().size() << " steps of the script never ran";
  }

  // Adds steps to the script, in order.
  void Script(std::initializer_list<std::function<void()>> steps) {
    for (const auto& s : steps) Steps().push_back(s);
  }

  LoadedWindow* Loaded(const WindowDefinition& d) const { return app_->FindLoaded(d); }
  HWND Native(const WindowDefinition& d) const {
    LoadedWindow* w = Loaded(d);
    return w != nullptr ? w->native() : nullptr;
  }

  std::unique_ptr<Application> app_;
};

}  // namespace shell_test
