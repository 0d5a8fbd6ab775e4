#include <windows.h>

#include "app/loaded_window.h"
#include "ui/main_window/main_window.h"

namespace corvani {

Text Content() {
  LoadedWindow& window = RequireLoaded(MainWindowDefinition(), "读取组件属性时发现指定窗口尚未载入");
  HWND edit = window.ControlWindow(kEditBoxName);
  Text text(static_cast<std::size_t>(::GetWindowTextLengthA(edit)), '\0');
  // The length is an upper bound for double-byte text; keep what was really copied.
  const int copied = ::GetWindowTextA(edit, text.data(), static_cast<int>(text.size()) + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void SetContent(const Text& text) {
  LoadedWindow& window = RequireLoaded(MainWindowDefinition(), "修改组件属性时发现指定窗口尚未载入");
  HWND edit = window.ControlWindow(kEditBoxName);
  window.set_suppress_change_events(true);
  ::SetWindowTextA(edit, text.c_str());
  window.set_suppress_change_events(false);
  RaiseEvent(window, window.ControlIndexOf(edit), Event::ContentChanged);
}

}  // namespace corvani
