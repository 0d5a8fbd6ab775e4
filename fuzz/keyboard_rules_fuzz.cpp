// The key rules are total and stable: every key code and state gives one of the known actions,
// the same one each time, and the mapping folds the keypad once and for all.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/keyboard_rules.h"
#include "app/virtual_keys.h"
#include "support/check.h"

namespace corvani::fuzz {
namespace {

bool IsKnownAction(KeyAction action) {
  switch (action) {
    case KeyAction::PassOn:
    case KeyAction::Swallow:
    case KeyAction::FocusForward:
    case KeyAction::FocusBackward:
    case KeyAction::ClickFocused:
    case KeyAction::ClickFirstDefault:
    case KeyAction::Close:
    case KeyAction::Mnemonic:
      return true;
  }
  return false;
}

// The letter a control text marks with "&" ("&&" is a literal ampersand), upper-cased.
std::optional<int> MarkedLetter(std::string_view text) {
  for (std::size_t at = 0; at + 1 < text.size(); ++at) {
    if (text[at] != '&') continue;
    if (text[at + 1] == '&') {
      ++at;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(text[at + 1]));
  }
  return std::nullopt;
}

void CheckKeys(FuzzedDataProvider& in) {
  const unsigned raw = in.ConsumeIntegral<unsigned>();
  const unsigned key = MapKeyCode(raw);
  FUZZ_CHECK(MapKeyCode(key) == key);
  const bool keypad = (raw >= vk::kNumpad0 && raw <= vk::kNumpad9) || raw == vk::kSubtract ||
                      raw == vk::kDecimal || raw == vk::kDivide;
  FUZZ_CHECK(keypad || key == raw);

  KeyPress press{key, in.ConsumeBool(), in.ConsumeBool(), in.ConsumeBool()};
  FocusedControl focused{in.ConsumeBool(), in.ConsumeBool(), in.ConsumeBool(), in.ConsumeBool(),
                         in.ConsumeBool()};
  WindowKeySettings window{in.ConsumeBool(), in.ConsumeBool(), in.ConsumeBool()};
  const KeyAction action = DecideKey(press, focused, window);
  FUZZ_CHECK(IsKnownAction(action));
  FUZZ_CHECK(DecideKey(press, focused, window) == action);

  // Only Tab, Enter and Esc do anything of their own; a letter or digit only with Alt alone.
  const bool special = key == vk::kTab || key == vk::kReturn || key == vk::kEscape;
  if (!special && !press.alt) FUZZ_CHECK(action == KeyAction::PassOn);
  if (action == KeyAction::Mnemonic) FUZZ_CHECK(press.alt && !press.ctrl && !press.shift);
  if (press.ctrl) FUZZ_CHECK(action == KeyAction::PassOn);
}

void CheckMnemonic(FuzzedDataProvider& in) {
  const char letter = in.ConsumeIntegral<char>();
  std::vector<std::string> texts;
  while (in.remaining_bytes() > 0 && texts.size() < 16) texts.push_back(in.ConsumeRandomLengthString(64));
  const std::vector<std::string_view> views(texts.begin(), texts.end());

  const std::optional<std::size_t> found = FindMnemonic(views, letter);
  const int wanted = std::toupper(static_cast<unsigned char>(letter));
  const std::size_t end = found ? *found : views.size();
  FUZZ_CHECK(end <= views.size());
  for (std::size_t i = 0; i < end; ++i) FUZZ_CHECK(MarkedLetter(views[i]) != wanted);
  if (found) FUZZ_CHECK(*found < views.size() && MarkedLetter(views[*found]) == wanted);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  CheckKeys(in);
  CheckMnemonic(in);
  return 0;
}

}  // namespace corvani::fuzz
