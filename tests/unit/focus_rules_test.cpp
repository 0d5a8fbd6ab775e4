#include "app/focus_rules.h"

#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "ui/main_window/main_window.h"

namespace corvani {
namespace {

constexpr TabCandidate kTakes{.has_window = true, .visible = true, .enabled = true,
                             .may_take_focus = true, .tab_stop = true};

TabCandidate With(int tab_order) {
  TabCandidate c = kTakes;
  c.tab_order = tab_order;
  return c;
}

TEST(TabList, MainWindowVisitsTheDefinitionBackwards) {
  // The candidates as the freshly built main window shows them.
  const WindowDefinition& definition = MainWindowDefinition();
  std::vector<TabCandidate> candidates;
  for (const ControlDefinition& c : definition.controls) {
    candidates.push_back({.has_window = c.class_name != nullptr || c.window_class != nullptr,
                          .visible = c.visible,
                          .enabled = c.enabled,
                          .may_take_focus = c.kind == ControlKind::Button || c.kind == ControlKind::EditBox,
                          .tab_stop = c.tab_stop,
                          .tab_order = c.tab_order});
  }
  std::vector<std::string_view> names;
  for (int index : TabList(candidates)) names.push_back(definition.controls[static_cast<std::size_t>(index)].name);
  EXPECT_EQ(names, (std::vector<std::string_view>{kEditBoxName, kSaveButtonName, kOpenButtonName,
                                                  kAboutButtonName}));
}

struct TabListCase {
  const char* what;
  std::vector<TabCandidate> controls;
  std::vector<int> expected;
};

class TabListTest : public testing::TestWithParam<TabListCase> {};

TEST_P(TabListTest, Orders) {
  const TabListCase& c = GetParam();
  EXPECT_EQ(TabList(c.controls), c.expected) << c.what;
}

TabCandidate Without(bool TabCandidate::*field) {
  TabCandidate c = kTakes;
  c.*field = false;
  return c;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, TabListTest,
    testing::Values(
        TabListCase{"nothing", {}, {}},
        TabListCase{"equal orders: later controls first", {kTakes, kTakes, kTakes}, {2, 1, 0}},
        TabListCase{"each missing quality leaves a control out",
                    {kTakes, Without(&TabCandidate::has_window), Without(&TabCandidate::visible),
                     Without(&TabCandidate::enabled), Without(&TabCandidate::may_take_focus),
                     Without(&TabCandidate::tab_stop), kTakes},
                    {6, 0}},
        TabListCase{"none qualifies", {Without(&TabCandidate::tab_stop), Without(&TabCandidate::visible)}, {}},
        TabListCase{"lowest tab order first", {With(2), With(0), With(1)}, {1, 2, 0}},
        TabListCase{"ties within tab orders keep later first", {With(1), With(0), With(1), With(0)}, {3, 1, 2, 0}},
        TabListCase{"negative orders come before zero", {With(0), With(-1)}, {1, 0}}));

struct NextCase {
  const char* what;
  std::vector<int> tab_list;
  int current;
  bool forward;
  std::optional<int> expected;
};

class NextInTabListTest : public testing::TestWithParam<NextCase> {};

TEST_P(NextInTabListTest, Steps) {
  const NextCase& c = GetParam();
  EXPECT_EQ(NextInTabList(c.tab_list, c.current, c.forward), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, NextInTabListTest,
    testing::Values(NextCase{"forward", {4, 2, 0}, 4, true, 2},
                    NextCase{"forward wraps to the first", {4, 2, 0}, 0, true, 4},
                    NextCase{"backward", {4, 2, 0}, 0, false, 2},
                    NextCase{"backward wraps to the last", {4, 2, 0}, 4, false, 0},
                    NextCase{"two controls swap both ways", {1, 3}, 3, true, 1},
                    NextCase{"a single control stays", {3}, 3, true, std::nullopt},
                    NextCase{"a control not in the list changes nothing", {4, 2, 0}, 1, true, std::nullopt},
                    NextCase{"no focus changes nothing", {4, 2, 0}, -1, false, std::nullopt},
                    NextCase{"an empty list changes nothing", {}, 0, true, std::nullopt}));

}  // namespace
}  // namespace corvani
