#pragma once

#include <windows.h>

#include <string_view>

namespace corvani {

// The Label control kind: a passive child window that paints its window text in one
// line, left-aligned and centred vertically, black on COLOR_BTNFACE, in DEFAULT_GUI_FONT. It
// never takes the focus and ignores input.
//
// The name of its window class, registered (arrow cursor, NULL_BRUSH background, the module of
// GetModuleHandle(nullptr)) on the first call. Create it with CreateWindowExA(0, class, text,
// WS_CHILD | WS_CLIPSIBLINGS [| WS_VISIBLE], ...). nullptr if the class cannot be registered.
const char* LabelWindowClass();

// Paints a label on `dc`: `clip` (the paint clip box) ∩ `client` is filled with COLOR_BTNFACE;
// then, unless `text` is empty, `text` is drawn in black with DEFAULT_GUI_FONT, TRANSPARENT
// background, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP in `client`. The DC's font,
// colours, background mode and clip region are as before afterwards.
void PaintLabel(HDC dc, const RECT& client, const RECT& clip, std::string_view text);

}  // namespace corvani
