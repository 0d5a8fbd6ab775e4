#include "ui/file_dialog/dialog_fields.h"

#include <commdlg.h>

#include <algorithm>

namespace corvani {

DWORD OptionFlags(const FileDialogOptions& options) {
  // No read-only check box; the hook is there only to place the dialog.
  DWORD flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK;
  if (options.create_prompt) flags |= OFN_CREATEPROMPT;
  if (options.file_must_exist) flags |= OFN_FILEMUSTEXIST;
  if (options.overwrite_prompt) flags |= OFN_OVERWRITEPROMPT;
  if (options.path_must_exist) flags |= OFN_PATHMUSTEXIST;
  if (options.no_change_dir) flags |= OFN_NOCHANGEDIR;
  return flags;
}

std::string_view CutFileName(std::string_view name, LeadBytePredicate is_lead) {
  constexpr std::size_t kLimit = kFileNameBufferSize - 1;
  if (name.size() <= kLimit) return name;
  // Walk by characters so that the cut never leaves a lone lead byte before the terminator.
  std::size_t end = 0;
  while (end < kLimit) {
    const std::size_t width = is_lead(static_cast<unsigned char>(name[end])) ? 2 : 1;
    if (end + width > kLimit) break;
    end += width;
  }
  return name.substr(0, end);
}

FileNameBuffer MakeFileNameBuffer(std::string_view name, LeadBytePredicate is_lead) {
  FileNameBuffer buffer{};
  const std::string_view cut = CutFileName(name, is_lead);
  std::copy(cut.begin(), cut.end(), buffer.begin());
  return buffer;
}

}  // namespace corvani
