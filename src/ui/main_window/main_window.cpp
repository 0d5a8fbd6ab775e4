#include "ui/main_window/main_window.h"

#include <windows.h>

#include "commands/commands.h"
#include "resources/embedded.h"
#include "ui/file_dialog/file_dialog.h"

namespace corvani {

namespace {

constexpr DWORD kButtonStyle = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE | WS_TABSTOP |
                               WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | ES_LEFT |
                             ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;

// Nothing happens when the window has been created.
void CreatedCommand() {}

}  // namespace

const WindowDefinition& MainWindowDefinition() {
  static const WindowDefinition definition{
      .title = "Corvani  Mirelund论坛专版 teru_vasko",
      .width = 728,
      .height = 551,
      .icon = embedded::program_icon,
      .events = {{.event = Event::Created, .command = &CreatedCommand}},
      .controls = {
          {.kind = ControlKind::Button, .name = kAboutButtonName, .left = 520, .top = 8, .width = 200,
           .height = 48, .tab_stop = true, .class_name = "BUTTON", .text = "关于作者",
           .style = kButtonStyle, .clicked = &AboutCommand},
          {.kind = ControlKind::Button, .name = kOpenButtonName, .left = 8, .top = 8, .width = 232,
           .height = 48, .tab_stop = true, .class_name = "BUTTON", .text = "打开文件",
           .style = kButtonStyle, .clicked = &OpenCommand},
          {.kind = ControlKind::CommonDlg, .name = kFileDialogName, .left = 392, .top = 192,
           .width = 104, .height = 24, .make_object = &MakeFileDialog},
          {.kind = ControlKind::Button, .name = kSaveButtonName, .left = 248, .top = 8, .width = 264,
           .height = 48, .tab_stop = true, .class_name = "BUTTON", .text = "保存文件",
           .style = kButtonStyle, .clicked = &SaveCommand},
          {.kind = ControlKind::EditBox, .name = kEditBoxName, .left = 8, .top = 64, .width = 704,
           .height = 448, .tab_stop = true, .class_name = "EDIT", .style = kEditStyle,
           .ex_style = WS_EX_CLIENTEDGE},
      }};
  return definition;
}

}  // namespace corvani
