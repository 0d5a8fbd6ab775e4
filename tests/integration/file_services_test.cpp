// Whole-file reading and writing on real files, with other Wine processes holding them open.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "document/read_whole_file.h"
#include "document/text_conversion.h"
#include "document/write_whole_file.h"
#include "integration/helpers/file_fixtures.h"
#include "support/resource_counts.h"

namespace corvani {
namespace {

using namespace std::string_literals;
using testing_files::Folder;
using testing_files::HeldFile;
using testing_files::ReadRaw;
using testing_files::WriteRaw;

void ExpectOnly(const Folder& folder, const std::vector<std::string>& names) {
  auto found = folder.Names();
  std::sort(found.begin(), found.end());
  auto expected = names;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(found, expected) << "a temporary file was left behind, or the target went";
}

// Makes a file of `size` bytes without writing them, so the disk holds next to nothing.
void MakeSparseFile(const std::string& path, LONGLONG size) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD returned = 0;
  ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER end{};
  end.QuadPart = size;
  EXPECT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
  EXPECT_TRUE(::SetEndOfFile(file));
  ::CloseHandle(file);
}

TEST(ReadWholeFile, EmptyPathFailsWithoutTouchingTheFileSystem) {
  ::SetLastError(0x1234);
  EXPECT_EQ(ReadWholeFile(""), std::nullopt);
  EXPECT_EQ(::GetLastError(), 0x1234u) << "no file system call was made";
}

TEST(ReadWholeFile, ReturnsTheExactBytesAndTellsEmptyFromFailure) {
  Folder folder;
  std::string large(3 << 20, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7919 >> 3);
  for (const std::string& content : {""s, "\x41\x00\x42"s, "\xFF\xFE\x61\x00"s, large}) {
    const std::string path = folder.File("content.txt");
    ASSERT_TRUE(WriteRaw(path, content));
    const auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes.has_value()) << "size " << content.size();
    EXPECT_EQ(bytes->data, content);
  }
  // Nothing is converted: UTF-16 keeps its byte-order mark and stops at its first zero byte.
  ASSERT_TRUE(WriteRaw(folder.File("utf16.txt"), "\xFF\xFE\x61\x00"s));
  EXPECT_EQ(BytesToText(*ReadWholeFile(folder.File("utf16.txt"))), "\xFF\xFE\x61");
  ASSERT_TRUE(WriteRaw(folder.File("zero.txt"), "\x41\x00\x42"s));
  EXPECT_EQ(BytesToText(*ReadWholeFile(folder.File("zero.txt"))), "\x41");
}

TEST(ReadWholeFile, FailsOnMissingFilesFoldersAndFilesHeldForWriting) {
  Folder folder;
  const std::string held = folder.File("held.txt");
  ASSERT_TRUE(WriteRaw(held, "content"));
  EXPECT_EQ(ReadWholeFile(folder.File("missing.txt")), std::nullopt);
  EXPECT_EQ(ReadWholeFile(folder.File("no-folder\\missing.txt")), std::nullopt);
  EXPECT_EQ(ReadWholeFile(folder.path()), std::nullopt);
  // A writer that shares nothing, and one that lets others read: we refuse to share writing.
  for (DWORD share : {0ul, static_cast<unsigned long>(FILE_SHARE_READ | FILE_SHARE_WRITE)}) {
    HeldFile holder(held, share);
    ASSERT_TRUE(holder.held());
    EXPECT_EQ(ReadWholeFile(held), std::nullopt) << "share mode " << share;
  }
  EXPECT_EQ(ReadWholeFile(held)->data, "content") << "readable again once let go";
}

TEST(ReadWholeFile, FailsOnFilesOfTwoGigabytesOrMore) {
  Folder folder;
  for (LONGLONG size : {0x80000000LL, 0x100000000LL + 123, 0x100000000LL}) {
    const std::string path = folder.File("sparse.bin");
    MakeSparseFile(path, size);
    EXPECT_EQ(ReadWholeFile(path), std::nullopt) << "size " << size;
    ::DeleteFileA(path.c_str());
  }
}

