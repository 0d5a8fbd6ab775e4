#include "ui/file_dialog/dialog_placement.h"

#include <gtest/gtest.h>

namespace corvani {
namespace {

struct PlacementCase {
  const char* name;
  RECT owner;
  bool on_owner;
  RECT work_area;
  long width, height;  // of the dialog
  POINT expected;      // its top-left corner
};

class Placement : public testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, CentresThenKeepsInsideTheWorkArea) {
  const auto& c = GetParam();
  // Where the dialog was before does not matter, only its size.
  const RECT dialog{37, 911, 37 + c.width, 911 + c.height};
  const RECT placed = PlaceDialog(dialog, c.owner, c.on_owner, c.work_area);
  EXPECT_EQ(placed.left, c.expected.x);
  EXPECT_EQ(placed.top, c.expected.y);
  EXPECT_EQ(placed.right - placed.left, c.width);
  EXPECT_EQ(placed.bottom - placed.top, c.height);
}

constexpr RECT kScreen{0, 0, 1920, 1040};

INSTANTIATE_TEST_SUITE_P(
    Cases, Placement,
    testing::Values(
        PlacementCase{"CentredOnOwner", {100, 100, 900, 700}, true, kScreen, 600, 400, {200, 200}},
        PlacementCase{"OddDifferenceRoundsTowardOwnerStart",
                      {100, 100, 901, 701},
                      true,
                      kScreen,
                      600,
                      400,
                      {200, 200}},
        PlacementCase{
            "OwnerSmallerThanDialog", {500, 500, 700, 600}, true, kScreen, 600, 400, {300, 350}},
        PlacementCase{
            "OwnerNearBottomRight", {1700, 900, 2100, 1200}, true, kScreen, 600, 400, {1320, 640}},
        PlacementCase{"OwnerOffTopLeft", {-300, -200, 100, 100}, true, kScreen, 600, 400, {0, 0}},
        PlacementCase{
            "OwnerHiddenOrMinimised", {100, 100, 900, 700}, false, kScreen, 600, 400, {660, 320}},
        PlacementCase{"LargerThanWorkAreaKeepsTopLeft",
                      {100, 100, 900, 700},
                      true,
                      kScreen,
                      2000,
                      1100,
                      {0, 0}},
        PlacementCase{"SecondMonitor",
                      {1800, 100, 2200, 500},
                      true,
                      {1920, 0, 3840, 1080},
                      600,
                      400,
                      {1920, 100}},
        PlacementCase{"WorkAreaBelowTaskbarAtTop",
                      {0, 0, 400, 300},
                      true,
                      {0, 40, 1920, 1080},
                      600,
                      400,
                      {0, 40}}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return info.param.name; });

}  // namespace
}  // namespace corvani
