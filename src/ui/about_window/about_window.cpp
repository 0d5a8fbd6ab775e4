#include "ui/about_window/about_window.h"

#include <windows.h>

#include "app/loaded_window.h"
#include "commands/commands.h"
#include "resources/embedded.h"
#include "ui/about_window/label.h"
#include "ui/about_window/pic_box.h"

namespace corvani {

namespace {
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE | WS_TABSTOP |
                               WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
constexpr DWORD kPassiveStyle = WS_CHILD | WS_CLIPSIBLINGS;
}  // namespace

const WindowDefinition& AboutWindowDefinition() {
  static const WindowDefinition definition{
      .title = "关于作者",
      .width = 495,
      .height = 138,
      .controls = {
          {.kind = ControlKind::Button, .name = "按钮1", .left = 280, .top = 40, .width = 200, .height = 64,
           .tab_stop = true, .class_name = "BUTTON", .text = "关闭", .style = kButtonStyle,
           .clicked = &CloseAboutCommand},
          {.kind = ControlKind::Label, .name = "标签2", .left = 104, .top = 40, .width = 176, .height = 64,
           .window_class = &LabelWindowClass, .text = "作者：teru_vasko", .style = kPassiveStyle},
          // The community's domain is a reserved example domain: it belongs to nobody.
          {.kind = ControlKind::Label, .name = "标签1", .left = 112, .top = 8, .width = 376, .height = 32,
           .window_class = &LabelWindowClass, .text = "Mirelund论坛·www.mirelund.example",
           .style = kPassiveStyle},
          {.kind = ControlKind::PicBox, .name = "图片框1", .left = 0, .top = 0, .width = 104, .height = 104,
           .window_class = &PicBoxWindowClass, .style = kPassiveStyle,
           .create_param = &embedded::about_picture},
      }};
  return definition;
}

void AboutCommand() { LoadWindow(AboutWindowDefinition(), nullptr, true); }

void CloseAboutCommand() {
  LoadedWindow& window = RequireLoaded(AboutWindowDefinition(), "指定窗口或窗口组件不存在或尚未载入");
  DestroyLoadedWindow(window);
}

}  // namespace corvani
