#pragma once

#include <cstddef>
#include <string_view>

namespace corvani {

// Tells whether a byte starts a double-byte character in some ANSI code page. A plain
// predicate keeps the scanning code free of the platform, so tests can hand in any code page.
using LeadBytePredicate = bool (*)(unsigned char byte);

// GBK (code page 936): lead bytes 0x81 to 0xFE.
bool IsGbkLeadByte(unsigned char byte);

// The running system's ANSI code page.
bool IsSystemLeadByte(unsigned char byte);

// Position of the last byte equal to `wanted` that is a character of its own, not the second
// byte of a double-byte character; npos when there is none.
std::size_t FindLastCharacter(std::string_view text, char wanted, LeadBytePredicate is_lead);

// Calls visit(position) for each byte equal to `wanted` that is a character of its own.
template <typename Visit>
void ForEachCharacter(std::string_view text, char wanted, LeadBytePredicate is_lead, Visit visit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (is_lead(byte) && i + 1 < text.size()) {
      ++i;  // the trail byte belongs to this character, whatever its value
      continue;
    }
    if (text[i] == wanted) visit(i);
  }
}

}  // namespace corvani
