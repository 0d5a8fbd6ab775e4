#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace corvani {

// The shell's key handling as plain values, so every rule can be checked without a window.

// The virtual-key code with the keypad folded onto the main keyboard: digits 0-9, and minus,
// point and slash as VK_OEM_MINUS, VK_OEM_PERIOD and VK_OEM_2.
unsigned MapKeyCode(unsigned virtual_key);

struct KeyPress {
  unsigned key;  // after MapKeyCode
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// What the shell knows of the control that has the focus.
struct FocusedControl {
  bool is_control_of_window = false;  // false: the focus is elsewhere (or nowhere)
  bool claims_tab = false;
  bool claims_enter = false;
  bool claims_esc = false;
  bool is_enabled_default_button = false;
};

struct WindowKeySettings {
  bool esc_closes = true;
  bool enter_moves_focus = false;
  bool has_enabled_default_button = false;  // any control, in definition order
};

enum class KeyAction {
  PassOn,             // translate and dispatch as usual
  Swallow,            // consumed, nothing happens
  FocusForward,
  FocusBackward,
  ClickFocused,       // the focused default button
  ClickFirstDefault,  // the first enabled default button of the window
  Close,              // send WM_CLOSE to the window
  Mnemonic,           // look for a control whose text marks this letter with "&"
};

KeyAction DecideKey(const KeyPress& press, const FocusedControl& focused,
                    const WindowKeySettings& window);

// The first control text (in the order given) that marks `letter` with an ampersand ("&&" is a
// literal ampersand); compares letters without case.
std::optional<std::size_t> FindMnemonic(std::span<const std::string_view> texts, char letter);

}  // namespace corvani
