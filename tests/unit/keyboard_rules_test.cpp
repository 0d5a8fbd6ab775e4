#include "app/keyboard_rules.h"

#include <windows.h>

#include <array>
#include <string_view>

#include <gtest/gtest.h>

namespace corvani {
namespace {

// Focus situations, named as a reader of the rules would.
constexpr FocusedControl kNowhere{};
constexpr FocusedControl kPlainButton{.is_control_of_window = true};
constexpr FocusedControl kEditBox{.is_control_of_window = true, .claims_enter = true};
constexpr FocusedControl kDefaultButton{.is_control_of_window = true, .is_enabled_default_button = true};
constexpr FocusedControl kClaimsAll{
    .is_control_of_window = true, .claims_tab = true, .claims_enter = true, .claims_esc = true};
// A claim only counts for a control of the window.
constexpr FocusedControl kForeignClaimsAll{.claims_tab = true, .claims_enter = true, .claims_esc = true};

constexpr WindowKeySettings kSystemWindow{};  // Esc closes; Enter moves nothing; no default button
constexpr WindowKeySettings kEnterMoves{.enter_moves_focus = true};
constexpr WindowKeySettings kWithDefault{.has_enabled_default_button = true};
constexpr WindowKeySettings kEscKept{.esc_closes = false};

struct KeyCase {
  const char* what;
  KeyPress press;
  FocusedControl focused;
  WindowKeySettings window;
  KeyAction expected;
};

class DecideKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(DecideKeyTest, Decides) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(DecideKey(c.press, c.focused, c.window), c.expected) << c.what;
}

KeyPress Key(unsigned key, bool ctrl = false, bool shift = false, bool alt = false) {
  return {key, ctrl, shift, alt};
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DecideKeyTest,
    testing::Values(
        KeyCase{"Tab moves forward", Key(VK_TAB), kEditBox, kSystemWindow, KeyAction::FocusForward},
        KeyCase{"Shift+Tab moves backward", Key(VK_TAB, false, true), kPlainButton, kSystemWindow,
                KeyAction::FocusBackward},
        KeyCase{"Tab left to a control that claims it", Key(VK_TAB), kClaimsAll, kSystemWindow,
                KeyAction::PassOn},
        KeyCase{"Tab with the focus outside the window is swallowed", Key(VK_TAB), kNowhere,
                kSystemWindow, KeyAction::Swallow},
        KeyCase{"Shift+Tab with the focus outside is swallowed", Key(VK_TAB, false, true),
                kForeignClaimsAll, kSystemWindow, KeyAction::Swallow},
        KeyCase{"Ctrl+Tab passes on", Key(VK_TAB, true), kPlainButton, kSystemWindow, KeyAction::PassOn},
        KeyCase{"Alt+Tab passes on", Key(VK_TAB, false, false, true), kPlainButton, kSystemWindow,
                KeyAction::PassOn},
        KeyCase{"Ctrl+Shift+Tab passes on", Key(VK_TAB, true, true), kPlainButton, kSystemWindow,
                KeyAction::PassOn},

        KeyCase{"Enter is the edit box's", Key(VK_RETURN), kEditBox, kWithDefault, KeyAction::PassOn},
        KeyCase{"Enter on a default button clicks it", Key(VK_RETURN), kDefaultButton, kEnterMoves,
                KeyAction::ClickFocused},
        KeyCase{"Enter moves focus when the window says so", Key(VK_RETURN), kPlainButton, kEnterMoves,
                KeyAction::FocusForward},
        KeyCase{"Enter clicks the first default button", Key(VK_RETURN), kPlainButton, kWithDefault,
                KeyAction::ClickFirstDefault},
        KeyCase{"Enter on a plain button of this system does nothing of ours", Key(VK_RETURN),
                kPlainButton, kSystemWindow, KeyAction::PassOn},
        KeyCase{"Enter with the focus outside still finds the default button", Key(VK_RETURN),
                kForeignClaimsAll, kWithDefault, KeyAction::ClickFirstDefault},
        KeyCase{"Shift+Enter passes on", Key(VK_RETURN, false, true), kDefaultButton, kWithDefault,
                KeyAction::PassOn},
        KeyCase{"Ctrl+Enter passes on", Key(VK_RETURN, true), kDefaultButton, kWithDefault,
                KeyAction::PassOn},

        KeyCase{"Esc closes, also from the edit box", Key(VK_ESCAPE), kEditBox, kSystemWindow,
                KeyAction::Close},
        KeyCase{"Esc closes with the focus outside", Key(VK_ESCAPE), kForeignClaimsAll, kSystemWindow,
                KeyAction::Close},
        KeyCase{"Esc left to a control that claims it", Key(VK_ESCAPE), kClaimsAll, kSystemWindow,
                KeyAction::PassOn},
        KeyCase{"Esc passes on when the window keeps it", Key(VK_ESCAPE), kPlainButton, kEscKept,
                KeyAction::PassOn},
        KeyCase{"Shift+Esc passes on", Key(VK_ESCAPE, false, true), kPlainButton, kSystemWindow,
                KeyAction::PassOn},

        KeyCase{"Alt+letter looks for a mnemonic", Key('F', false, false, true), kEditBox, kSystemWindow,
                KeyAction::Mnemonic},
        KeyCase{"Alt+digit looks for a mnemonic", Key('7', false, false, true), kPlainButton,
                kSystemWindow, KeyAction::Mnemonic},
        KeyCase{"Alt+Shift+letter passes on", Key('F', false, true, true), kPlainButton, kSystemWindow,
                KeyAction::PassOn},
        KeyCase{"Ctrl+Alt+letter passes on", Key('F', true, false, true), kPlainButton, kSystemWindow,
                KeyAction::PassOn},
        KeyCase{"Alt+F4 is the system's", Key(VK_F4, false, false, true), kPlainButton, kSystemWindow,
                KeyAction::PassOn},
        KeyCase{"a plain letter passes on", Key('F'), kEditBox, kSystemWindow, KeyAction::PassOn},
        KeyCase{"Ctrl+C passes on", Key('C', true), kEditBox, kSystemWindow, KeyAction::PassOn}));

TEST(MapKeyCode, FoldsTheKeypadOntoTheMainKeyboard) {
  for (unsigned digit = 0; digit <= 9; ++digit) {
    EXPECT_EQ(MapKeyCode(VK_NUMPAD0 + digit), '0' + digit) << digit;
  }
  EXPECT_EQ(MapKeyCode(VK_SUBTRACT), static_cast<unsigned>(VK_OEM_MINUS));
  EXPECT_EQ(MapKeyCode(VK_DECIMAL), static_cast<unsigned>(VK_OEM_PERIOD));
  EXPECT_EQ(MapKeyCode(VK_DIVIDE), static_cast<unsigned>(VK_OEM_2));
}

TEST(MapKeyCode, LeavesOtherKeysAlone) {
  for (unsigned key : {unsigned{VK_MULTIPLY}, unsigned{VK_ADD}, unsigned{VK_SEPARATOR}, unsigned{VK_TAB},
                       unsigned{VK_RETURN}, unsigned{'A'}, unsigned{'0'}, unsigned{VK_OEM_MINUS}}) {
    EXPECT_EQ(MapKeyCode(key), key) << key;
  }
}

struct MnemonicCase {
  std::vector<std::string_view> texts;
  char letter;
  std::optional<std::size_t> expected;
};

class FindMnemonicTest : public testing::TestWithParam<MnemonicCase> {};

TEST_P(FindMnemonicTest, Finds) {
  const MnemonicCase& c = GetParam();
  EXPECT_EQ(FindMnemonic(c.texts, c.letter), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FindMnemonicTest,
    testing::Values(
        // The system's own captions mark nothing.
        MnemonicCase{{"关于作者", "打开文件", "保存文件"}, 'F', std::nullopt},
        MnemonicCase{{"&Open", "&Save"}, 's', 1}, MnemonicCase{{"&Open", "&Save"}, 'O', 0},
        MnemonicCase{{"Fish && &Chips"}, 'C', 0},   // "&&" is a literal ampersand
        MnemonicCase{{"&&Fish"}, 'F', std::nullopt},
        MnemonicCase{{"A&b&c"}, 'c', std::nullopt},  // only the first marked letter counts
        MnemonicCase{{"end&"}, 'x', std::nullopt}, MnemonicCase{{"&1 one", "&2 two"}, '2', 1},
        MnemonicCase{{"打开(&O)"}, 'o', 0}, MnemonicCase{{}, 'a', std::nullopt}));

}  // namespace
}  // namespace corvani
