#include "app/dll_search.h"

#include <windows.h>

namespace corvani {

bool RestrictDllSearchToSystem() {
  // Looked up at run time: the headers for Windows 7 do not declare it, and Windows 7 has it
  // only with its loader update.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  const FARPROC found = kernel != nullptr ? ::GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
  if (found != nullptr) {
    const auto set_default = reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(found));
    if (set_default(kSearchSystem32) != FALSE) return true;
  }
  ::SetDllDirectoryA("");
  return false;
}

}  // namespace corvani
