// Saving onto a full disk: run by with-full-disk.sh, which provides a 1 MiB drive.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "document/write_whole_file.h"
#include "integration/helpers/file_fixtures.h"

namespace corvani {
namespace {

using testing_files::Folder;
using testing_files::ReadRaw;
using testing_files::WriteRaw;

ULONGLONG FreeBytes(const std::string& root) {
  ULARGE_INTEGER free{};
  ::GetDiskFreeSpaceExA(root.c_str(), &free, nullptr, nullptr);
  return free.QuadPart;
}

TEST(WriteWholeFile, AFullDiskFailsAndKeepsTheOldContent) {
  const char* root = std::getenv("CORVANI_FULL_DISK");
  ASSERT_NE(root, nullptr) << "run through with-full-disk.sh";
  Folder folder(root);
  const std::string path = folder.File("saved.txt");

  const struct {
    std::size_t old_size;
    std::size_t new_size;
    bool fits;
  } cases[] = {
      {100 << 10, 2 << 20, false},    // more than the whole disk
      {400 << 10, 700 << 10, false},  // fits the disk, but not beside the old content
      {400 << 10, 300 << 10, true},   // the drive itself works
  };
  for (const auto& c : cases) {
    const std::string old_content(c.old_size, 'o');
    ASSERT_TRUE(WriteRaw(path, old_content));
    const ULONGLONG free_before = FreeBytes(root);
    const std::string new_content(c.new_size, 'n');
    EXPECT_EQ(WriteWholeFile(path, Bytes{new_content}), c.fits) << c.new_size;
    EXPECT_EQ(ReadRaw(path) == new_content, c.fits);
    if (!c.fits) {
      EXPECT_EQ(ReadRaw(path), old_content);
      EXPECT_EQ(FreeBytes(root), free_before) << "the partial temporary file still takes space";
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"saved.txt"});
  }
}

}  // namespace
}  // namespace corvani
