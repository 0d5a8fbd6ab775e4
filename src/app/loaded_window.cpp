#include "app/loaded_window.h"

#include <string>

#include "app/application.h"
#include "app/focus_rules.h"
#include "app/icon_image.h"
#include "app/placement.h"
#include "base/window_class.h"

namespace corvani {

namespace {

constexpr char kWindowClass[] = "WTWindow";

bool MayTakeFocus(ControlKind kind) {
  return kind == ControlKind::Button || kind == ControlKind::EditBox;
}

const char* ControlClass(const ControlDefinition& c) {
  if (c.class_name != nullptr) return c.class_name;
  return c.window_class != nullptr ? c.window_class() : nullptr;
}

}  // namespace

LRESULT CALLBACK LoadedWindowProcedure(HWND, UINT, WPARAM, LPARAM);

const char* LoadedWindowClass() {
  static const ATOM atom =
      RegisterWindowClass(kWindowClass, LoadedWindowProcedure, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
  return atom != 0 ? kWindowClass : nullptr;
}

LoadedWindow::LoadedWindow(const WindowDefinition& definition, std::uint64_t serial)
    : definition_(&definition), serial_(serial) {
  controls_.reserve(definition.controls.size());
  for (const ControlDefinition& c : definition.controls) {
    controls_.push_back({&c, nullptr, c.make_object != nullptr ? c.make_object() : nullptr});
  }
}

LoadedWindow::~LoadedWindow() = default;

void LoadedWindow::GiveBackEnabledStates() {
  for (const auto& [window, was_enabled] : disabled_for_it_) {
    if (::IsWindow(window)) ::EnableWindow(window, was_enabled ? TRUE : FALSE);
  }
  disabled_for_it_.clear();
}

const LoadedWindow::Control* LoadedWindow::FindControl(std::string_view name) const {
  for (const Control& c : controls_) {
    if (c.definition->name == name) return &c;
  }
  return nullptr;
}

HWND LoadedWindow::ControlWindow(std::string_view name) const {
  const Control* c = FindControl(name);
  return c != nullptr ? c->native : nullptr;
}

int LoadedWindow::ControlIndexOf(HWND native) const {
  if (native == nullptr) return -1;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].native == native) return static_cast<int>(i);
  }
  return -1;
}

std::vector<int> LoadedWindow::CurrentTabList() const {
  std::vector<TabCandidate> candidates;
  candidates.reserve(controls_.size());
  for (const Control& c : controls_) {
    const bool live = c.native != nullptr && ::IsWindow(c.native);
    candidates.push_back({live, live && ::IsWindowVisible(c.native) != FALSE,
                          live && ::IsWindowEnabled(c.native) != FALSE,
                          MayTakeFocus(c.definition->kind), c.definition->tab_stop,
                          c.definition->tab_order});
  }
  return TabList(candidates);
}

bool LoadedWindow::ClaimsEnter(int index) const {
  if (index < 0) return false;
  const Control& c = controls_[static_cast<std::size_t>(index)];
  if (c.definition->kind != ControlKind::EditBox || c.native == nullptr) return false;
  const LONG_PTR style = ::GetWindowLongPtrA(c.native, GWL_STYLE);
  return (style & ES_MULTILINE) != 0 && (style & ES_READONLY) == 0;
}

