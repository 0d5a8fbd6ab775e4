#include "app/placement.h"

#include <gtest/gtest.h>

namespace corvani {
namespace {

struct PlacementCase {
  int screen_width, screen_height, width, height;
  Point expected;
};

class CentredOriginTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(CentredOriginTest, Centres) {
  const PlacementCase& c = GetParam();
  EXPECT_EQ(CentredOrigin(c.screen_width, c.screen_height, c.width, c.height), c.expected)
      << c.screen_width << "x" << c.screen_height << " " << c.width << "x" << c.height;
}

INSTANTIATE_TEST_SUITE_P(
    Screens, CentredOriginTest,
    testing::Values(PlacementCase{1920, 1080, 728, 551, {596, 264}},  // the main window
                    PlacementCase{1920, 1080, 495, 138, {712, 471}},  // the About window
                    // Larger than the screen: negative, truncated toward zero, not clamped.
                    PlacementCase{640, 480, 728, 551, {-44, -35}},
                    PlacementCase{1024, 768, 728, 551, {148, 108}},
                    PlacementCase{100, 100, 101, 103, {0, -1}},
                    PlacementCase{1920, 1080, 1920, 1080, {0, 0}}));

}  // namespace
}  // namespace corvani
