// Plain Win32 file handling for the file service tests: a private folder, raw reads and writes
// that do not go through the code under test, and another process that holds a file open.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace corvani::testing_files {

inline std::string Windows(std::string linux_path) {
  for (char& c : linux_path) c = c == '/' ? '\\' : c;
  return "Z:" + linux_path;
}

inline std::string HelperPath(const char* exe) {
  const char* build = std::getenv("CORVANI_BUILD_DIR");
  return Windows(std::string(build ? build : "") + "/tests/integration/" + exe);
}

inline bool WriteRaw(const std::string& path, const std::string& bytes) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

inline std::string ReadRaw(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file, &size);
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!bytes.empty()) ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  ::CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

// A folder of its own, emptied and removed at the end.
class Folder {
 public:
  explicit Folder(std::string parent = {}) {
    if (parent.empty()) {
      char temp[MAX_PATH];
      ::GetTempPathA(MAX_PATH, temp);
      parent = temp;
    }
    if (parent.back() != '\\') parent += '\\';
    static int serial = 0;
    path_ = parent + "corvani-files-" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(++serial);
    EXPECT_TRUE(::CreateDirectoryA(path_.c_str(), nullptr)) << path_;
  }
  ~Folder() {
    for (const auto& name : Names()) {
      const std::string file = File(name);
      ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!::DeleteFileA(file.c_str())) ::RemoveDirectoryA(file.c_str());
    }
    ::RemoveDirectoryA(path_.c_str());
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
  }

 private:
  std::string path_;
};

// Another Wine process that has a file open with the given share mode until this object goes.
class HeldFile {
 public:
  HeldFile(const std::string& path, DWORD share) {
    const std::string event_name =
        "corvani-held-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++serial_);
    ready_ = ::CreateEventA(nullptr, TRUE, FALSE, event_name.c_str());
    std::string command = "\"" + HelperPath("file_holder.exe") + "\" \"" + path + "\" " +
                          std::to_string(share) + " " + event_name;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process_)) {
      ADD_FAILURE() << "cannot start " << command;
      return;
    }
    HANDLE waits[] = {ready_, process_.hProcess};
    held_ = ::WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0;
    EXPECT_TRUE(held_) << "the holder could not open " << path;
  }
  ~HeldFile() {
    if (process_.hProcess != nullptr) {
      ::TerminateProcess(process_.hProcess, 0);
      ::WaitForSingleObject(process_.hProcess, 30000);
      ::CloseHandle(process_.hProcess);
      ::CloseHandle(process_.hThread);
    }
    if (ready_ != nullptr) ::CloseHandle(ready_);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool held() const { return held_; }

 private:
  static inline int serial_ = 0;
  HANDLE ready_ = nullptr;
  PROCESS_INFORMATION process_{};
  bool held_ = false;
};

}  // namespace corvani::testing_files
