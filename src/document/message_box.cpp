#include "document/message_box.h"

namespace corvani {

UINT MessageBoxStyle(UINT style) {
  return (style & MB_SYSTEMMODAL) != 0 ? style : style | MB_TASKMODAL;
}

int MessageBoxResultIndex(int id) {
  return id >= IDOK && id <= IDNO ? id - IDOK : 0;
}

int ShowMessage(const Text& text, UINT style, const std::optional<Text>& caption, HWND owner) {
  const char* shown_caption = caption ? caption->c_str() : kDefaultMessageCaption;
  return MessageBoxResultIndex(
      ::MessageBoxA(owner, text.c_str(), shown_caption, MessageBoxStyle(style)));
}

}  // namespace corvani
