// The dialog's filter list: ends in two zero bytes, has a zero byte only where the filter had
// a "|" of its own, and never cuts a double-byte character in two.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/check.h"
#include "support/code_pages.h"
#include "ui/file_dialog/filter_list.h"

namespace corvani::fuzz {
namespace {

bool IsAsciiSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const LeadBytePredicate is_lead = PickCodePage(data[0]);
  // A filter is a Text: it holds no zero byte.
  std::string filter(reinterpret_cast<const char*>(data + 1), size - 1);
  std::erase(filter, '\0');

  const std::string list = BuildFilterList(filter, is_lead);

  std::string_view kept = filter;  // trailing white space goes
  while (!kept.empty() && IsAsciiSpace(kept.back())) kept.remove_suffix(1);
  if (kept.empty()) {
    FUZZ_CHECK(list.empty());
    return 0;
  }

  const std::size_t n = kept.size();
  const std::vector<bool> trail = TrailBytes(kept, is_lead);
  const auto separator = [&](std::size_t i) { return kept[i] == '|' && !trail[i]; };

  FUZZ_CHECK(list.size() >= 2 && list[list.size() - 1] == '\0' && list[list.size() - 2] == '\0');
  // The filter's own "||" at the end already ends the list; otherwise two zero bytes follow.
  const bool ends_in_two = n >= 2 && separator(n - 1) && separator(n - 2);
  FUZZ_CHECK(list.size() == (ends_in_two ? n : n + 2));
  for (std::size_t i = 0; i < n; ++i) {
    FUZZ_CHECK(list[i] == (separator(i) ? '\0' : kept[i]));
    if (trail[i]) FUZZ_CHECK(list[i] != '\0' && list[i - 1] != '\0');
  }
  return 0;
}

}  // namespace corvani::fuzz
