#include <windows.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "app/focus_rules.h"
#include "app/keyboard_rules.h"
#include "app/loaded_window.h"

namespace corvani {

namespace {

bool KeyDown(int virtual_key) { return (::GetKeyState(virtual_key) & 0x8000) != 0; }

void MoveFocus(const LoadedWindow& window, int focused_index, bool forward) {
  const std::vector<int> tab_list = window.CurrentTabList();
  if (const auto next = NextInTabList(tab_list, focused_index, forward)) {
    ::SetFocus(window.controls()[static_cast<std::size_t>(*next)].native);
  }
}

int FirstEnabledDefaultButton(const LoadedWindow& window) {
  for (std::size_t i = 0; i < window.controls().size(); ++i) {
    if (window.IsEnabledDefaultButton(static_cast<int>(i))) return static_cast<int>(i);
  }
  return -1;
}

// Alt with a letter: the visible, enabled control whose text marks that letter, if any.
bool RunMnemonic(LoadedWindow& window, unsigned key) {
  std::vector<int> candidates;
  std::vector<std::string_view> texts;
  for (std::size_t i = 0; i < window.controls().size(); ++i) {
    const auto& control = window.controls()[i];
    if (control.native == nullptr || !::IsWindowVisible(control.native) || !::IsWindowEnabled(control.native)) {
      continue;
    }
    candidates.push_back(static_cast<int>(i));
    texts.push_back(control.definition->text);
  }
  const auto found = FindMnemonic(texts, static_cast<char>(key));
  if (!found) return false;
  const int index = candidates[*found];
  const auto& control = window.controls()[static_cast<std::size_t>(index)];
  if (control.definition->kind == ControlKind::Button) {
    RaiseEvent(window, index, Event::Clicked);
  } else {
    ::SetFocus(control.native);
  }
  return true;
}

bool HandleKey(LoadedWindow& window, const MSG& message) {
  const KeyPress press{MapKeyCode(static_cast<unsigned>(message.wParam)), KeyDown(VK_CONTROL),
                       KeyDown(VK_SHIFT), KeyDown(VK_MENU)};
  const int focused = window.ControlIndexOf(::GetFocus());
  const FocusedControl focus{focused >= 0, false, window.ClaimsEnter(focused), false,
                             window.IsEnabledDefaultButton(focused)};
  const int first_default = FirstEnabledDefaultButton(window);
  const WindowKeySettings settings{window.definition().esc_closes, window.definition().enter_moves_focus,
                                   first_default >= 0};
  switch (DecideKey(press, focus, settings)) {
    case KeyAction::PassOn: return false;
    case KeyAction::Swallow: return true;
    case KeyAction::FocusForward: MoveFocus(window, focused, true); return true;
    case KeyAction::FocusBackward: MoveFocus(window, focused, false); return true;
    case KeyAction::ClickFocused: RaiseEvent(window, focused, Event::Clicked); return true;
    case KeyAction::ClickFirstDefault: RaiseEvent(window, first_default, Event::Clicked); return true;
    case KeyAction::Close: ::SendMessageA(window.native(), WM_CLOSE, 0, 0); return true;
    case KeyAction::Mnemonic: return RunMnemonic(window, press.key);
  }
  return false;
}

}  // namespace

bool PreTranslateMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (!Application::Exists()) return false;
  const Application& app = Application::Current();
  // From the target up through its parents to its top-level window.
  for (HWND h = message.hwnd; h != nullptr;
       h = (::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) != 0 ? ::GetParent(h) : nullptr) {
    if (LoadedWindow* window = app.FindLoaded(h)) return HandleKey(*window, message);
  }
  return false;
}

}  // namespace corvani
