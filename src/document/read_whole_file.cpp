#include "document/read_whole_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>

#include "base/unique_handle.h"

namespace corvani {
namespace {

// One ReadFile takes at most this much, so a reader that delivers less is simply asked again.
constexpr DWORD kReadChunk = 64u << 20;

}  // namespace

std::optional<Bytes> ReadWholeFile(const Text& path) {
  if (path.empty()) return std::nullopt;

  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, &inheritable,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;

  // 64 bits: a 32-bit end position wraps silently for files of 4 GiB and more.
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return std::nullopt;
  if (size.QuadPart < 0 || size.QuadPart > INT32_MAX) return std::nullopt;

  Bytes bytes;
  try {
    bytes.data.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return std::nullopt;  // a file too large to hold is a failed read, not the end
  } catch (const std::length_error&) {
    return std::nullopt;
  }

  std::size_t done = 0;
  while (done < bytes.data.size()) {
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(bytes.data.size() - done, kReadChunk));
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data.data() + done, asked, &got, nullptr)) return std::nullopt;
    if (got == 0) break;  // the file was cut meanwhile: what is there is the content
    done += got;
  }
  bytes.data.resize(done);
  return bytes;
}

}  // namespace corvani
