// A DLL placed beside the program is found by its bare name until the program restricts the
// search to the system folder, and never after.
#include "app/dll_search.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

namespace corvani {
namespace {

constexpr char kProbe[] = "corvani_probe.dll";

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

TEST(DllSearch, AProbeBesideTheProgramIsNotFoundByNameOnceRestricted) {
  const std::string folder = ProgramFolder();
  ASSERT_NE(::GetFileAttributesA((folder + "\\" + kProbe).c_str()), INVALID_FILE_ATTRIBUTES)
      << "the probe DLL should have been built beside the test program";
  // The program makes its own folder the current directory, so both places hold the probe.
  ASSERT_TRUE(::SetCurrentDirectoryA(folder.c_str()));

  HMODULE before = ::LoadLibraryA(kProbe);
  ASSERT_NE(before, nullptr) << "found by name before the restriction";
  ASSERT_TRUE(::FreeLibrary(before));
  ASSERT_EQ(::GetModuleHandleA(kProbe), nullptr) << "unloaded again, so the next load searches";

  EXPECT_TRUE(RestrictDllSearchToSystem());
  ::SetLastError(0);
  HMODULE after = ::LoadLibraryA(kProbe);
  EXPECT_EQ(after, nullptr);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  if (after != nullptr) ::FreeLibrary(after);

  // System DLLs still load by name, and the probe still loads by its full path.
  HMODULE system = ::LoadLibraryA("version.dll");
  EXPECT_NE(system, nullptr);
  if (system != nullptr) ::FreeLibrary(system);
  HMODULE by_path = ::LoadLibraryA((folder + "\\" + kProbe).c_str());
  EXPECT_NE(by_path, nullptr);
  if (by_path != nullptr) ::FreeLibrary(by_path);
}

}  // namespace
}  // namespace corvani
