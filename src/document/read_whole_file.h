#pragma once

#include <optional>

#include "base/values.h"

namespace corvani {

// The whole content of the file at `path`; nothing when it cannot be read whole (no such file,
// a directory, a sharing conflict, a read error, 2 GiB or more, or too large to allocate).
// An empty file gives empty Bytes, which is not a failure. Other readers may share the file
// meanwhile, writers may not.
std::optional<Bytes> ReadWholeFile(const Text& path);

}  // namespace corvani
