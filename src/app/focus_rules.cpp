#include "app/focus_rules.h"

#include <algorithm>

namespace corvani {

std::vector<int> TabList(std::span<const TabCandidate> controls) {
  std::vector<int> list;
  for (int i = static_cast<int>(controls.size()) - 1; i >= 0; --i) {
    const TabCandidate& c = controls[static_cast<std::size_t>(i)];
    if (c.has_window && c.visible && c.enabled && c.may_take_focus && c.tab_stop) list.push_back(i);
  }
  // Built from the last control back, so a stable sort keeps later controls first on ties.
  std::stable_sort(list.begin(), list.end(), [&](int a, int b) {
    return controls[static_cast<std::size_t>(a)].tab_order < controls[static_cast<std::size_t>(b)].tab_order;
  });
  return list;
}

std::optional<int> NextInTabList(std::span<const int> tab_list, int current, bool forward) {
  const auto it = std::find(tab_list.begin(), tab_list.end(), current);
  if (it == tab_list.end() || tab_list.size() < 2) return std::nullopt;
  const std::size_t at = static_cast<std::size_t>(it - tab_list.begin());
  const std::size_t n = tab_list.size();
  return tab_list[forward ? (at + 1) % n : (at + n - 1) % n];
}

}  // namespace corvani
