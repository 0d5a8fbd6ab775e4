#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace corvani {

enum class ControlKind { Button, EditBox, Label, PicBox, CommonDlg };

// An ordinary push button (not a default button), its caption centred both ways and wrapped
// when it ever does not fit on one line.
inline constexpr DWORD kPushButtonStyle = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE |
                                          WS_TABSTOP | WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;

enum class Event {
  Created,
  Moved,
  Resized,
  Shown,
  Hidden,
  FirstActivated,
  Activated,
  Deactivated,
  QueryClose,   // first of the two close queries
  QueryUnload,  // second
  WillBeDestroyed,
  Clicked,
  ContentChanged,
};

using CommandHandler = void (*)();
using CloseQueryHandler = bool (*)();  // answers whether the window may close

struct EventBinding {
  Event event = Event::Created;
  CommandHandler command = nullptr;
  CloseQueryHandler close_query = nullptr;
};

// State a control keeps with a loaded window when it has no native window of its own (the
// file dialog object); made fresh at every load.
class ControlObject {
 public:
  virtual ~ControlObject() = default;
};
using ControlObjectFactory = std::unique_ptr<ControlObject> (*)();

struct ControlDefinition {
  ControlKind kind = ControlKind::Button;
  std::string_view name{};
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  bool enabled = true;
  bool tab_stop = false;
  int tab_order = 0;
  // Native window: class, text and styles (WS_VISIBLE, WS_DISABLED and WS_TABSTOP follow the
  // fields above). A system class is named; a class of our own comes from window_class, which
  // registers it on first use. Neither means no native window.
  const char* class_name = nullptr;
  const char* (*window_class)() = nullptr;
  std::string_view text{};
  DWORD style = 0;
  DWORD ex_style = 0;
  // Handed to the control's window procedure as its creation parameter (the picture box's
  // picture bytes, for instance).
  const void* create_param = nullptr;
  ControlObjectFactory make_object = nullptr;
  CommandHandler clicked = nullptr;
};

struct WindowDefinition {
  std::string_view title{};
  int width = 0, height = 0;
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  DWORD ex_style = 0;
  // A one-image .ico file, or empty for the program icon.
  std::span<const unsigned char> icon{};
  bool visible = true;
  bool shown_in_taskbar = true;
  bool esc_closes = true;
  bool enter_moves_focus = false;
  std::vector<EventBinding> events{};
  std::vector<ControlDefinition> controls{};
};

}  // namespace corvani
