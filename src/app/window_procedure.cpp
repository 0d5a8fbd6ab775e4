#include <windows.h>

#include "app/application.h"
#include "app/loaded_window.h"

namespace corvani {

// The window procedure of every loaded window: each message goes to a small handler.
class WindowProcedure {
 public:
  static LRESULT Handle(LoadedWindow& w, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_ERASEBKGND: return OnEraseBackground(hwnd, reinterpret_cast<HDC>(wparam));
      case WM_CTLCOLOREDIT: return OnEditColours(w, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
      case WM_COMMAND: OnCommand(w, HIWORD(wparam), reinterpret_cast<HWND>(lparam)); return 0;
      case WM_CLOSE: OnClose(w); return 0;
      case WM_DESTROY: RaiseEvent(w, -1, Event::WillBeDestroyed); return 0;
      case WM_ACTIVATE: OnActivate(w, LOWORD(wparam)); break;
      case WM_SETFOCUS: OnSetFocus(w); return 0;
      case WM_MOVE: RaiseEvent(w, -1, Event::Moved); break;
      case WM_SIZE: RaiseEvent(w, -1, Event::Resized); break;
      case WM_SHOWWINDOW: RaiseEvent(w, -1, wparam ? Event::Shown : Event::Hidden); break;
      case kDeferredDestroyMessage: CarryOutDeferredDestroy(w); return 0;
      case kRedirectActivationMessage: ActivateModalWindow(); return 0;
      default: break;
    }
    return ::DefWindowProcA(hwnd, message, wparam, lparam);
  }

  static void Attach(LoadedWindow& w, HWND hwnd) { w.native_ = hwnd; }

  static void OnNcDestroy(LoadedWindow& w) {
    w.native_ = nullptr;
    for (auto& control : w.controls_) control.native = nullptr;
    Application::Current().RemoveLoadedWindow(&w);  // deletes w
  }

 private:
  static LRESULT OnEraseBackground(HWND hwnd, HDC dc) {
    RECT client;
    ::GetClientRect(hwnd, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));  // system brush, not ours
    return 1;
  }

  // The edit box's colours are fixed, not the system's.
  static LRESULT OnEditColours(LoadedWindow& w, HDC dc, HWND control) {
    const int index = w.ControlIndexOf(control);
    if (index < 0 || w.controls_[static_cast<std::size_t>(index)].definition->kind != ControlKind::EditBox) {
      return 0;
    }
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));  // stock, not ours
  }

  static void OnCommand(LoadedWindow& w, WORD code, HWND control) {
    const int index = w.ControlIndexOf(control);
    if (index < 0) return;
    const ControlKind kind = w.controls_[static_cast<std::size_t>(index)].definition->kind;
    if (kind == ControlKind::Button && code == BN_CLICKED) {
      // The button reports the click while it still holds the mouse; a command that opens a
      // modal window or dialog would leave that window unable to take a click.
      if (::GetCapture() == control) ::ReleaseCapture();
      RaiseEvent(w, index, Event::Clicked);
    } else if (kind == ControlKind::EditBox && code == EN_CHANGE && !w.suppress_change_events_) {
      RaiseEvent(w, index, Event::ContentChanged);
    }
  }

  static void OnClose(LoadedWindow& w) {
    const Application& app = Application::Current();
    // A close request from outside while another window is modal waits for that window to go.
    if (app.modal_serial() != 0 && app.modal_serial() != w.serial_) {
      w.close_after_modal_ = true;
      return;
    }
    const std::uint64_t serial = w.serial_;
    for (Event query : {Event::QueryClose, Event::QueryUnload}) {
      const RaiseResult result = RaiseEvent(w, -1, query);
      if (app.FindBySerial(serial) == nullptr) return;
      if (result.ran && !result.answer) return;
    }
    // Enabled again before this window goes, so the platform can activate the one in use.
    w.GiveBackEnabledStates();
    ::DestroyWindow(w.native_);
  }

  static void OnActivate(LoadedWindow& w, WORD state) {
    if (state == WA_INACTIVE) {
      HWND focus = ::GetFocus();
      if (w.ControlIndexOf(focus) >= 0) w.remembered_focus_ = focus;
      RaiseEvent(w, -1, Event::Deactivated);
      return;
    }
    if (!::IsWindowEnabled(w.native_) && w.activated_once_) {
      // Someone tried to use a window that a modal window keeps disabled.
      ::PostMessageA(w.native_, kRedirectActivationMessage, 0, 0);
    }
    if (!w.activated_once_) {
      w.activated_once_ = true;
      RaiseEvent(w, -1, Event::FirstActivated);
    }
    RaiseEvent(w, -1, Event::Activated);
  }

  static void OnSetFocus(LoadedWindow& w) {
    // A window a modal window keeps disabled is only passing through; its memory must last
    // until it is really used again.
    if (!::IsWindowEnabled(w.native_)) return;
    HWND remembered = std::exchange(w.remembered_focus_, nullptr);
    if (remembered != nullptr && ::IsWindow(remembered) && w.ControlIndexOf(remembered) >= 0) {
      ::SetFocus(remembered);
      return;
    }
    const std::vector<int> tab_list = w.CurrentTabList();
    if (!tab_list.empty()) ::SetFocus(w.controls_[static_cast<std::size_t>(tab_list.front())].native);
  }

  static void ActivateModalWindow() {
    for (const auto& other : Application::Current().loaded_windows()) {
      HWND native = other->native_;
      if (other->modal_ && native != nullptr && ::IsWindowVisible(native) && ::IsWindowEnabled(native) &&
          ::GetParent(native) == nullptr) {
        ::SetForegroundWindow(native);
        ::SetActiveWindow(native);
        return;
      }
    }
  }
};

LRESULT CALLBACK LoadedWindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* window = static_cast<LoadedWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    WindowProcedure::Attach(*window, hwnd);
  }
  auto* window = reinterpret_cast<LoadedWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (window == nullptr) return ::DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    const LRESULT result = ::DefWindowProcA(hwnd, message, wparam, lparam);
    WindowProcedure::OnNcDestroy(*window);
    return result;
  }
  return WindowProcedure::Handle(*window, hwnd, message, wparam, lparam);
}

}  // namespace corvani
