#include "support/resource_counts.h"

#include <windows.h>

#include <cstdint>

namespace corvani::testing_support {

namespace {

int CountKernelHandles() {
  int count = 0;
  for (std::uintptr_t value = 4; value < 0x40000; value += 4) {
    DWORD flags = 0;
    if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

// A GDI handle's low word indexes the table; a handle with no high word matches any entry.
int CountGdiObjects() {
  int count = 0;
  for (std::uintptr_t value = 1; value < 0x10000; ++value) {
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0) ++count;
  }
  return count;
}

int CountIcons() {
  int count = 0;
  for (std::uintptr_t value = 0x20; value < 0x10000; value += 2) {
    ICONINFO info{};
    if (!::GetIconInfo(reinterpret_cast<HICON>(value), &info)) continue;
    ++count;
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  }
  return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM lparam) {
  ++*reinterpret_cast<int*>(lparam);
  ::EnumChildWindows(
      window, [](HWND, LPARAM counter) -> BOOL { return ++*reinterpret_cast<int*>(counter), TRUE; }, lparam);
  return TRUE;
}

}  // namespace

ResourceCounts CountResources() {
  ResourceCounts counts;
  counts.kernel_handles = CountKernelHandles();
  counts.gdi_objects = CountGdiObjects();
  counts.icons = CountIcons();
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
  return counts;
}

std::string ResourceCounts::ToString() const {
  return "handles " + std::to_string(kernel_handles) + ", GDI objects " + std::to_string(gdi_objects) +
         ", icons " + std::to_string(icons) + ", windows " + std::to_string(windows);
}

}  // namespace corvani::testing_support
