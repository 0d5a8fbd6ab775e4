// The leak tests stand on these counts, so they must see what is made and let go.
#include "support/resource_counts.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace corvani::testing_support {
namespace {

struct Made {
  HANDLE event;
  HBRUSH brush;
  HICON icon;
};

Made MakeSome() {
  const BYTE bits[32] = {};
  return {::CreateEventA(nullptr, FALSE, FALSE, nullptr), ::CreateSolidBrush(RGB(1, 2, 3)),
          ::CreateIcon(nullptr, 16, 16, 1, 1, bits, bits)};
}

void LetGo(const Made& made) {
  ::CloseHandle(made.event);
  ::DeleteObject(made.brush);
  ::DestroyIcon(made.icon);
}

TEST(ResourceCounts, SeeHandlesGdiObjectsAndIconsComeAndGo) {
  LetGo(MakeSome());  // first use of each kind sets up the system's own state
  const ResourceCounts before = CountResources();
  const Made made = MakeSome();
  const ResourceCounts during = CountResources();
  EXPECT_EQ(during.kernel_handles, before.kernel_handles + 1);
  EXPECT_GE(during.gdi_objects, before.gdi_objects + 1);
  EXPECT_EQ(during.icons, before.icons + 1);
  LetGo(made);
  const ResourceCounts after = CountResources();
  EXPECT_EQ(after, before) << after.ToString() << " vs " << before.ToString();
}

}  // namespace
}  // namespace corvani::testing_support
