#include "document/text_conversion.h"

#include <cstring>
#include <utility>

#include "document/allocation.h"

namespace corvani {
namespace {

std::size_t TextLength(const std::string& data) {
  const void* zero = std::memchr(data.data(), 0, data.size());
  return zero == nullptr ? data.size() : static_cast<const char*>(zero) - data.data();
}

}  // namespace

Text BytesToText(const Bytes& data) {
  const std::size_t length = TextLength(data.data);
  return AllocateOrDie(length, [&] { return Text(data.data, 0, length); });
}

Text BytesToText(Bytes&& data) {
  data.data.resize(TextLength(data.data));  // shrinking never allocates
  return std::move(data.data);
}

Bytes TextToBytes(const Text& text) {
  return AllocateOrDie(text.size(), [&] { return Bytes{text}; });
}

Bytes TextToBytes(Text&& text) { return Bytes{std::move(text)}; }

}  // namespace corvani
