#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "base/values.h"

namespace corvani {

// Replaces the content of the file at `path` with `data`, creating the file when there is none.
// True when the new bytes are on disk under that name. On false the file is as it was: the bytes
// go to a temporary file beside it first, which takes the file's place in one step only once
// it is complete and flushed, and which is removed on every failure. A read-only file, a
// directory, or a file that another process has open is refused.
bool WriteWholeFile(const Text& path, const Bytes& data);

// The name of the temporary file that is written beside `target` (a full path) before it takes
// the target's place: same folder, so the final step is a rename within one volume. Nothing
// when there is no folder part or the name would not fit MAX_PATH.
std::optional<Text> TemporaryFileName(const Text& target, unsigned number);

// Whether `name` (no folder) is one that TemporaryFileName makes.
bool IsTemporaryFileName(std::string_view name);

// The attributes a replacement takes over from the file it replaces (hidden, system, archive
// and the like), as SetFileInformationByHandle accepts them.
DWORD AttributesToKeep(DWORD attributes);

}  // namespace corvani
