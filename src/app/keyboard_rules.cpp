#include "app/keyboard_rules.h"

#include <cctype>

#include "app/virtual_keys.h"

namespace corvani {

unsigned MapKeyCode(unsigned virtual_key) {
  if (virtual_key >= vk::kNumpad0 && virtual_key <= vk::kNumpad9) return '0' + (virtual_key - vk::kNumpad0);
  switch (virtual_key) {
    case vk::kSubtract: return vk::kOemMinus;
    case vk::kDecimal: return vk::kOemPeriod;
    case vk::kDivide: return vk::kOem2;
    default: return virtual_key;
  }
}

KeyAction DecideKey(const KeyPress& press, const FocusedControl& focused,
                    const WindowKeySettings& window) {
  const bool none = !press.ctrl && !press.shift && !press.alt;
  const bool shift_only = press.shift && !press.ctrl && !press.alt;
  if (press.key == vk::kTab && (none || shift_only)) {
    if (focused.is_control_of_window && focused.claims_tab) return KeyAction::PassOn;
    if (!focused.is_control_of_window) return KeyAction::Swallow;
    return none ? KeyAction::FocusForward : KeyAction::FocusBackward;
  }
  if (press.key == vk::kReturn && none) {
    if (focused.is_control_of_window && focused.claims_enter) return KeyAction::PassOn;
    if (focused.is_enabled_default_button) return KeyAction::ClickFocused;
    if (window.enter_moves_focus) return KeyAction::FocusForward;
    if (window.has_enabled_default_button) return KeyAction::ClickFirstDefault;
    return KeyAction::PassOn;
  }
  if (press.key == vk::kEscape && none) {
    if (focused.is_control_of_window && focused.claims_esc) return KeyAction::PassOn;
    return window.esc_closes ? KeyAction::Close : KeyAction::PassOn;
  }
  const bool letter_or_digit =
      (press.key >= 'A' && press.key <= 'Z') || (press.key >= '0' && press.key <= '9');
  if (press.alt && !press.ctrl && !press.shift && letter_or_digit) return KeyAction::Mnemonic;
  return KeyAction::PassOn;
}

std::optional<std::size_t> FindMnemonic(std::span<const std::string_view> texts, char letter) {
  const int wanted = std::toupper(static_cast<unsigned char>(letter));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string_view text = texts[i];
    for (std::size_t at = 0; at + 1 < text.size(); ++at) {
      if (text[at] != '&') continue;
      if (text[at + 1] == '&') {
        ++at;  // "&&" stands for a literal ampersand
        continue;
      }
      if (std::toupper(static_cast<unsigned char>(text[at + 1])) == wanted) return i;
      break;  // only the first marked letter counts
    }
  }
  return std::nullopt;
}

}  // namespace corvani
