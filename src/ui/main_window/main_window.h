#pragma once

#include "app/window_definition.h"
#include "base/values.h"

namespace corvani {

// The start window and the whole editor: the edit box `输入框`, the Open, Save and About
// buttons and the file dialog object.
const WindowDefinition& MainWindowDefinition();

// Names of the main window's controls.
inline constexpr char kEditBoxName[] = "输入框";
inline constexpr char kOpenButtonName[] = "打开";
inline constexpr char kSaveButtonName[] = "保存";
inline constexpr char kAboutButtonName[] = "按钮1";
inline constexpr char kFileDialogName[] = "通用对话框1";

// The edit box's whole text, read from the control now.
Text Content();
// Replaces the edit box's whole text, then raises its content-changed event once.
void SetContent(const Text& text);

}  // namespace corvani
