// The shell's keys with real key messages: each is built with its real scan code and handed to
// PreTranslateMessage as the loop would, then translated and dispatched when the shell passes
// it on. Modifiers are set in the thread's key state, where GetKeyState reads them.

#include <array>

#include "shell_script.h"
#include "ui/main_window/main_window.h"

namespace shell_test {
namespace {

// Holds modifier keys down for the thread while it lives.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<BYTE> keys) {
    std::array<BYTE, 256> state{};
    for (BYTE key : keys) state[key] = 0x80;
    ::SetKeyboardState(state.data());
  }
  ~HeldKeys() {
    std::array<BYTE, 256> none{};
    ::SetKeyboardState(none.data());
  }
};

MSG KeyDown(HWND target, WORD virtual_key, bool alt = false) {
  const UINT scan = ::MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC);
  LPARAM lparam = 1 | static_cast<LPARAM>(scan << 16);
  if (alt) lparam |= LPARAM{1} << 29;  // the context bit of a key pressed with Alt
  MSG message{};
  message.hwnd = target;
  message.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  message.wParam = virtual_key;
  message.lParam = lparam;
  message.time = ::GetTickCount();
  return message;
}

// Offers the key to the shell; what it passes on goes on as in the loop. True when consumed.
bool Press(WORD virtual_key, std::initializer_list<BYTE> modifiers = {}) {
  const HeldKeys held(modifiers);
  const bool alt = std::find(modifiers.begin(), modifiers.end(), VK_MENU) != modifiers.end();
  const MSG message = KeyDown(::GetFocus(), virtual_key, alt);
  const bool consumed = PreTranslateMessage(message);
  if (!consumed) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  Pump();
  return consumed;
}

using MainWindowKeys = ShellTest;

struct TabCase {
  const char* from;
  bool shift;
  const char* to;
};

class MainWindowTab : public ShellTest, public testing::WithParamInterface<TabCase> {};

TEST_P(MainWindowTab, MovesAlongTheTabList) {
  ASSERT_TRUE(LoadWindow(MainWindowDefinition()));
  const LoadedWindow& main = *Loaded(MainWindowDefinition());
  ::SetFocus(main.ControlWindow(GetParam().from));
  ASSERT_EQ(::GetFocus(), main.ControlWindow(GetParam().from));
  EXPECT_TRUE(GetParam().shift ? Press(VK_TAB, {VK_SHIFT}) : Press(VK_TAB));
  EXPECT_EQ(::GetFocus(), main.ControlWindow(GetParam().to));
  EXPECT_EQ(Content(), "") << "Tab never reaches the edit box";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MainWindowTab,
    testing::Values(TabCase{kEditBoxName, false, kSaveButtonName}, TabCase{kSaveButtonName, false, kOpenButtonName},
                    TabCase{kOpenButtonName, false, kAboutButtonName},
                    TabCase{kAboutButtonName, false, kEditBoxName}, TabCase{kEditBoxName, true, kAboutButtonName},
                    TabCase{kAboutButtonName, true, kOpenButtonName}, TabCase{kOpenButtonName, true, kSaveButtonName},
                    TabCase{kSaveButtonName, true, kEditBoxName}));

TEST_F(MainWindowKeys, FocusStartsInTheEditBoxWhereEnterMakesALineBreak) {
  ASSERT_TRUE(LoadWindow(MainWindowDefinition()));
  const LoadedWindow& main = *Loaded(MainWindowDefinition());
  ASSERT_EQ(::GetFocus(), main.ControlWindow(kEditBoxName));
  EXPECT_FALSE(Press(VK_RETURN));
  EXPECT_FALSE(Press('A'));
  EXPECT_EQ(Content(), "\r\na");
  // Ctrl+Tab is not the shell's either; the multi-line edit box leaves it alone too.
  EXPECT_FALSE(Press(VK_TAB, {VK_CONTROL}));
  EXPECT_EQ(::GetFocus(), main.ControlWindow(kEditBoxName));
}

TEST_F(MainWindowKeys, EnterOnAButtonIsPassedOnAndClicksNothing) {
  ASSERT_TRUE(LoadWindow(MainWindowDefinition()));
  const LoadedWindow& main = *Loaded(MainWindowDefinition());
  ::SetFocus(main.ControlWindow(kOpenButtonName));
  EXPECT_FALSE(Press(VK_RETURN));
  EXPECT_EQ(Count(std::string(MainWindowDefinition().title) + "." + kOpenButtonName + ":Clicked"), 0);
  EXPECT_EQ(::GetFocus(), main.ControlWindow(kOpenButtonName));
}

TEST_F(MainWindowKeys, EscInTheEditBoxClosesTheWindow) {
  ASSERT_TRUE(LoadWindow(MainWindowDefinition()));
  ::SetWindowTextA(Loaded(MainWindowDefinition())->ControlWindow(kEditBoxName), "unsaved");
  EXPECT_TRUE(Press(VK_ESCAPE));
  EXPECT_EQ(Loaded(MainWindowDefinition()), nullptr);
}

constexpr DWORD kButton = BS_PUSHBUTTON | WS_CHILD | WS_VISIBLE;

