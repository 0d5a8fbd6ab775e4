#pragma once

#include <windows.h>

#include <optional>

#include "base/values.h"

namespace corvani {

// "信息：", the caption of a box whose caller names none.
inline constexpr char kDefaultMessageCaption[] = "信息：";

// The caller's style with MB_TASKMODAL added unless the box is system modal, so a box with no
// owner still blocks every window of the application.
UINT MessageBoxStyle(UINT style);

// The index of the button MessageBoxA reported: IDOK gives 0, IDCANCEL 1, ... IDNO 6;
// anything else 0.
int MessageBoxResultIndex(int id);

// Shows a message box and waits for it to close; returns the index of the closing button.
int ShowMessage(const Text& text, UINT style = 0, const std::optional<Text>& caption = std::nullopt,
                HWND owner = nullptr);

}  // namespace corvani
