// Bytes to Text keeps exactly the bytes before the first zero byte, and Text to Bytes and back
// gives the same text, through either overload.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "document/text_conversion.h"
#include "support/check.h"

namespace corvani::fuzz {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes bytes{std::string(reinterpret_cast<const char*>(data), size)};
  const std::size_t zero = bytes.data.find('\0');
  const Text expected = bytes.data.substr(0, zero);

  const Text text = BytesToText(bytes);
  FUZZ_CHECK(text == expected);
  FUZZ_CHECK(text.find('\0') == Text::npos);
  Bytes moved = bytes;
  FUZZ_CHECK(BytesToText(std::move(moved)) == expected);

  const Bytes back = TextToBytes(text);
  FUZZ_CHECK(back.data == text);
  FUZZ_CHECK(back.size() == static_cast<int>(text.size()));
  FUZZ_CHECK(BytesToText(back) == text);
  Text copy = text;
  FUZZ_CHECK(BytesToText(TextToBytes(std::move(copy))) == text);
  return 0;
}

}  // namespace corvani::fuzz