const WindowDefinition& Dialog() {
  static const WindowDefinition d = TestWindow(
      "Dialog", {},
      {{.kind = ControlKind::EditBox, .name = "edit", .left = 8, .top = 8, .width = 200, .height = 60,
        .tab_stop = true, .class_name = "EDIT", .style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN},
       {.kind = ControlKind::Button, .name = "apply", .left = 8, .top = 72, .width = 60, .height = 24,
        .tab_stop = true, .class_name = "BUTTON", .text = "&Apply", .style = kButton},
       {.kind = ControlKind::Button, .name = "ok", .left = 72, .top = 72, .width = 60, .height = 24,
        .tab_stop = true, .class_name = "BUTTON", .text = "OK",
        .style = BS_DEFPUSHBUTTON | WS_CHILD | WS_VISIBLE},
       {.kind = ControlKind::Button, .name = "one", .left = 136, .top = 72, .width = 60, .height = 24,
        .tab_stop = true, .class_name = "BUTTON", .text = "&1 one", .style = kButton},
       {.kind = ControlKind::Button, .name = "off", .left = 200, .top = 72, .width = 60, .height = 24,
        .enabled = false, .tab_stop = true, .class_name = "BUTTON", .text = "&Z off", .style = kButton}});
  return d;
}

using DialogKeys = ShellTest;

TEST_F(DialogKeys, EnterClicksTheDefaultButtonExceptInTheEditBox) {
  ASSERT_TRUE(LoadWindow(Dialog()));
  const LoadedWindow& w = *Loaded(Dialog());
  ::SetFocus(w.ControlWindow("apply"));
  EXPECT_TRUE(Press(VK_RETURN));
  EXPECT_EQ(Count("Dialog.ok:Clicked"), 1);
  EXPECT_EQ(Count("Dialog.apply:Clicked"), 0);
  EXPECT_EQ(::GetFocus(), w.ControlWindow("apply"));

  ::SetFocus(w.ControlWindow("ok"));
  EXPECT_TRUE(Press(VK_RETURN));
  EXPECT_EQ(Count("Dialog.ok:Clicked"), 2);

  ::SetFocus(w.ControlWindow("edit"));
  EXPECT_FALSE(Press(VK_RETURN));
  EXPECT_EQ(Count("Dialog.ok:Clicked"), 2);
}

TEST_F(DialogKeys, AltWithAMarkedLetterOrKeypadDigitClicksThatButton) {
  ASSERT_TRUE(LoadWindow(Dialog()));
  ::SetFocus(Loaded(Dialog())->ControlWindow("edit"));
  EXPECT_TRUE(Press('A', {VK_MENU}));
  EXPECT_EQ(Count("Dialog.apply:Clicked"), 1);
  EXPECT_TRUE(Press(VK_NUMPAD1, {VK_MENU}));
  EXPECT_EQ(Count("Dialog.one:Clicked"), 1);
  // A disabled control's letter, and a letter nobody marks, go on to the system.
  EXPECT_FALSE(Press('Z', {VK_MENU}));
  EXPECT_FALSE(Press('Q', {VK_MENU}));
  EXPECT_EQ(Count("Dialog.off:Clicked"), 0);
  EXPECT_NE(Loaded(Dialog()), nullptr);
}

TEST_F(DialogKeys, TabSkipsTheDisabledButtonAndWraps) {
  ASSERT_TRUE(LoadWindow(Dialog()));
  const LoadedWindow& w = *Loaded(Dialog());
  // All tab orders are 0: the definition backwards, without "off".
  ::SetFocus(w.ControlWindow("one"));
  EXPECT_TRUE(Press(VK_TAB));
  EXPECT_EQ(::GetFocus(), w.ControlWindow("ok"));
  ::SetFocus(w.ControlWindow("edit"));
  EXPECT_TRUE(Press(VK_TAB));
  EXPECT_EQ(::GetFocus(), w.ControlWindow("one"));
  EXPECT_TRUE(Press(VK_TAB, {VK_SHIFT}));
  EXPECT_EQ(::GetFocus(), w.ControlWindow("edit"));
}

const WindowDefinition& Form() {
  static WindowDefinition d = [] {
    WindowDefinition form = TestWindow(
        "Form", {},
        {{.kind = ControlKind::Button, .name = "a", .left = 8, .top = 8, .width = 60, .height = 24,
          .tab_stop = true, .tab_order = 1, .class_name = "BUTTON", .text = "A", .style = kButton},
         {.kind = ControlKind::Button, .name = "b", .left = 72, .top = 8, .width = 60, .height = 24,
          .tab_stop = true, .tab_order = 2, .class_name = "BUTTON", .text = "B", .style = kButton}});
    form.enter_moves_focus = true;
    form.esc_closes = false;
    return form;
  }();
  return d;
}

TEST_F(DialogKeys, EnterMovesFocusAndEscStaysWhereTheWindowSaysSo) {
  ASSERT_TRUE(LoadWindow(Form()));
  const LoadedWindow& w = *Loaded(Form());
  EXPECT_EQ(::GetFocus(), w.ControlWindow("a")) << "the lowest tab order takes the focus first";
  EXPECT_TRUE(Press(VK_RETURN));
  EXPECT_EQ(::GetFocus(), w.ControlWindow("b"));
  EXPECT_FALSE(Press(VK_ESCAPE));
  EXPECT_NE(Loaded(Form()), nullptr);
}

TEST_F(DialogKeys, KeysForOtherWindowsAndKeyUpsAreNotTheShells) {
  ASSERT_TRUE(LoadWindow(Dialog()));
  EXPECT_FALSE(PreTranslateMessage(KeyDown(ScriptWindow(), VK_ESCAPE)));
  MSG up = KeyDown(Loaded(Dialog())->ControlWindow("edit"), VK_ESCAPE);
  up.message = WM_KEYUP;
  EXPECT_FALSE(PreTranslateMessage(up));
  EXPECT_NE(Loaded(Dialog()), nullptr);
}

}  // namespace
}  // namespace shell_test
