#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <string_view>

#include "base/double_byte.h"

namespace corvani {

// The dialog's option properties, as plain values.
struct FileDialogOptions {
  bool create_prompt = false;
  bool file_must_exist = true;
  bool overwrite_prompt = true;
  bool path_must_exist = true;
  bool no_change_dir = false;
};

// The OFN_ flag word handed to the dialog for those options.
DWORD OptionFlags(const FileDialogOptions& options);

inline constexpr std::size_t kFileNameBufferSize = 260;
inline constexpr std::size_t kFileTitleBufferSize = 64;
using FileNameBuffer = std::array<char, kFileNameBufferSize>;

// The longest start of `name` that fits the file-name buffer with its terminator, never
// ending in the first half of a double-byte character.
std::string_view CutFileName(std::string_view name, LeadBytePredicate is_lead);

// The dialog's file-name buffer: the cut name, the rest zeroed.
FileNameBuffer MakeFileNameBuffer(std::string_view name, LeadBytePredicate is_lead);

}  // namespace corvani