TEST(WriteWholeFile, EmptyPathFailsWithoutTouchingTheFileSystem) {
  ::SetLastError(0x1234);
  EXPECT_FALSE(WriteWholeFile("", Bytes{"x"}));
  EXPECT_EQ(::GetLastError(), 0x1234u);
}

TEST(WriteWholeFile, LeavesExactlyTheNewBytes) {
  Folder folder;
  const std::string path = folder.File("saved.txt");
  const struct {
    std::string data;
  } steps[] = {{"first \x00 version\r\nwith two lines\r\n"s},  // created
               {"short"s},                                      // shorter replaces longer
               {""s},                                           // cut to length 0
               {"中文\r\n"s}};                                  // and written again
  for (const auto& step : steps) {
    ASSERT_TRUE(WriteWholeFile(path, Bytes{step.data})) << step.data;
    EXPECT_EQ(ReadRaw(path), step.data);
    ExpectOnly(folder, {"saved.txt"});
  }
  EXPECT_TRUE(WriteWholeFile(folder.File("new-empty.txt"), Bytes{}));
  EXPECT_EQ(ReadRaw(folder.File("new-empty.txt")), "");
}

TEST(WriteWholeFile, KeepsTheAttributesOfTheFileItReplaces) {
  Folder folder;
  const std::string path = folder.File("hidden.txt");
  ASSERT_TRUE(WriteRaw(path, "old"));
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), kept));
  ASSERT_TRUE(WriteWholeFile(path, Bytes{"new"}));
  EXPECT_EQ(ReadRaw(path), "new");
  EXPECT_EQ(::GetFileAttributesA(path.c_str()) & kept, kept);
}

TEST(WriteWholeFile, RefusesReadOnlyFilesAndFoldersAndKeepsThem) {
  Folder folder;
  const std::string path = folder.File("read-only.txt");
  ASSERT_TRUE(WriteRaw(path, "old content"));
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteWholeFile(path, Bytes{"new"}));
  EXPECT_FALSE(WriteWholeFile(path, Bytes{}));
  EXPECT_EQ(ReadRaw(path), "old content");
  EXPECT_EQ(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(::CreateDirectoryA(folder.File("sub").c_str(), nullptr));
  EXPECT_FALSE(WriteWholeFile(folder.File("sub"), Bytes{"x"}));
  EXPECT_FALSE(WriteWholeFile(folder.File("no-folder\\x.txt"), Bytes{"x"}));
  ExpectOnly(folder, {"read-only.txt", "sub"});
}

TEST(WriteWholeFile, RefusesFilesAnotherProcessHasOpen) {
  Folder folder;
  const std::string path = folder.File("held.txt");
  ASSERT_TRUE(WriteRaw(path, "old content"));
  for (DWORD share : {0ul, static_cast<unsigned long>(FILE_SHARE_READ),
                      static_cast<unsigned long>(FILE_SHARE_READ | FILE_SHARE_WRITE |
                                                 FILE_SHARE_DELETE)}) {
    {
      HeldFile holder(path, share);
      ASSERT_TRUE(holder.held());
      EXPECT_FALSE(WriteWholeFile(path, Bytes{"new"})) << "share mode " << share;
      ExpectOnly(folder, {"held.txt"});
    }
    EXPECT_EQ(ReadRaw(path), "old content");
  }
  EXPECT_TRUE(WriteWholeFile(path, Bytes{"new"})) << "writable again once let go";
}

TEST(FileServices, ManyReadsAndWritesLeaveNoHandleBehind) {
  Folder folder;
  const std::string path = folder.File("cycle.txt");
  ASSERT_TRUE(WriteWholeFile(path, Bytes{"warm-up"}));
  ASSERT_TRUE(ReadWholeFile(path));
  testing_support::CountResources();  // its own first run sets up what it later counts
  const auto before = testing_support::CountResources();
  ASSERT_GT(before.kernel_handles, 0);
  for (int i = 0; i < 500; ++i) {
    const std::string content = "cycle " + std::to_string(i);
    ASSERT_TRUE(WriteWholeFile(path, Bytes{content}));
    ASSERT_EQ(ReadWholeFile(path)->data, content);
    EXPECT_FALSE(WriteWholeFile(folder.File("no-folder\\x.txt"), Bytes{"x"}));
    EXPECT_FALSE(ReadWholeFile(folder.File("missing.txt")));
  }
  EXPECT_EQ(testing_support::CountResources(), before)
      << testing_support::CountResources().ToString() << " after, " << before.ToString() << " before";
  ExpectOnly(folder, {"cycle.txt"});
}

