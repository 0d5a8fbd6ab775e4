#pragma once

// Counts of what a process holds, for leak tests. Wine answers GetGuiResources and
// GetProcessHandleCount with 0, so the counts are taken by asking about every possible handle
// value of the calling process instead; that works on Windows as well.

#include <string>

namespace corvani::testing_support {

struct ResourceCounts {
  int kernel_handles = 0;
  int gdi_objects = 0;
  int icons = 0;
  int windows = 0;  // top-level and child windows of the calling thread

  bool operator==(const ResourceCounts&) const = default;
  std::string ToString() const;
};

ResourceCounts CountResources();

}  // namespace corvani::testing_support
