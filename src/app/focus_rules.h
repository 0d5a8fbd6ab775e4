#pragma once

#include <optional>
#include <span>
#include <vector>

namespace corvani {

// A control as the focus rules see it.
struct TabCandidate {
  bool has_window = false;
  bool visible = false;
  bool enabled = false;
  bool may_take_focus = false;
  bool tab_stop = false;
  int tab_order = 0;
};

// Indexes (into the definition's order) of the controls Tab may visit, in visiting order:
// lowest tab order first; among equal tab orders, the control later in the definition first.
std::vector<int> TabList(std::span<const TabCandidate> controls);

// The control after (or before) `current` in the tab list, wrapping around; none when the
// list is empty, holds only `current`, or does not hold it.
std::optional<int> NextInTabList(std::span<const int> tab_list, int current, bool forward);

}  // namespace corvani