// Kills a process part way through saving a large file, at several moments spread over the
// time a whole save takes: the file must then hold its old or its new content entirely.
TEST(WriteWholeFile, AProcessKilledMidWriteLeavesOldOrNewContentEntirely) {
  constexpr int kMegabytes = 200;
  Folder folder;
  const std::string path = folder.File("large.txt");
  const std::string old_content(1 << 20, 'o');

  bool temporary_seen = false;  // a kill that landed while the temporary file was being written
  const auto run_writer = [&](DWORD kill_after_ms, DWORD* elapsed_ms) {
    temporary_seen = false;
    const std::string event_name = "corvani-writer-" + std::to_string(::GetCurrentProcessId());
    HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, event_name.c_str());
    HANDLE done = ::CreateEventA(nullptr, TRUE, FALSE, (event_name + "-done").c_str());
    std::string command = "\"" + testing_files::HelperPath("slow_writer.exe") + "\" \"" + path +
                          "\" " + std::to_string(kMegabytes) + " " + event_name;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process));
    HANDLE waits[] = {ready, process.hProcess};
    ASSERT_EQ(::WaitForMultipleObjects(2, waits, FALSE, 60000), WAIT_OBJECT_0);
    const DWORD start = ::GetTickCount();
    if (::WaitForSingleObject(done, kill_after_ms) == WAIT_TIMEOUT) {
      temporary_seen = folder.Names().size() > 1;
      ::TerminateProcess(process.hProcess, 9);
    }
    if (elapsed_ms != nullptr) *elapsed_ms = ::GetTickCount() - start;
    ::WaitForSingleObject(process.hProcess, 60000);
    ::CloseHandle(done);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    ::CloseHandle(ready);
  };

  ASSERT_TRUE(WriteRaw(path, old_content));
  DWORD whole = 0;
  run_writer(INFINITE, &whole);
  ASSERT_EQ(ReadRaw(path).size(), static_cast<std::size_t>(kMegabytes) << 20);
  std::printf("a whole save of %d MiB took %lu ms\n", kMegabytes, whole);

  int new_seen = 0, mid_write_kills = 0;
  for (int tenth : {0, 1, 2, 4, 6, 8, 9}) {
    // Saving the old content back also clears what an earlier kill may have left.
    ASSERT_TRUE(WriteWholeFile(path, Bytes{old_content}));
    ExpectOnly(folder, {"large.txt"});
    run_writer(whole * tenth / 10, nullptr);
    const std::string now = ReadRaw(path);
    const bool is_old = now == old_content;
    const bool is_new = now.size() == (static_cast<std::size_t>(kMegabytes) << 20) &&
                        now.find_first_not_of('n') == std::string::npos;
    EXPECT_TRUE(is_old || is_new) << "killed at " << tenth << "/10: " << now.size() << " bytes";
    new_seen += is_new;
    std::string names;
    for (const auto& name : folder.Names()) names += name + " ";
    std::printf("killed at %d/10 of the save%s: %s content; folder holds: %s\n", tenth,
                temporary_seen ? " (temporary file present)" : "",
                is_old ? "old" : is_new ? "new" : "MIXED", names.c_str());
    // Killed while the bytes were being written, the temporary file goes with the process.
    if (temporary_seen) ExpectOnly(folder, {"large.txt"});
    mid_write_kills += temporary_seen;
  }
  EXPECT_GT(mid_write_kills, 0) << "no kill landed while the temporary file was written";
}

}  // namespace
}  // namespace corvani
