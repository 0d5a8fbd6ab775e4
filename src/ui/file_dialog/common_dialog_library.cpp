#include "ui/file_dialog/common_dialog_library.h"

namespace corvani {

FileDialogFunction CommonFileDialog(bool save) {
  // Loaded once and kept for the life of the process, like an import would be. The start
  // sequence has already limited DLL loading to the system folder.
  static const HMODULE library = ::LoadLibraryA("comdlg32.dll");
  if (library == nullptr) return nullptr;
  return reinterpret_cast<FileDialogFunction>(
      reinterpret_cast<void*>(::GetProcAddress(library, save ? "GetSaveFileNameA" : "GetOpenFileNameA")));
}

}  // namespace corvani
