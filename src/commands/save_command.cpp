#include "commands/commands.h"
#include "commands/main_file_dialog.h"
#include "document/message_box.h"
#include "document/program_directory.h"
#include "document/text_conversion.h"
#include "document/write_whole_file.h"
#include "ui/main_window/main_window.h"

namespace corvani {

void SaveCommand() {
  FileDialog& dialog = MainFileDialog();
  dialog.SetType(FileDialog::kSave);
  dialog.SetFilter("文本文件（.txt）|*.txt");
  dialog.SetInitialDir(ProgramDirectory());
  dialog.SetDefaultExt(".txt");
  if (!dialog.Show()) return;
  const Bytes bytes = TextToBytes(Content());
  if (!WriteWholeFile(dialog.FileName(), bytes)) ShowMessage("失败");
}

}  // namespace corvani
