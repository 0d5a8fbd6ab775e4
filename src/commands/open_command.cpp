#include <optional>
#include <utility>

#include "commands/commands.h"
#include "commands/main_file_dialog.h"
#include "document/message_box.h"
#include "document/program_directory.h"
#include "document/read_whole_file.h"
#include "document/text_conversion.h"
#include "ui/main_window/main_window.h"

namespace corvani {

void OpenCommand() {
  FileDialog& dialog = MainFileDialog();
  dialog.SetType(FileDialog::kOpen);
  dialog.SetFilter("文本文件（.txt）|*.txt|所有文件（*.*）|*.*");
  dialog.SetInitialDir(ProgramDirectory());
  if (!dialog.Show()) return;
  std::optional<Bytes> bytes = ReadWholeFile(dialog.FileName());
  if (!bytes) {
    // An unreadable file must not look like an empty one: saving that would wipe the file.
    ShowMessage("失败");
    return;
  }
  // The file's buffer becomes the text in place: one copy of the file, not two.
  SetContent(BytesToText(std::move(*bytes)));
}

}  // namespace corvani