bool LoadedWindow::IsEnabledDefaultButton(int index) const {
  if (index < 0) return false;
  const Control& c = controls_[static_cast<std::size_t>(index)];
  if (c.definition->kind != ControlKind::Button || c.native == nullptr) return false;
  const LONG_PTR style = ::GetWindowLongPtrA(c.native, GWL_STYLE);
  return (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && ::IsWindowEnabled(c.native) != FALSE;
}

RaiseResult RaiseEvent(LoadedWindow& window, int control_index, Event event) {
  RaiseResult result;
  const Application& app = Application::Current();
  if (app.events_held()) return result;
  if (const auto observe = app.event_observer()) observe(window, control_index, event);
  if (control_index >= 0) {
    const ControlDefinition& c = *window.controls()[static_cast<std::size_t>(control_index)].definition;
    if (event == Event::Clicked && c.clicked != nullptr) {
      result.ran = true;
      c.clicked();
    }
    return result;
  }
  for (const EventBinding& binding : window.definition().events) {
    if (binding.event != event) continue;
    if (binding.close_query != nullptr) {
      result.ran = true;
      result.answer = binding.close_query();
    } else if (binding.command != nullptr) {
      result.ran = true;
      binding.command();
    }
    break;
  }
  return result;
}

LoadedWindow& RequireLoaded(const WindowDefinition& definition, const char* error_text) {
  LoadedWindow* window = Application::Current().FindLoaded(definition);
  if (window == nullptr) FatalError(error_text);
  return *window;
}

void CarryOutDeferredDestroy(LoadedWindow& window);

bool LoadWindow(const WindowDefinition& definition, LoadedWindow* owner, bool modal) {
  Application& app = Application::Current();
  if (LoadedWindow* existing = app.FindLoaded(definition)) {
    if (!existing->close_pending_) {
      if (::IsIconic(existing->native_)) {
        ::ShowWindow(existing->native_, SW_RESTORE);
      } else {
        ::SetActiveWindow(existing->native_);
      }
      return true;
    }
    CarryOutDeferredDestroy(*existing);
  }
  if (modal) owner = nullptr;
  if (owner != nullptr && !::IsWindow(owner->native_)) return false;

  ProcessWaitingMessages();
  app.HoldEvents();
  const char* window_class = LoadedWindowClass();
  LoadedWindow& window = app.AddLoadedWindow(std::make_unique<LoadedWindow>(definition, app.NextSerial()));
  const std::uint64_t serial = window.serial();
  // A window that fails half-built must not stay loaded.
  auto fail = [&]() {
    if (LoadedWindow* w = app.FindBySerial(serial)) {
      if (w->native_ != nullptr && ::IsWindow(w->native_)) {
        ::DestroyWindow(w->native_);  // removes it from the loaded windows
      } else {
        app.RemoveLoadedWindow(w);
      }
    }
    app.ReleaseEvents();
    return false;
  };

  const Point origin = CentredOrigin(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                     definition.width, definition.height);
  HWND owner_window = nullptr;
  DWORD style = definition.style;
  if (owner != nullptr) {
    owner_window = owner->native_;
    style |= WS_POPUP;
  } else if (modal || !definition.shown_in_taskbar) {
    owner_window = app.hidden_owner();  // owned, but still overlapped: no taskbar entry
  }
  const std::string title(definition.title);
  if (window_class == nullptr ||
      ::CreateWindowExA(definition.ex_style, window_class, title.c_str(), style, origin.x, origin.y,
                        definition.width, definition.height, owner_window, nullptr,
                        app.instance(), &window) == nullptr) {
    return fail();
  }
  HWND native = window.native_;  // set by the window procedure at its first message
  RECT outer;
  ::GetWindowRect(native, &outer);
  if (outer.right - outer.left != definition.width || outer.bottom - outer.top != definition.height) {
    ::SetWindowPos(native, nullptr, origin.x, origin.y, definition.width, definition.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }

  if (const auto image = FirstIconImage(definition.icon)) {
    // The window's own icon, both sizes made from the one image at its own size.
    auto make = [&] {
      return ::CreateIconFromResourceEx(const_cast<PBYTE>(image->bytes.data()),
                                        static_cast<DWORD>(image->bytes.size()), TRUE, 0x00030000,
                                        image->width, image->height, LR_DEFAULTCOLOR);
    };
    window.big_icon_.reset(make());
    window.small_icon_.reset(make());
  } else {
    auto load = [&](int size) {
      return static_cast<HICON>(
          ::LoadImageA(app.instance(), "DEFAULT_ICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    };
    window.big_icon_.reset(load(32));
    window.small_icon_.reset(load(16));
  }
  ::SendMessageA(native, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(window.big_icon_.get()));
  ::SendMessageA(native, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(window.small_icon_.get()));
  const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));  // stock, not ours
  ::SendMessageA(native, WM_SETFONT, font, FALSE);

  // Controls: the last one first, hidden.
  for (int i = static_cast<int>(window.controls_.size()) - 1; i >= 0; --i) {
    LoadedWindow::Control& control = window.controls_[static_cast<std::size_t>(i)];
    const ControlDefinition& c = *control.definition;
    const char* control_class = ControlClass(c);
    if (control_class == nullptr) continue;  // no native window (the file dialog object)
    DWORD control_style = (c.style & ~(WS_VISIBLE | WS_DISABLED | WS_TABSTOP)) | WS_CHILD;
    if (!c.enabled) control_style |= WS_DISABLED;
    if (c.tab_stop) control_style |= WS_TABSTOP;
    const std::string text(c.text);
    // A sunken edge goes on last, with a frame change, after the control is set up.
    control.native = ::CreateWindowExA(
        c.ex_style & ~WS_EX_CLIENTEDGE, control_class, text.c_str(), control_style, c.left, c.top,
        c.width, c.height, native, reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)),
        app.instance(), const_cast<void*>(c.create_param));
    if (control.native == nullptr) return fail();
    ::SendMessageA(control.native, WM_SETFONT, font, FALSE);
    if (c.kind == ControlKind::EditBox) {
      ::SendMessageA(control.native, EM_LIMITTEXT, 0, 0);
      ::SendMessageA(control.native, EM_SETSEL, 0, 0);
      ::SendMessageA(control.native, EM_SCROLLCARET, 0, 0);
    }
    if ((c.ex_style & WS_EX_CLIENTEDGE) != 0) {
      ::SetWindowLongPtrA(control.native, GWL_EXSTYLE,
                          ::GetWindowLongPtrA(control.native, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
      ::SetWindowPos(control.native, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
  }
  // The first control of the definition on top, each next one below the one before.
  HWND above = HWND_TOP;
  for (LoadedWindow::Control& control : window.controls_) {
    if (control.native == nullptr) continue;
    ::SetWindowPos(control.native, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = control.native;
  }
  for (LoadedWindow::Control& control : window.controls_) {
    if (control.native != nullptr) ::ShowWindow(control.native, control.definition->visible ? SW_SHOWNA : SW_HIDE);
  }
  ProcessWaitingMessages();
  app.ReleaseEvents();

  // Each handler may take the window down; look it up again every time.
  for (Event event : {Event::Created, Event::Moved, Event::Resized}) {
    LoadedWindow* w = app.FindBySerial(serial);
    if (w == nullptr || !::IsWindow(w->native_)) return true;
    RaiseEvent(*w, -1, event);
  }
  if (definition.visible) {
    if (app.FindBySerial(serial) == nullptr) return true;
    ::ShowWindow(native, SW_SHOW);
  }
  LoadedWindow* shown = app.FindBySerial(serial);
  if (shown == nullptr) return true;
  if (modal) {
    shown->modal_ = true;
    for (const auto& other : app.loaded_windows()) {
      if (other.get() == shown || other->native_ == nullptr || !::IsWindow(other->native_)) continue;
      if (::GetParent(other->native_) != nullptr) continue;
      shown->disabled_for_it_.push_back({other->native_, ::IsWindowEnabled(other->native_) != FALSE});
      ::EnableWindow(other->native_, FALSE);
    }
    if (definition.visible && ::IsWindow(native)) ModalWait(*shown);
  }
  return true;
}

void CarryOutDeferredDestroy(LoadedWindow& window) {
  if (!window.close_pending_) return;  // a second request is spent
  window.close_pending_ = false;
  window.GiveBackEnabledStates();
  ::DestroyWindow(window.native_);
}

void DestroyLoadedWindow(LoadedWindow& window, bool at_once) {
  window.close_pending_ = true;
  if (at_once) {
    CarryOutDeferredDestroy(window);
  } else {
    ::PostMessageA(window.native_, kDeferredDestroyMessage, 0, 0);
  }
}

}  // namespace corvani
