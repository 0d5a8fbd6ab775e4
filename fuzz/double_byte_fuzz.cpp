// The double-byte search behind the program directory: the byte found is never the second
// byte of a character, and no later byte that is a character of its own is the one wanted.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/double_byte.h"
#include "support/check.h"
#include "support/code_pages.h"

namespace corvani::fuzz {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const LeadBytePredicate is_lead = PickCodePage(data[0]);
  // Mostly the backslash and the filter separator, the bytes that matter; sometimes any byte.
  const char wanted = data[1] < 0x80 ? '\\' : data[1] < 0xC0 ? '|' : static_cast<char>(data[1]);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::vector<bool> trail = TrailBytes(text, is_lead);

  // A byte is a character of its own when it is neither a trail byte nor a lead byte with a
  // byte after it.
  std::vector<std::size_t> expected;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool starts_pair = is_lead(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    if (text[i] == wanted && !trail[i] && !starts_pair) expected.push_back(i);
  }

  std::vector<std::size_t> visited;
  ForEachCharacter(text, wanted, is_lead, [&](std::size_t at) { visited.push_back(at); });
  FUZZ_CHECK(visited == expected);

  const std::size_t last = FindLastCharacter(text, wanted, is_lead);
  if (expected.empty()) {
    FUZZ_CHECK(last == std::string_view::npos);
  } else {
    FUZZ_CHECK(last == expected.back());
    FUZZ_CHECK(text[last] == wanted && !trail[last]);
  }
  return 0;
}

}  // namespace corvani::fuzz
