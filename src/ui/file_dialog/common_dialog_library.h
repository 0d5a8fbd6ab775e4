#pragma once

#include <windows.h>
#include <commdlg.h>

namespace corvani {

using FileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

// GetOpenFileNameA or GetSaveFileNameA. The common dialog library brings much of the shell
// with it, so it is loaded the first time a dialog is shown rather than at start-up; null when
// it cannot be loaded.
FileDialogFunction CommonFileDialog(bool save);

}  // namespace corvani
