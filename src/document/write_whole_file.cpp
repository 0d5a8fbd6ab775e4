#include "document/write_whole_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/double_byte.h"
#include "base/unique_handle.h"

namespace corvani {
namespace {

constexpr DWORD kWriteChunk = 64u << 20;
constexpr int kNameAttempts = 16;

// The full path of the file a save really replaces: through a symbolic link to the file it
// names, so the link stays and the file it points to is the one that changes.
std::optional<Text> ResolveTarget(const Text& path, DWORD attributes) {
  char full[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return Text(full, length);
  }
  UniqueFile link(::CreateFileA(full, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!link) return std::nullopt;
  char final_path[MAX_PATH + 8];
  const DWORD final_length = ::GetFinalPathNameByHandleA(link.get(), final_path, sizeof final_path,
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (final_length == 0 || final_length >= sizeof final_path) return std::nullopt;
  Text resolved(final_path, final_length);
  if (resolved.starts_with("\\\\?\\UNC\\")) {
    resolved.replace(0, 8, "\\\\");
  } else if (resolved.starts_with("\\\\?\\")) {
    resolved.erase(0, 4);
  }
  if (resolved.size() >= MAX_PATH) return std::nullopt;
  return resolved;
}

bool SetDeleteOnClose(HANDLE file, bool on) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = on ? TRUE : FALSE;
  return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

bool WriteAll(HANDLE file, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, kWriteChunk));
    DWORD written = 0;
    // A full disk may report success having written less: only every byte counts.
    if (!::WriteFile(file, data.data() + done, asked, &written, nullptr) || written != asked) {
      return false;
    }
    done += written;
  }
  return true;
}

bool KeepAttributes(HANDLE file, DWORD attributes) {
  FILE_BASIC_INFO basic{};  // zero times are left as they are
  basic.FileAttributes = AttributesToKeep(attributes);
  return ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic);
}

// Puts the temporary file in the target's place, by its handle, replacing what is there.
bool RenameOver(HANDLE file, const Text& target) {
  const int wide_length = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, target.c_str(),
                                                static_cast<int>(target.size()), nullptr, 0);
  if (wide_length <= 0) return false;
  const std::size_t name_bytes = static_cast<std::size_t>(wide_length) * sizeof(WCHAR);
  std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + name_bytes);
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = static_cast<DWORD>(name_bytes);
  ::MultiByteToWideChar(CP_ACP, 0, target.c_str(), static_cast<int>(target.size()),
                        rename->FileName, wide_length);
  return ::SetFileInformationByHandle(file, FileRenameInfo, rename,
                                      static_cast<DWORD>(buffer.size()));
}

// Removes temporary files that a save killed at just the wrong moment left in the folder: the
// two steps that make and later unmark a temporary file for deletion cannot be one. A live save
// holds its file open without delete sharing, so only leftovers can go.
void RemoveLeftovers(const Text& target) {
  const auto pattern = TemporaryFileName(target, 0);
  if (!pattern) return;
  const std::size_t folder_length = pattern->size() - std::strlen("~cv00000000.tmp");
  const Text folder = pattern->substr(0, folder_length);
  WIN32_FIND_DATAA found;
  const UniqueFind search(::FindFirstFileA((folder + "~cv????????.tmp").c_str(), &found));
  if (!search) return;
  do {
    if (IsTemporaryFileName(found.cFileName) &&
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      ::DeleteFileA((folder + found.cFileName).c_str());
    }
  } while (::FindNextFileA(search.get(), &found));
}

// The temporary file while it is written. Until it is committed it goes when this object
// does: by delete-on-close where the file system has it, so that even a process killed
// mid-write leaves nothing behind; else by name.
class TemporaryFile {
 public:
  bool Create(const Text& target) {
    static unsigned counter = 0;
    const unsigned seed = (::GetCurrentProcessId() << 16) ^ ::GetTickCount();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
      const auto name = TemporaryFileName(target, seed + ++counter);
      if (!name) return false;
      file_.reset(::CreateFileA(name->c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
      if (file_) {
        name_ = *name;
        delete_on_close_ = SetDeleteOnClose(file_.get(), true);
        return true;
      }
      const DWORD error = ::GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
  }

  HANDLE handle() const { return file_.get(); }

  // Takes the target's place. False leaves the target as it was.
  bool CommitOver(const Text& target) {
    if (delete_on_close_ && !SetDeleteOnClose(file_.get(), false)) return false;
    if (!RenameOver(file_.get(), target)) {
      if (delete_on_close_) delete_on_close_ = SetDeleteOnClose(file_.get(), true);
      return false;
    }
    committed_ = true;
    return ::CloseHandle(file_.release());
  }

  ~TemporaryFile() {
    if (committed_ || !file_) return;
    file_.reset();
    if (!delete_on_close_) ::DeleteFileA(name_.c_str());
  }

 private:
  UniqueFile file_;
  Text name_;
  bool delete_on_close_ = false;
  bool committed_ = false;
};

}  // namespace

std::optional<Text> TemporaryFileName(const Text& target, unsigned number) {
  const std::size_t slash = FindLastCharacter(target, '\\', IsSystemLeadByte);
  if (slash == std::string_view::npos) return std::nullopt;
  char name[32];
  std::snprintf(name, sizeof name, "~cv%08X.tmp", number);
  Text result = target.substr(0, slash + 1) + name;
  if (result.size() >= MAX_PATH) return std::nullopt;
  return result;
}

bool IsTemporaryFileName(std::string_view name) {
  if (name.size() != std::strlen("~cv00000000.tmp") || !name.starts_with("~cv") ||
      !name.ends_with(".tmp")) {
    return false;
  }
  return std::all_of(name.begin() + 3, name.begin() + 11,
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
}

DWORD AttributesToKeep(DWORD attributes) {
  constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE;
  const DWORD kept = attributes & kSettable;
  return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

bool WriteWholeFile(const Text& path, const Bytes& data) {
  if (path.empty()) return false;

  const auto target = ResolveTarget(path, ::GetFileAttributesA(path.c_str()));
  if (!target) return false;
  const DWORD attributes = ::GetFileAttributesA(target->c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (!exists && ::GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  // Checked here, not left to the open: some systems let a privileged user open a read-only
  // file for writing, and a rename replaces it regardless.
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }

  // Held while the new bytes are written: a file another process has open is refused, and
  // none may open it meanwhile. Let go just before the rename, which an open file would block.
  UniqueFile target_lock;
  if (exists) {
    target_lock.reset(::CreateFileA(target->c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target_lock) return false;
  }

  RemoveLeftovers(*target);
  TemporaryFile temporary;
  if (!temporary.Create(*target)) return false;
  if (!WriteAll(temporary.handle(), data.data)) return false;
  if (exists && !KeepAttributes(temporary.handle(), attributes)) return false;
  if (!::FlushFileBuffers(temporary.handle())) return false;
  target_lock.reset();
  return temporary.CommitOver(*target);
}

}  // namespace corvani
