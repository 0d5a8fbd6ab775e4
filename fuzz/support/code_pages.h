#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "base/double_byte.h"

namespace corvani::fuzz {

// Lead-byte predicates of a few code-page shapes: GBK, a single-byte code page, and Shift-JIS's
// two lead ranges. None takes the zero byte or an ASCII byte as a lead byte.
inline bool NoLeadByte(unsigned char) { return false; }
inline bool ShiftJisLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

inline LeadBytePredicate PickCodePage(unsigned char selector) {
  switch (selector % 3) {
    case 0: return IsGbkLeadByte;
    case 1: return NoLeadByte;
    default: return ShiftJisLeadByte;
  }
}

// Which bytes are the second byte of a double-byte character, worked out backwards as CharPrev
// does rather than by the forward scan under test: a byte is a trail byte exactly when an odd
// number of lead bytes stands right before it.
inline std::vector<bool> TrailBytes(std::string_view text, LeadBytePredicate is_lead) {
  std::vector<bool> trail(text.size(), false);
  std::size_t run = 0;  // lead bytes right before position i
  for (std::size_t i = 0; i < text.size(); ++i) {
    trail[i] = run % 2 == 1;
    run = is_lead(static_cast<unsigned char>(text[i])) ? run + 1 : 0;
  }
  return trail;
}

}  // namespace corvani::fuzz
