#include "ui/file_dialog/filter_list.h"

#include <vector>

namespace corvani {
namespace {

// Only ASCII white space: a trail byte of a GBK character is 0x40 or more, so stripping bytes
// from the end never takes half a character.
bool IsTrailingWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::string BuildFilterList(std::string_view filter, LeadBytePredicate is_lead) {
  while (!filter.empty() && IsTrailingWhiteSpace(filter.back())) filter.remove_suffix(1);
  if (filter.empty()) return {};

  std::vector<std::size_t> separators;
  ForEachCharacter(filter, '|', is_lead, [&](std::size_t at) { separators.push_back(at); });

  std::string list(filter);
  for (std::size_t at : separators) list[at] = '\0';
  // "Ends in ||" counts characters too: the first of two final 0x7C bytes may be a trail byte.
  // The two terminators are added as zero bytes, not as "||" to be scanned, so that a stray
  // lead byte at the end cannot swallow one of them.
  const std::size_t n = filter.size();
  const bool ends_in_two_separators = separators.size() >= 2 &&
                                      separators[separators.size() - 1] == n - 1 &&
                                      separators[separators.size() - 2] == n - 2;
  if (!ends_in_two_separators) list.append(2, '\0');
  return list;
}

unsigned long SelectedFilterIndex(bool has_list, int initial_filter) {
  if (!has_list) return 0;
  return static_cast<unsigned long>(initial_filter < 0 ? 0 : initial_filter) + 1;
}

}  // namespace corvani
