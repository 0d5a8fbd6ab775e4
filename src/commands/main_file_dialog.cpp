#include "commands/main_file_dialog.h"

#include "app/application.h"
#include "app/loaded_window.h"
#include "ui/main_window/main_window.h"

namespace corvani {

FileDialog& MainFileDialog() {
  const char* const kNotLoaded = "未载入欲访问窗口组件所在的窗口";
  FileDialog* dialog = RequireLoaded(MainWindowDefinition(), kNotLoaded).ControlObjectOf<FileDialog>(kFileDialogName);
  if (dialog == nullptr) FatalError(kNotLoaded, kFileDialogName);
  return *dialog;
}

}  // namespace corvani
