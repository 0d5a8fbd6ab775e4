#include "document/allocation.h"

#include <cstdio>

#include "app/application.h"

namespace corvani {

Text AllocationFailureText(std::size_t bytes) {
  char text[64];
  std::snprintf(text, sizeof text, "分配 %llu 字节内存失败!", static_cast<unsigned long long>(bytes));
  return text;
}

void AllocationFailed(std::size_t bytes) { FatalError(AllocationFailureText(bytes)); }

}  // namespace corvani
