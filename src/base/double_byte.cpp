#include "base/double_byte.h"

namespace corvani {

bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

std::size_t FindLastCharacter(std::string_view text, char wanted, LeadBytePredicate is_lead) {
  std::size_t last = std::string_view::npos;
  ForEachCharacter(text, wanted, is_lead, [&](std::size_t at) { last = at; });
  return last;
}

}  // namespace corvani
