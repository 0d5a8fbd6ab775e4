#pragma once

#include "ui/file_dialog/file_dialog.h"

namespace corvani {

// The main window's file dialog object `通用对话框1`.
FileDialog& MainFileDialog();

}  // namespace corvani
